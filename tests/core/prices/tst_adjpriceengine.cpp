// Guards the adjusted-price computations on an in-memory history against:
// wrong reinvestment factors (the record on an older ex-date taking its own
// factor, an ex-date without a price record dropping its factor, splits not
// halving), holes left unfilled or filled on weekends, money market holes not
// priced 1.0, a rebuild that changes the data when run again (weekend records or
// money market holes adjusted twice), trimming that keeps null ends, and an
// incremental update after new prices that leaves the data different from a full
// rebuild.
#include "HistoryGen.h"
#include "core/prices/AdjPriceEngine.h"

#include <QRandomGenerator>
#include <QtTest>
#include <cmath>

using namespace orv;
using namespace orv::prices;
using namespace orvtest;

namespace {

// "a*b/c..." -> value.
double evalProduct(const QString& expr)
{
    double v = 1.0;
    QChar op = QLatin1Char('*');
    QString num;
    auto apply = [&] {
        const double x = num.toDouble();
        v = op == QLatin1Char('*') ? v * x : v / x;
        num.clear();
    };
    for (const QChar c : expr) {
        if (c == QLatin1Char('*') || c == QLatin1Char('/')) {
            apply();
            op = c;
        } else {
            num += c;
        }
    }
    apply();
    return v;
}

// "0:10 1:- 3:12/11.5": day offset from base(), price or "-" for null, and an
// optional "/adj" (a product such as 10*10/11).
History parseHistory(const QString& s)
{
    History h;
    for (const QString& tok : s.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList dp = tok.split(QLatin1Char(':'));
        PricePoint p;
        p.date = base() + dp[0].toInt();
        const QStringList pa = dp[1].split(QLatin1Char('/'));
        if (pa[0] != QLatin1String("-"))
            p.price = pa[0].toDouble();
        if (pa.size() > 1)
            p.adjPrice = evalProduct(dp[1].mid(pa[0].size() + 1));
        h.push_back(p);
    }
    return h;
}

// "5:10:1 12:20:1": ex-date offset, ReinvestPri, Total.
std::vector<Dsb> parseDsbs(const QString& s)
{
    std::vector<Dsb> out;
    for (const QString& tok : s.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList f = tok.split(QLatin1Char(':'));
        out.push_back({base() + f[0].toInt(), f[2].toDouble(), f[1].toDouble()});
    }
    return out;
}

QString show(const History& h)
{
    QStringList out;
    for (const auto& p : h)
        out << QStringLiteral("%1:%2/%3")
                   .arg(p.date - base())
                   .arg(p.price ? QString::number(*p.price, 'g', 17) : QStringLiteral("-"))
                   .arg(p.adjPrice, 0, 'g', 17);
    return out.join(QLatin1Char(' '));
}

bool close(double a, double b) { return std::fabs(a - b) <= 1e-12 * std::max(1.0, std::fabs(b)); }

bool sameHistory(const History& got, const History& want, bool exact)
{
    if (got.size() != want.size())
        return false;
    for (size_t i = 0; i < got.size(); ++i) {
        if (got[i].date != want[i].date || got[i].price != want[i].price)
            return false;
        if (exact ? got[i].adjPrice != want[i].adjPrice : !close(got[i].adjPrice, want[i].adjPrice))
            return false;
    }
    return true;
}

// ------------------------------------------------------------- plain reference
// Written independently of the engine: days are enumerated one by one, and each
// record's factor is the product over all distributions, taken one at a time.
History referenceRebuild(const History& in, const std::vector<Dsb>& dsbs, bool moneyMarket)
{
    History out = in;
    if (!in.empty()) {
        const Day first = in.front().date, last = in.back().date;
        for (Day d = first; d <= last; ++d) {
            if (weekday(d) == Wd::Saturday || weekday(d) == Wd::Sunday)
                continue;
            bool found = false;
            for (const auto& p : in)
                found = found || p.date == d;
            if (!found) {
                PricePoint p;
                p.date = d;
                if (moneyMarket)
                    p.price = 1.0;
                out.push_back(p);
            }
        }
    }
    std::stable_sort(out.begin(), out.end(), [](const PricePoint& a, const PricePoint& b) { return a.date < b.date; });
    double lastKnown = 0.0;
    for (auto& p : out) {
        if (p.price)
            lastKnown = *p.price;
        double factor = 1.0;
        for (const Dsb& d : dsbs) {
            const double r = d.reinvestPri, sum = d.reinvestPri + d.total;
            if (r > 0 && sum > 0 && d.exDate > p.date)
                factor *= r / sum;
        }
        p.adjPrice = lastKnown * factor;
    }
    return out;
}

// Stores a price like StorePrice: the day's record, or a new one in date order.
void store(History& h, Day d, double price)
{
    for (auto& p : h)
        if (p.date == d) {
            p.price = price;
            p.adjPrice = price;
            return;
        }
    auto it = std::upper_bound(h.begin(), h.end(), d, [](Day x, const PricePoint& p) { return x < p.date; });
    PricePoint p;
    p.date = d;
    p.price = price;
    p.adjPrice = price;
    h.insert(it, p);
}

}  // namespace

class TestAdjPriceEngine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QCOMPARE(weekday(base()), Wd::Monday); }

    // Full rebuild of small histories, against values worked out by hand.
    void rebuild_data()
    {
        QTest::addColumn<QString>("history");
        QTest::addColumn<QString>("dsbs");
        QTest::addColumn<bool>("mm");
        QTest::addColumn<QString>("expected");

        QTest::newRow("one distribution 10/11")
            << "0:10 1:11 2:12 3:13" << "2:10:1" << false << "0:10/10*10/11 1:11/11*10/11 2:12/12 3:13/13";
        QTest::newRow("two distributions, record on older ex-date takes only the newer factor")
            << "0:10 1:10 2:10 3:10 4:10" << "3:10:1 1:20:1" << false
            << "0:10/10*10/11*20/21 1:10/10*10/11 2:10/10*10/11 3:10/10 4:10/10";
        QTest::newRow("2-for-1 split halves older prices")
            << "0:40 1:40 2:20 3:21" << "2:20:20" << false << "0:40/20 1:40/20 2:20/20 3:21/21";
        QTest::newRow("Monday and Thursday: Tuesday and Wednesday carry Monday")
            << "0:10 3:12" << "" << false << "0:10/10 1:-/10 2:-/10 3:12/12";
        QTest::newRow("money market holes are priced 1.0")
            << "0:1 3:1.01" << "" << true << "0:1/1 1:1/1 2:1/1 3:1.01/1.01";
        QTest::newRow("no weekend record is created")
            << "4:10 8:11" << "" << false << "4:10/10 7:-/10 8:11/11";
        QTest::newRow("weekend record is kept, carried and adjusted once")
            << "4:10 5:10.5 7:11" << "7:10:1" << false << "4:10/10*10/11 5:10.5/10.5*10/11 7:11/11";
        QTest::newRow("ex-date on a Saturday without record still adjusts older records")
            << "3:10 4:10 7:12" << "5:10:1" << false << "3:10/10*10/11 4:10/10*10/11 7:12/12";
        QTest::newRow("ex-date after the last price adjusts every record")
            << "0:10 1:10" << "9:10:1" << false << "0:10/10*10/11 1:10/10*10/11";
        QTest::newRow("ex-date before the first price adjusts nothing")
            << "7:10 8:10" << "2:10:1" << false << "7:10/10 8:10/10";
        QTest::newRow("two distributions on one ex-date both apply before it")
            << "0:10 1:10 2:10" << "1:10:1 1:20:1" << false << "0:10/10*10/11*20/21 1:10/10 2:10/10";
        QTest::newRow("distribution without reinvestment price is skipped")
            << "0:10 1:10 2:10" << "2:0:1 1:10:1" << false << "0:10/10*10/11 1:10/10 2:10/10";
        QTest::newRow("leading null record has no price to carry")
            << "0:- 1:10 2:-" << "" << false << "0:-/0 1:10/10 2:-/10";
        QTest::newRow("stale adjusted prices are replaced")
            << "0:10/99 1:-/98 2:12/97" << "" << false << "0:10/10 1:-/10 2:12/12";
    }
    void rebuild()
    {
        QFETCH(QString, history);
        QFETCH(QString, dsbs);
        QFETCH(bool, mm);
        QFETCH(QString, expected);
        History h = parseHistory(history);
        RebuildHistory(h, parseDsbs(dsbs), mm);
        const History want = parseHistory(expected);
        QVERIFY2(sameHistory(h, want, false), qPrintable(show(h) + QStringLiteral("  expected  ") + show(want)));
    }

    // FillHoles over a part of the history: records outside the stretch keep their
    // values, the carried price comes from before the stretch.
    void fillHolesStretch_data()
    {
        QTest::addColumn<QString>("history");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<QString>("expected");
        QTest::newRow("gap after the old end")
            << "0:10/5 1:11/5 8:12/12" << 1 << 8 << "0:10/5 1:11/11 2:-/11 3:-/11 4:-/11 7:-/11 8:12/12";
        QTest::newRow("stretch starting on a null record takes the price before it")
            << "0:10/10 1:-/0 3:12/1" << 1 << 3 << "0:10/10 1:-/10 2:-/10 3:12/12";
        QTest::newRow("stretch starting on a weekend")
            << "4:10/10 9:12/0" << 5 << 9 << "4:10/10 7:-/10 8:-/10 9:12/12";
        QTest::newRow("empty stretch changes nothing") << "0:10/3 3:12/4" << 3 << 1 << "0:10/3 3:12/4";
    }
    void fillHolesStretch()
    {
        QFETCH(QString, history);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(QString, expected);
        History h = parseHistory(history);
        FillHoles(h, base() + first, base() + last, false);
        const History want = parseHistory(expected);
        QVERIFY2(sameHistory(h, want, false), qPrintable(show(h) + QStringLiteral("  expected  ") + show(want)));
    }

    void resetCarriesWithoutInserting()
    {
        History h = parseHistory("0:- 1:10/3 4:-/3 8:12/1 9:-/0");
        ResetAdjPrices(h);
        QVERIFY(sameHistory(h, parseHistory("0:-/0 1:10/10 4:-/10 8:12/12 9:-/12"), true));
    }

    void trimNullPriceEnds_data()
    {
        QTest::addColumn<QString>("history");
        QTest::addColumn<QString>("expected");
        QTest::newRow("both ends") << "0:- 1:- 2:10 3:- 4:11 7:- 8:-" << "2:10 3:- 4:11";
        QTest::newRow("all null") << "0:- 1:- 2:-" << "";
        QTest::newRow("nothing to trim") << "0:10 1:- 2:11" << "0:10 1:- 2:11";
        QTest::newRow("empty") << "" << "";
    }
    void trimNullPriceEnds()
    {
        QFETCH(QString, history);
        QFETCH(QString, expected);
        History h = parseHistory(history);
        TrimNullPriceEnds(h);
        QVERIFY2(sameHistory(h, parseHistory(expected), true), qPrintable(show(h)));
    }

    void dateRanges()
    {
        QCOMPARE(GetPriceDateRange(History{}).hasPrices, false);
        QCOMPARE(GetPriceDateRange(History{}).first, -1);
        QCOMPARE(GetPriceDateRange(History{}).last, -1);
        const PriceDateRange r = GetPriceDateRange(parseHistory("1:- 3:10 5:-"));
        QVERIFY(r.hasPrices);
        QCOMPARE(r.first, base() + 1);
        QCOMPARE(r.last, base() + 5);
        QCOMPARE(GetLatestExDate({}).hasDsbs, false);
        QCOMPARE(GetLatestExDate({}).exDate, -1);
        const LatestExDate e = GetLatestExDate(parseDsbs("3:10:1 9:10:1 5:10:1"));
        QVERIFY(e.hasDsbs);
        QCOMPARE(e.exDate, base() + 9);
    }

    // Which path the update rule takes after prices were written.
    void plan_data()
    {
        QTest::addColumn<bool>("hadPrices");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("latestEx");  // -1: no distribution
        QTest::addColumn<int>("minDay");
        QTest::addColumn<int>("maxDay");
        QTest::addColumn<bool>("full");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::newRow("after the end, no distribution") << true << 0 << 10 << -1 << 14 << 14 << false << 10 << 14;
        QTest::newRow("after the end, older distribution") << true << 0 << 10 << 5 << 14 << 15 << false << 10 << 15;
        QTest::newRow("after the end, distribution on the old end") << true << 0 << 10 << 10 << 14 << 14 << false << 10 << 14;
        QTest::newRow("after the end, distribution in the gap") << true << 0 << 10 << 12 << 14 << 14 << true << 10 << 14;
        QTest::newRow("inside, distribution later") << true << 0 << 10 << 7 << 4 << 4 << true << 4 << 4;
        QTest::newRow("inside, distribution on that day") << true << 0 << 10 << 4 << 4 << 4 << false << 4 << 4;
        QTest::newRow("before the start, no distribution") << true << 7 << 10 << -1 << 1 << 2 << false << 1 << 7;
        QTest::newRow("before the start, distribution later") << true << 7 << 10 << 9 << 1 << 2 << true << 1 << 7;
        QTest::newRow("first prices of the issue") << false << -1 << -1 << -1 << 3 << 8 << false << 3 << 8;
        QTest::newRow("first prices, distribution inside them") << false << -1 << -1 << 5 << 3 << 8 << true << 3 << 8;
    }
    void plan()
    {
        QFETCH(bool, hadPrices);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(int, latestEx);
        QFETCH(int, minDay);
        QFETCH(int, maxDay);
        QFETCH(bool, full);
        QFETCH(int, from);
        QFETCH(int, to);
        const PriceDateRange before =
            hadPrices ? PriceDateRange{true, base() + first, base() + last} : PriceDateRange{};
        const LatestExDate latest = latestEx < 0 ? LatestExDate{} : LatestExDate{true, base() + latestEx};
        const UpdatePlan p = PlanPriceUpdate(before, latest, base() + minDay, base() + maxDay);
        QCOMPARE(p.kind == UpdatePlan::Kind::FullRebuild, full);
        QCOMPARE(p.from, base() + from);
        QCOMPARE(p.to, base() + to);
    }

    // A price written inside the range with no later distribution: the filled holes
    // after it must carry the new price (as a rebuild would), up to the next price.
    void incrementalInsideRangeRecarriesHoles()
    {
        History h = parseHistory("0:10 3:12 4:13");
        RebuildHistory(h, {}, false);
        store(h, base() + 0, 11);
        const UpdatePlan p = PlanPriceUpdate({true, base(), base() + 4}, {}, base(), base());
        QCOMPARE(p.kind, UpdatePlan::Kind::FillStretch);
        ApplyPlan(h, p, {}, false);
        QVERIFY2(sameHistory(h, parseHistory("0:11/11 1:-/11 2:-/11 3:12/12 4:13/13"), true), qPrintable(show(h)));
    }

    // Generated histories: the rebuild equals the plain reference, is unchanged by a
    // second rebuild, and an update after stored prices equals a full rebuild.
    void generatedHistories()
    {
        QRandomGenerator rng(20261211);
        int incremental = 0, full = 0;
        for (int round = 0; round < 1500; ++round) {
            const Generated g = generate(rng);
            History h = g.h;
            RebuildHistory(h, g.dsbs, g.mm);
            const History ref = referenceRebuild(g.h, g.dsbs, g.mm);
            QVERIFY2(sameHistory(h, ref, false),
                     qPrintable(QStringLiteral("round %1\n got %2\nwant %3").arg(round).arg(show(h), show(ref))));
            for (size_t i = 1; i < h.size(); ++i)
                QVERIFY(h[i - 1].date <= h[i].date);

            History again = h;
            RebuildHistory(again, g.dsbs, g.mm);
            QVERIFY2(sameHistory(again, h, true), qPrintable(QStringLiteral("round %1 second rebuild").arg(round)));

            // New prices: after the end, before the start, or inside the range
            // (weekend days included), one to four of them.
            const PriceDateRange before = GetPriceDateRange(h);
            const Day lo = before.hasPrices ? before.first : base(), hi = before.hasPrices ? before.last : base() + 20;
            Day a;
            switch (rng.bounded(3)) {
            case 0: a = hi + 1 + int(rng.bounded(15)); break;
            case 1: a = lo - 15 + int(rng.bounded(15)); break;
            default: a = lo + int(rng.bounded(std::max(1, hi - lo + 1))); break;
            }
            const int count = 1 + int(rng.bounded(4));
            History updated = h;
            Day minDay = 0, maxDay = 0;
            for (int k = 0; k < count; ++k) {
                const Day d = a + int(rng.bounded(6));
                if (k == 0)
                    minDay = maxDay = d;
                store(updated, d, g.mm ? 1.0 : 1.0 + rng.generateDouble() * 30.0);
                minDay = std::min(minDay, d);
                maxDay = std::max(maxDay, d);
            }
            History rebuilt = updated;
            RebuildHistory(rebuilt, g.dsbs, g.mm);
            const UpdatePlan plan = PlanPriceUpdate(before, GetLatestExDate(g.dsbs), minDay, maxDay);
            (plan.kind == UpdatePlan::Kind::FillStretch ? incremental : full)++;
            ApplyPlan(updated, plan, g.dsbs, g.mm);
            QVERIFY2(sameHistory(updated, rebuilt, true),
                     qPrintable(QStringLiteral("round %1 update from %2 to %3\n got %4\nwant %5")
                                    .arg(round)
                                    .arg(plan.from - base())
                                    .arg(plan.to - base())
                                    .arg(show(updated), show(rebuilt))));
        }
        // Both paths of the update rule were exercised.
        QVERIFY(incremental > 300);
        QVERIFY(full > 300);
    }
};

QTEST_GUILESS_MAIN(TestAdjPriceEngine)
#include "tst_adjpriceengine.moc"
