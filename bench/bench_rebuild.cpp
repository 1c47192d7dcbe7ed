// Times the full rebuild of adjusted prices (RebuildIssue) on issues of 25 years
// of daily prices (about 6,500 weekdays, a tenth of them holes) with 100
// distributions, in a temporary data path. Each figure is given beside a baseline
// measured in the same run: reading every record of the issue once and writing
// every record once with a prepared statement, in one transaction per issue.
//
// Usage: bench_rebuild [issues]   (default 500 for the many-issue figure)
#include "core/base/Progress.h"
#include "core/prices/AdjPrices.h"
#include "core/store/DataFiles.h"
#include "core/store/DataModule.h"
#include "core/store/Records.h"
#include "core/store/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace orv;
using store::TableId;

namespace {

struct RawIssue {
    prices::History h;
    std::vector<prices::Dsb> dsbs;
};

// 25 years of weekdays from Monday 3 January 2000, a tenth of them missing, and
// 100 distributions (one in ten a 2-for-1 split) spread over the years.
RawIssue makeIssue(quint32 seed)
{
    QRandomGenerator rng(seed);
    RawIssue r;
    const Day start = dayFromDate(QDate(2000, 1, 3));
    const Day end = dayFromDate(QDate(2024, 12, 31));
    double price = 10.0 + rng.generateDouble() * 20.0;
    for (Day d = start; d <= end; ++d) {
        if (isWeekend(d))
            continue;
        price *= 0.985 + rng.generateDouble() * 0.03;
        if (d != start && d != end && rng.bounded(10) == 0)
            continue;
        r.h.push_back({d, price, price});
    }
    const int span = end - start;
    for (int k = 0; k < 100; ++k) {
        Day ex = start + 30 + (span - 60) * k / 100 + int(rng.bounded(20));
        const double reinvest = 5.0 + rng.generateDouble() * 30.0;
        const double total = (k % 10 == 9) ? reinvest : reinvest * rng.generateDouble() * 0.03;
        r.dsbs.push_back({ex, total, reinvest});
    }
    return r;
}

void fail(const QString& what)
{
    std::fprintf(stderr, "bench_rebuild: %s\n", qPrintable(what));
    std::exit(1);
}

void check(const Status& st, const char* what)
{
    if (!st)
        fail(QStringLiteral("%1: %2").arg(QLatin1String(what), st.message().text));
}

// Replaces the issue's rows by its raw state (prices as stored, AdjPrice = Price).
void loadRaw(ORVDataModule& dm, int mlID, const RawIssue& raw)
{
    Transaction tx(dm);
    check(dm.exec(QStringLiteral("DELETE FROM %1 WHERE MLID = ?").arg(ORVDataModule::qualified(TableId::Prices)),
                  {mlID}),
          "delete");
    const QString ins = QStringLiteral("INSERT INTO %1 (MLID, Date, Price, AdjPrice) VALUES (?, ?, ?, ?)")
                            .arg(ORVDataModule::qualified(TableId::Prices));
    for (const auto& p : raw.h) {
        Query q = dm.query(ins);
        q.bind(1, mlID).bind(2, double(p.date)).bind(3, *p.price).bind(4, p.adjPrice);
        check(q.exec(), "insert");
    }
    check(tx.commit(), "commit");
    dm.touch(TableId::Prices);
}

void loadDsbs(ORVDataModule& dm, int mlID, const RawIssue& raw)
{
    Transaction tx(dm);
    for (const auto& d : raw.dsbs) {
        DistributionRec r;
        r.MLID = mlID;
        r.ExDate = r.RecDate = r.PayDate = d.exDate;
        r.Total = r.Income = d.total;
        r.ReinvestPri = d.reinvestPri;
        r.SplitFactor = 1.0;
        const auto res = store::insertDistribution(dm, r);
        if (!res)
            fail(res.message().text);
    }
    check(tx.commit(), "commit");
}

// The baseline: every record read once, every record written once (changed).
void readWriteAll(ORVDataModule& dm, int mlID)
{
    const QString t = ORVDataModule::qualified(TableId::Prices);
    std::vector<std::pair<qint64, double>> rows;
    {
        Query q = dm.query(
            QStringLiteral("SELECT rowid, Date, Price, AdjPrice FROM %1 WHERE MLID = ? ORDER BY MLID, Date, rowid").arg(t));
        q.bind(1, mlID);
        while (q.next())
            rows.emplace_back(q.int64(0), q.real(3));
        if (q.failed())
            fail(q.error());
    }
    Transaction tx(dm);
    const QString upd = QStringLiteral("UPDATE %1 SET AdjPrice = ? WHERE rowid = ?").arg(t);
    // A new value for every record: the engine skips a write that stores the same
    // bytes again, so an unchanged value would measure no write at all.
    for (const auto& [rowid, adj] : rows) {
        Query q = dm.query(upd);
        q.bind(1, adj * 0.999).bind(2, rowid);
        check(q.exec(), "update");
    }
    check(tx.commit(), "commit");
    dm.touch(TableId::Prices);
}

double ms(QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int manyIssues = argc > 1 ? std::max(1, atoi(argv[1])) : 500;

    QTemporaryDir tmp;
    const QString templates = tmp.filePath(QStringLiteral("DBTemplates"));
    const QString data = tmp.filePath(QStringLiteral("Data"));
    QDir().mkpath(templates);
    QDir().mkpath(data);
    for (const auto& def : store::tableDefs())
        check(store::createTableFile(QDir(templates).filePath(store::tableFileName(def.name)), def), "template");
    if (const auto made = store::createMissingTables(data, templates); !made)
        fail(made.message().text);
    ORVDataModule dm;
    check(dm.open(data), "open");

    NullProgress none;

    // ---- one issue
    const RawIssue raw = makeIssue(1);
    MasterListRec ml;
    ml.ShortName = QStringLiteral("Bench");
    ml.Type = QStringLiteral("Mutual Fund");
    const int id = int(store::insertMasterList(dm, ml).value());
    loadDsbs(dm, id, raw);

    std::vector<double> base, rebuild, again;
    int records = 0;
    for (int rep = 0; rep < 7; ++rep) {
        loadRaw(dm, id, raw);
        QElapsedTimer t;
        t.start();
        readWriteAll(dm, id);
        base.push_back(ms(t));
        t.restart();
        check(RebuildIssue(dm, id, none), "rebuild");
        rebuild.push_back(ms(t));
        t.restart();
        check(RebuildIssue(dm, id, none), "rebuild");
        again.push_back(ms(t));
        records = int(store::pricesOf(dm, id).size());
    }
    // The tables hold what the engine computes.
    {
        prices::History want = raw.h;
        prices::RebuildHistory(want, raw.dsbs, false);
        const auto got = store::pricesOf(dm, id);
        if (got.size() != want.size())
            fail(QStringLiteral("record count differs"));
        for (size_t i = 0; i < got.size(); ++i)
            if (got[i].Date != want[i].date || got[i].AdjPrice != want[i].adjPrice)
                fail(QStringLiteral("record %1 differs").arg(i));
    }
    const double b1 = median(base), r1 = median(rebuild), a1 = median(again);
    std::printf("One issue: %zu stored prices, %d records after filling holes, %zu distributions\n", raw.h.size(),
                records, raw.dsbs.size());
    std::printf("  baseline (read all + write all, one transaction): %8.2f ms\n", b1);
    std::printf("  full rebuild from stored prices:                  %8.2f ms   ratio %.2f\n", r1, r1 / b1);
    std::printf("  full rebuild of a rebuilt issue (nothing to write): %6.2f ms   ratio %.2f\n", a1, a1 / b1);

    // ---- many issues
    std::vector<int> ids;
    std::vector<RawIssue> raws;
    QElapsedTimer load;
    load.start();
    for (int k = 0; k < manyIssues; ++k) {
        MasterListRec e;
        e.ShortName = QStringLiteral("B%1").arg(k);
        e.Type = QStringLiteral("Mutual Fund");
        e.RowNum = k + 2;
        const int mid = int(store::insertMasterList(dm, e).value());
        RawIssue r = makeIssue(quint32(100 + k));
        loadRaw(dm, mid, r);
        loadDsbs(dm, mid, r);
        ids.push_back(mid);
    }
    std::printf("%d issues loaded in %.1f s\n", manyIssues, ms(load) / 1000.0);

    QElapsedTimer t;
    t.start();
    for (int mid : ids)
        readWriteAll(dm, mid);
    const double bN = ms(t);
    t.restart();
    const auto done = RebuildIssues(dm, ids, none);
    if (!done)
        fail(done.message().text);
    const double rN = ms(t);
    t.restart();
    (void)RebuildIssues(dm, ids, none);
    const double aN = ms(t);
    std::printf("%d issues:\n", manyIssues);
    std::printf("  baseline (read all + write all, one transaction per issue): %9.1f ms\n", bN);
    std::printf("  full rebuild from stored prices:                             %9.1f ms   ratio %.2f\n", rN, rN / bN);
    std::printf("  full rebuild of rebuilt issues (nothing to write):           %9.1f ms   ratio %.2f\n", aN, aN / bN);
    dm.close();
    return 0;
}
