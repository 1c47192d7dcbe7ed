// Guards ORVDataPaths.ini and the INI reader under it: a path never used before
// must give row 1, column 0, no markers and no benchmark/comparison issue (not
// the values of the path left behind); the per-path values must round-trip, the
// marker flag must be the one of the current Master List options; the Reopen list
// must be most recent first, without duplicates, at most 10; the INI file must
// keep sections in file order and survive odd section names.
#include <QtTest>

#include "core/config/DataPathsIni.h"
#include "core/config/IniFile.h"

using namespace orv;

namespace {
void writeAll(const QString& path, const QByteArray& b)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(b);
}

ConfigRecord usedRecord()
{
    ConfigRecord c;
    c.MLLastRow = 12;
    c.MLLastCol = 4;
    c.MLTableOptionsCurrent.DisplayInvStatus = true;
    c.MLDisplayInvMarkerType = 3;
    c.SelectedPortfolioShort = "Joint";
    c.GraphBenchmarkMLID = 7;
    c.GraphComparisonMLID = 9;
    return c;
}
}  // namespace

class TestDataPathsIni : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void neverUsedPathGivesDefaults_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("no file") << QByteArray();
        QTest::newRow("other path only") << QByteArray("[/data/old]\nMLLastRow=12\nGraphBenchmarkMLID=7\n");
        QTest::newRow("section without keys") << QByteArray("[/data/new]\n");
        QTest::newRow("unreadable values") << QByteArray("[/data/new]\nMLLastRow=x\nGraphBenchmarkMLID=\n");
    }
    void neverUsedPathGivesDefaults()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString ini = dir.filePath("ORVDataPaths.ini");
        if (!content.isEmpty())
            writeAll(ini, content);
        ConfigRecord c = usedRecord();  // values of the path left behind
        readDataPathSection(ini, "/data/new/", c);
        QCOMPARE(c.MLLastRow, 1);
        QCOMPARE(c.MLLastCol, 0);
        QCOMPARE(c.MLTableOptionsCurrent.DisplayInvStatus, false);
        QCOMPARE(c.MLDisplayInvMarkerType, quint8(0));
        QCOMPARE(c.SelectedPortfolioShort, QString());
        QCOMPARE(c.GraphBenchmarkMLID, -1);
        QCOMPARE(c.GraphComparisonMLID, -1);
    }

    void sectionRoundTrip()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath("ORVDataPaths.ini");
        QVERIFY(writeDataPathSection(ini, "/data/a/", usedRecord()).ok());
        ConfigRecord other;
        other.MLLastRow = 2;
        QVERIFY(writeDataPathSection(ini, "/data/b", other).ok());

        IniFile f(ini);
        QVERIFY(f.load());
        QCOMPARE(f.sections(), (QStringList{"/data/a", "/data/b"}));  // no trailing separator
        QCOMPARE(f.readString("/data/a", "MLDisplayInvMarker"), QStringLiteral("1"));
        QCOMPARE(f.readString("/data/a", "MLDisplayInvMarkerType"), QStringLiteral("3"));

        ConfigRecord c;
        readDataPathSection(ini, "/data/a", c);
        QCOMPARE(c.MLLastRow, 12);
        QCOMPARE(c.MLLastCol, 4);
        QVERIFY(c.MLTableOptionsCurrent.DisplayInvStatus);
        QVERIFY(!c.MLTableOptionsDefault.DisplayInvStatus);
        QCOMPARE(c.MLDisplayInvMarkerType, quint8(3));
        QCOMPARE(c.SelectedPortfolioShort, QStringLiteral("Joint"));
        QCOMPARE(c.GraphBenchmarkMLID, 7);
        QCOMPARE(c.GraphComparisonMLID, 9);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"ORVDataPaths.ini"});
    }

    void reopenList_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("no file: the current path") << QByteArray() << QStringList{"/cur/data"};
        QTest::newRow("sections, last in file first")
            << QByteArray("[/a]\nMLLastRow=1\n[/b]\n[/c]\n") << QStringList{"/c", "/b", "/a"};
        QByteArray many;
        QStringList newest;
        for (int i = 1; i <= 12; ++i)
            many += "[/p" + QByteArray::number(i) + "]\n";
        for (int i = 12; i >= 3; --i)
            newest << QStringLiteral("/p%1").arg(i);
        QTest::newRow("at most ten, the newest") << many << newest;
    }
    void reopenList()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        const QString ini = dir.filePath("ORVDataPaths.ini");
        if (!content.isEmpty())
            writeAll(ini, content);
        QCOMPARE(orv::reopenList(ini, "/cur/data/"), expected);
    }

    void pushReopenMovesToTop()
    {
        QStringList l{"/a", "/b", "/c"};
        pushReopen(l, "/c/");
        QCOMPARE(l, (QStringList{"/c", "/a", "/b"}));
        pushReopen(l, "/new");
        QCOMPARE(l, (QStringList{"/new", "/c", "/a", "/b"}));
        QStringList full;
        for (int i = 0; i < 10; ++i)
            full << QStringLiteral("/p%1").arg(i);
        pushReopen(full, "/x");
        QCOMPARE(full.size(), 10);
        QCOMPARE(full.first(), QStringLiteral("/x"));
        QCOMPARE(full.last(), QStringLiteral("/p8"));
    }

    void iniKeepsOrderAndOddNames()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("x.ini");
        writeAll(path, "; comment\nstray=1\n[/data/a]b]\r\nKey = some value \r\n\n[second]\nk=1\nk=2\n[/data/a]b]\nLate=3\n");
        IniFile f(path);
        QVERIFY(f.load());
        QCOMPARE(f.sections(), (QStringList{"/data/a]b", "second"}));
        QCOMPARE(f.readString("/data/a]b", "key"), QStringLiteral("some value"));
        QCOMPARE(f.readInteger("/data/a]b", "Late", 0), 3);  // a repeated section is merged
        QCOMPARE(f.readInteger("second", "k", 0), 2);
        QVERIFY(!f.hasSection("Second"));  // section names are exact

        f.writeString("second", "text", "two\nlines");
        f.eraseSection("/data/a]b");
        f.writeBool("third", "b", true);
        QVERIFY(f.save().isEmpty());
        IniFile g(path);
        QVERIFY(g.load());
        QCOMPARE(g.sections(), (QStringList{"second", "third"}));
        QCOMPARE(g.readString("second", "text"), QStringLiteral("two lines"));
        QVERIFY(g.readBool("third", "b", false));
    }
};

QTEST_GUILESS_MAIN(TestDataPathsIni)
#include "tst_datapathsini.moc"
