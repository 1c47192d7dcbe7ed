// Guards orvane-cli masterlist and masterlist move against: entries listed out of
// grid order, with stored column numbers instead of the grid's, or with fields
// missing; a move that loses an entry, leaves one parked at 0/0 or does not swap
// with the entry in the target cell; and a refused move (unknown name, a cell
// outside the sheet, bad arguments) reported as success or changing the data.
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

class TestCliMasterListList : public QObject {
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

    template <typename F>
    void withData(F f)
    {
        ORVDataModule dm;
        QVERIFY(dm.open(dataPath_).ok());
        f(dm);
        dm.close();
    }

    // ShortName -> (grid column, row) as stored.
    QMap<QString, QPair<int, int>> cells()
    {
        QMap<QString, QPair<int, int>> m;
        withData([&](ORVDataModule& dm) {
            for (const MasterListRec& r : store::masterList(dm))
                m.insert(r.ShortName, {r.ColNum + 1, r.RowNum});
        });
        return m;
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
            auto add = [&](const QString& name, int col, int row, const QString& ticker) {
                MasterListRec e;
                e.ShortName = name;
                e.LongName = name + " Long";
                e.Type = "Mutual Fund";
                e.Ticker = ticker;
                e.ICDINumber = "00042";
                e.CUSIP = "C" + name;
                e.ColNum = col;
                e.RowNum = row;
                e.MovAveDaily1 = 50;
                QVERIFY(store::insertMasterList(dm, e).ok());
            };
            add("Zeta", 0, 2, "ZZZ");
            add("Alpha", 1, 1, "AAA");
            add("Mid", 0, 1, "MMM");
        });
    }
    void cleanup() { delete tmp_; }

    void listInGridOrder()
    {
        const Run r = cli({"masterlist", "--tsv"});
        QVERIFY2(r.rc == 0, qPrintable(r.err));
        const QStringList lines = r.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QString("MLID\tCol\tRow\tShortName\tLongName\tType\tTicker\tICDINumber\tCUSIP\t"
                                   "MovAveDaily1\tMovAveDaily2\tMovAveWeekly1\tMovAveWeekly2"));
        // Column by column, row by row; columns numbered from 1 as in the grid.
        QCOMPARE(lines[1].section('\t', 1), QString("1\t1\tMid\tMid Long\tMutual Fund\tMMM\t00042\tCMid\t50\t100\t39\t20"));
        QCOMPARE(lines[2].section('\t', 1, 3), QString("1\t2\tZeta"));
        QCOMPARE(lines[3].section('\t', 1, 3), QString("2\t1\tAlpha"));
        // The plain listing carries the same entries.
        const Run plain = cli({"masterlist"});
        QCOMPARE(plain.rc, 0);
        QVERIFY(plain.out.indexOf("Mid") < plain.out.indexOf("Zeta"));
        QVERIFY(plain.out.indexOf("Zeta") < plain.out.indexOf("Alpha"));
    }

    void move_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("cell");  // expected "name:col:row" after the move, several separated by " "
        QTest::newRow("to a blank cell") << QStringList{"Zeta", "--col", "5", "--row", "9"}
                                         << QString("Zeta:5:9 Mid:1:1 Alpha:2:1");
        QTest::newRow("swap with an entry") << QStringList{"Zeta", "--col", "2", "--row", "1"}
                                            << QString("Zeta:2:1 Alpha:1:2 Mid:1:1");
        QTest::newRow("name in another case") << QStringList{"alpha", "--row", "3", "--col", "1"}
                                              << QString("Alpha:1:3 Mid:1:1 Zeta:1:2");
        QTest::newRow("onto its own cell") << QStringList{"Mid", "--col", "1", "--row", "1"}
                                           << QString("Mid:1:1 Zeta:1:2 Alpha:2:1");
    }
    void move()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, cell);
        const Run r = cli(QStringList{"masterlist", "move"} + args);
        QVERIFY2(r.rc == 0, qPrintable(r.err));
        const auto now = cells();
        QCOMPARE(now.size(), 3);
        for (const QString& c : cell.split(' ')) {
            const QStringList p = c.split(':');
            QCOMPARE(now.value(p[0]), qMakePair(p[1].toInt(), p[2].toInt()));
        }
        withData([](ORVDataModule& dm) {
            for (const MasterListRec& r : store::masterList(dm))
                QVERIFY(!(r.ColNum == 0 && r.RowNum == 0));
        });
    }

    void moveRefused_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("error");
        QTest::newRow("unknown name") << QStringList{"Nope", "--col", "1", "--row", "5"}
                                      << QString("No Master List entry is named Nope.");
        QTest::newRow("row 0") << QStringList{"Zeta", "--col", "1", "--row", "0"} << QString("not a cell");
        QTest::newRow("column 101") << QStringList{"Zeta", "--col", "101", "--row", "3"} << QString("not a cell");
        QTest::newRow("column 0") << QStringList{"Zeta", "--col", "0", "--row", "3"} << QString("not a cell");
        QTest::newRow("no row") << QStringList{"Zeta", "--col", "2"} << QString("usage");
        QTest::newRow("row not a number") << QStringList{"Zeta", "--col", "2", "--row", "x"} << QString("usage");
    }
    void moveRefused()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, error);
        const auto before = cells();
        const Run r = cli(QStringList{"masterlist", "move"} + args);
        QVERIFY(r.rc != 0);
        QVERIFY2(r.err.contains(error), qPrintable(r.err));
        QCOMPARE(cells(), before);
    }
};

QTEST_GUILESS_MAIN(TestCliMasterListList)
#include "tst_masterlist_list.moc"
