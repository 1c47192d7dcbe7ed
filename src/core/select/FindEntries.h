#pragma once
// The Find window's data: one TMLEntry per Master List entry (short name,
// ticker, ICDI number, CUSIP, cut to their record lengths), sorted by the
// chosen field with the locale's case-insensitive comparison; entries without
// a value in that field come first. Also the rule that Find is offered only
// for a Master List of more than nine entries.

#include "core/base/Message.h"

#include <QLocale>
#include <QString>
#include <optional>
#include <vector>

namespace orv {

class ORVDataModule;

struct TMLEntry {
    QString ShortName;   // at most 16 characters
    QString Ticker;      // at most 8
    QString ICDINumber;  // at most 5
    QString CUSIP;       // at most 12
};
using TMLEntryArray = std::vector<TMLEntry>;

// The "Sorted Field" choices, in the order of the radio group and of the grid's
// columns.
enum class FindField : int { Name = 0, Ticker = 1, ICDINumber = 2, CUSIP = 3 };

// Column headings and radio captions: "Name", "Ticker", "ICDI Number", "CUSIP".
QString findFieldCaption(FindField field);
const QString& findFieldValue(const TMLEntry& entry, FindField field);

// Find is offered for more than kFindMinEntries - 1 entries.
constexpr int kFindMinEntries = 10;
// "Feature meant for large number of Master List entries." (Information, with
// a beep) when the Master List has fewer than kFindMinEntries entries.
Status canOpenFind(ORVDataModule& dm);

// Every entry in table order (IndxColRow), fields trimmed and cut to length.
TMLEntryArray loadMLEntryArray(ORVDataModule& dm);

// Sorts by the field: case-insensitive in the locale's collation, blanks first,
// entries with equal values keeping their order.
void sortMLEntryArray(TMLEntryArray& entries, FindField field, const QLocale& locale = QLocale());

// The cell (RowNum, ColNum) of the entry with this short name.
struct MLCell {
    int row = 0;
    int col = 0;
};
std::optional<MLCell> locateEntryCell(ORVDataModule& dm, const QString& shortName);

}  // namespace orv
