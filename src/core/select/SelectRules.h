#pragma once
// The selection marks of Select Funds: MasterList.Selected set or cleared for
// every entry, for one entry, for a column of the sheet, or for the entries a
// portfolio holds. Every batch runs in one database transaction that rolls
// back on an error, and every change is reported to open cursors.

#include "core/base/Message.h"
#include "core/store/MLDisplay.h"

#include <QString>
#include <optional>
#include <vector>

namespace orv {

class ORVDataModule;
struct MasterListRec;

// Shares above this count as an open account.
constexpr double kOpenShares = 0.00005;

// Every entry's Selected flag to `selected` ("&Select All", "&Clear All").
Status setAllSelected(ORVDataModule& dm, bool selected);

// The entry at a sheet cell (column 0-based, row 1-based), if any.
std::optional<MasterListRec> entryAtCell(ORVDataModule& dm, int col, int row);

// Toggles the Selected flag of the entry at a cell; returns the new flag, or
// nullopt for a blank cell (nothing changes).
Result<std::optional<bool>> toggleSelectedAt(ORVDataModule& dm, int col, int row);

// Selects every entry of column `col` (the heading click); returns how many.
Result<int> selectColumn(ORVDataModule& dm, int col);

// Selects the entries of portfolio pfID's holdings: with openOnly ("&Open
// Accounts") only those whose |Shares| exceeds kOpenShares, otherwise ("All
// &Investments") every holding. Returns how many holdings selected an entry.
Result<int> selectHeldEntries(ORVDataModule& dm, int pfID, bool openOnly);

// The portfolios whose Selected flag is set (PfID, short name), in short-name
// order: the multi-portfolio mode of Select Funds works on these.
struct PfName {
    int PfID = 0;
    QString ShortName;
};
std::vector<PfName> selectedPortfolioNames(ORVDataModule& dm);

// The MLIDs whose Selected flag is set, in the sheet's order (IndxColRow).
std::vector<int> selectedMLIDs(ORVDataModule& dm);

// Copies the Selected flags of the table into the sheet cells.
void refreshSelectedFlags(ORVDataModule& dm, TMLDisplayArray& display);

// The Select Funds status panel 0 text for a cell: " Col:Row  " + (col + 1) +
// ":" + row.
QString colRowText(int col, int row);

}  // namespace orv
