#include "core/prices/PriceEntry.h"

#include "core/base/Format.h"
#include "core/store/DataModule.h"
#include "core/store/Records.h"

#include <QHash>
#include <algorithm>
#include <cmath>

namespace orv::prices {

using store::TableId;

namespace {

const QString kLinear = QStringLiteral("Linear type");
const QString kMoneyMarket = QStringLiteral("Money Market Fund");

Status dbError(const QString& what) { return Message::error(QStringLiteral("Database error: %1").arg(what)); }

// Deletes the issue's record on the day when it has a price; true when one went.
Result<bool> deletePricedRecord(ORVDataModule& dm, int mlID, Day day)
{
    const Status st = dm.exec(QStringLiteral("DELETE FROM %1 WHERE MLID = ? AND Date >= ? AND Date < ? "
                                             "AND Price IS NOT NULL")
                                  .arg(ORVDataModule::qualified(TableId::Prices)),
                              {mlID, double(day) - 0.5, double(day) + 0.5});
    if (!st)
        return st.message();
    return dm.changes() > 0;
}

// After records were deleted: unpriced ends go, and so do the distributions later
// than the new last price (every one of them when no price is left).
Status trimAndCascade(ORVDataModule& dm, int mlID)
{
    Status st = TrimNullPriceEnds(dm, mlID);
    if (!st)
        return st;
    const PriceDateRange r = GetPriceDateRange(dm, mlID);
    return DeleteDsbsAfterDate(dm, mlID, r.hasPrices ? r.last : -1);
}

// Passes the status texts of the update on and keeps the bar on its row count.
class StatusOnly final : public Progress {
public:
    explicit StatusOnly(Progress& outer) : outer_(outer) {}
    void setRange(int) override {}
    void setStatus(const QString& text) override { outer_.setStatus(text); }
    void step(int) override {}
    bool cancelled() const override { return false; }

private:
    Progress& outer_;
};

}  // namespace

std::optional<double> AcceptPrice(const QString& type, double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const QString t = type.trimmed();
    if (t == kLinear)
        return value > kNoPriceLimit ? std::optional<double>(value) : std::nullopt;
    if (t == kMoneyMarket)
        return std::llround(value * 1000000.0) == 1000000 ? std::optional<double>(1.0) : std::nullopt;
    return value > 0.0000009 ? std::optional<double>(value) : std::nullopt;
}

QString refusedPriceText(const QString& type, double value)
{
    const QString t = type.trimmed();
    const QString v = std::isfinite(value) ? QString::number(value, 'g', 15) : QStringLiteral("that value");
    if (t == kLinear)
        return QStringLiteral("The price %1 is refused: it must be above -999,999,999.999.").arg(v);
    if (t == kMoneyMarket)
        return QStringLiteral("The price %1 is refused: a Money Market Fund is priced 1.000000.").arg(v);
    return QStringLiteral("The price %1 is refused: it must be greater than zero.").arg(v);
}

QString dataRangeText(const PriceDateRange& range)
{
    if (!range.hasPrices)
        return QStringLiteral("No data entered.");
    return QStringLiteral("Prices exist from:  ") + fmtDate(range.first) + QStringLiteral("  to  ") +
           fmtDate(range.last);
}

QString yearRowText(Day day)
{
    QString t = fmtDate(day);
    if (weekday(day) == Wd::Friday)
        t = QStringLiteral("Fri  ") + t;
    return t.left(16);
}

std::vector<YearRow> YearRows(ORVDataModule& dm, int mlID, int year)
{
    const Day first = dayFromDate(QDate(year, 1, 1));
    const Day last = dayFromDate(QDate(year, 12, 31));
    QHash<Day, double> priced;
    for (const PriceRec& r : store::pricesBetween(dm, mlID, first, last))
        if (r.Price)
            priced.insert(r.Date, *r.Price);
    std::vector<YearRow> rows;
    for (Day d = first; d <= last; ++d) {
        if (isWeekend(d))
            continue;
        YearRow row;
        row.text = yearRowText(d);
        row.date = d;
        row.price = priced.value(d, NoPrice);
        rows.push_back(row);
    }
    return rows;
}

QString yearSaveStatusText(int year) { return QStringLiteral("Saving prices for ") + QString::number(year); }

Status SaveYearRows(ORVDataModule& dm, int mlID, const std::vector<YearRow>& rows, Progress& bar)
{
    Transaction tx(dm);
    if (!tx.started())
        return dbError(QStringLiteral("the transaction could not be started."));
    bar.setRange(kYearRowsMax);
    for (const YearRow& r : rows) {
        if (!isNoPrice(r.price)) {
            const Status st = StorePrice(dm, mlID, r.price, r.date);
            if (!st)
                return st;
        }
        bar.step();
    }
    const Status st = RebuildIssue(dm, mlID, bar, QStringLiteral("Re-assigning adjusted prices"),
                                   QStringLiteral("Adjusting all prices for distributions"));
    bar.setStatus(QString());
    if (!st)
        return st;
    return tx.commit();
}

Result<int> DeletePricesOn(ORVDataModule& dm, int mlID, const std::vector<Day>& days)
{
    Transaction tx(dm);
    if (!tx.started())
        return dbError(QStringLiteral("the transaction could not be started.")).message();
    int deleted = 0;
    for (Day d : days) {
        const auto gone = deletePricedRecord(dm, mlID, d);
        if (!gone)
            return gone.message();
        deleted += *gone ? 1 : 0;
    }
    if (deleted)
        dm.touch(TableId::Prices);
    const Status st = trimAndCascade(dm, mlID);
    if (!st)
        return st.message();
    const Status c = tx.commit();
    if (!c)
        return c.message();
    return deleted;
}

std::vector<DateRow> ColumnRows(ORVDataModule& dm, int colNum)
{
    std::vector<DateRow> rows;
    for (const MasterListRec& e : store::masterList(dm))
        if (e.ColNum == colNum)
            rows.push_back({e.MLID, e.ShortName.trimmed().left(16), e.Type, NoPrice, NoPrice});
    return rows;
}

std::vector<DateRow> AlphaRows(ORVDataModule& dm)
{
    std::vector<MasterListRec> all = store::masterList(dm);
    std::stable_sort(all.begin(), all.end(),
                     [](const MasterListRec& a, const MasterListRec& b) { return a.ShortName < b.ShortName; });
    std::vector<DateRow> rows;
    for (const MasterListRec& e : all)
        rows.push_back({e.MLID, e.ShortName.trimmed().left(16), e.Type, NoPrice, NoPrice});
    return rows;
}

void LoadDatePrices(ORVDataModule& dm, std::vector<DateRow>& rows, Day day)
{
    for (DateRow& r : rows) {
        const auto rec = store::priceOn(dm, r.MLID, day);
        r.price = (rec && rec->Price) ? *rec->Price : NoPrice;
        r.loadedPrice = r.price;
    }
}

void SetMoneyMarketRows(std::vector<DateRow>& rows)
{
    for (DateRow& r : rows)
        if (r.shortName.trimmed().startsWith(QLatin1Char('$')))
            r.price = 1.0;
}

bool rowChanged(const DateRow& r)
{
    if (isNoPrice(r.price))
        return false;  // an empty cell never writes (the empty marker is not a price)
    if (isNoPrice(r.loadedPrice))
        return true;
    return std::abs(r.price - r.loadedPrice) > 0.0000001;
}

bool anyRowChanged(const std::vector<DateRow>& rows)
{
    return std::any_of(rows.begin(), rows.end(), [](const DateRow& r) { return rowChanged(r); });
}

Status StorePricesAndUpdate(ORVDataModule& dm, int mlID, const std::vector<std::pair<Day, double>>& prices,
                            Progress& bar)
{
    if (prices.empty())
        return Status::success();
    Transaction tx(dm);
    if (!tx.started())
        return dbError(QStringLiteral("the transaction could not be started."));
    const PriceDateRange before = GetPriceDateRange(dm, mlID);
    Day minDay = prices.front().first, maxDay = prices.front().first;
    for (const auto& [day, price] : prices) {
        const Status st = StorePrice(dm, mlID, price, day);
        if (!st)
            return st;
        minDay = std::min(minDay, day);
        maxDay = std::max(maxDay, day);
    }
    const Status st = UpdateAfterPricesStored(dm, mlID, before, minDay, maxDay, bar);
    if (!st)
        return st;
    return tx.commit();
}

Result<int> SaveDateRows(ORVDataModule& dm, std::vector<DateRow>& rows, Day day, Progress& bar,
                         const std::function<void(const DateRow&)>& showRow)
{
    SetMoneyMarketRows(rows);
    const int count = int(std::count_if(rows.begin(), rows.end(), [](const DateRow& r) { return rowChanged(r); }));
    int written = 0;
    bar.setRange(count);
    for (DateRow& r : rows) {
        if (!rowChanged(r))
            continue;
        if (showRow)
            showRow(r);
        StatusOnly inner(bar);  // the bar counts rows, not records
        const Status st = StorePricesAndUpdate(dm, r.MLID, {{day, r.price}}, inner);
        if (!st)
            return st.message();
        r.loadedPrice = r.price;
        ++written;
        bar.setStatus(QString());
        bar.step();
    }
    bar.setStatus(QString());
    return written;
}

Result<bool> DeleteDateRow(ORVDataModule& dm, DateRow& row, Day day, Progress& bar)
{
    Transaction tx(dm);
    if (!tx.started())
        return dbError(QStringLiteral("the transaction could not be started.")).message();
    const auto gone = deletePricedRecord(dm, row.MLID, day);
    if (!gone)
        return gone.message();
    if (*gone) {
        dm.touch(TableId::Prices);
        const Status st = trimAndCascade(dm, row.MLID);
        if (!st)
            return st.message();
    }
    const Status st = RebuildIssue(dm, row.MLID, bar, QStringLiteral("Re-assigning adjusted prices: ") + row.shortName,
                                   QStringLiteral("Adjusting for distributions: ") + row.shortName);
    bar.setStatus(QString());
    if (!st)
        return st.message();
    const Status c = tx.commit();
    if (!c)
        return c.message();
    row.price = NoPrice;
    row.loadedPrice = NoPrice;
    return *gone;
}

QString weekendRefusalText() { return QStringLiteral("No Data on Saturday or Sunday"); }

QString deleteConfirmText()
{
    return QStringLiteral("Are you sure you want to PERMANENTLY delete the highlighted records?");
}

}  // namespace orv::prices
