#pragma once
// The adjusted-price computations on one issue's history held in memory, free of
// any table access. A history is the price records in date order (equal
// dates keep their stored order); every operation here is a single pass over it,
// whatever the number of distributions.
//
// Rules kept by every operation:
// - A hole is a Monday-to-Friday day between the first and last record
//   that has no record. Filling never creates a Saturday or Sunday record and never
//   removes one; a weekend record present in the history is priced and adjusted
//   like any other record.
// - AdjPrice of a record is the last non-null Price on or before its date (0 when
//   there is none), times the product of the reinvestment factors of every
//   distribution whose ex-date is later than the record's date. The record dated on
//   an ex-date does not take that distribution's factor. An ex-date without a price
//   record still applies its factor to the older records.
// - The reinvestment factor of a distribution is ReinvestPri / (ReinvestPri + Total);
//   a split is stored with Total = (SplitFactor - 1) * ReinvestPri, which makes it
//   1 / SplitFactor. Cumulative factors are formed newest first as F * R / (R + T).
//   A distribution whose factor would not be a positive finite number (ReinvestPri
//   or ReinvestPri + Total not above zero) is skipped: it would zero, flip or blow up
//   every older adjusted price.
// - For a money market fund a filled hole is priced 1.0 (and so carries 1.0).

#include "core/base/Dates.h"

#include <QString>
#include <optional>
#include <vector>

namespace orv::prices {

struct PricePoint {
    Day date = kNoDay;
    std::optional<double> price;  // empty on a filled hole
    double adjPrice = 0.0;

    bool operator==(const PricePoint&) const = default;
};
using History = std::vector<PricePoint>;

// What a distribution contributes to adjusted prices.
struct Dsb {
    Day exDate = kNoDay;
    double total = 0.0;
    double reinvestPri = 0.0;
};

struct PriceDateRange {
    bool hasPrices = false;
    Day first = -1;  // -1 when the issue has no price record
    Day last = -1;
};

struct LatestExDate {
    bool hasDsbs = false;
    Day exDate = -1;  // -1 when the issue has no distribution
};

// The Master List type whose holes are priced 1.0.
bool isMoneyMarket(const QString& type);

// True when the distribution takes part in adjusting (see the rules above).
bool hasValidFactor(const Dsb& d);

// Dates of the first and last record.
PriceDateRange GetPriceDateRange(const History& h);
// The newest ex-date among the distributions (in any order).
LatestExDate GetLatestExDate(const std::vector<Dsb>& dsbs);

// Removes the records with a null Price from the start, then from the end.
void TrimNullPriceEnds(History& h);

// AdjPrice of every record = last non-null Price so far (0 before the first one).
// Inserts nothing.
void ResetAdjPrices(History& h);

// Inserts a record on every Monday-to-Friday day in [first, last] that has none and
// resets AdjPrice of every record in [first, last]. The carried price starts as the
// last non-null Price on or before first. Records outside the stretch are untouched.
void FillHoles(History& h, Day first, Day last, bool moneyMarket);

// FillHoles over the whole history (from its first to its last record date).
void FillHolesAndResetAdjPrices(History& h, bool moneyMarket);

// Multiplies AdjPrice of every record by the cumulative factor of the distributions
// whose ex-date is later than the record's date (dsbs in any order). Meant to run
// right after a reset; a second run would apply the factors twice.
void AdjustForDsbs(History& h, const std::vector<Dsb>& dsbs);

// The full rebuild: FillHolesAndResetAdjPrices, then AdjustForDsbs.
void RebuildHistory(History& h, const std::vector<Dsb>& dsbs, bool moneyMarket);

// After prices were stored, what has to be recomputed so that the issue ends as a
// full rebuild would leave it (given that it was rebuilt before the writes).
struct UpdatePlan {
    enum class Kind {
        FillStretch,  // FillStretch(from, to): no distribution lies after `from`
        FullRebuild,  // a distribution's factor reaches records of the changed stretch
    };
    Kind kind = Kind::FullRebuild;
    Day from = -1;
    Day to = -1;
};

// before: the range before the writes; latest: its newest ex-date; minDay and
// maxDay: the earliest and latest day written.
UpdatePlan PlanPriceUpdate(const PriceDateRange& before, const LatestExDate& latest, Day minDay, Day maxDay);

// The incremental update: FillHoles(from, to), then the records after `to` whose
// Price is null take the carried price up to the next record with a price. Only
// right when no distribution has an ex-date later than `from`.
void FillStretch(History& h, Day from, Day to, bool moneyMarket);

// Applies a plan to the history.
void ApplyPlan(History& h, const UpdatePlan& plan, const std::vector<Dsb>& dsbs, bool moneyMarket);

}  // namespace orv::prices
