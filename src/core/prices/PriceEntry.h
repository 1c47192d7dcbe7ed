#pragma once
// The rules of the price entry windows and of `orvane-cli prices`: which typed
// value an issue accepts, the rows of the year view and of the date views, the
// texts they show, and the writes behind Save and Delete with the recomputation of
// adjusted prices that follows them.
//
// Every write here runs inside one transaction together with the recomputation it
// needs, so a failing write leaves the issue as it was (prices, holes, adjusted
// prices and distributions alike).

#include "core/base/Dates.h"
#include "core/base/Message.h"
#include "core/base/Progress.h"
#include "core/prices/AdjPrices.h"

#include <QString>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace orv {

class ORVDataModule;

namespace prices {

// The empty state of a price cell; every value at or below kNoPriceLimit is empty.
constexpr double NoPrice = -1.0e12;
constexpr double kNoPriceLimit = -999999999.999;
inline bool isNoPrice(double v) { return !(v > kNoPriceLimit); }

// The entry rule for an issue of the given Master List type: the value to store,
// or nothing when the value is refused.
// - "Linear type": anything above -999 999 999.999 (zero and negatives too);
// - "Money Market Fund": a value that rounds to 1.000000 at six decimals, stored as
//   exactly 1.0;
// - any other type: a value above 0.0000009.
// Values that are not finite numbers are always refused.
std::optional<double> AcceptPrice(const QString& type, double value);

// Why a value was refused, for callers that must say it (the command line).
QString refusedPriceText(const QString& type, double value);

// "Prices exist from:  <first>  to  <last>" in the shared date format, or
// "No data entered." without price records.
QString dataRangeText(const PriceDateRange& range);

// "Edit Prices" year view.
constexpr int kYearRowsMax = 265;
struct YearRow {
    QString text;  // date text, "Fri  " before Fridays, at most 16 characters
    Day date = kNoDay;
    double price = NoPrice;
};
// The row text of a day: the shared date format, prefixed "Fri  " on Fridays, cut
// to 16 characters.
QString yearRowText(Day day);
// Every Monday to Friday of the year, with the Price of the record on that
// day when it has one (filled holes count as no price).
std::vector<YearRow> YearRows(ORVDataModule& dm, int mlID, int year);

// Save of the year view: stores every row with a price (changed or not), then
// rebuilds the issue with the status texts "Re-assigning adjusted prices" and
// "Adjusting all prices for distributions"; one transaction in all.
QString yearSaveStatusText(int year);  // "Saving prices for <year>"
Status SaveYearRows(ORVDataModule& dm, int mlID, const std::vector<YearRow>& rows, Progress& bar);

// Deletes the priced records of the issue on the given days, trims the unpriced
// ends and deletes the distributions later than the new last price (all of them
// when no price is left). One transaction. Returns the number of records deleted.
Result<int> DeletePricesOn(ORVDataModule& dm, int mlID, const std::vector<Day>& days);

// Date views ("By Master List Column", "Alphabetical Display").
struct DateRow {
    int MLID = 0;
    QString shortName;
    QString type;
    double price = NoPrice;
    double loadedPrice = NoPrice;
};
// Entries of a Master List column (ColNum), in row order.
std::vector<DateRow> ColumnRows(ORVDataModule& dm, int colNum);
// Every entry, in short-name order.
std::vector<DateRow> AlphaRows(ORVDataModule& dm);
// Price (and loaded price) of every row on the day; no record or a filled hole
// gives NoPrice.
void LoadDatePrices(ORVDataModule& dm, std::vector<DateRow>& rows, Day day);
// Rows whose short name begins with "$" take the price 1.0.
void SetMoneyMarketRows(std::vector<DateRow>& rows);
// A row differs from what was loaded by more than 0.0000001 and holds a price.
bool rowChanged(const DateRow& r);
bool anyRowChanged(const std::vector<DateRow>& rows);

// Stores prices of one issue and applies the update rule: only the new stretch
// gets holes filled when no distribution is on or after the written days,
// otherwise the issue is rebuilt; an issue that had no price record gets its
// stored records and the same recomputation. One transaction.
Status StorePricesAndUpdate(ORVDataModule& dm, int mlID, const std::vector<std::pair<Day, double>>& prices,
                            Progress& bar);

// Save of a date view: "$" rows take 1.0, then every changed row is stored with
// the update rule, in row order. `showRow` is told each row before it is written.
// Afterwards the loaded prices equal the prices. Returns the number of rows
// written, or the error that stopped the save (rows before it stay written).
Result<int> SaveDateRows(ORVDataModule& dm, std::vector<DateRow>& rows, Day day, Progress& bar,
                         const std::function<void(const DateRow&)>& showRow = {});

// Delete of a date view for one row: deletes the priced record on the day
// (trim, distributions after the new last price), sets the row empty and rebuilds
// the issue (status "Re-assigning adjusted prices: <name>" then "Adjusting for
// distributions: <name>"), the rebuild running whether or not a record was
// deleted. Returns whether a record was deleted.
Result<bool> DeleteDateRow(ORVDataModule& dm, DateRow& row, Day day, Progress& bar);

// The weekend refusal of the date views and of the command line.
QString weekendRefusalText();  // "No Data on Saturday or Sunday"
// The question before a delete.
QString deleteConfirmText();  // "Are you sure you want to PERMANENTLY delete the highlighted records?"

}  // namespace prices
}  // namespace orv
