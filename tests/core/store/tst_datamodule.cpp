// Guards opening a data path and writing to it: a second Orvane process (or a
// second module) on the same data path must be refused while the first keeps
// working, and a batch that fails half-way must leave none of its writes in any
// of the table files it touched (two attached files here), nested or not.
#include "StoreFixture.h"

#include <QProcess>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

using namespace orv;
using namespace orv::store;
using namespace orvtest;

class TestDataModule : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensAllTablesOnDefaultIndexes()
    {
        OpenStore s;
        QVERIFY(s.dm.isOpen());
        QCOMPARE(ORVDataModule::instance(), &s.dm);
        const QStringList expected{"", "IndxColNum", "IndxAllocID", "IndxMLIDAllocID", "IndxPri",
                                   "IndxDsbMLID", "IndxShortName", "IndxPfIDMLID", "IndxPfID"};
        for (int i = 0; i < kTableCount; ++i) {
            Table& t = s.dm.table(TableId(i));
            QVERIFY2(t.active(), qPrintable(t.tableName()));
            QCOMPARE(t.indexName(), expected[i]);
        }
        QVERIFY(!s.dm.MLValidationOn);
        QVERIFY(!s.dm.WeeklyPricesOnly);
        QVERIFY(s.dm.SetTablesActive(false).ok());
        QVERIFY(!s.dm.fftblPrices().active());
        QVERIFY(s.dm.SetTablesActive(true).ok());
        QVERIFY(s.dm.fftblTransxSummary().active());
    }

    void secondModuleOnSameDataPathIsRefused()
    {
        OpenStore s;
        ORVDataModule second;
        const Status st = second.open(s.folders.data);
        QVERIFY(!st.ok());
        QVERIFY2(st.message().text.contains("already in use by another Orvane window"), qPrintable(st.message().text));
        QVERIFY(st.message().text.contains(QDir::toNativeSeparators(QDir(s.folders.data).canonicalPath())));
        QVERIFY(!second.isOpen());
        // The first keeps working.
        addML(s.dm, "Works", 1, 0);
        QCOMPARE(s.dm.fftblMasterList().recordCount(), 1);
        // Once the first closes, the data path is free again.
        s.dm.close();
        QVERIFY(second.open(s.folders.data).ok());
        QCOMPARE(second.fftblMasterList().recordCount(), 1);
    }

    void otherProcessOnSameDataPathIsRefused()
    {
        OpenStore s;
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ORV_TEST_OPEN_PATH", s.folders.data);
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitCode(), 3);
        QVERIFY(QString::fromUtf8(child.readAllStandardOutput()).contains("already in use"));
        addML(s.dm, "Still Mine", 1, 0);

        s.dm.close();
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitCode(), 0);
    }

    void interruptedBatchIsRolledBackOnNextOpen()
    {
        StoreFolders f;
        {
            ORVDataModule dm;
            QVERIFY(dm.open(f.data).ok());
            addML(dm, "Before", 1, 0);
        }
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ORV_TEST_CRASH_PATH", f.data);
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitCode(), 0);
        QVERIFY(QFileInfo(f.dataFile("MasterList") + "-journal").size() > 0);  // a hot journal

        ORVDataModule dm;
        const Status st = dm.open(f.data);
        QVERIFY2(st.ok(), qPrintable(st.ok() ? QString() : st.message().text));
        QCOMPARE(dm.fftblMasterList().recordCount(), 1);
        QVERIFY(masterListByShortName(dm, "Before").has_value());
        QVERIFY(pricesOf(dm, 1).empty());
    }

    void transactionRollsBackAcrossFiles()
    {
        OpenStore s;
        const int before = s.dm.fftblPrices().recordCount();
        {
            Transaction tx(s.dm);
            QVERIFY(tx.started());
            addML(s.dm, "Fund", 1, 0);  // MasterList.FF2
            PriceRec p{1, 46000, 10.0, 10.0};
            QVERIFY(storePriceRow(s.dm, p).ok());  // Prices.FF2
            // A failing write stops the batch; leaving the scope rolls back.
            QVERIFY(!insertRow(s.dm, TableId::Portfolio, {{"LongName", "no short name"}}).ok());
        }
        QCOMPARE(s.dm.fftblMasterList().recordCount(), 0);
        QCOMPARE(s.dm.fftblPrices().recordCount(), before);
        QVERIFY(pricesOf(s.dm, 1).empty());

        // Committed batches reach both files, also after reopening.
        {
            Transaction tx(s.dm);
            addML(s.dm, "Fund", 1, 0);
            QVERIFY(storePriceRow(s.dm, PriceRec{1, 46000, 10.0, 10.0}).ok());
            QVERIFY(tx.commit().ok());
        }
        s.dm.close();
        QVERIFY(s.dm.open(s.folders.data).ok());
        QCOMPARE(s.dm.fftblMasterList().recordCount(), 1);
        QCOMPARE(pricesOf(s.dm, 1).size(), size_t(1));
    }

    void nestedGuards()
    {
        OpenStore s;
        {
            Transaction outer(s.dm);
            addML(s.dm, "Outer", 1, 0);
            {
                Transaction inner(s.dm);
                QCOMPARE(s.dm.transactionDepth(), 2);
                addML(s.dm, "Inner", 2, 0);
                // not committed: only the inner writes go
            }
            QCOMPARE(s.dm.fftblMasterList().recordCount(), 1);
            {
                Transaction inner(s.dm);
                addML(s.dm, "Inner2", 3, 0);
                QVERIFY(inner.commit().ok());
            }
            QCOMPARE(s.dm.fftblMasterList().recordCount(), 2);
            // the outer scope ends without commit: everything goes
        }
        QCOMPARE(s.dm.transactionDepth(), 0);
        QCOMPARE(s.dm.fftblMasterList().recordCount(), 0);

        // A cursor post inside an outer guard is undone with it.
        {
            Transaction outer(s.dm);
            Table& t = s.dm.fftblPortfolio();
            QVERIFY(t.insert().ok());
            QVERIFY(t.setValue("ShortName", "P1"));
            QVERIFY(t.post().ok());
            QCOMPARE(t.recordCount(), 1);
        }
        QCOMPARE(s.dm.fftblPortfolio().recordCount(), 0);
    }

    void preparedStatementsAreReusedSafely()
    {
        OpenStore s;
        addML(s.dm, "A", 1, 0);
        addML(s.dm, "B", 2, 0);
        // The same SQL open twice at once (a nested read) must not share a statement.
        const QString sql = "SELECT ShortName FROM \"main\".\"MasterList\" ORDER BY RowNum";
        Query outer = s.dm.query(sql);
        QStringList seen;
        while (outer.next()) {
            Query inner = s.dm.query(sql);
            int n = 0;
            while (inner.next())
                ++n;
            QCOMPARE(n, 2);
            seen << outer.text(0);
        }
        QCOMPARE(seen, (QStringList{"A", "B"}));
        Query bad = s.dm.query("SELECT nothing FROM nowhere");
        QVERIFY(!bad.prepared());
        QVERIFY(!s.dm.exec("SELECT nothing FROM nowhere").ok());
    }

    void refusesMissingFolderAndReopen()
    {
        StoreFolders f;  // outlives the module
        QTemporaryDir tmp;
        ORVDataModule dm;
        QVERIFY(!dm.open(tmp.filePath("missing")).ok());
        const Status st = dm.open(tmp.path());  // a folder without table files
        QVERIFY(!st.ok());
        QVERIFY(st.message().text.contains("MasterList.FF2"));
        // The lock was given back: a valid path opens afterwards.
        QVERIFY(dm.open(f.data).ok());
        QVERIFY(!dm.open(f.data).ok());  // already open
    }
};

// Run as a child with ORV_TEST_OPEN_PATH set: try to open that data path and
// report (exit 0 opened, 3 refused).
int main(int argc, char** argv)
{
    const QByteArray crashPath = qgetenv("ORV_TEST_CRASH_PATH");
    if (!crashPath.isEmpty()) {
        // Dies in the middle of a batch, leaving a journal behind.
        QCoreApplication app(argc, argv);
        ORVDataModule dm;
        if (!dm.open(QString::fromLocal8Bit(crashPath)))
            return 4;
        Transaction tx(dm);
        addML(dm, "Half Done", 2, 0);
        store::storePriceRow(dm, PriceRec{1, 46000, 1.0, 1.0});
        std::fflush(stdout);
        std::_Exit(0);
    }
    const QByteArray path = qgetenv("ORV_TEST_OPEN_PATH");
    if (!path.isEmpty()) {
        QCoreApplication app(argc, argv);
        ORVDataModule dm;
        const Status st = dm.open(QString::fromLocal8Bit(path));
        std::printf("%s\n", st ? "opened" : qPrintable(st.message().text));
        return st ? 0 : 3;
    }
    QCoreApplication app(argc, argv);
    TestDataModule t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_datamodule.moc"
