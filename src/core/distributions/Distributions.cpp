#include "core/distributions/Distributions.h"

#include "core/base/Format.h"
#include "core/base/Progress.h"
#include "core/portfolios/HoldingsSummary.h"
#include "core/prices/AdjPrices.h"
#include "core/store/DataModule.h"

#include <QSet>
#include <algorithm>
#include <cmath>

namespace orv::dsb {

using store::TableId;

namespace {

QString dsbTable() { return ORVDataModule::qualified(TableId::Distributions); }
QString txTable() { return ORVDataModule::qualified(TableId::Transactions); }
Message dbError(const QString& what) { return Message::error(QStringLiteral("Database error: %1").arg(what)); }
Message noTransaction() { return dbError(QStringLiteral("cannot start a transaction.")); }

Message warn(const QString& text)
{
    Message m = Message::warning(text);
    m.beep = true;
    return m;
}

DsbCheck refuse(const QString& text, DsbField focus) { return {Status(warn(text)), focus}; }
DsbCheck refuse(const Message& m, DsbField focus = DsbField::None) { return {Status(m), focus}; }

// Days are whole numbers; a stored date matches a day within half a day.
const char* kOnDay = "ExDate > ? - 0.5 AND ExDate < ? + 0.5";

bool hasDistributionOn(ORVDataModule& dm, int mlID, Day day)
{
    Query q = dm.query(QStringLiteral("SELECT 1 FROM %1 WHERE MLID = ? AND %2 LIMIT 1")
                           .arg(dsbTable(), QLatin1String(kOnDay)));
    q.bind(1, mlID).bind(2, double(day)).bind(3, double(day));
    return q.next();
}

Status insertTx(ORVDataModule& dm, const TransactionRec& r)
{
    // Written directly: a split's Type is stored as empty text, which the generic
    // writer would take for a missing required field.
    return dm.exec(QStringLiteral("INSERT INTO %1 (PfID, MLID, Date, BuySell, Shares, Amount, SharePrice, "
                                  "Commission, Fee1, Fee2, Type, Comment) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                       .arg(txTable()),
                   {r.PfID, r.MLID, double(r.Date), r.BuySell, r.Shares, r.Amount,
                    r.SharePrice ? QVariant(*r.SharePrice) : QVariant(), r.Commission, r.Fee1, r.Fee2, r.Type,
                    r.Comment.isEmpty() ? QVariant() : QVariant(r.Comment)});
}

QString portfolioName(ORVDataModule& dm, int pfID)
{
    const auto pf = store::portfolio(dm, pfID);
    return pf ? pf->ShortName : QString();
}

Status clearAllPfSelected(ORVDataModule& dm)
{
    const Status st = dm.exec(
        QStringLiteral("UPDATE %1 SET Selected = 0").arg(ORVDataModule::qualified(TableId::Portfolio)));
    dm.touch(TableId::Portfolio);
    return st;
}

// Deletes the "Income" and "CapGain" transactions of the issue on each day; adds the
// portfolios that lost one to `touched`. `perTransaction` shows "Delete for: "
// + the portfolio per transaction, otherwise "For " + the date per day.
Result<int> deleteOnDays(ORVDataModule& dm, int mlID, const std::vector<Day>& days, Progress& bar,
                         bool perTransaction, QSet<int>& touched)
{
    int deleted = 0;
    for (Day day : days) {
        struct Row {
            qint64 seq;
            int pfID;
            QString type;
        };
        std::vector<Row> rows;
        {
            Query q = dm.query(QStringLiteral("SELECT Sequence, PfID, Type FROM %1 WHERE MLID = ? AND Date > ? - 0.5 "
                                              "AND Date < ? + 0.5 ORDER BY MLID, Date, rowid")
                                   .arg(txTable()));
            q.bind(1, mlID).bind(2, double(day)).bind(3, double(day));
            while (q.next())
                rows.push_back({q.int64(0), int(q.int64(1)), q.text(2).trimmed()});
            if (q.failed())
                return dbError(q.error());
        }
        if (perTransaction)
            bar.setRange(int(rows.size()));
        else
            bar.setStatus(QStringLiteral("For ") + fmtDate(day));
        for (const Row& r : rows) {
            if (perTransaction) {
                bar.setStatus(QStringLiteral("Delete for: ") + portfolioName(dm, r.pfID));
                bar.step();
            }
            if (r.type != QLatin1String("Income") && r.type != QLatin1String("CapGain"))
                continue;
            if (const Status st = dm.exec(QStringLiteral("DELETE FROM %1 WHERE Sequence = ?").arg(txTable()), {r.seq});
                !st)
                return st.message();
            ++deleted;
            touched.insert(r.pfID);
        }
    }
    dm.touch(TableId::Transactions);
    return deleted;
}

Result<int> deleteTransactions(ORVDataModule& dm, int mlID, const std::vector<Day>& days, Progress& bar,
                               bool perTransaction)
{
    Transaction guard(dm);
    if (!guard.started())
        return noTransaction();
    if (const Status st = clearAllPfSelected(dm); !st)
        return st.message();
    QSet<int> touched;
    const auto deleted = deleteOnDays(dm, mlID, days, bar, perTransaction, touched);
    if (!deleted)
        return deleted;
    bar.setStatus(updatingSummariesText());
    QList<int> pfs = touched.values();
    std::sort(pfs.begin(), pfs.end());
    bar.setRange(int(pfs.size()));
    for (int pfID : pfs) {
        if (const Status st = UpdateHoldingsSummary(dm, pfID, mlID); !st)
            return st.message();
        bar.step();
    }
    if (const Status st = clearAllPfSelected(dm); !st)
        return st.message();
    if (const Status st = guard.commit(); !st)
        return st.message();
    bar.setStatus(QString());
    return *deleted;
}

}  // namespace

// ---- Rounding ----------------------------------------------------------------

double RoundDecimals(int digits, double x)
{
    const double scale = std::pow(10.0, digits);
    const double i = std::trunc(x);
    const double e = (x - i) * scale;
    double t = std::trunc(e);
    const double r = e - t;
    // nearbyint rounds ties to even in the default rounding mode.
    if (std::fabs(std::nearbyint(r * 10.0)) >= 5.0)
        t += r > 0 ? 1.0 : -1.0;
    return i + t / scale;
}

// ---- Texts ---------------------------------------------------------------------

QString resettingStatusText() { return QStringLiteral("Resetting adj prices..."); }
QString adjustingStatusText() { return QStringLiteral("Adjusting for distributions..."); }
QString updatingSummariesText() { return QStringLiteral("Updating transaction summaries."); }
QString deletingAllText() { return QStringLiteral("Deleting all distributions."); }
QString deleteOneQuestion() { return QStringLiteral("Are you sure you want to delete this distribution?"); }
QString deleteTxQuestion(Day exDate)
{
    return QStringLiteral("Delete corresponding transactions on ") + fmtDate(exDate) + QStringLiteral("?");
}
QString deleteAllQuestion() { return QStringLiteral("Are you sure you want to delete ALL distributions?"); }
QString deleteAllTxQuestion() { return QStringLiteral("Delete all corresponding transactions?"); }
QString allDoneText() { return QStringLiteral("All done!"); }

Message linearTypeMessage() { return Message::warning(QStringLiteral("No distributions for Linear Type.")); }
Message noPriceMessage() { return Message::warning(QStringLiteral("A closing price must first be entered.")); }

Status checkIssueForDistributions(ORVDataModule& dm, const MasterListRec& issue)
{
    if (issue.Type.trimmed() == QLatin1String("Linear type"))
        return linearTypeMessage();
    if (!GetPriceDateRange(dm, issue.MLID).hasPrices)
        return noPriceMessage();
    return Status::success();
}

// ---- Saving ----------------------------------------------------------------------

DistributionRec newDistribution(int mlID, Day day)
{
    DistributionRec r;
    r.MLID = mlID;
    r.ExDate = r.RecDate = r.PayDate = day;
    return r;
}

Message duplicateExDateMessage() { return warn(QStringLiteral("Disbritubion already exists for Ex-Date.")); }

DsbCheck CheckDistribution(ORVDataModule& dm, DistributionRec& r)
{
    if (isWeekend(r.ExDate))
        return refuse(QStringLiteral("Ex-Date cannot be a Saturday or Sunday."), DsbField::ExDate);
    if (double(r.RecDate) > double(r.ExDate) + 0.5)
        return refuse(QStringLiteral("Record Date cannot be later than the Ex-Date."), DsbField::RecDate);
    const PriceDateRange range = GetPriceDateRange(dm, r.MLID);
    if (!range.hasPrices || r.ExDate > range.last)
        return refuse(QStringLiteral("Ex-Date cannot be after date of last price: ") +
                          (range.hasPrices ? fmtDate(range.last) : QString()),
                      DsbField::ExDate);
    if (r.SplitFactor >= kMinSplitFactor) {
        if (r.ReinvestPri < kMinAmount)
            return refuse(QStringLiteral("Reinvest price cannot be zero."), DsbField::ReinvestPri);
        r.Total = r.SplitFactor * r.ReinvestPri - r.ReinvestPri;
    } else {
        if (r.Total < kMinAmount)
            return refuse(QStringLiteral("Total distribution must be greater than zero."), DsbField::Total);
        if (r.ReinvestPri < kMinAmount)
            return refuse(QStringLiteral("Reinvest price cannot be zero."), DsbField::ReinvestPri);
    }
    return {};
}

DsbCheck SaveDistribution(ORVDataModule& dm, DistributionRec& r, std::optional<Day> editedExDate, Progress& bar)
{
    for (double v : {r.Total, r.Income, r.CapGain, r.ReinvestPri, r.SplitFactor})
        if (!std::isfinite(v))
            return refuse(Message::error(QStringLiteral("Amounts must be numbers.")));
    if (const DsbCheck c = CheckDistribution(dm, r); !c.ok())
        return c;

    Transaction guard(dm);
    if (!guard.started())
        return refuse(noTransaction());
    const bool sameDay = editedExDate && *editedExDate == r.ExDate;
    if (!sameDay && hasDistributionOn(dm, r.MLID, r.ExDate))
        return refuse(duplicateExDateMessage(), DsbField::ExDate);
    if (editedExDate) {
        const QVariantMap f = store::toFields(r);
        QStringList sets;
        QVariantList binds;
        for (auto it = f.begin(); it != f.end(); ++it) {
            sets << it.key() + QStringLiteral(" = ?");
            binds << it.value();
        }
        binds << r.MLID << double(*editedExDate) << double(*editedExDate);
        if (const Status st = dm.exec(QStringLiteral("UPDATE %1 SET %2 WHERE MLID = ? AND %3")
                                          .arg(dsbTable(), sets.join(QStringLiteral(", ")), QLatin1String(kOnDay)),
                                      binds);
            !st)
            return refuse(st.message());
        if (dm.changes() == 0)
            return refuse(Message::error(QStringLiteral("The distribution to edit no longer exists.")));
        dm.touch(TableId::Distributions);
    } else if (const auto id = store::insertDistribution(dm, r); !id) {
        return refuse(id.message());
    }
    bar.setStatus(resettingStatusText());
    bar.setStatus(adjustingStatusText());
    if (const Status st = ResetAndAdjustForDsbs(dm, r.MLID, bar); !st)
        return refuse(st.message());
    if (const Status st = guard.commit(); !st)
        return refuse(st.message());
    bar.setStatus(QString());
    return {};
}

// ---- Deleting --------------------------------------------------------------------

Status DeleteDistribution(ORVDataModule& dm, int mlID, Day exDate, Progress& bar)
{
    Transaction guard(dm);
    if (!guard.started())
        return noTransaction();
    if (const Status st = dm.exec(QStringLiteral("DELETE FROM %1 WHERE MLID = ? AND %2").arg(dsbTable(), QLatin1String(kOnDay)),
                                  {mlID, double(exDate), double(exDate)});
        !st)
        return st;
    dm.touch(TableId::Distributions);
    bar.setStatus(resettingStatusText());
    if (GetLatestExDate(dm, mlID).hasDsbs)
        bar.setStatus(adjustingStatusText());
    if (const Status st = ResetAndAdjustForDsbs(dm, mlID, bar); !st)
        return st;
    if (const Status st = guard.commit(); !st)
        return st;
    bar.setStatus(QString());
    return Status::success();
}

Result<std::vector<Day>> DeleteAllDistributions(ORVDataModule& dm, int mlID, Progress& bar)
{
    Transaction guard(dm);
    if (!guard.started())
        return noTransaction();
    bar.setStatus(deletingAllText());
    std::vector<Day> days;
    for (const auto& d : store::distributionsOf(dm, mlID))
        days.push_back(d.ExDate);
    if (const Status st = dm.exec(QStringLiteral("DELETE FROM %1 WHERE MLID = ?").arg(dsbTable()), {mlID}); !st)
        return st.message();
    dm.touch(TableId::Distributions);
    bar.setStatus(resettingStatusText());
    if (const Status st = ResetAdjPrices(dm, mlID, bar); !st)
        return st.message();
    if (const Status st = guard.commit(); !st)
        return st.message();
    bar.setStatus(QString());
    return days;
}

Result<int> DeleteDsbTransactions(ORVDataModule& dm, int mlID, Day exDate, Progress& bar)
{
    return deleteTransactions(dm, mlID, {exDate}, bar, true);
}

Result<int> DeleteAllDsbTransactions(ORVDataModule& dm, int mlID, const std::vector<Day>& exDates, Progress& bar)
{
    return deleteTransactions(dm, mlID, exDates, bar, false);
}

// ---- Automatic reinvestment -------------------------------------------------------

DsbAmounts DsbAmounts::of(const DistributionRec& r)
{
    return {r.ExDate, r.Income, r.CapGain, r.ReinvestPri, r.SplitFactor};
}

bool CallsForAutoEntry(const DsbAmounts& a)
{
    return a.Income >= kMinSplitFactor || a.CapGain >= kMinSplitFactor || a.SplitFactor >= kMinSplitFactor;
}

std::vector<HoldingPortfolio> HoldingPortfolios(ORVDataModule& dm, int mlID)
{
    std::vector<HoldingPortfolio> out;
    for (const auto& pf : store::portfolios(dm)) {
        const auto h = store::holding(dm, pf.PfID, mlID);
        if (h)
            out.push_back({pf.PfID, pf.ShortName, pf.LongName, h->Reinvest});
    }
    return out;
}

QString portfolioStatusText(const HoldingPortfolio& pf)
{
    return QStringLiteral(" ") + pf.ShortName + QStringLiteral(" : ") + pf.LongName;
}

double SharesHeldAt(ORVDataModule& dm, int pfID, int mlID, Day day)
{
    double held = 0.0;
    for (const auto& t : store::transactionsOf(dm, pfID, mlID)) {
        if (double(t.Date) > double(day) + 0.5)
            break;
        held += t.BuySell.trimmed() == QLatin1String("Buy") ? t.Shares : -t.Shares;
    }
    return held;
}

std::vector<TransactionRec> ReinvestmentTransactions(int pfID, int mlID, double held, const QString& reinvest,
                                                     const DsbAmounts& a)
{
    std::vector<TransactionRec> out;
    if (std::fabs(held) <= kMinHeld)
        return out;
    const QString option = reinvest.trimmed();
    auto base = [&] {
        TransactionRec t;
        t.PfID = pfID;
        t.MLID = mlID;
        t.Date = a.ExDate;
        t.SharePrice = a.ReinvestPri;
        return t;
    };
    auto cash = [&](double perShare, bool reinvested, const QString& type) {
        TransactionRec t = base();
        if (reinvested) {
            t.BuySell = QStringLiteral("Buy");
            t.Shares = RoundDecimals(4, held * perShare / a.ReinvestPri);
        } else {
            t.BuySell = QStringLiteral("Sell");
            t.Shares = 0;
        }
        t.Amount = RoundDecimals(2, held * perShare);
        t.Type = type;
        // The Comment field holds 40 characters; large figures are cut there.
        t.Comment = (QStringLiteral("Dsb: ") + fmtPrice5(perShare) + QStringLiteral("/sh  Reinv: ") +
                     fmtPrice(a.ReinvestPri) + QStringLiteral("/sh"))
                        .left(40);
        out.push_back(t);
    };
    if (a.Income > kMinPart)
        cash(a.Income, option == QLatin1String("All"), QStringLiteral("Income"));
    if (a.CapGain > kMinPart)
        cash(a.CapGain, option != QLatin1String("None"), QStringLiteral("CapGain"));
    if (a.Income < kMinPart && a.CapGain < kMinPart && a.SplitFactor > kMinSplitFactor) {
        TransactionRec t = base();
        t.BuySell = QStringLiteral("Buy");
        t.Shares = RoundDecimals(4, (a.SplitFactor - 1.0) * held);
        t.Amount = 0;
        t.Type = QString();
        t.Comment = (QStringLiteral("Split factor: ") + fmtNumber(a.SplitFactor, QStringLiteral("0.#0"))).left(40);
        out.push_back(t);
    }
    return out;
}

Result<int> ReinvestForPortfolio(ORVDataModule& dm, int pfID, int mlID, const QString& reinvest,
                                 const DsbAmounts& a)
{
    if (!(a.ReinvestPri >= kMinAmount) && (a.Income > kMinPart || a.CapGain > kMinPart))
        return Message::warning(QStringLiteral("Reinvest price cannot be zero."));
    const auto rows = ReinvestmentTransactions(pfID, mlID, SharesHeldAt(dm, pfID, mlID, a.ExDate), reinvest, a);
    if (rows.empty())
        return 0;
    Transaction guard(dm);
    if (!guard.started())
        return noTransaction();
    for (const auto& t : rows)
        if (const Status st = insertTx(dm, t); !st)
            return st.message();
    dm.LastTxBookmark = dm.lastInsertRowId();
    dm.touch(TableId::Transactions);
    if (const Status st = UpdateHoldingsSummary(dm, pfID, mlID); !st)
        return st.message();
    if (const Status st = guard.commit(); !st)
        return st.message();
    return int(rows.size());
}

Result<int> ReinvestAllPortfolios(ORVDataModule& dm, int mlID, const DsbAmounts& a, Progress& bar)
{
    Transaction guard(dm);
    if (!guard.started())
        return noTransaction();
    const auto all = store::portfolios(dm);
    bar.setRange(int(all.size()));
    int written = 0;
    for (const auto& pf : all) {
        bar.step();
        const auto h = store::holding(dm, pf.PfID, mlID);
        if (!h)
            continue;
        bar.setStatus(portfolioStatusText({pf.PfID, pf.ShortName, pf.LongName, h->Reinvest}));
        const auto n = ReinvestForPortfolio(dm, pf.PfID, mlID, h->Reinvest, a);
        if (!n)
            return n;
        written += *n;
    }
    if (const Status st = guard.commit(); !st)
        return st.message();
    bar.setStatus(QString());
    return written;
}

}  // namespace orv::dsb
