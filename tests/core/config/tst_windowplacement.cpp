// Guards the window placement rules of ORV.ini: a window closed maximised must keep
// its last normal size and position and reopen maximised; with saving turned off
// windows open centred even when the file has their section; a window without a
// section is written once and never overwritten by the first-time write; centring
// uses truncating division, so a dialog wider than its parent is shifted left by
// half the difference; turning saving off deletes the file.
#include <QtTest>

#include "core/config/IniFile.h"
#include "core/config/WindowPlacement.h"

using namespace orv;

class TestWindowPlacement : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void closedMaximisedKeepsNormalGeometry()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath("ORV.ini");
        QVERIFY(savePlacement(ini, "frmGraphs", WindowStatus::Normal, QRect(10, 20, 640, 480)).ok());
        // Closed while maximised: the geometry passed is the maximised one and must not be stored.
        QVERIFY(savePlacement(ini, "frmGraphs", WindowStatus::Maximised, QRect(0, 0, 1920, 1080)).ok());
        const RestoreDecision d = restorePlacement(ini, "frmGraphs", true, {});
        QVERIFY(d.fromFile);
        QVERIFY(!d.centre);
        QCOMPARE(d.placement.status, WindowStatus::Maximised);
        QCOMPARE(d.placement.rect(), QRect(10, 20, 640, 480));
    }

    void restore_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("fromFile");
        QTest::addColumn<int>("status");
        QTest::addColumn<QRect>("rect");
        const QByteArray full = "[frmX]\nTop=5\nLeft=6\nHeight=300\nWidth=400\nStatus=0\n";
        QTest::newRow("saved normal") << full << true << true << 0 << QRect(6, 5, 400, 300);
        QTest::newRow("saving off centres") << full << false << false << -1 << QRect();
        QTest::newRow("no section centres") << QByteArray("[frmY]\nStatus=0\n") << true << false << -1 << QRect();
        QTest::newRow("section without Status centres")
            << QByteArray("[frmX]\nTop=5\nLeft=6\n") << true << false << -1 << QRect();
        QTest::newRow("missing keys take current values")
            << QByteArray("[frmX]\nStatus=1\nTop=7\n") << true << true << 1 << QRect(2, 7, 40, 30);
        QTest::newRow("non-positive size takes current")
            << QByteArray("[frmX]\nStatus=0\nTop=1\nLeft=1\nHeight=0\nWidth=-5\n") << true << true << 0
            << QRect(1, 1, 40, 30);
        QTest::newRow("unknown status reads as normal")
            << QByteArray("[frmX]\nStatus=9\nTop=1\nLeft=1\nHeight=10\nWidth=10\n") << true << true << 0
            << QRect(1, 1, 10, 10);
        QTest::newRow("garbage status is no status") << QByteArray("[frmX]\nStatus=abc\n") << true << false << -1
                                                     << QRect();
    }
    void restore()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, enabled);
        QFETCH(bool, fromFile);
        QFETCH(int, status);
        QFETCH(QRect, rect);
        QTemporaryDir dir;
        const QString ini = dir.filePath("ORV.ini");
        QFile f(ini);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        const WindowPlacement current = WindowPlacement::fromRect(QRect(2, 3, 40, 30));
        const RestoreDecision d = restorePlacement(ini, "frmX", enabled, current);
        QCOMPARE(d.fromFile, fromFile);
        QCOMPARE(d.centre, !fromFile);
        if (fromFile) {
            QCOMPARE(d.placement.status, status);
            QCOMPARE(d.placement.rect(), rect);
        }
    }

    void missingFileCentres()
    {
        QTemporaryDir dir;
        QVERIFY(restorePlacement(dir.filePath("ORV.ini"), "frmMain", true).centre);
    }

    void initWritesOnlyOnce()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath("ORV.ini");
        QVERIFY(initPlacement(ini, "frmPfDirectory", QRect(1, 2, 300, 200)).ok());
        QVERIFY(initPlacement(ini, "frmPfDirectory", QRect(9, 9, 9, 9)).ok());
        const auto p = readPlacement(ini, "frmPfDirectory");
        QVERIFY(p);
        QCOMPARE(p->status, 0);
        QCOMPARE(p->rect(), QRect(1, 2, 300, 200));
        // Other windows' sections are kept when one is written.
        QVERIFY(savePlacement(ini, "frmMain", WindowStatus::Minimised, QRect()).ok());
        IniFile f(ini);
        QVERIFY(f.load());
        QCOMPARE(f.sections(), (QStringList{"frmPfDirectory", "frmMain"}));
        QCOMPARE(f.readInteger("frmMain", "Status", -1), 1);
        QVERIFY(!f.hasKey("frmMain", "Top"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"ORV.ini"});
    }

    void centring_data()
    {
        QTest::addColumn<QRect>("parent");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("topLeft");
        QTest::newRow("smaller, even") << QRect(100, 50, 800, 600) << QSize(200, 100) << QPoint(400, 300);
        QTest::newRow("odd difference rounds down") << QRect(0, 0, 101, 51) << QSize(10, 10) << QPoint(45, 20);
        // (80 - 101) / 2 truncates to -10, not -11.
        QTest::newRow("wider than parent") << QRect(100, 100, 80, 60) << QSize(101, 63) << QPoint(90, 99);
        QTest::newRow("parent off screen left") << QRect(-300, -20, 200, 100) << QSize(100, 50)
                                                << QPoint(-250, 5);
    }
    void centring()
    {
        QFETCH(QRect, parent);
        QFETCH(QSize, size);
        QFETCH(QPoint, topLeft);
        const QRect r = centredOn(parent, size);
        QCOMPARE(r.topLeft(), topLeft);
        QCOMPARE(r.size(), size);
    }

    void savingOffDeletesTheFile()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath("ORV.ini");
        QVERIFY(savePlacement(ini, "frmMain", 0, QRect(1, 1, 10, 10)).ok());
        QVERIFY(deleteWindowIni(ini));
        QVERIFY(!QFileInfo::exists(ini));
        QVERIFY(deleteWindowIni(ini));  // already gone is fine
    }
};

QTEST_GUILESS_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
