// Guards the Master List sheet rules: a sheet sized wrongly for an empty list or a
// far row, a swap that loses an entry or leaves it parked at 0/0, a move that
// changes anything when refused, account marks at the wrong side of the 0.00005
// shares tolerance or taken from another portfolio, a closed-account colour that
// is not the selected colour with half its saturation, missing column headings,
// and an erase that leaves old rows or old settings behind.
#include <QtTest>

#include "../store/StoreFixture.h"
#include "core/base/TBXSubs.h"
#include "core/config/ConfigFile.h"
#include "core/masterlist/Grid.h"

using namespace orv;
using store::TableId;

namespace {

int addEntry(ORVDataModule& dm, const QString& name, int col, int row)
{
    MasterListRec r;
    r.ShortName = name;
    r.LongName = name + QStringLiteral(" Fund");
    r.Type = QStringLiteral("Mutual Fund");
    r.ColNum = col;
    r.RowNum = row;
    Result<qint64> id = store::insertMasterList(dm, r);
    if (!id.ok())
        qFatal("insert: %s", qPrintable(id.message().text));
    return int(id.value());
}

void addHolding(ORVDataModule& dm, int pfID, int mlID, double shares)
{
    TransxSummaryRec h;
    h.PfID = pfID;
    h.MLID = mlID;
    h.Shares = shares;
    h.Reinvest = QStringLiteral("All");
    Result<qint64> id = store::insertRow(dm, TableId::TransxSummary, store::toFields(h));
    if (!id.ok())
        qFatal("holding: %s", qPrintable(id.message().text));
}

QPair<int, int> cellOf(ORVDataModule& dm, int mlID)
{
    auto e = store::masterListEntry(dm, mlID);
    return e ? qMakePair(e->ColNum, e->RowNum) : qMakePair(-1, -1);
}

}  // namespace

class TestGrid : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sizing_data()
    {
        QTest::addColumn<QList<QPoint>>("cells");  // x = ColNum, y = RowNum
        QTest::addColumn<int>("rowLimit");
        QTest::addColumn<int>("maxRow");
        QTest::addColumn<int>("maxCol");
        QTest::newRow("empty list: 16 rows, 6 x 5 cells") << QList<QPoint>{} << 16 << 5 << 4;
        QTest::newRow("entry at row 30") << QList<QPoint>{{0, 30}} << 41 << 30 << 0;
        QTest::newRow("small list") << QList<QPoint>{{0, 1}, {7, 2}} << 13 << 2 << 7;
        QTest::newRow("last column") << QList<QPoint>{{99, 1}, {3, 4}} << 15 << 4 << 99;
    }
    void sizing()
    {
        QFETCH(QList<QPoint>, cells);
        QFETCH(int, rowLimit);
        QFETCH(int, maxRow);
        QFETCH(int, maxCol);
        orvtest::OpenStore s;
        int n = 0;
        for (const QPoint& p : cells)
            addEntry(s.dm, QStringLiteral("E%1").arg(++n), p.x(), p.y());
        TMLDisplayArray display;
        const grid::LoadResult r = grid::LoadGrid(s.dm, display, -1, grid::ViewNone);
        QCOMPARE(r.rowLimit, rowLimit);
        QCOMPARE(display.maxRow(), maxRow);
        QCOMPARE(display.maxCol(), maxCol);
        n = 0;
        for (const QPoint& p : cells)
            QCOMPARE(display.at(p.y(), p.x()).shortName, QStringLiteral("E%1").arg(++n));
    }

    void move_data()
    {
        // Entries A at (0,1) and B at (1,2); a move from (srcCol,srcRow) to (dstCol,dstRow).
        QTest::addColumn<int>("srcCol");
        QTest::addColumn<int>("srcRow");
        QTest::addColumn<int>("dstCol");
        QTest::addColumn<int>("dstRow");
        QTest::addColumn<QPoint>("cellA");
        QTest::addColumn<QPoint>("cellB");
        QTest::addColumn<bool>("changed");
        QTest::newRow("swap two entries") << 0 << 1 << 1 << 2 << QPoint(1, 2) << QPoint(0, 1) << true;
        QTest::newRow("swap the other way") << 1 << 2 << 0 << 1 << QPoint(1, 2) << QPoint(0, 1) << true;
        QTest::newRow("entry to a blank cell") << 0 << 1 << 5 << 9 << QPoint(5, 9) << QPoint(1, 2) << true;
        QTest::newRow("blank cell onto an entry") << 4 << 4 << 1 << 2 << QPoint(0, 1) << QPoint(4, 4) << true;
        QTest::newRow("both blank") << 4 << 4 << 5 << 5 << QPoint(0, 1) << QPoint(1, 2) << false;
        QTest::newRow("onto itself") << 0 << 1 << 0 << 1 << QPoint(0, 1) << QPoint(1, 2) << false;
    }
    void move()
    {
        QFETCH(int, srcCol);
        QFETCH(int, srcRow);
        QFETCH(int, dstCol);
        QFETCH(int, dstRow);
        QFETCH(QPoint, cellA);
        QFETCH(QPoint, cellB);
        QFETCH(bool, changed);
        orvtest::OpenStore s;
        const int a = addEntry(s.dm, QStringLiteral("A"), 0, 1);
        const int b = addEntry(s.dm, QStringLiteral("B"), 1, 2);
        Result<grid::MoveResult> r = grid::moveEntry(s.dm, srcCol, srcRow, dstCol, dstRow);
        QVERIFY(r.ok());
        QCOMPARE(r.value().changed, changed);
        QCOMPARE(cellOf(s.dm, a), qMakePair(cellA.x(), cellA.y()));
        QCOMPARE(cellOf(s.dm, b), qMakePair(cellB.x(), cellB.y()));
        // Nothing is left parked in the unused cell, and no cell holds two entries.
        Query q = s.dm.query(QStringLiteral("SELECT count(*) FROM %1 WHERE ColNum = 0 AND RowNum = 0")
                                 .arg(ORVDataModule::qualified(TableId::MasterList)));
        QVERIFY(q.next());
        QCOMPARE(q.int64(0), 0);
        QCOMPARE(s.dm.transactionDepth(), 0);
    }

    void moveRefusedOutsideTheSheet_data()
    {
        QTest::addColumn<int>("dstCol");
        QTest::addColumn<int>("dstRow");
        QTest::newRow("heading row") << 1 << 0;
        QTest::newRow("column 101") << 100 << 3;
        QTest::newRow("negative column") << -1 << 3;
    }
    void moveRefusedOutsideTheSheet()
    {
        QFETCH(int, dstCol);
        QFETCH(int, dstRow);
        orvtest::OpenStore s;
        const int a = addEntry(s.dm, QStringLiteral("A"), 0, 1);
        Result<grid::MoveResult> r = grid::moveEntry(s.dm, 0, 1, dstCol, dstRow);
        QVERIFY(!r.ok());
        QVERIFY(!r.message().text.isEmpty());
        QCOMPARE(cellOf(s.dm, a), qMakePair(0, 1));
    }

    void marking_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<double>("shares");
        QTest::addColumn<bool>("held");
        QTest::addColumn<int>("marker");
        QTest::newRow("closed view, 0.00003") << 2 << 0.00003 << true << 2;
        QTest::newRow("open view, 0.00003") << 1 << 0.00003 << false << 0;
        QTest::newRow("both view, 0.00003") << 3 << 0.00003 << true << 2;
        QTest::newRow("open view, exactly 0.00005") << 1 << 0.00005 << false << 0;
        QTest::newRow("closed view, exactly 0.00005") << 2 << 0.00005 << false << 0;
        QTest::newRow("both view, exactly 0.00005") << 3 << 0.00005 << true << 2;
        QTest::newRow("open view, 10 shares") << 1 << 10.0 << true << 1;
        QTest::newRow("closed view, 10 shares") << 2 << 10.0 << false << 0;
        QTest::newRow("both view, 10 shares") << 3 << 10.0 << true << 1;
        QTest::newRow("open view, short -3 shares") << 1 << -3.0 << true << 1;
        QTest::newRow("closed view, -0.00003") << 2 << -0.00003 << true << 2;
        QTest::newRow("no view") << 0 << 10.0 << false << 0;
    }
    void marking()
    {
        QFETCH(int, view);
        QFETCH(double, shares);
        QFETCH(bool, held);
        QFETCH(int, marker);
        orvtest::OpenStore s;
        const int a = addEntry(s.dm, QStringLiteral("A"), 2, 3);
        const int other = addEntry(s.dm, QStringLiteral("Other"), 0, 1);
        addHolding(s.dm, 7, a, shares);
        addHolding(s.dm, 8, other, 5.0);  // another portfolio's holding is never marked
        TMLDisplayArray display;
        grid::LoadGrid(s.dm, display, 7, view);
        QCOMPARE(display.at(3, 2).held, held);
        QCOMPARE(int(display.at(3, 2).marker), marker);
        QVERIFY(!display.at(1, 0).held);
        // ClearMarks takes every mark away; no portfolio marks nothing.
        grid::ClearMarks(display);
        QVERIFY(!display.at(3, 2).held);
        QCOMPARE(int(display.at(3, 2).marker), 0);
        grid::MarkAccounts(s.dm, display, -1, view);
        QVERIFY(!display.at(3, 2).held);
    }

    void closedAccountColor_data()
    {
        QTest::addColumn<quint32>("selected");
        QTest::newRow("aqua (default)") << quint32(0xFFFF00);
        QTest::newRow("yellow") << quint32(0x00FFFF);
        QTest::newRow("dark red") << quint32(rgbColor(140, 20, 30));
    }
    void closedAccountColor()
    {
        QFETCH(quint32, selected);
        int h0, s0, l0, h1, s1, l1;
        RGBToHSLScaled(selected, 240, h0, s0, l0);
        const WinColor closed = grid::ClosedAccountColor(selected);
        QVERIFY(closed != selected);
        RGBToHSLScaled(closed, 240, h1, s1, l1);
        QVERIFY2(qAbs(s1 - s0 / 2) <= 1, qPrintable(QStringLiteral("saturation %1 from %2").arg(s1).arg(s0)));
        QVERIFY(qAbs(h1 - h0) <= 1);
        QVERIFY(qAbs(l1 - l0) <= 1);
    }
    void closedAccountColorOfGreyIsGrey()
    {
        QCOMPARE(grid::ClosedAccountColor(rgbColor(128, 128, 128)), rgbColor(128, 128, 128));
    }

    void statusText()
    {
        QCOMPARE(grid::colRowText(0, 1), QStringLiteral(" Col:Row  1:1"));
        QCOMPARE(grid::colRowText(99, 41), QStringLiteral(" Col:Row  100:41"));
    }

    void headingsCompletedTo100()
    {
        orvtest::OpenStore s;
        for (int n = 1; n <= 3; ++n)
            QVERIFY(store::insertRow(s.dm, TableId::MasterListColHdrs,
                                     store::toFields(ColHdrRec{n, QStringLiteral("Mine %1").arg(n)}))
                        .ok());
        QVERIFY(grid::ensureHeadingRows(s.dm).ok());
        QVERIFY(grid::ensureHeadingRows(s.dm).ok());  // a second call adds nothing
        QCOMPARE(store::countInRange(s.dm, TableId::MasterListColHdrs, QStringLiteral("IndxColNum"), {}), 100);
        const QStringList h = grid::loadHeadings(s.dm);
        QCOMPARE(h.size(), 100);
        QCOMPARE(h[0], QStringLiteral("Mine 1"));
        QCOMPARE(h[2], QStringLiteral("Mine 3"));
        QCOMPARE(h[3], QStringLiteral("Column 4"));
        QCOMPARE(h[99], QStringLiteral("Column 100"));
    }

    void eraseAllData()
    {
        orvtest::OpenStore s;
        addEntry(s.dm, QStringLiteral("A"), 0, 1);
        addHolding(s.dm, 1, 1, 3.0);
        QTemporaryDir user;
        const QString cfg = user.filePath(QStringLiteral("ORV.cfg"));
        ConfigRecord changed = ConfigRecord::defaults(today());
        changed.MLLastRow = 9;
        changed.MLTableOptionsCurrent.DisplayInvStatus = true;
        QVERIFY(WriteConfig(cfg, changed).ok());

        ConfigRecord inMemory = changed;
        QVERIFY(grid::eraseAllData(s.dm, s.folders.templates, cfg, QStringLiteral("mm/dd/yyyy"), inMemory).ok());
        QVERIFY(store::masterList(s.dm).empty());
        QVERIFY(store::holdingsOf(s.dm, 1).empty());
        QCOMPARE(inMemory.MLLastRow, 1);
        QVERIFY(!inMemory.MLTableOptionsCurrent.DisplayInvStatus);
        QCOMPARE(ReadConfig(cfg, QStringLiteral("mm/dd/yyyy")).record.MLLastRow, 1);
        // The tables are open again and take new rows.
        addEntry(s.dm, QStringLiteral("B"), 0, 1);
        QCOMPARE(int(store::masterList(s.dm).size()), 1);
    }

    void eraseWithoutTemplatesKeepsData()
    {
        orvtest::OpenStore s;
        addEntry(s.dm, QStringLiteral("A"), 0, 1);
        QTemporaryDir user;
        const QString cfg = user.filePath(QStringLiteral("ORV.cfg"));
        ConfigRecord inMemory = ConfigRecord::defaults(today());
        inMemory.MLLastRow = 9;
        const Status st = grid::eraseAllData(s.dm, user.filePath(QStringLiteral("NoTemplates")), cfg,
                                             QStringLiteral("mm/dd/yyyy"), inMemory);
        QVERIFY(!st.ok());
        QCOMPARE(int(store::masterList(s.dm).size()), 1);
        QCOMPARE(inMemory.MLLastRow, 9);
        QVERIFY(!QFile::exists(cfg));
    }
};

QTEST_GUILESS_MAIN(TestGrid)
#include "tst_grid.moc"
