#pragma once
// The adjusted-price operations on the tables: every operation reads the issue's
// Prices rows once (one ranged query in date order), computes in memory with
// AdjPriceEngine, and writes back only the rows that changed or are new, with
// prepared statements, inside one transaction that is rolled back when any write
// fails (the operation then returns the database error and leaves the tables as
// they were).
//
// Calling pattern of the writers of prices and distributions:
// - after prices were stored: UpdateAfterPricesStored (fills the new stretch when no
//   distribution lies after it, otherwise rebuilds the issue);
// - after a full change of an issue's prices: RebuildIssue;
// - after a distribution was added, changed or deleted: ResetAndAdjustForDsbs;
// - after prices were deleted: TrimNullPriceEnds, GetPriceDateRange,
//   DeleteDsbsAfterDate with the new last date, then RebuildIssue.
// The single operations (ResetAdjPrices, FillHoles, FillHolesAndResetAdjPrices,
// AdjustForDsbs) are there for callers that need one step alone; run in sequence
// they read and write the issue once per step, the combined ones once in all.
//
// Progress: the long operations set the range to the number of records they walk
// and step through it; they do not test for cancel (an issue is always finished).
// RebuildIssues tests for cancel between issues.

#include "core/base/Dates.h"
#include "core/base/Message.h"
#include "core/base/Progress.h"
#include "core/prices/AdjPriceEngine.h"

#include <QString>
#include <vector>

namespace orv {

class ORVDataModule;

using prices::LatestExDate;
using prices::PriceDateRange;

// Status texts shown while an issue is rebuilt.
QString fillStatusText();    // "Checking holes / resetting adj prices..."
QString adjustStatusText();  // "Adjusting for distributions..."
QString holesStatusText();   // "Filling in holes..."

// Edits the (MLID, date) record or inserts one; Price and AdjPrice both take the
// price. Opens no transaction of its own. A price that is not a finite number is
// refused.
Status StorePrice(ORVDataModule& dm, int mlID, double price, Day date);

// First and last record dates of the issue (dates rounded to whole days); no
// prices: hasPrices false and both dates -1.
PriceDateRange GetPriceDateRange(ORVDataModule& dm, int mlID);

// The newest ex-date of the issue (rounded); none: hasDsbs false, exDate -1.
LatestExDate GetLatestExDate(ORVDataModule& dm, int mlID);

// Deletes the issue's leading records with a null Price, then its trailing ones
// (all of them when no record has a price).
Status TrimNullPriceEnds(ORVDataModule& dm, int mlID);

// Deletes every distribution of the issue whose rounded ex-date is later than date;
// -1 deletes them all.
Status DeleteDsbsAfterDate(ORVDataModule& dm, int mlID, Day date);

// AdjPrice of every record = the last non-null Price so far. Inserts nothing.
Status ResetAdjPrices(ORVDataModule& dm, int mlID, Progress& bar);

// Inserts the missing Monday-to-Friday records of [first, last] (Price null, or
// 1.0 for a money market fund) and resets AdjPrice of the records in that stretch.
Status FillHoles(ORVDataModule& dm, int mlID, Progress& bar, Day first, Day last);

// FillHoles from the issue's first to its last price date; nothing without prices.
Status FillHolesAndResetAdjPrices(ORVDataModule& dm, int mlID, Progress& bar);

// Multiplies AdjPrice of the records before each ex-date by the cumulative factors,
// newest distribution first. Only right directly after a reset of the issue.
Status AdjustForDsbs(ORVDataModule& dm, int mlID, Progress& bar);

// The full rebuild of one issue in one read and one write:
// FillHolesAndResetAdjPrices, then AdjustForDsbs. Shows fillText, then adjustText
// when the issue has distributions; the caller clears the status.
Status RebuildIssue(ORVDataModule& dm, int mlID, Progress& bar, const QString& fillText = fillStatusText(),
                    const QString& adjustText = adjustStatusText());

// After a change of distributions: ResetAdjPrices, then AdjustForDsbs, in one read
// and one write.
Status ResetAndAdjustForDsbs(ORVDataModule& dm, int mlID, Progress& bar);

// The update rule after prices were stored on days minDay..maxDay of an issue whose
// range before the writes was `before`: when no distribution has an ex-date later
// than the changed stretch, only the stretch is filled and reset (status "Filling
// in holes..."), otherwise the issue is rebuilt. Either way the issue ends as
// RebuildIssue would leave it, provided it was rebuilt before the writes. Clears
// the status text at the end.
Status UpdateAfterPricesStored(ORVDataModule& dm, int mlID, const PriceDateRange& before, Day minDay, Day maxDay,
                               Progress& bar);

// Rebuilds the issues in the given order with the status texts above; tests for
// cancel after each issue. Returns the number of issues rebuilt (fewer than asked
// when cancelled), or the database error that stopped the run.
Result<int> RebuildIssues(ORVDataModule& dm, const std::vector<int>& mlIDs, Progress& bar);

}  // namespace orv
