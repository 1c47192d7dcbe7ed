// Guards orvane-cli prices list/set/delete and rebuild against: a refusal
// (weekend date, a price the type refuses, an unknown name, a bad date)
// reported as success or changing the data; set not filling holes or not
// rebuilding adjusted prices; delete not cascading to later distributions; list
// showing a filled hole as a price or ignoring --from/--to; and rebuild not
// repairing stale adjusted prices.
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include "EmptyUserFolder.h"
#include <QtTest>

#include "core/store/DataModule.h"
#include "core/store/Records.h"

using namespace orv;

namespace {

struct Run {
    int rc = -1;
    QString out, err;
};

}  // namespace

class TestCliPrices : public QObject {
    Q_OBJECT
private:
    QTemporaryDir* tmp_ = nullptr;
    QString dataPath_;

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

    // Works on the data path directly, between runs of the command line.
    template <typename F>
    void withData(F f)
    {
        ORVDataModule dm;
        QVERIFY(dm.open(dataPath_).ok());
        f(dm);
        dm.close();
    }

    QString listTsv(const QString& name)
    {
        const Run r = cli({"prices", "list", name, "--tsv"});
        if (r.rc != 0)
            return QStringLiteral("rc %1: %2").arg(r.rc).arg(r.err);
        return r.out;
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
        withData([](ORVDataModule& dm) {
            for (const auto& [name, type, row] : {std::tuple{"Fund", "Mutual Fund", 1},
                                                  std::tuple{"$Cash", "Money Market Fund", 2},
                                                  std::tuple{"-Line", "Linear type", 3}}) {
                MasterListRec e;
                e.ShortName = QString::fromLatin1(name);
                e.Type = QString::fromLatin1(type);
                e.RowNum = row;
                QVERIFY(store::insertMasterList(dm, e).ok());
            }
        });
    }
    void cleanup() { delete tmp_; }

    // set, then list, then delete, with holes and adjusted prices kept right.
    void setListDelete()
    {
        Run r = cli({"prices", "set", "Fund", "2024-01-08", "10", "2024-01-11", "12.5"});
        QVERIFY2(r.rc == 0, qPrintable(r.err));
        QCOMPARE(listTsv("Fund"), QStringLiteral("Date\tPrice\tAdjPrice\n"
                                                 "2024-01-08\t10\t10\n"
                                                 "2024-01-09\t\t10\n"
                                                 "2024-01-10\t\t10\n"
                                                 "2024-01-11\t12.5\t12.5\n"));
        r = cli({"prices", "list", "Fund", "--from", "2024-01-10", "--to", "2024-01-10", "--tsv"});
        QCOMPARE(r.out, QStringLiteral("Date\tPrice\tAdjPrice\n2024-01-10\t\t10\n"));

        // A distribution on Jan 10, then a price before it: the issue is rebuilt.
        withData([](ORVDataModule& dm) {
            DistributionRec d;
            d.MLID = store::masterListByShortName(dm, "Fund")->MLID;
            d.ExDate = d.RecDate = d.PayDate = dayFromDate(QDate(2024, 1, 10));
            d.Total = d.Income = 1;
            d.ReinvestPri = 10;
            d.SplitFactor = 1;
            QVERIFY(store::insertDistribution(dm, d).ok());
        });
        r = cli({"prices", "set", "Fund", "2024-01-09", "11"});
        QVERIFY2(r.rc == 0, qPrintable(r.err));
        QCOMPARE(listTsv("Fund"), QStringLiteral("Date\tPrice\tAdjPrice\n"
                                                 "2024-01-08\t10\t9.09090909090909\n"
                                                 "2024-01-09\t11\t10\n"
                                                 "2024-01-10\t\t11\n"
                                                 "2024-01-11\t12.5\t12.5\n"));

        // Deleting the newest price drops the trailing hole and the later distribution.
        r = cli({"prices", "delete", "Fund", "2024-01-11"});
        QVERIFY2(r.rc == 0, qPrintable(r.err));
        QCOMPARE(listTsv("Fund"), QStringLiteral("Date\tPrice\tAdjPrice\n"
                                                 "2024-01-08\t10\t10\n"
                                                 "2024-01-09\t11\t11\n"));
        withData([](ORVDataModule& dm) {
            QCOMPARE(store::distributionsOf(dm, store::masterListByShortName(dm, "Fund")->MLID).size(), size_t(0));
        });
    }

    void typeRules()
    {
        QCOMPARE(cli({"prices", "set", "$Cash", "2024-01-08", "1.0000004"}).rc, 0);
        QCOMPARE(cli({"prices", "set", "-Line", "2024-01-08", "-5"}).rc, 0);
        QCOMPARE(listTsv("$Cash"), QStringLiteral("Date\tPrice\tAdjPrice\n2024-01-08\t1\t1\n"));
        QCOMPARE(listTsv("-Line"), QStringLiteral("Date\tPrice\tAdjPrice\n2024-01-08\t-5\t-5\n"));
    }

    // Every refusal exits non-zero with a message and changes nothing.
    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("weekend set") << QStringList{"prices", "set", "Fund", "2024-01-13", "10"}
                                     << "No Data on Saturday or Sunday";
        QTest::newRow("weekend in a batch") << QStringList{"prices", "set", "Fund", "2024-01-15", "10", "2024-01-14", "9"}
                                            << "No Data on Saturday or Sunday";
        QTest::newRow("fund zero") << QStringList{"prices", "set", "Fund", "2024-01-15", "0"} << "refused";
        QTest::newRow("refused in a batch") << QStringList{"prices", "set", "Fund", "2024-01-15", "10", "2024-01-16", "-1"}
                                            << "refused";
        QTest::newRow("money market 0.98") << QStringList{"prices", "set", "$Cash", "2024-01-15", "0.98"} << "refused";
        QTest::newRow("unknown name") << QStringList{"prices", "set", "Nope", "2024-01-15", "10"} << "Nope";
        QTest::newRow("bad date") << QStringList{"prices", "set", "Fund", "2024-13-01", "10"} << "not a date";
        QTest::newRow("not a number") << QStringList{"prices", "set", "Fund", "2024-01-15", "ten"} << "not a number";
        QTest::newRow("delete weekend") << QStringList{"prices", "delete", "Fund", "2024-01-13"}
                                        << "No Data on Saturday or Sunday";
        QTest::newRow("delete unknown") << QStringList{"prices", "delete", "Nope", "2024-01-12"} << "Nope";
        QTest::newRow("list unknown") << QStringList{"prices", "list", "Nope"} << "Nope";
        QTest::newRow("rebuild unknown") << QStringList{"rebuild", "Fund", "Nope"} << "Nope";
    }
    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QCOMPARE(cli({"prices", "set", "Fund", "2024-01-12", "10"}).rc, 0);
        const QString before = listTsv("Fund");
        const Run r = cli(args);
        QVERIFY(r.rc != 0);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QCOMPARE(listTsv("Fund"), before);
        QCOMPARE(listTsv("$Cash"), QStringLiteral("Date\tPrice\tAdjPrice\n"));
    }

    void rebuildRepairs()
    {
        QCOMPARE(cli({"prices", "set", "Fund", "2024-01-08", "10", "2024-01-10", "12"}).rc, 0);
        const QString good = listTsv("Fund");
        withData([](ORVDataModule& dm) {
            QVERIFY(dm.exec(QStringLiteral("UPDATE %1 SET AdjPrice = 1").arg(ORVDataModule::qualified(store::TableId::Prices)))
                        .ok());
        });
        QVERIFY(listTsv("Fund") != good);
        Run r = cli({"rebuild", "Fund"});
        QVERIFY2(r.rc == 0, qPrintable(r.err));
        QCOMPARE(listTsv("Fund"), good);
        withData([](ORVDataModule& dm) {
            QVERIFY(dm.exec(QStringLiteral("UPDATE %1 SET AdjPrice = 1").arg(ORVDataModule::qualified(store::TableId::Prices)))
                        .ok());
        });
        r = cli({"rebuild", "--all"});
        QVERIFY2(r.rc == 0, qPrintable(r.err));
        QVERIFY(r.out.contains("Rebuilt 3 issues"));
        QCOMPARE(listTsv("Fund"), good);
        QVERIFY(cli({"rebuild"}).rc != 0);
    }
};

QTEST_GUILESS_MAIN(TestCliPrices)
#include "tst_prices.moc"
