// Guards orvane-cli masterlist add/delete against: a refusal of New Entry (blank
// name, "[Pf]", a duplicate in another case, an occupied cell, a bad type or
// column) reported as success or changing the data; the grid's column numbers
// taken as stored ones; the type's sign, ICDI padding or the ten allocation rows
// missing on an added entry; delete leaving rows of the issue behind in any table,
// touching another issue, or succeeding for an unknown name.
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include "EmptyUserFolder.h"
#include <QtTest>

#include "core/masterlist/AllocAssignments.h"
#include "core/store/DataModule.h"
#include "core/store/Records.h"
#include "core/store/Schema.h"

using namespace orv;
using store::TableId;

namespace {

struct Run {
    int rc = -1;
    QString out, err;
};

int count(ORVDataModule& dm, TableId t, const QString& where = QString())
{
    Query q = dm.query("SELECT count(*) FROM " + ORVDataModule::qualified(t) + (where.isEmpty() ? "" : " WHERE " + where));
    return q.next() ? int(q.int64(0)) : -1;
}

}  // namespace

class TestCliMasterListEdit : public QObject {
    Q_OBJECT
private:
    QTemporaryDir* tmp_ = nullptr;
    QString dataPath_;
    int fundID_ = 0;
    int otherID_ = 0;

    Run cli(const QStringList& args)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ORV_USER_PATH", tmp_->filePath("user"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(ORV_BIN_DIR "/orvane-cli"), QStringList{"--user-path", tmp_->filePath("user")} + args);
        if (!p.waitForFinished(60000))
            qFatal("orvane-cli did not finish");
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }

    template <typename F>
    void withData(F f)
    {
        ORVDataModule dm;
        QVERIFY(dm.open(dataPath_).ok());
        f(dm);
        dm.close();
    }

    // An issue with prices, a distribution, a transaction, a holdings row and its
    // allocation rows.
    static int addIssue(ORVDataModule& dm, const QString& name, int row)
    {
        MasterListRec e;
        e.ShortName = name;
        e.Type = "Mutual Fund";
        e.RowNum = row;
        const auto id = store::insertMasterList(dm, e);
        if (!id || !CreateAllocationRows(dm, int(id.value())))
            qFatal("issue");
        const int ml = int(id.value());
        for (int d = 0; d < 3; ++d) {
            PriceRec p;
            p.MLID = ml;
            p.Date = 45300 + d;
            p.Price = 10 + d;
            store::storePriceRow(dm, p);
        }
        DistributionRec dsb;
        dsb.MLID = ml;
        dsb.ExDate = 45301;
        dsb.Total = dsb.Income = 0.2;
        store::insertDistribution(dm, dsb);
        TransactionRec t;
        t.PfID = 1;
        t.MLID = ml;
        t.Date = 45301;
        t.BuySell = "Buy";
        t.Shares = 5;
        t.Amount = 50;
        t.Type = "Usual";
        store::insertTransaction(dm, t);
        TransxSummaryRec h;
        h.PfID = 1;
        h.MLID = ml;
        h.Shares = 5;
        h.Reinvest = "All";
        store::insertRow(dm, TableId::TransxSummary, store::toFields(h));
        return ml;
    }

    QList<int> issueRows(ORVDataModule& dm, int ml)
    {
        QList<int> c;
        for (TableId t : {TableId::MasterList, TableId::AssetAllocValues, TableId::Prices, TableId::Distributions,
                          TableId::Transactions, TableId::TransxSummary})
            c << count(dm, t, QString("MLID = %1").arg(ml));
        return c;
    }

private Q_SLOTS:
    void init()
    {
        tmp_ = new QTemporaryDir;
        QVERIFY(prepareEmptyUserFolder(tmp_->filePath("user")));
        const Run r = cli({"info", "--tsv"});
        QCOMPARE(r.rc, 0);
        for (const QString& line : r.out.split('\n'))
            if (line.startsWith("DataPath\t"))
                dataPath_ = line.section('\t', 1);
        QVERIFY(!dataPath_.isEmpty());
        withData([this](ORVDataModule& dm) {
            // A known data set: whatever a first start put in is removed.
            for (const auto& def : store::tableDefs())
                QVERIFY(dm.exec("DELETE FROM " + ORVDataModule::qualified(def.id)).ok());
            dm.touchAll();
            fundID_ = addIssue(dm, "Fund", 1);
            otherID_ = addIssue(dm, "Other A&B", 2);
        });
    }
    void cleanup() { delete tmp_; }

    void addStoresTheEntry()
    {
        const Run r = cli({"masterlist", "add", "--name", " Cash ", "--type", "money market fund", "--col", "3",
                           "--row", "4", "--long", "Cash reserve", "--ticker", "CSHXX", "--icdi", "42", "--cusip",
                           "123456789012"});
        QVERIFY2(r.rc == 0, qPrintable(r.err));
        QVERIFY(r.out.contains("$Cash"));
        withData([](ORVDataModule& dm) {
            const auto e = store::masterListByShortName(dm, "$Cash");
            QVERIFY(e);
            QCOMPARE(e->ColNum, 2);
            QCOMPARE(e->RowNum, 4);
            QCOMPARE(e->Type, QString("Money Market Fund"));
            QCOMPARE(e->LongName, QString("Cash reserve"));
            QCOMPARE(e->Ticker, QString("CSHXX"));
            QCOMPARE(e->ICDINumber, QString("00042"));
            QCOMPARE(e->CUSIP, QString("123456789012"));
            QCOMPARE(e->MovAveDaily1, 200);
            QCOMPARE(e->MovAveDaily2, 100);
            QCOMPARE(e->MovAveWeekly1, 39);
            QCOMPARE(e->MovAveWeekly2, 20);
            QCOMPARE(e->Selected, false);
            QCOMPARE(count(dm, TableId::AssetAllocValues, QString("MLID = %1").arg(e->MLID)), 10);
        });
    }

    void addRefusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        const QStringList at{"--col", "5", "--row", "5"};
        QTest::newRow("blank name") << (QStringList{"--name", "  ", "--type", "Stock"} + at)
                                    << "Short Name must not be blank.";
        QTest::newRow("[Pf]") << (QStringList{"--name", "[Pf]Mine", "--type", "Stock"} + at)
                              << "[Pf] sequence not allowed.";
        QTest::newRow("duplicate in other case") << (QStringList{"--name", "FUND", "--type", "Index"} + at)
                                                 << "Short Name is already on the Master List.";
        QTest::newRow("occupied cell (column 1 is the first)")
            << QStringList{"--name", "New", "--type", "Stock", "--col", "1", "--row", "2"}
            << "First place the highlight over a blank area on the Master List.";
        QTest::newRow("unknown type") << (QStringList{"--name", "New", "--type", "Bond"} + at) << "Unknown type";
        QTest::newRow("column 0") << QStringList{"--name", "New", "--type", "Stock", "--col", "0", "--row", "1"}
                                  << "usage:";
        QTest::newRow("name too long") << (QStringList{"--name", "ABCDEFGHIJKLMNOPQ", "--type", "Stock"} + at)
                                       << "Short Name must not be longer than 16 characters.";
        QTest::newRow("missing row") << QStringList{"--name", "New", "--type", "Stock", "--col", "2"} << "usage:";
    }
    void addRefusals()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const Run r = cli(QStringList{"masterlist", "add"} + args);
        QVERIFY(r.rc != 0);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        withData([](ORVDataModule& dm) {
            QCOMPARE(count(dm, TableId::MasterList), 2);
            QCOMPARE(count(dm, TableId::AssetAllocValues), 20);
        });
    }

    void deleteCascades()
    {
        QList<int> otherBefore;
        withData([&](ORVDataModule& dm) { otherBefore = issueRows(dm, otherID_); });
        const Run r = cli({"masterlist", "delete", "fund"});
        QVERIFY2(r.rc == 0, qPrintable(r.err));
        QVERIFY2(r.out.contains("Deleted Fund with 3 closing price(s), 1 distribution(s) and 1 transaction(s)"),
                 qPrintable(r.out));
        withData([&](ORVDataModule& dm) {
            QCOMPARE(issueRows(dm, fundID_), (QList<int>{0, 0, 0, 0, 0, 0}));
            QCOMPARE(issueRows(dm, otherID_), otherBefore);
        });
        const Run again = cli({"masterlist", "delete", "Fund"});
        QVERIFY(again.rc != 0);
        QVERIFY(again.err.contains("No Master List entry is named Fund."));
    }

    void deleteNameWithAmpersand()
    {
        const Run r = cli({"masterlist", "delete", "Other A&B"});
        QVERIFY2(r.rc == 0, qPrintable(r.err));
        withData([&](ORVDataModule& dm) {
            QCOMPARE(issueRows(dm, otherID_), (QList<int>{0, 0, 0, 0, 0, 0}));
            QCOMPARE(count(dm, TableId::MasterList), 1);
        });
    }
};

QTEST_GUILESS_MAIN(TestCliMasterListEdit)
#include "tst_masterlist_edit.moc"
