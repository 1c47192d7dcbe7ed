#pragma once
// TfrmFindMasterListEntry ("Find Master List Entry"): every Master List entry
// in a grid of name, ticker, ICDI number and CUSIP, sorted by the field chosen
// in "Sorted Field"; "&OK" or a double-click on a row closes with OK and
// located() gives that entry's sheet cell.
//
// The main menu's "&Find" (and its speed button) runs runFind(): it refuses a
// Master List of nine entries or fewer with its message, and on OK makes the
// located cell the main grid's active cell.

#include "core/select/FindEntries.h"

#include <QDialog>
#include <optional>

class QButtonGroup;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace orv {

class ORVDataModule;

class TfrmFindMasterListEntry : public QDialog {
    Q_OBJECT
public:
    explicit TfrmFindMasterListEntry(ORVDataModule& dm, QWidget* parent = nullptr);

    QTableWidget* grid = nullptr;
    QRadioButton* rbSorted[4] = {};  // "Name", "Ticker", "ICDI Number", "CUSIP"
    QPushButton* bbtnOK = nullptr;
    QPushButton* bbtnCancel = nullptr;

    FindField sortedField() const { return field_; }
    void setSortedField(FindField field);
    const TMLEntryArray& entries() const { return entries_; }
    // The cell of the entry chosen by OK.
    std::optional<MLCell> located() const { return located_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void fillGrid();
    void bbtnOKClick();

    ORVDataModule& dm_;
    TMLEntryArray entries_;
    FindField field_ = FindField::Name;
    std::optional<MLCell> located_;
    QButtonGroup* rgSortedField_ = nullptr;
};

// The whole "&Find" command: the entry count check (its message shown), the
// window, and the cell chosen (nullopt when refused or cancelled).
std::optional<MLCell> runFind(QWidget* parent);

}  // namespace orv
