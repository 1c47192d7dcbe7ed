// Guards the adjusted-price operations on the tables against: a rebuild through the
// tables that differs from the in-memory computation (rows lost, duplicated,
// written to another issue, or a partial read giving a wrong carried price), the
// update after stored prices leaving the issue different from a full rebuild,
// rewriting rows that did not change, a failing write leaving part of a pass in
// the tables or a transaction open, trimming and distribution deletion removing
// too much or too little, and a run over several issues ignoring Stop.
#include "../store/StoreFixture.h"
#include "HistoryGen.h"
#include "core/prices/AdjPrices.h"

#include <QtTest>

using namespace orv;
using namespace orv::prices;
using namespace orvtest;

namespace {

void insertHistory(ORVDataModule& dm, int mlID, const History& h)
{
    Transaction tx(dm);
    for (const PricePoint& p : h) {
        PriceRec r;
        r.MLID = mlID;
        r.Date = p.date;
        r.Price = p.price;
        r.AdjPrice = p.adjPrice;
        const auto res = store::insertRow(dm, store::TableId::Prices, store::toFields(r));
        if (!res)
            qFatal("insert failed: %s", qPrintable(res.message().text));
    }
    QVERIFY(tx.commit().ok());
}

void insertDsbs(ORVDataModule& dm, int mlID, const std::vector<Dsb>& dsbs)
{
    for (const Dsb& d : dsbs) {
        DistributionRec r;
        r.MLID = mlID;
        r.ExDate = r.RecDate = r.PayDate = d.exDate;
        r.Total = d.total;
        r.Income = d.total;
        r.ReinvestPri = d.reinvestPri;
        r.SplitFactor = 1.0;
        const auto res = store::insertDistribution(dm, r);
        if (!res)
            qFatal("insert failed: %s", qPrintable(res.message().text));
    }
}

History readHistory(ORVDataModule& dm, int mlID)
{
    History h;
    for (const PriceRec& r : store::pricesOf(dm, mlID))
        h.push_back({r.Date, r.Price, r.AdjPrice});
    return h;
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

#define COMPARE_HISTORY(got, want)                                                                    \
    QVERIFY2((got) == (want), qPrintable(QStringLiteral("\n got %1\nwant %2").arg(show(got), show(want))))

// Counts the rows written to Prices through temporary triggers.
struct WriteCounter {
    ORVDataModule& dm;
    explicit WriteCounter(ORVDataModule& d) : dm(d)
    {
        QVERIFY(dm.exec("CREATE TEMP TABLE IF NOT EXISTS writes(n INTEGER)").ok());
        QVERIFY(dm.exec("DELETE FROM temp.writes").ok());
        QVERIFY(dm.exec("INSERT INTO temp.writes VALUES (0)").ok());
        QVERIFY(dm.exec("CREATE TEMP TRIGGER IF NOT EXISTS count_ins AFTER INSERT ON Prices "
                        "BEGIN UPDATE writes SET n = n + 1; END")
                    .ok());
        QVERIFY(dm.exec("CREATE TEMP TRIGGER IF NOT EXISTS count_upd AFTER UPDATE ON Prices "
                        "BEGIN UPDATE writes SET n = n + 1; END")
                    .ok());
    }
    int count()
    {
        Query q = dm.query("SELECT n FROM temp.writes");
        return q.next() ? int(q.int64(0)) : -1;
    }
    void reset() { QVERIFY(dm.exec("UPDATE temp.writes SET n = 0").ok()); }
};

class RecordingProgress : public Progress {
public:
    int maximum = -1;
    int stepped = 0;
    int issuesDone = 0;
    int cancelAfter = -1;  // issues finished before Stop is pressed
    QStringList statuses;
    void setRange(int m) override
    {
        maximum = m;
        stepped = 0;
    }
    void setStatus(const QString& t) override
    {
        statuses << t;
        if (t.isEmpty())
            ++issuesDone;
    }
    void step(int by) override { stepped += by; }
    bool cancelled() const override { return cancelAfter >= 0 && issuesDone >= cancelAfter; }
};

}  // namespace

class TestAdjPrices : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Generated issues rebuilt through the tables give what the in-memory engine
    // gives, by the combined operation and by the single steps, and the issue
    // stored between them is not touched.
    void rebuildMatchesEngine_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 s : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u})
            QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(s))) << s;
    }
    void rebuildMatchesEngine()
    {
        QFETCH(quint32, seed);
        QRandomGenerator rng(seed);
        OpenStore s;
        const Generated g = generate(rng);
        const int a = int(addML(s.dm, "A", 1, 0, g.mm ? "Money Market Fund" : "Mutual Fund"));
        const int other = int(addML(s.dm, "Other", 2, 0));
        const int b = int(addML(s.dm, "B", 3, 0, g.mm ? "Money Market Fund" : "Mutual Fund"));
        insertHistory(s.dm, a, g.h);
        insertHistory(s.dm, b, g.h);
        const History otherRows = generate(rng).h;
        insertHistory(s.dm, other, otherRows);
        insertDsbs(s.dm, a, g.dsbs);
        insertDsbs(s.dm, b, g.dsbs);

        History want = g.h;
        RebuildHistory(want, g.dsbs, g.mm);

        RecordingProgress bar;
        QVERIFY(RebuildIssue(s.dm, a, bar).ok());
        COMPARE_HISTORY(readHistory(s.dm, a), want);
        QCOMPARE(bar.maximum, int(want.size()));
        QCOMPARE(bar.stepped, bar.maximum);

        NullProgress none;
        QVERIFY(FillHolesAndResetAdjPrices(s.dm, b, none).ok());
        QVERIFY(AdjustForDsbs(s.dm, b, none).ok());
        COMPARE_HISTORY(readHistory(s.dm, b), want);

        COMPARE_HISTORY(readHistory(s.dm, other), otherRows);
        QCOMPARE(s.dm.transactionDepth(), 0);

        // A rebuild of a rebuilt issue writes nothing.
        WriteCounter writes(s.dm);
        QVERIFY(RebuildIssue(s.dm, a, none).ok());
        QCOMPARE(writes.count(), 0);

        // A new distribution: reset and adjust again.
        const Dsb extra{g.h.empty() ? base() : g.h[g.h.size() / 2].date, 0.4, 12.0};
        insertDsbs(s.dm, a, {extra});
        std::vector<Dsb> all = g.dsbs;
        all.push_back(extra);
        History want2 = want;
        ResetAdjPrices(want2);
        prices::AdjustForDsbs(want2, all);
        QVERIFY(ResetAndAdjustForDsbs(s.dm, a, none).ok());
        COMPARE_HISTORY(readHistory(s.dm, a), want2);
        QVERIFY(ResetAdjPrices(s.dm, a, none).ok());
        QVERIFY(AdjustForDsbs(s.dm, a, none).ok());
        COMPARE_HISTORY(readHistory(s.dm, a), want2);
    }

    // Prices stored on a rebuilt issue: the update rule leaves it as a full rebuild
    // would, and the incremental path writes only the rows it has to.
    void updateAfterStoredPrices_data()
    {
        QTest::addColumn<QString>("days");  // offsets from the first Monday, "+price" each
        QTest::addColumn<int>("exDate");    // offset; -100 for none
        QTest::addColumn<bool>("incremental");
        QTest::addColumn<int>("maxWrites");
        // History: Monday to Friday of weeks 0..3 (days 0..25) with holes on days 8, 9, 15.
        QTest::newRow("next day after the end") << "28+13" << -100 << true << 2;
        QTest::newRow("after a gap, older distribution") << "35+13" << 10 << true << 7;
        QTest::newRow("after the end, distribution in the gap") << "35+13" << 27 << false << 1000;
        QTest::newRow("inside, before the holes, no distribution") << "7+20" << -100 << true << 3;
        QTest::newRow("inside, distribution later") << "7+20" << 14 << false << 1000;
        QTest::newRow("before the start") << "-10+9" << -100 << true << 9;
        QTest::newRow("several days, one on a weekend") << "29+13 33+14 30+12" << 2 << true << 6;
    }
    void updateAfterStoredPrices()
    {
        QFETCH(QString, days);
        QFETCH(int, exDate);
        QFETCH(bool, incremental);
        QFETCH(int, maxWrites);
        OpenStore s;
        const int id = int(addML(s.dm, "F", 1, 0));
        History h;
        for (int d = 0; d <= 25; ++d)
            if (!isWeekend(base() + d) && d != 8 && d != 9 && d != 15)
                h.push_back({base() + d, 10.0 + d * 0.1, 0.0});
        insertHistory(s.dm, id, h);
        if (exDate != -100)
            insertDsbs(s.dm, id, {{base() + exDate, 0.5, 10.0}});
        NullProgress none;
        QVERIFY(RebuildIssue(s.dm, id, none).ok());

        const PriceDateRange before = GetPriceDateRange(s.dm, id);
        QCOMPARE(before.first, base());
        QCOMPARE(before.last, base() + 25);
        Day lo = 1 << 30, hi = -(1 << 30);
        for (const QString& tok : days.split(' ')) {
            const QStringList f = tok.split('+');
            const Day d = base() + f[0].toInt();
            lo = std::min(lo, d);
            hi = std::max(hi, d);
            QVERIFY(StorePrice(s.dm, id, f[1].toDouble(), d).ok());
        }
        WriteCounter writes(s.dm);
        RecordingProgress bar;
        QVERIFY(UpdateAfterPricesStored(s.dm, id, before, lo, hi, bar).ok());
        QCOMPARE(bar.statuses.contains(holesStatusText()), incremental);
        QCOMPARE(bar.statuses.last(), QString());
        QVERIFY2(writes.count() <= maxWrites, qPrintable(QString::number(writes.count())));

        const History got = readHistory(s.dm, id);
        std::vector<Dsb> dsbs;
        if (exDate != -100)
            dsbs.push_back({base() + exDate, 0.5, 10.0});
        History want = got;
        RebuildHistory(want, dsbs, false);
        COMPARE_HISTORY(got, want);
    }

    // A write that fails in the middle of a pass: nothing of the pass stays, no
    // transaction stays open, and the next pass works.
    void failingWriteRollsBack_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::newRow("insert of a hole fails")
            << "CREATE TEMP TRIGGER boom BEFORE INSERT ON Prices WHEN NEW.Date = %1 "
               "BEGIN SELECT RAISE(ABORT, 'disk full'); END";
        QTest::newRow("update of an adjusted price fails")
            << "CREATE TEMP TRIGGER boom BEFORE UPDATE ON Prices WHEN NEW.Date = %1 "
               "BEGIN SELECT RAISE(ABORT, 'disk full'); END";
    }
    void failingWriteRollsBack()
    {
        QFETCH(QString, trigger);
        OpenStore s;
        const int id = int(addML(s.dm, "F", 1, 0));
        // Days 0..11 priced except 3 and 10 (holes); a distribution on day 9.
        History h;
        for (int d = 0; d <= 11; ++d)
            if (!isWeekend(base() + d) && d != 3 && d != 10)
                h.push_back({base() + d, 20.0 + d, 20.0 + d});
        insertHistory(s.dm, id, h);
        insertDsbs(s.dm, id, {{base() + 9, 1.0, 20.0}});
        const History before = readHistory(s.dm, id);
        // Fails late in the pass (the hole on day 10, or the update of day 8).
        const Day failDay = base() + (trigger.contains("INSERT") ? 10 : 8);
        QVERIFY(s.dm.exec(trigger.arg(double(failDay))).ok());

        NullProgress none;
        const Status st = RebuildIssue(s.dm, id, none);
        QVERIFY(!st.ok());
        QVERIFY2(st.message().text.contains("disk full"), qPrintable(st.message().text));
        QCOMPARE(s.dm.transactionDepth(), 0);
        COMPARE_HISTORY(readHistory(s.dm, id), before);
        // The open cursor sees the old rows too.
        Table& t = s.dm.fftblPrices();
        QVERIFY(t.setRange({id}).ok());
        QCOMPARE(t.recordCount(), int(before.size()));
        t.cancelRange();

        QVERIFY(s.dm.exec("DROP TRIGGER temp.boom").ok());
        QVERIFY(RebuildIssue(s.dm, id, none).ok());
        History want = before;
        RebuildHistory(want, {{base() + 9, 1.0, 20.0}}, false);
        COMPARE_HISTORY(readHistory(s.dm, id), want);
        QVERIFY(t.setRange({id}).ok());
        QCOMPARE(t.recordCount(), int(want.size()));
    }

    void trimNullPriceEnds_data()
    {
        QTest::addColumn<QString>("rows");  // offset, "-" for a null price
        QTest::addColumn<QString>("kept");
        QTest::newRow("both ends") << "0- 1- 2 3- 4 7- 8-" << "2 3- 4";
        QTest::newRow("all null") << "0- 1- 2-" << "";
        QTest::newRow("nothing to trim") << "0 1- 2" << "0 1- 2";
    }
    void trimNullPriceEnds()
    {
        QFETCH(QString, rows);
        QFETCH(QString, kept);
        OpenStore s;
        const int id = int(addML(s.dm, "F", 1, 0));
        const int other = int(addML(s.dm, "G", 2, 0));
        auto parse = [](const QString& text) {
            History h;
            for (const QString& tok : text.split(' ', Qt::SkipEmptyParts)) {
                PricePoint p;
                p.date = base() + tok.left(tok.size() - (tok.endsWith('-') ? 1 : 0)).toInt();
                if (!tok.endsWith('-'))
                    p.price = 5.0;
                h.push_back(p);
            }
            return h;
        };
        insertHistory(s.dm, id, parse(rows));
        insertHistory(s.dm, other, parse("0- 1 2-"));
        QVERIFY(TrimNullPriceEnds(s.dm, id).ok());
        COMPARE_HISTORY(readHistory(s.dm, id), parse(kept));
        QCOMPARE(readHistory(s.dm, other).size(), size_t(3));
    }

    void deleteDsbsAfterDate()
    {
        OpenStore s;
        const int id = int(addML(s.dm, "F", 1, 0));
        const int other = int(addML(s.dm, "G", 2, 0));
        insertDsbs(s.dm, id,
                   {{base() + 1, 1, 10}, {base() + 4, 1, 10}, {base() + 5, 1, 10}, {base() + 6, 1, 10},
                    {base() + 9, 1, 10}});
        insertDsbs(s.dm, other, {{base() + 9, 1, 10}});
        // An ex-date stored with a time of day counts as its rounded day: 4.3 is
        // day 4, not later than 4; 8.6 is day 9.
        QVERIFY(s.dm.exec(QStringLiteral("UPDATE Distributions.Distributions SET ExDate = ExDate + 0.3 WHERE MLID = ? "
                                         "AND ExDate = ?"),
                          {id, double(base() + 4)})
                    .ok());
        QVERIFY(s.dm.exec(QStringLiteral("UPDATE Distributions.Distributions SET ExDate = ExDate - 0.4 WHERE MLID = ? "
                                         "AND ExDate = ?"),
                          {id, double(base() + 9)})
                    .ok());
        QCOMPARE(GetLatestExDate(s.dm, id).exDate, base() + 9);
        // Three distributions later than the date: all three go.
        QVERIFY(DeleteDsbsAfterDate(s.dm, id, base() + 4).ok());
        QCOMPARE(store::distributionsOf(s.dm, id).size(), size_t(2));
        QCOMPARE(GetLatestExDate(s.dm, id).exDate, base() + 4);
        QVERIFY(DeleteDsbsAfterDate(s.dm, id, -1).ok());
        QVERIFY(!GetLatestExDate(s.dm, id).hasDsbs);
        QCOMPARE(GetLatestExDate(s.dm, id).exDate, -1);
        QCOMPARE(store::distributionsOf(s.dm, other).size(), size_t(1));
    }

    void storePriceAndRange()
    {
        OpenStore s;
        const int id = int(addML(s.dm, "F", 1, 0));
        const PriceDateRange none = GetPriceDateRange(s.dm, id);
        QVERIFY(!none.hasPrices);
        QCOMPARE(none.first, -1);
        QCOMPARE(none.last, -1);
        QVERIFY(StorePrice(s.dm, id, 12.5, base() + 3).ok());
        QVERIFY(StorePrice(s.dm, id, 11.0, base() + 1).ok());
        QVERIFY(StorePrice(s.dm, id, 13.0, base() + 3).ok());  // edits the record
        const History h = readHistory(s.dm, id);
        COMPARE_HISTORY(h, (History{{base() + 1, 11.0, 11.0}, {base() + 3, 13.0, 13.0}}));
        const PriceDateRange r = GetPriceDateRange(s.dm, id);
        QVERIFY(r.hasPrices);
        QCOMPARE(r.first, base() + 1);
        QCOMPARE(r.last, base() + 3);
        QVERIFY(!StorePrice(s.dm, id, std::nan(""), base() + 4).ok());
        QCOMPARE(readHistory(s.dm, id).size(), size_t(2));
    }

    // Stop pressed while the first issue is rebuilt: that issue is finished, the
    // next one is not started.
    void rebuildIssuesStopsBetweenIssues()
    {
        OpenStore s;
        const int a = int(addML(s.dm, "A", 1, 0));
        const int b = int(addML(s.dm, "B", 2, 0));
        const History h{{base(), 10.0, 10.0}, {base() + 3, 12.0, 12.0}};
        insertHistory(s.dm, a, h);
        insertHistory(s.dm, b, h);
        RecordingProgress bar;
        bar.cancelAfter = 1;
        const Result<int> done = RebuildIssues(s.dm, {a, b}, bar);
        QVERIFY(done.ok());
        QCOMPARE(done.value(), 1);
        QCOMPARE(readHistory(s.dm, a).size(), size_t(4));
        QCOMPARE(readHistory(s.dm, b).size(), size_t(2));
        QCOMPARE(bar.statuses.first(), fillStatusText());

        RecordingProgress go;
        QCOMPARE(RebuildIssues(s.dm, {a, b}, go).value(), 2);
        QCOMPARE(readHistory(s.dm, b).size(), size_t(4));
    }
};

QTEST_GUILESS_MAIN(TestAdjPrices)
#include "tst_adjprices.moc"
