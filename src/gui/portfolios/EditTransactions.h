#pragma once
// TfrmEditTransactions ("Transactions"): the transactions of the active
// portfolio and current issue in four views, with adding (also for several
// portfolios at once), editing, deleting (one, or all of the view), the holding's
// parameters, the fee headings and the fee columns' visibility.

#include "core/base/Dates.h"
#include "core/portfolios/TxRules.h"

#include <QDialog>
#include <functional>
#include <memory>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTableView;
class QToolButton;

namespace orv {

class TxTableModel;

class TfrmEditTransactions : public QDialog {
    Q_OBJECT
public:
    // Grid columns (their widths are kept in TxColWidths from index 2 on).
    enum Col { ColPortfolio, ColSecurity, ColDate, ColBuySell, ColShares, ColAmount, ColSharePrice, ColCommission,
               ColFee1, ColFee2, ColType, ColComment, ColCount };

    explicit TfrmEditTransactions(QWidget* parent = nullptr);
    ~TfrmEditTransactions() override;

    tx::TxView view() const { return view_; }
    void setView(tx::TxView v);
    const std::vector<tx::TxRow>& rows() const;
    int currentRow() const;
    void setCurrentRow(int row);
    Day defaultDate() const { return defaultDate_; }

    // Commands.
    void addTransaction();
    void editTransaction();
    void deleteTransaction();
    void changePortfolio();
    void changeSecurity();
    void editParameters(int focus);  // TfrmSinglePfIssueParameters::Focus
    void editFeeHeading(int fee);    // 1 or 2
    void toggleHideFee(int fee);
    void storeColumnWidths();

    QTableView* OvcDbTableTransactions = nullptr;
    QGroupBox* rgDisplayOptions = nullptr;
    QRadioButton* rbView[4] = {nullptr, nullptr, nullptr, nullptr};
    QWidget* pnlPortfolio = nullptr;
    QWidget* pnlSecurity = nullptr;
    QLabel* lblPortfolio = nullptr;
    QLabel* lblMLName = nullptr;
    QToolButton* btnChangePortfolio = nullptr;
    QToolButton* btnChangeSecurity = nullptr;
    QPushButton* btnAdd = nullptr;
    QPushButton* btnDelete = nullptr;
    QPushButton* btnEdit = nullptr;
    QPushButton* btnPortfolioSummary = nullptr;
    QPushButton* btnExit = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QWidget* pnlHolding = nullptr;
    QLabel* lblAccount = nullptr;
    QLabel* lblPhone = nullptr;
    QLabel* lblReinvest = nullptr;
    QWidget* pnlTotals = nullptr;
    QLabel* lblTotalShares = nullptr;
    QLabel* lblValueCaption = nullptr;
    QLabel* lblValue = nullptr;
    QStatusBar* stbTransactions = nullptr;
    QLabel* stbPanel[2] = {nullptr, nullptr};
    QAction* mmFee1Heading = nullptr;
    QAction* mmFee2Heading = nullptr;
    QAction* mmHideFee1 = nullptr;
    QAction* mmHideFee2 = nullptr;

    // Set by the caller to open the portfolio summary report (the window
    // rebuilds its view afterwards).
    std::function<void()> openPortfolioSummary;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void done(int r) override;

private:
    void buildMenus(QMenuBar* bar);
    void rebuild(qint64 goToSequence = -1);
    void applyFeeSettings();
    void multipleEntry(const TransactionRec& saved);
    void gridContextMenu(const QPoint& pos);

    std::unique_ptr<TxTableModel> model_;
    tx::TxView view_ = tx::TxView::PortfolioIssue;
    Day defaultDate_ = kNoDay;
    bool closing_ = false;
};

}  // namespace orv
