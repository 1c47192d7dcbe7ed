#include "core/prices/AdjPrices.h"

#include "core/store/DataModule.h"
#include "core/store/Records.h"

#include <cmath>

namespace orv {

using prices::Dsb;
using prices::History;
using prices::PricePoint;
using store::TableId;

namespace {

// Steps of the write pass are reported in blocks, so that a GUI adapter that
// processes events on every step does not dominate the pass.
constexpr int kStepBlock = 256;

Day roundDay(double raw) { return Day(std::floor(raw + 0.5)); }

QString pricesTable() { return ORVDataModule::qualified(TableId::Prices); }
QString dsbTable() { return ORVDataModule::qualified(TableId::Distributions); }

// One issue's rows as read: the history and, in parallel, each record's row id.
struct IssueRows {
    History h;
    std::vector<qint64> rowids;
};

Status dbError(const QString& what)
{
    return Message::error(QStringLiteral("Database error: %1").arg(what));
}

// Reads the issue's price records in date order; with fromRaw, only those whose
// stored date is not earlier than it.
Result<IssueRows> readIssue(ORVDataModule& dm, int mlID, const double* fromRaw = nullptr)
{
    const QString sql =
        fromRaw ? QStringLiteral("SELECT rowid, Date, Price, AdjPrice FROM %1 WHERE MLID = ? AND Date >= ? "
                                 "ORDER BY MLID, Date, rowid")
                      .arg(pricesTable())
                : QStringLiteral("SELECT rowid, Date, Price, AdjPrice FROM %1 WHERE MLID = ? ORDER BY MLID, Date, rowid")
                      .arg(pricesTable());
    Query q = dm.query(sql);
    if (!q.prepared())
        return Message::error(QStringLiteral("Database error: %1").arg(q.error()));
    q.bind(1, mlID);
    if (fromRaw)
        q.bind(2, *fromRaw);
    IssueRows r;
    while (q.next()) {
        r.rowids.push_back(q.int64(0));
        PricePoint p;
        p.date = roundDay(q.real(1));
        if (!q.isNull(2))
            p.price = q.real(2);
        p.adjPrice = q.real(3);
        r.h.push_back(p);
    }
    if (q.failed())
        return Message::error(QStringLiteral("Database error: %1").arg(q.error()));
    return r;
}

Result<std::vector<Dsb>> readDsbs(ORVDataModule& dm, int mlID)
{
    Query q = dm.query(QStringLiteral("SELECT ExDate, Total, ReinvestPri FROM %1 WHERE MLID = ? "
                                      "ORDER BY MLID, ExDate DESC, rowid")
                           .arg(dsbTable()));
    if (!q.prepared())
        return Message::error(QStringLiteral("Database error: %1").arg(q.error()));
    q.bind(1, mlID);
    std::vector<Dsb> out;
    while (q.next())
        out.push_back({roundDay(q.real(0)), q.real(1), q.real(2)});
    if (q.failed())
        return Message::error(QStringLiteral("Database error: %1").arg(q.error()));
    return out;
}

bool moneyMarketIssue(ORVDataModule& dm, int mlID)
{
    const auto e = store::masterListEntry(dm, mlID);
    return e && prices::isMoneyMarket(e->Type);
}

bool sameDouble(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

bool samePrice(const std::optional<double>& a, const std::optional<double>& b)
{
    if (a.has_value() != b.has_value())
        return false;
    return !a || sameDouble(*a, *b);
}

// Writes the difference between the rows as read and the computed history, in one
// transaction. The computation only inserts records (on days that had none) and
// changes values, so both sequences pair up by date in order.
Status writeChanges(ORVDataModule& dm, int mlID, const IssueRows& old, const History& now, Progress& bar)
{
    bar.setRange(int(now.size()));
    Transaction tx(dm);
    if (!tx.started())
        return dbError(QStringLiteral("the transaction could not be started."));
    const QString ins =
        QStringLiteral("INSERT INTO %1 (MLID, Date, Price, AdjPrice) VALUES (?, ?, ?, ?)").arg(pricesTable());
    const QString updAdj = QStringLiteral("UPDATE %1 SET AdjPrice = ? WHERE rowid = ?").arg(pricesTable());
    const QString updBoth = QStringLiteral("UPDATE %1 SET Price = ?, AdjPrice = ? WHERE rowid = ?").arg(pricesTable());

    int written = 0;
    size_t i = 0;
    int sinceStep = 0;
    for (const PricePoint& p : now) {
        Status st;
        if (i < old.h.size() && old.h[i].date == p.date) {
            const PricePoint& o = old.h[i];
            const qint64 rowid = old.rowids[i];
            ++i;
            if (!samePrice(o.price, p.price)) {
                Query q = dm.query(updBoth);
                q.bind(1, p.price ? QVariant(*p.price) : QVariant()).bind(2, p.adjPrice).bind(3, rowid);
                st = q.prepared() ? q.exec() : dbError(q.error());
                ++written;
            } else if (!sameDouble(o.adjPrice, p.adjPrice)) {
                Query q = dm.query(updAdj);
                q.bind(1, p.adjPrice).bind(2, rowid);
                st = q.prepared() ? q.exec() : dbError(q.error());
                ++written;
            }
        } else {
            Query q = dm.query(ins);
            q.bind(1, mlID).bind(2, double(p.date)).bind(3, p.price ? QVariant(*p.price) : QVariant()).bind(4, p.adjPrice);
            st = q.prepared() ? q.exec() : dbError(q.error());
            ++written;
        }
        if (!st)
            return st;  // the guard rolls back
        if (++sinceStep == kStepBlock) {
            bar.step(sinceStep);
            sinceStep = 0;
        }
    }
    if (i != old.h.size())  // cannot happen: the engine never drops a record
        return dbError(QStringLiteral("price records of issue %1 were lost in the computation.").arg(mlID));
    if (sinceStep)
        bar.step(sinceStep);
    const Status c = tx.commit();
    if (!c)
        return c;
    if (written)
        dm.touch(TableId::Prices);
    return Status::success();
}

// Reads the issue, applies compute to its history and writes the changes.
template <typename F>
Status rewriteIssue(ORVDataModule& dm, int mlID, Progress& bar, F compute, const double* fromRaw = nullptr)
{
    auto rows = readIssue(dm, mlID, fromRaw);
    if (!rows)
        return rows.message();
    History now = rows->h;
    const Status st = compute(now);
    if (!st)
        return st;
    return writeChanges(dm, mlID, *rows, now, bar);
}

// The stored date of the last priced record of the issue on or before day, to
// start a partial read from; none when there is no such record.
std::optional<double> lastPricedOnOrBefore(ORVDataModule& dm, int mlID, Day day, Status* err)
{
    Query q = dm.query(QStringLiteral("SELECT Date FROM %1 WHERE MLID = ? AND Date < ? AND Price IS NOT NULL "
                                      "ORDER BY MLID DESC, Date DESC LIMIT 1")
                           .arg(pricesTable()));
    if (!q.prepared()) {
        *err = dbError(q.error());
        return std::nullopt;
    }
    q.bind(1, mlID).bind(2, double(day) + 0.5);
    if (q.next())
        return q.real(0);
    if (q.failed())
        *err = dbError(q.error());
    return std::nullopt;
}

// FillStretch (or FillHoles alone) on the part of the issue that can change: from
// the last priced record on or before `from` to the end.
Status fillFrom(ORVDataModule& dm, int mlID, Progress& bar, Day from, Day to, bool continueNulls)
{
    Status err;
    const std::optional<double> anchor = lastPricedOnOrBefore(dm, mlID, from, &err);
    if (!err)
        return err;
    const bool mm = moneyMarketIssue(dm, mlID);
    return rewriteIssue(
        dm, mlID, bar,
        [&](History& h) {
            if (continueNulls)
                prices::FillStretch(h, from, to, mm);
            else
                prices::FillHoles(h, from, to, mm);
            return Status::success();
        },
        anchor ? &*anchor : nullptr);
}

}  // namespace

QString fillStatusText() { return QStringLiteral("Checking holes / resetting adj prices..."); }
QString adjustStatusText() { return QStringLiteral("Adjusting for distributions..."); }
QString holesStatusText() { return QStringLiteral("Filling in holes..."); }

Status StorePrice(ORVDataModule& dm, int mlID, double price, Day date)
{
    if (!std::isfinite(price))
        return Message::error(QStringLiteral("The price is not a number."));
    PriceRec r;
    r.MLID = mlID;
    r.Date = date;
    r.Price = price;
    r.AdjPrice = price;
    return store::storePriceRow(dm, r);
}

PriceDateRange GetPriceDateRange(ORVDataModule& dm, int mlID)
{
    Query q = dm.query(
        QStringLiteral("SELECT min(Date), max(Date), count(*) FROM %1 WHERE MLID = ?").arg(pricesTable()));
    q.bind(1, mlID);
    PriceDateRange r;
    if (q.next() && q.int64(2) > 0) {
        r.hasPrices = true;
        r.first = roundDay(q.real(0));
        r.last = roundDay(q.real(1));
    }
    return r;
}

LatestExDate GetLatestExDate(ORVDataModule& dm, int mlID)
{
    Query q = dm.query(QStringLiteral("SELECT max(ExDate), count(*) FROM %1 WHERE MLID = ?").arg(dsbTable()));
    q.bind(1, mlID);
    LatestExDate r;
    if (q.next() && q.int64(1) > 0) {
        r.hasDsbs = true;
        r.exDate = roundDay(q.real(0));
    }
    return r;
}

Status TrimNullPriceEnds(ORVDataModule& dm, int mlID)
{
    Transaction tx(dm);
    if (!tx.started())
        return dbError(QStringLiteral("the transaction could not be started."));
    const QString t = pricesTable();
    // Without any priced record both bounds are null and every record goes.
    Status st = dm.exec(QStringLiteral("DELETE FROM %1 WHERE MLID = ?1 AND Price IS NULL AND "
                                       "(Date < (SELECT min(Date) FROM %1 WHERE MLID = ?1 AND Price IS NOT NULL) OR "
                                       " Date > (SELECT max(Date) FROM %1 WHERE MLID = ?1 AND Price IS NOT NULL) OR "
                                       " NOT EXISTS (SELECT 1 FROM %1 WHERE MLID = ?1 AND Price IS NOT NULL))")
                            .arg(t),
                        {mlID});
    if (!st)
        return st;
    const int removed = dm.changes();
    st = tx.commit();
    if (!st)
        return st;
    if (removed)
        dm.touch(TableId::Prices);
    return Status::success();
}

Status DeleteDsbsAfterDate(ORVDataModule& dm, int mlID, Day date)
{
    Transaction tx(dm);
    if (!tx.started())
        return dbError(QStringLiteral("the transaction could not be started."));
    // Rounded as the engine rounds: floor(x + 0.5) > date  <=>  x >= date + 0.5.
    Status st = dm.exec(QStringLiteral("DELETE FROM %1 WHERE MLID = ? AND ExDate >= ?").arg(dsbTable()),
                        {mlID, double(date) + 0.5});
    if (!st)
        return st;
    const int removed = dm.changes();
    st = tx.commit();
    if (!st)
        return st;
    if (removed)
        dm.touch(TableId::Distributions);
    return Status::success();
}

Status ResetAdjPrices(ORVDataModule& dm, int mlID, Progress& bar)
{
    return rewriteIssue(dm, mlID, bar, [](History& h) {
        prices::ResetAdjPrices(h);
        return Status::success();
    });
}

Status FillHoles(ORVDataModule& dm, int mlID, Progress& bar, Day first, Day last)
{
    if (first > last)
        return Status::success();
    return fillFrom(dm, mlID, bar, first, last, false);
}

Status FillHolesAndResetAdjPrices(ORVDataModule& dm, int mlID, Progress& bar)
{
    const bool mm = moneyMarketIssue(dm, mlID);
    return rewriteIssue(dm, mlID, bar, [&](History& h) {
        prices::FillHolesAndResetAdjPrices(h, mm);
        return Status::success();
    });
}

Status AdjustForDsbs(ORVDataModule& dm, int mlID, Progress& bar)
{
    auto dsbs = readDsbs(dm, mlID);
    if (!dsbs)
        return dsbs.message();
    if (dsbs->empty())
        return Status::success();
    return rewriteIssue(dm, mlID, bar, [&](History& h) {
        prices::AdjustForDsbs(h, *dsbs);
        return Status::success();
    });
}

Status RebuildIssue(ORVDataModule& dm, int mlID, Progress& bar, const QString& fillText, const QString& adjustText)
{
    bar.setStatus(fillText);
    auto dsbs = readDsbs(dm, mlID);
    if (!dsbs)
        return dsbs.message();
    const bool mm = moneyMarketIssue(dm, mlID);
    return rewriteIssue(dm, mlID, bar, [&](History& h) {
        prices::FillHolesAndResetAdjPrices(h, mm);
        if (!dsbs->empty()) {
            bar.setStatus(adjustText);
            prices::AdjustForDsbs(h, *dsbs);
        }
        return Status::success();
    });
}

Status ResetAndAdjustForDsbs(ORVDataModule& dm, int mlID, Progress& bar)
{
    auto dsbs = readDsbs(dm, mlID);
    if (!dsbs)
        return dsbs.message();
    return rewriteIssue(dm, mlID, bar, [&](History& h) {
        prices::ResetAdjPrices(h);
        prices::AdjustForDsbs(h, *dsbs);
        return Status::success();
    });
}

Status UpdateAfterPricesStored(ORVDataModule& dm, int mlID, const PriceDateRange& before, Day minDay, Day maxDay,
                               Progress& bar)
{
    if (minDay > maxDay)
        std::swap(minDay, maxDay);
    const prices::UpdatePlan plan = prices::PlanPriceUpdate(before, GetLatestExDate(dm, mlID), minDay, maxDay);
    Status st;
    if (plan.kind == prices::UpdatePlan::Kind::FillStretch) {
        bar.setStatus(holesStatusText());
        st = fillFrom(dm, mlID, bar, plan.from, plan.to, true);
    } else {
        st = RebuildIssue(dm, mlID, bar);
    }
    bar.setStatus(QString());
    return st;
}

Result<int> RebuildIssues(ORVDataModule& dm, const std::vector<int>& mlIDs, Progress& bar)
{
    int done = 0;
    for (int id : mlIDs) {
        if (bar.cancelled())
            break;
        const Status st = RebuildIssue(dm, id, bar);
        bar.setStatus(QString());
        if (!st)
            return st.message();
        ++done;
    }
    return done;
}

}  // namespace orv
