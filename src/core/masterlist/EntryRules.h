#pragma once
// Master List entry editing: the issue types, the rules a new entry passes (name
// not blank, no "[Pf]", the sign a type puts in front of the name, ICDI padding,
// a name not used in any cell of the sheet), adding an entry with its allocation
// rows, the two-line headings of the table editor, and the column headings.

#include "core/base/Message.h"
#include "core/store/MLDisplay.h"
#include "core/store/Records.h"

#include <QString>
#include <QStringList>

namespace orv {

class ORVDataModule;

// The issue types in the order the editing windows list them.
const QStringList& issueTypes();

// Moving-average lengths accepted by the editors.
constexpr int kMovAveMin = 1;
constexpr int kMovAveMax = 999;
// Longest texts the entry fields hold.
constexpr int kShortNameLen = 16;
constexpr int kLongNameLen = 40;
constexpr int kTickerLen = 8;
constexpr int kICDILen = 5;
constexpr int kICDITypedLen = 8;  // the editors let 8 characters be typed
constexpr int kCUSIPLen = 12;

// A new entry for the cell (row 1-based, column 0-based): type "Mutual Fund",
// moving averages 200, 100, 39, 20, not selected.
MasterListRec newEntryDefaults(int rowNum, int colNum);

// The short name with the sign its type requires in front: "$" for "Money
// Market Fund", "-" for "Linear type", "~" for "Variable Annuity", unless the
// name already starts with it. Other types leave the name unchanged.
QString prefixedShortName(const QString& name, const QString& type);

// The ICDI number as stored: a trimmed non-empty text padded on the left with
// zeros to five characters (of a longer text the last five are kept); an empty
// text stays empty.
QString padICDINumber(const QString& text);

// True when some cell of the sheet holds `name` (both compared trimmed and
// upper-cased). No cell is skipped: a new entry has no cell of its own yet.
bool nameOnSheet(const QString& name, const TMLDisplayArray& display);

// Refusal messages of the New Entry window.
Message blankCellMessage();        // "First place the highlight over a blank area on the Master List."
Message blankShortNameMessage();   // "Short Name must not be blank."
Message pfNotAllowedMessage();     // "[Pf] sequence not allowed."
Message nameOnListMessage();       // "Short Name is already on the Master List."

// Checks the typed entry and returns it as it is stored: short name trimmed,
// its type's sign put in front (and cut to the 16 characters the field holds),
// the ICDI number padded. Refusals, in this order: blank name, a name starting
// with "[Pf]", the name already on the sheet. Each is a Warning with a beep.
Result<MasterListRec> prepareNewEntry(const MasterListRec& typed, const TMLDisplayArray& display);

// Adds a prepared entry and its ten allocation rows in one transaction; the cell
// (RowNum, ColNum) must be blank (refused with blankCellMessage()). Returns the
// new MLID.
Result<int> insertNewEntry(ORVDataModule& dm, const MasterListRec& prepared);

// prepareNewEntry against the module's sheet (MLDisplay), then insertNewEntry.
Result<int> addNewEntry(ORVDataModule& dm, const MasterListRec& typed);

// ---- Table editor ----------------------------------------------------------

// The visible columns of the table editor: field name, heading as written in the
// window ("Daily~MovAve #1"), and the most characters that may be typed (0 for
// the numeric and drop-down columns).
struct EntryColumn {
    QString field;
    QString heading;
    int maxTyped;
};
const QVector<EntryColumn>& tableEntryColumns();

// A heading with every "~" replaced by a carriage return (two-line headings).
QString twoLineHeading(const QString& heading);

// Messages of the table editor.
Message emptyTableMessage();        // "Can't edit an empty table.  Choose New Entry."
Message editCancelledMessage();     // "Edit cancelled for this entry.\r\rTry again or leave unchanged before exiting."
Message blankDeleteMessage();       // "Can't delete a blank entry."

// ---- Column headings ---------------------------------------------------------

constexpr int kHeadingLen = 16;
constexpr int kHeadingCount = 100;

// Sets the heading of ColNum (1 to 100), cut to 16 characters; the row is added
// when missing.
Status setColumnHeading(ORVDataModule& dm, int colNum, const QString& text);

}  // namespace orv
