#pragma once
// TfrmAddEditTx: the add/edit dialog of one transaction. The caller gives the
// record's values, the portfolio and security names, the caption and which change
// buttons work; Save resolves the names, stores the record (the holding follows)
// and closes with Accepted. During entry for several portfolios the dialog also
// offers "Abort Multiple Transactions" (result kAborted) and "Skip" (Rejected).

#include "core/store/Records.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orv {

class TfrmAddEditTx : public QDialog {
    Q_OBJECT
public:
    static constexpr int kAborted = 3;

    explicit TfrmAddEditTx(QWidget* parent = nullptr);

    // The values shown (Type as stored or shown: empty means "Usual").
    void setRecord(const TransactionRec& r, const QString& pfShortName, const QString& mlShortName);
    // The record as it was saved (after Accepted), with its Sequence.
    TransactionRec record() const { return rec_; }
    QString portfolioName() const { return pfName_; }
    QString securityName() const { return mlName_; }

    void setChangeButtons(bool portfolio, bool security);
    void setAdding(bool adding);       // shows the multiple-entry check box
    void setMultipleMode(bool on);     // Abort shown, Cancel renamed "Skip", change buttons off
    // The field that gets the focus on show: "Portfolio", "Security", "Date",
    // "BuySell", "Shares", "Amount", "SharePrice", "Commission", "Fee1", "Fee2",
    // "Type", "Comment".
    void setFocusField(const QString& field) { focusField_ = field; }
    QString priceOnDateText() const;
    double sharePrice() const { return sharePrice_; }
    double shares() const { return shares_; }
    double amount() const { return amount_; }

    QLabel* lblPortfolio = nullptr;
    QLabel* lblMLName = nullptr;
    QPushButton* btnChangePortfolio = nullptr;
    QPushButton* btnChangeSecurity = nullptr;
    QDateEdit* edDate = nullptr;
    QComboBox* cbxBuySell = nullptr;
    QLineEdit* edShares = nullptr;
    QLineEdit* edAmount = nullptr;
    QLineEdit* edSharePrice = nullptr;
    QLineEdit* edCommission = nullptr;
    QLineEdit* edFee1 = nullptr;
    QLineEdit* edFee2 = nullptr;
    QLabel* lblFee1 = nullptr;
    QLabel* lblFee2 = nullptr;
    QComboBox* cbxType = nullptr;
    QLineEdit* edComment = nullptr;
    QLabel* lblPriceOnDate = nullptr;
    QCheckBox* cbAutoComplete = nullptr;
    QCheckBox* cbMultiple = nullptr;
    QPushButton* bbtnSave = nullptr;
    QPushButton* bbtnCancel = nullptr;
    QPushButton* bbtnAbort = nullptr;

    // Actions (also reached through the controls).
    void leaveDate();
    void enterShares();
    void leaveShares();
    void enterAmount();
    void leaveAmount();
    void bbtnSaveClick();
    void btnChangePortfolioClick();
    void btnChangeSecurityClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void readIssue();
    void refreshPriceOnDate();
    void showFigures();
    void setChoosing(bool on);
    double parse(QLineEdit* e) const;

    TransactionRec rec_;
    QString pfName_, mlName_, mlType_;
    int mlID_ = -1;
    QString pricePattern_;
    double priceOnDate_ = -10.0;
    double shares_ = 0, amount_ = 0, sharePrice_ = 0;
    double sharesOnEntry_ = 0, amountOnEntry_ = 0;
    bool sharesChangedLast_ = false, amountChangedLast_ = false;
    bool changePf_ = true, changeMl_ = true;
    QString focusField_ = QStringLiteral("Date");
    bool loading_ = false;
};

}  // namespace orv
