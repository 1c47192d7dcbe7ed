// Guards the price entry rules against: a type accepting a price it must refuse
// (zero or negative fund prices, money market prices other than 1) or storing a
// money market price other than exactly 1.0; a year view with weekend rows, more
// than 262 rows, a missing "Fri  " prefix or a filled hole shown as a price; a
// wrong data-range text; Save leaving holes unfilled or adjusted prices stale;
// the date-window update rule touching older adjusted prices when only a new
// stretch was added, or skipping the rebuild when a distribution lies on or after
// the date; "$" rows not written as 1.0; the empty marker written as a price; a
// delete that leaves distributions after the last price or trailing holes; and a
// refused write leaving part of a batch stored.
#include "../store/StoreFixture.h"
#include "core/base/Format.h"
#include "core/prices/PriceEntry.h"

#include <QtTest>
#include <cmath>
#include <limits>

using namespace orv;
using namespace orv::prices;
using namespace orvtest;

namespace {

Day d(int y, int m, int dd) { return dayFromDate(QDate(y, m, dd)); }

void addDsb(ORVDataModule& dm, int mlID, Day ex, double total, double reinvest)
{
    DistributionRec r;
    r.MLID = mlID;
    r.ExDate = r.RecDate = r.PayDate = ex;
    r.Total = r.Income = total;
    r.ReinvestPri = reinvest;
    r.SplitFactor = 1.0;
    QVERIFY(store::insertDistribution(dm, r).ok());
}

void storeAndRebuild(ORVDataModule& dm, int mlID, const std::vector<std::pair<Day, double>>& ps)
{
    NullProgress bar;
    for (const auto& [day, v] : ps)
        QVERIFY(StorePrice(dm, mlID, v, day).ok());
    QVERIFY(RebuildIssue(dm, mlID, bar).ok());
}

std::optional<PriceRec> on(ORVDataModule& dm, int mlID, Day day) { return store::priceOn(dm, mlID, day); }

}  // namespace

class TestPriceEntry : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { initSharedFormats(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void acceptPrice_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<double>("stored");
        const QString mf = "Mutual Fund", mm = "Money Market Fund", lin = "Linear type";
        QTest::newRow("fund price") << mf << 12.5 << true << 12.5;
        QTest::newRow("fund tiny price") << mf << 0.000001 << true << 0.000001;
        QTest::newRow("fund at threshold") << mf << 0.0000009 << false << 0.0;
        QTest::newRow("fund zero") << mf << 0.0 << false << 0.0;
        QTest::newRow("fund negative") << mf << -3.0 << false << 0.0;
        QTest::newRow("stock zero") << "Stock" << 0.0 << false << 0.0;
        QTest::newRow("mm near one") << mm << 1.0000004 << true << 1.0;
        QTest::newRow("mm one") << mm << 1.0 << true << 1.0;
        QTest::newRow("mm 0.98") << mm << 0.98 << false << 0.0;
        QTest::newRow("mm 1.000001") << mm << 1.000001 << false << 0.0;
        QTest::newRow("mm type with blanks") << "Money Market Fund  " << 1.0000004 << true << 1.0;
        QTest::newRow("linear zero") << lin << 0.0 << true << 0.0;
        QTest::newRow("linear negative") << lin << -42.25 << true << -42.25;
        QTest::newRow("linear just above limit") << lin << -999999999.998 << true << -999999999.998;
        QTest::newRow("linear at limit") << lin << -999999999.999 << false << 0.0;
        QTest::newRow("linear empty marker") << lin << NoPrice << false << 0.0;
        QTest::newRow("fund nan") << mf << std::nan("") << false << 0.0;
        QTest::newRow("linear infinity") << lin << std::numeric_limits<double>::infinity() << false << 0.0;
    }
    void acceptPrice()
    {
        QFETCH(QString, type);
        QFETCH(double, value);
        QFETCH(bool, accepted);
        QFETCH(double, stored);
        const auto got = AcceptPrice(type, value);
        QCOMPARE(got.has_value(), accepted);
        if (accepted)
            QCOMPARE(*got, stored);  // exact: a money market fund stores 1.0, not 1.0000004
    }

    void yearRows_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("rows");
        QTest::newRow("2000 leap, starts Saturday") << 2000 << 260;
        QTest::newRow("2004 leap, starts Thursday") << 2004 << 262;
        QTest::newRow("2021 starts Friday") << 2021 << 261;
        QTest::newRow("2023 starts Sunday") << 2023 << 260;
    }
    void yearRows()
    {
        QFETCH(int, year);
        QFETCH(int, rows);
        OpenStore s;
        const int a = int(addML(s.dm, "A", 1, 0));
        const auto got = YearRows(s.dm, a, year);
        QCOMPARE(int(got.size()), rows);
        QVERIFY(int(got.size()) <= kYearRowsMax);
        for (const YearRow& r : got) {
            QVERIFY(!isWeekend(r.date));
            QVERIFY(r.text.size() <= 16);
            QCOMPARE(r.text.startsWith("Fri  "), weekday(r.date) == Wd::Friday);
            QVERIFY(isNoPrice(r.price));
        }
        QCOMPARE(got.front().date >= d(year, 1, 1), true);
        QCOMPARE(got.back().date <= d(year, 12, 31), true);
    }

    void yearRowsShowPricesNotHoles()
    {
        OpenStore s;
        const int a = int(addML(s.dm, "A", 1, 0));
        // Monday and Thursday priced; Tuesday and Wednesday become filled holes.
        storeAndRebuild(s.dm, a, {{d(2024, 1, 8), 10.0}, {d(2024, 1, 11), 11.0}});
        QVERIFY(on(s.dm, a, d(2024, 1, 9)).has_value());
        const auto rows = YearRows(s.dm, a, 2024);
        auto priceOf = [&](Day day) {
            for (const YearRow& r : rows)
                if (r.date == day)
                    return r.price;
            return -1.0;
        };
        QCOMPARE(priceOf(d(2024, 1, 8)), 10.0);
        QVERIFY(isNoPrice(priceOf(d(2024, 1, 9))));
        QCOMPARE(priceOf(d(2024, 1, 11)), 11.0);
        QVERIFY(isNoPrice(priceOf(d(2024, 1, 12))));
        QCOMPARE(yearRowText(d(2024, 1, 12)), QStringLiteral("Fri  1/12/2024"));
        QCOMPARE(yearRowText(d(2024, 1, 11)), QStringLiteral("1/11/2024"));
    }

    void dataRange()
    {
        QCOMPARE(dataRangeText({}), QStringLiteral("No data entered."));
        QCOMPARE(dataRangeText({true, d(2024, 1, 8), d(2024, 3, 1)}),
                 QStringLiteral("Prices exist from:  1/8/2024  to  3/1/2024"));
    }

    // Save of the year view fills the holes and applies the distributions, and
    // the empty marker is never stored.
    void saveYearRows()
    {
        OpenStore s;
        const int a = int(addML(s.dm, "A", 1, 0));
        addDsb(s.dm, a, d(2024, 1, 10), 1.0, 10.0);
        auto rows = YearRows(s.dm, a, 2024);
        for (YearRow& r : rows) {
            if (r.date == d(2024, 1, 8))
                r.price = 10.0;
            if (r.date == d(2024, 1, 11))
                r.price = 12.0;
        }
        NullProgress bar;
        QVERIFY(SaveYearRows(s.dm, a, rows, bar).ok());
        const auto all = store::pricesOf(s.dm, a);
        QCOMPARE(int(all.size()), 4);  // Mon, Tue, Wed (hole), Thu
        QCOMPARE(all[0].AdjPrice, 10.0 * 10.0 / 11.0);
        QCOMPARE(all[1].Price.has_value(), false);
        QCOMPARE(all[1].AdjPrice, 10.0 * 10.0 / 11.0);
        QCOMPARE(all[2].AdjPrice, 10.0);  // on the ex-date: not its own factor
        QCOMPARE(all[3].AdjPrice, 12.0);
        for (const PriceRec& r : all)
            QVERIFY(!r.Price || *r.Price > 0);
    }

    // The date-window update rule: a later price with no later distribution only
    // fills the new stretch; a price on or before the latest ex-date rebuilds.
    void saveDateRowsUpdateRule()
    {
        OpenStore s;
        const int a = int(addML(s.dm, "A", 1, 0));
        const int b = int(addML(s.dm, "B", 2, 0));
        storeAndRebuild(s.dm, a, {{d(2024, 1, 8), 10.0}, {d(2024, 1, 9), 10.5}});
        storeAndRebuild(s.dm, b, {{d(2024, 1, 8), 20.0}, {d(2024, 1, 12), 22.0}});
        addDsb(s.dm, b, d(2024, 1, 12), 2.0, 20.0);
        NullProgress nb;
        QVERIFY(RebuildIssue(s.dm, b, nb).ok());
        // Mark A's older adjusted price: a fill of the new stretch must not rewrite it.
        QVERIFY(s.dm.exec(QStringLiteral("UPDATE %1 SET AdjPrice = 99 WHERE MLID = ? AND Date = ?")
                              .arg(ORVDataModule::qualified(store::TableId::Prices)),
                          {a, double(d(2024, 1, 8))})
                    .ok());

        std::vector<DateRow> rows = ColumnRows(s.dm, 0);
        QCOMPARE(int(rows.size()), 2);
        LoadDatePrices(s.dm, rows, d(2024, 1, 12));
        QVERIFY(isNoPrice(rows[0].price));
        QCOMPARE(rows[1].price, 22.0);
        rows[0].price = 11.0;  // A: later than its last price, no distribution
        rows[1].price = 24.0;  // B: on its latest ex-date
        NullProgress bar;
        const auto written = SaveDateRows(s.dm, rows, d(2024, 1, 12), bar);
        QVERIFY(written.ok());
        QCOMPARE(*written, 2);
        QCOMPARE(rows[0].loadedPrice, 11.0);
        // A: holes Wed, Thu carry Tuesday's price; Monday untouched.
        QCOMPARE(on(s.dm, a, d(2024, 1, 10))->AdjPrice, 10.5);
        QCOMPARE(on(s.dm, a, d(2024, 1, 11))->Price.has_value(), false);
        QCOMPARE(on(s.dm, a, d(2024, 1, 12))->AdjPrice, 11.0);
        QCOMPARE(on(s.dm, a, d(2024, 1, 8))->AdjPrice, 99.0);
        // B: rebuilt, older records carry the factor 20/22.
        QCOMPARE(on(s.dm, b, d(2024, 1, 12))->AdjPrice, 24.0);
        QCOMPARE(on(s.dm, b, d(2024, 1, 8))->AdjPrice, 20.0 * 20.0 / 22.0);
        QCOMPARE(on(s.dm, b, d(2024, 1, 11))->AdjPrice, 20.0 * 20.0 / 22.0);
        // Nothing changed any more: a second save writes nothing.
        QCOMPARE(*SaveDateRows(s.dm, rows, d(2024, 1, 12), bar), 0);
    }

    // "$" entries are written as 1.0 even when nothing was typed for them; an
    // entry without prices before gets just its record.
    void dollarRowsWrittenAsOne()
    {
        OpenStore s;
        const int m = int(addML(s.dm, "$Cash", 1, 3, "Money Market Fund"));
        const int f = int(addML(s.dm, "Fund", 2, 3));
        auto rows = AlphaRows(s.dm);
        QCOMPARE(rows[0].shortName, QStringLiteral("$Cash"));
        LoadDatePrices(s.dm, rows, d(2024, 2, 7));
        NullProgress bar;
        QCOMPARE(*SaveDateRows(s.dm, rows, d(2024, 2, 7), bar), 1);
        QCOMPARE(*on(s.dm, m, d(2024, 2, 7))->Price, 1.0);
        QCOMPARE(store::pricesOf(s.dm, f).size(), size_t(0));
        // The empty marker of an untouched row is never stored.
        rows[1].loadedPrice = 5.0;
        rows[1].price = NoPrice;
        QVERIFY(!rowChanged(rows[1]));
    }

    // Deleting prices cascades to the distributions after the new last price and
    // trims trailing holes; deleting the last price deletes every distribution.
    void deleteCascade_data()
    {
        QTest::addColumn<QList<int>>("deleteDays");  // days of January 2024
        QTest::addColumn<int>("recordsLeft");
        QTest::addColumn<int>("dsbsLeft");
        QTest::newRow("newest price") << QList<int>{19} << 5 << 1;
        QTest::newRow("middle price") << QList<int>{12} << 9 << 2;
        QTest::newRow("every price") << QList<int>{8, 12, 19} << 0 << 0;
        QTest::newRow("a hole day") << QList<int>{9} << 10 << 2;
    }
    void deleteCascade()
    {
        QFETCH(QList<int>, deleteDays);
        QFETCH(int, recordsLeft);
        QFETCH(int, dsbsLeft);
        OpenStore s;
        const int a = int(addML(s.dm, "A", 1, 0));
        storeAndRebuild(s.dm, a, {{d(2024, 1, 8), 10.0}, {d(2024, 1, 12), 11.0}, {d(2024, 1, 19), 12.0}});
        addDsb(s.dm, a, d(2024, 1, 10), 1.0, 10.0);
        addDsb(s.dm, a, d(2024, 1, 17), 1.0, 10.0);
        std::vector<Day> days;
        for (int x : deleteDays)
            days.push_back(d(2024, 1, x));
        const auto res = DeletePricesOn(s.dm, a, days);
        QVERIFY(res.ok());
        QCOMPARE(int(store::pricesOf(s.dm, a).size()), recordsLeft);
        QCOMPARE(int(store::distributionsOf(s.dm, a).size()), dsbsLeft);
        if (recordsLeft) {
            const auto all = store::pricesOf(s.dm, a);
            QVERIFY(all.front().Price.has_value());
            QVERIFY(all.back().Price.has_value());
        }
    }

    void deleteDateRowRebuilds()
    {
        OpenStore s;
        const int a = int(addML(s.dm, "A", 1, 0));
        storeAndRebuild(s.dm, a, {{d(2024, 1, 8), 10.0}, {d(2024, 1, 9), 11.0}, {d(2024, 1, 10), 12.0}});
        auto rows = ColumnRows(s.dm, 0);
        LoadDatePrices(s.dm, rows, d(2024, 1, 9));
        QCOMPARE(rows[0].price, 11.0);
        NullProgress bar;
        const auto gone = DeleteDateRow(s.dm, rows[0], d(2024, 1, 9), bar);
        QVERIFY(gone.ok());
        QVERIFY(*gone);
        QVERIFY(isNoPrice(rows[0].price));
        QVERIFY(isNoPrice(rows[0].loadedPrice));
        // The day became a filled hole carrying Monday's price.
        const auto rec = on(s.dm, a, d(2024, 1, 9));
        QVERIFY(rec.has_value());
        QVERIFY(!rec->Price.has_value());
        QCOMPARE(rec->AdjPrice, 10.0);
        // A day without a price: nothing deleted, no error.
        QCOMPARE(*DeleteDateRow(s.dm, rows[0], d(2024, 1, 9), bar), false);
    }

    // A refused price in a batch leaves none of the batch stored.
    void refusedWriteRollsBack()
    {
        OpenStore s;
        const int a = int(addML(s.dm, "A", 1, 0));
        storeAndRebuild(s.dm, a, {{d(2024, 1, 8), 10.0}});
        NullProgress bar;
        const Status st = StorePricesAndUpdate(s.dm, a, {{d(2024, 1, 15), 12.0}, {d(2024, 1, 16), std::nan("")}}, bar);
        QVERIFY(!st.ok());
        QCOMPARE(int(store::pricesOf(s.dm, a).size()), 1);
        QCOMPARE(s.dm.transactionDepth(), 0);
    }
};

QTEST_GUILESS_MAIN(TestPriceEntry)
#include "tst_priceentry.moc"
