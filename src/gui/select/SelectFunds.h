#pragma once
// TfrmSelectFunds ("Select Funds"): a read-only copy of the main sheet on which
// the user marks Master List entries; the marks are MasterList.Selected and
// stay in the table for the caller to read after OK.
//
// Typical callers:
//   TfrmSelectFunds w(parent);                 // multi-select
//   w.hideAccountButtons();                    // no "&Open Accounts" / "All &Investments"
//   if (w.exec() == QDialog::Accepted) use(selectedMLIDs(dm));
//
//   TfrmSelectFunds w(parent);                 // exactly one entry
//   w.setSingleSelect(true);
//   w.setWindowTitle("Select Benchmark");
//   w.setStatusPrompt(...);                    // third status panel
//   if (w.exec() == QDialog::Accepted && w.selectedMLID()) ...
//
// On show every mark is cleared. Double-click or Enter on a cell toggles its
// entry and moves one row down (in single-select mode it then closes with OK);
// a heading click selects the column (multi-select only); "&Select All" and
// "&Clear All" set every mark in one transaction; "&Open Accounts" and
// "All &Investments" select the holdings of the active portfolio, or of every
// selected portfolio in multi-portfolio mode. Releasing the right button over a
// cell opens the Quick Report of its entry.

#include "core/store/MLDisplay.h"

#include <QDialog>
#include <optional>
#include <vector>

class QLabel;
class QPushButton;
class QStatusBar;
class QTableView;

namespace orv {

class ORVDataModule;
class SelectFundsModel;

class TfrmSelectFunds : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSelectFunds(QWidget* parent = nullptr);
    ~TfrmSelectFunds() override;

    // Modes, set before showing.
    void setSingleSelect(bool on);
    bool singleSelect() const { return singleSelect_; }
    void setMultiPortfolio(bool on);
    bool multiPortfolio() const { return multiPortfolio_; }
    // Hides "&Open Accounts" and "All &Investments".
    void hideAccountButtons();
    // The third status panel ("Double-Click Mouse or Press Enter to Select").
    void setStatusPrompt(const QString& text);
    QString statusText(int panel) const;

    // What the caller reads after OK (also in the MasterList table).
    std::vector<int> selectedMLIDs() const;
    std::optional<int> selectedMLID() const;  // single-select: the chosen entry

    QTableView* OvcTableSelect = nullptr;
    QPushButton* bbtnSelectAll = nullptr;
    QPushButton* bbtnClearAll = nullptr;
    QPushButton* bbtnOpenAccounts = nullptr;
    QPushButton* bbtnAllInvestments = nullptr;
    QPushButton* bbtnOK = nullptr;
    QPushButton* bbtnCancel = nullptr;
    QStatusBar* stbSelect = nullptr;

    // The actions behind the controls (also for tests).
    void toggleCell(int row, int col);       // row 1-based, col 0-based
    void selectHeadingColumn(int col);
    void bbtnSelectAllClick();
    void bbtnClearAllClick();
    void bbtnOpenAccountsClick();
    void bbtnAllInvestmentsClick();
    void bbtnOKClick();
    // The sheet cell of a view index and back.
    int activeRow() const;
    int activeCol() const;
    void setActiveCell(int row, int col);
    const TMLDisplayArray& display() const { return display_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void selectHeld(bool openOnly);
    void refreshMarks();
    void refreshStatus();
    void showError(const QString& text);

    ORVDataModule* dm_ = nullptr;
    TMLDisplayArray display_;
    SelectFundsModel* model_ = nullptr;
    QLabel* panels_[3] = {};
    bool singleSelect_ = false;
    bool multiPortfolio_ = false;
    int lastRow_ = 1;
    int lastCol_ = 0;
};

}  // namespace orv
