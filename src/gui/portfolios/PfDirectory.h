#pragma once
// TfrmPfDirectory ("Portfolio Directory"): choose the active portfolio, mark
// several portfolios for reports and graphs, and edit the directory. The caller
// picks the mode (which tabs show) before showing it.

#include "core/store/Records.h"

#include <QDialog>
#include <QHash>
#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTableWidget;
class QTabWidget;
class QToolButton;

namespace orv {

class ORVDataModule;

class TfrmPfDirectory : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Directory, Multiple };
    enum class EditState { Browse, Edit, Insert };

    explicit TfrmPfDirectory(Mode mode = Mode::Directory, QWidget* parent = nullptr);

    // Multiple mode: hides the three issue buttons and the issue label.
    void hideIssueButtons();

    QTabWidget* pgcDirectory = nullptr;
    QWidget* tbsSelect = nullptr;
    QWidget* tbsMultiple = nullptr;
    QWidget* tbsEdit = nullptr;
    QTableWidget* OvcDbTablePfDirectory = nullptr;
    QStatusBar* stbDirectory = nullptr;
    QLabel* stbPanel[2] = {nullptr, nullptr};
    QPushButton* bbtnOK = nullptr;
    QPushButton* bbtnExit = nullptr;

    // Select tab
    QLabel* lblLongName = nullptr;
    QHash<QString, QLabel*> infoValues;  // "TaxID", "AccountNumber", "Email", "Phone1", "Phone2", "FAX"

    // Multiple tab
    QPushButton* btnSelectAll = nullptr;
    QPushButton* btnClearAll = nullptr;
    QPushButton* btnSelectFamily = nullptr;
    QPushButton* btnTxExists = nullptr;
    QPushButton* btnOpenAccounts = nullptr;
    QPushButton* btnClosedAccounts = nullptr;
    QLabel* lblSelSecurity = nullptr;
    QProgressBar* ProgressBar = nullptr;

    // Edit tab
    QToolButton* btnFirst = nullptr;
    QToolButton* btnPrior = nullptr;
    QToolButton* btnNext = nullptr;
    QToolButton* btnLast = nullptr;
    QPushButton* btnAdd = nullptr;
    QPushButton* btnSave = nullptr;
    QPushButton* btnCancelEdit = nullptr;
    QToolButton* sbtnDelete = nullptr;
    QHash<QString, QLineEdit*> fields;  // by field name ("ShortName", "LongName", ...)

    // State for callers and tests.
    EditState editState() const { return state_; }
    int currentPfID() const;
    QString searchText() const { return search_; }
    int rowCount() const { return int(rows_.size()); }

    // Actions (also reached through the buttons).
    void btnAddClick();
    void btnSaveClick();
    void btnCancelEditClick();
    void sbtnDeleteClick();
    void bbtnOKClick();
    void goToRow(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildSelectTab();
    QWidget* buildMultipleTab();
    QWidget* buildEditTab();
    void reload(int keepPfID);
    void showRecord();
    void updateControls();
    void refreshStatusBar();
    void tabChanged(int index);
    void fieldEdited();
    void toggleSelected(int row);
    void runSelection(const std::function<void()>& fn);
    bool confirmPendingOnClose();
    void saveColumnLayout();
    ORVDataModule* dm() const;

    Mode mode_;
    std::vector<PortfolioRec> rows_;
    int row_ = -1;
    EditState state_ = EditState::Browse;
    QString search_;
    bool searching_ = false;
    bool loading_ = false;
    int lastTab_ = 0;
    bool closingHandled_ = false;
};

}  // namespace orv
