// Guards the Delete Entry cascade: exactly the entry's rows go from every table
// (prices, distributions, transactions in all portfolios, holdings rows, the entry,
// its allocation rows) while another entry's rows stay; one progress step per
// deleted record and the three steps reported in order; a failure at any point
// rolls everything back (no half-deleted issue) and keeps the portfolio list file;
// the "[Pf]Multiple" list file is removed only for such an entry; the question
// keeps the name as it is, three blanks on each side.
#include "../store/StoreFixture.h"

#include "core/masterlist/AllocAssignments.h"
#include "core/masterlist/EntryDelete.h"

using namespace orv;
using namespace orvtest;
using store::TableId;

namespace {

struct RecordingProgress : Progress {
    QList<int> ranges;
    int steps = 0;
    void setRange(int maximum) override { ranges << maximum; }
    void setStatus(const QString&) override {}
    void step(int by) override { steps += by; }
    bool cancelled() const override { return false; }
};

int count(ORVDataModule& dm, TableId t, int mlID)
{
    Query q = dm.query("SELECT count(*) FROM " + ORVDataModule::qualified(t) + " WHERE MLID = ?");
    q.bind(1, mlID);
    return q.next() ? int(q.int64(0)) : -1;
}

const QList<TableId> kIssueTables{TableId::MasterList,   TableId::AssetAllocValues, TableId::Prices,
                                  TableId::Distributions, TableId::Transactions,   TableId::TransxSummary};

QList<int> counts(ORVDataModule& dm, int mlID)
{
    QList<int> c;
    for (TableId t : kIssueTables)
        c << count(dm, t, mlID);
    return c;
}

// An issue with `prices` prices, two distributions, transactions in two
// portfolios and the holdings rows for them.
int addIssue(ORVDataModule& dm, const QString& name, int row, int prices)
{
    const int id = int(addML(dm, name, row, 0));
    if (!CreateAllocationRows(dm, id))
        qFatal("allocation rows");
    for (int i = 0; i < prices; ++i) {
        PriceRec p;
        p.MLID = id;
        p.Date = 45000 + i;
        p.Price = 10.0 + i;
        p.AdjPrice = 10.0 + i;
        if (!store::storePriceRow(dm, p))
            qFatal("price");
    }
    for (int i = 0; i < 2; ++i) {
        DistributionRec d;
        d.MLID = id;
        d.ExDate = 45001 + i;
        d.Total = 0.5;
        d.Income = 0.5;
        if (!store::insertDistribution(dm, d))
            qFatal("distribution");
    }
    for (int pf = 1; pf <= 2; ++pf) {
        addTx(dm, pf, id, 45001, "Buy", 10);
        addTx(dm, pf, id, 45002, "Sell", 4);
        TransxSummaryRec h;
        h.PfID = pf;
        h.MLID = id;
        h.Shares = 6;
        h.Reinvest = "All";
        if (!store::insertRow(dm, TableId::TransxSummary, store::toFields(h)))
            qFatal("holding");
    }
    return id;
}

}  // namespace

class TestEntryDelete : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void removesExactlyTheEntrysRows()
    {
        OpenStore s;
        const int a = addIssue(s.dm, "Alpha", 1, 5);
        const int b = addIssue(s.dm, "Beta", 2, 3);
        const QList<int> before = counts(s.dm, b);
        QCOMPARE(counts(s.dm, a), (QList<int>{1, 10, 5, 2, 4, 2}));

        RecordingProgress progress;
        QList<DeleteEntryStep> steps;
        const Status st = DeleteEntry(s.dm, a, s.folders.tmp.path() + "/", progress,
                                      [&](DeleteEntryStep step) { steps << step; });
        QVERIFY2(st.ok(), qPrintable(st.ok() ? QString() : st.message().text));
        QCOMPARE(counts(s.dm, a), (QList<int>{0, 0, 0, 0, 0, 0}));
        QCOMPARE(counts(s.dm, b), before);
        QCOMPARE(progress.ranges, (QList<int>{5, 2, 4}));
        QCOMPARE(progress.steps, 11);
        QCOMPARE(steps, (QList<DeleteEntryStep>{DeleteEntryStep::Prices, DeleteEntryStep::Distributions,
                                                DeleteEntryStep::Transactions}));
        QCOMPARE(s.dm.transactionDepth(), 0);
    }

    void openCursorsSeeTheDeletion()
    {
        OpenStore s;
        const int a = addIssue(s.dm, "Alpha", 1, 4);
        Table& prices = s.dm.fftblPrices();
        QVERIFY(prices.setRange({a}).ok());
        QCOMPARE(prices.recordCount(), 4);
        NullProgress progress;
        QVERIFY(DeleteEntry(s.dm, a, QString(), progress).ok());
        QCOMPARE(prices.recordCount(), 0);
        QVERIFY(!s.dm.fftblMasterList().locate("MLID", {a}));
    }

    void failureRollsBack_data()
    {
        QTest::addColumn<QString>("table");
        QTest::newRow("in the prices") << "\"Prices\".\"Prices\"";
        QTest::newRow("in the transactions") << "\"Transactions\".\"Transactions\"";
        QTest::newRow("at the holdings rows") << "\"TransxSummary\".\"TransxSummary\"";
        QTest::newRow("at the entry") << "\"main\".\"MasterList\"";
        QTest::newRow("at the allocation rows") << "\"AssetAllocValues\".\"AssetAllocValues\"";
    }
    void failureRollsBack()
    {
        QFETCH(QString, table);
        OpenStore s;
        const int a = addIssue(s.dm, "[Pf]Multiple0001", 1, 5);
        const QString tempPath = s.folders.tmp.path() + "/";
        QFile list(tempPath + "[Pf]Multiple0001.TXT");
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.close();
        const QList<int> before = counts(s.dm, a);
        // The last row of the table's share fails, after earlier ones were deleted.
        QVERIFY(s.dm.exec("CREATE TEMP TRIGGER boom BEFORE DELETE ON " + table +
                          " WHEN (SELECT count(*) FROM " + table + " WHERE MLID = OLD.MLID) = 1"
                          " BEGIN SELECT RAISE(ABORT, 'device error'); END").ok());
        NullProgress progress;
        const Status st = DeleteEntry(s.dm, a, tempPath, progress);
        QVERIFY(!st.ok());
        QVERIFY(st.message().text.contains("device error"));
        QCOMPARE(counts(s.dm, a), before);
        QVERIFY(QFile::exists(list.fileName()));
        QCOMPARE(s.dm.transactionDepth(), 0);
    }

    void portfolioListFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("removed");
        QTest::newRow("[Pf]Multiple list") << "[Pf]Multiple0007" << true;
        QTest::newRow("single portfolio pseudo-entry") << "[Pf]Growth" << false;
        QTest::newRow("ordinary entry") << "Multiple0007" << false;
    }
    void portfolioListFile()
    {
        QFETCH(QString, name);
        QFETCH(bool, removed);
        OpenStore s;
        const int a = addIssue(s.dm, name, 1, 1);
        const QString tempPath = s.folders.tmp.path() + "/";
        const QString own = tempPath + name + ".TXT";
        const QString other = tempPath + "[Pf]Multiple0008.TXT";
        for (const QString& f : {own, other}) {
            QFile file(f);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        NullProgress progress;
        QVERIFY(DeleteEntry(s.dm, a, tempPath, progress).ok());
        QCOMPARE(QFile::exists(own), !removed);
        QVERIFY(QFile::exists(other));
    }

    void unknownEntryRefused()
    {
        OpenStore s;
        const int a = addIssue(s.dm, "Alpha", 1, 2);
        NullProgress progress;
        QVERIFY(!DeleteEntry(s.dm, a + 1, QString(), progress).ok());
        QCOMPARE(counts(s.dm, a), (QList<int>{1, 10, 2, 2, 4, 2}));
    }

    void question()
    {
        QCOMPARE(deleteEntryQuestion("A&B"), QString("Delete   A&B   and all associated"));
    }
};

QTEST_GUILESS_MAIN(TestEntryDelete)
#include "tst_entrydelete.moc"
