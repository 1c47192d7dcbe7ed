#pragma once
// The Master List sheet of the main window without the window: its size, the
// loading of its cells, the marking of the active portfolio's open and closed
// accounts, the colour of closed accounts, moving entries between cells, the
// column headings, the status text of the active cell and the erase of all data.

#include "core/base/Message.h"
#include "core/config/ConfigRecord.h"
#include "core/store/MLDisplay.h"

#include <QString>
#include <QStringList>

namespace orv {

class ORVDataModule;

namespace grid {

constexpr int kColumnCount = 100;   // grid columns 0..99, ColNum 0..99
constexpr int kHeadingCount = 100;  // MasterListColHdrs rows, ColNum 1..100
constexpr int kRowHeight = 20;

// Rows of the sheet including the heading row: data rows 1..MaxRow + 10.
constexpr int rowLimit(int maxRow) { return maxRow + 11; }

// Views of the account marking (MLDisplayInvMarkerType).
enum MarkerView : int { ViewNone = 0, ViewOpen = 1, ViewClosed = 2, ViewBoth = 3 };

// Net shares at or below this count as a closed account.
constexpr double kSharesTolerance = 0.00005;

// What the marking of one holding gives for a view: whether the cell is marked
// and its marker (1 open, 2 closed); shares are the holding's net shares.
struct Mark {
    bool held = false;
    quint8 marker = 0;
};
Mark markFor(double shares, int view);

// Clears held and marker of every cell.
void ClearMarks(TMLDisplayArray& display);

// Marks the cells of the issues portfolio pfID holds or held, as the view says;
// nothing for pfID -1 or view 0. One query over the portfolio's holdings joined
// with the Master List, whatever the number of entries.
void MarkAccounts(ORVDataModule& dm, TMLDisplayArray& display, int pfID, int view);

struct LoadResult {
    MLGridSize size;
    int rowLimit = 16;  // rowLimit(5): the empty sheet
};
// The whole sheet load: size, cells, the MasterList auto-increment counter, then
// the marks of pfID for the view (cleared first).
LoadResult LoadGrid(ORVDataModule& dm, TMLDisplayArray& display, int pfID, int view);

// The colour of closed accounts: the selected cell colour (an RGB value) with its
// saturation halved on the HSL scale 240.
WinColor ClosedAccountColor(WinColor selectedColor);

// " Col:Row  " followed by column + 1, ":" and the row (column 0-based).
QString colRowText(int col, int row);

// ---- Column headings ---------------------------------------------------------

// Appends the missing heading rows (ColNum from the row count + 1 up to 100, each
// "Column " and its number) in one transaction. A ColNum already present is not
// added twice.
Status ensureHeadingRows(ORVDataModule& dm);
// The 100 headings; element c is the heading of grid column c (ColNum c + 1).
QStringList loadHeadings(ORVDataModule& dm);

// ---- Moving entries --------------------------------------------------------

// A data cell of the sheet: column 0..99, row 1 or more.
bool isDataCell(int col, int row);

struct MoveResult {
    bool changed = false;    // false: same cell, or both cells blank
    bool swapped = false;    // both cells were occupied
};
// The drag-and-drop rule from cell (srcCol, srcRow) to (dstCol, dstRow), all in one
// transaction: an occupied source moves to a blank target; a blank source takes
// the target's entry; two entries swap through the unused cell ColNum 0, RowNum 0.
// Refused (nothing changed) for a cell outside the data cells.
Result<MoveResult> moveEntry(ORVDataModule& dm, int srcCol, int srcRow, int dstCol, int dstRow);

// ---- Erase Table -------------------------------------------------------------

// Texts of the main window's grid commands.
Message eraseTableQuestion();       // Warning, OK and Cancel
Message blankQuickReportMessage();  // "No data on blank entry."
Message noEntryAtMessage(const QString& shortName);
Message cellOutsideSheetMessage(int col, int row);

// Erase of all data: the tables closed, the nine template tables copied over the
// data path, the tables opened again, then ORV.cfg rewritten with its defaults and
// read back into `config`. When the copy fails the old tables are opened again and
// the refusal returned (settings untouched).
Status eraseAllData(ORVDataModule& dm, const QString& templateDir, const QString& configPath,
                    const QString& fmtDate, ConfigRecord& config);

}  // namespace grid
}  // namespace orv
