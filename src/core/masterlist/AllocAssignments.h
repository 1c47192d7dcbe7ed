#pragma once
// Asset allocation: the ten categories (title and ten sub-category titles, shared
// by all issues) and, for every issue and category, ten percentages. The titles
// are cut to the length of their fields; percentages lie between 0 and 100 and
// are held as 32-bit floats; their sum is shown, not required to be 100.

#include "core/base/Message.h"
#include "core/store/Records.h"

#include <QString>
#include <vector>

namespace orv {

class ORVDataModule;

constexpr int kAllocCategories = 10;
constexpr int kAllocSubs = 10;
constexpr int kAllocTitleLen = 24;
constexpr int kAllocSubLen = 16;
constexpr int kAllocLabelLen = 22;
constexpr double kAllocPctMin = 0.0;
constexpr double kAllocPctMax = 100.0;

// For AllocID 1 to 10, in one transaction: the row is found or inserted
// and all ten percentages set to 0.
Status CreateAllocationRows(ORVDataModule& dm, int mlID);

// Adds any of the ten category rows the table lacks ("Category n" with
// sub-categories "Sub-category 1" to "Sub-category 10"), so that the window
// always has ten categories to show. Rows present are left alone.
Status ensureAllocHdrs(ORVDataModule& dm);

// The categories in AllocID order.
std::vector<AssetAllocHdrRec> allocHdrs(ORVDataModule& dm);

// Renames a category (text cut to 24 characters) or one of its sub-categories
// (sub 1 to 10, cut to 16); returns the stored text.
Result<QString> setAllocTitle(ORVDataModule& dm, int allocID, const QString& text);
Result<QString> setAllocSubTitle(ORVDataModule& dm, int allocID, int sub, const QString& text);

// The row label of a sub-category: six blanks and the title, at most 22 characters.
QString subCategoryLabel(const QString& subTitle);

// The percentages in a category (all 0 when the row is missing).
AssetAllocValueRec allocValues(ORVDataModule& dm, int mlID, int allocID);

// Stores one percentage (sub 1 to 10) as a 32-bit float; a value outside 0 to
// 100 is refused. The row is created when missing.
Status setAllocPercent(ORVDataModule& dm, int mlID, int allocID, int sub, double value);

// A percentage as it is held (rounded to a 32-bit float).
double allocPercent(double value);
// Sum of the ten percentages, and its text for the "Total " panel ("###0.#0  ").
double allocTotal(const AssetAllocValueRec& values);
QString formatAllocTotal(double total);

Message allocPercentRangeMessage();  // "The percentage must be between 0 and 100."

}  // namespace orv
