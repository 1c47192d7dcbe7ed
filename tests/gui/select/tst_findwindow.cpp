// Guards "&Find" from the main menu: nine entries give the message and no
// window, ten open it; the grid starts sorted by name and re-sorts by the
// chosen field with entries without a value first; OK and a double-click make
// the located entry the main grid's active cell (whatever row it sorted to);
// Cancel leaves the active cell alone.
#include <QtTest>
#include <QAction>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include "MainFixture.h"
#include "gui/base/MessageDlg.h"
#include "gui/select/FindMasterListEntry.h"

using namespace orv;

namespace {
QStringList column(QTableWidget* grid, int col)
{
    QStringList out;
    for (int r = 0; r < grid->rowCount(); ++r)
        out << (grid->item(r, col) ? grid->item(r, col)->text() : QString());
    return out;
}
int rowOf(QTableWidget* grid, const QString& name)
{
    for (int r = 0; r < grid->rowCount(); ++r)
        if (grid->item(r, 0) && grid->item(r, 0)->text() == name)
            return r;
    return -1;
}
}  // namespace

class TestFindWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void nineVersusTen_data()
    {
        QTest::addColumn<int>("entries");
        QTest::addColumn<bool>("opens");
        QTest::newRow("nine") << 9 << false;
        QTest::newRow("ten") << 10 << true;
    }
    void nineVersusTen()
    {
        QFETCH(int, entries);
        QFETCH(bool, opens);
        testing::MainFixture fx;
        QVERIFY(fx.ok());
        for (int i = 0; i < entries; ++i)
            QVERIFY(fx.addEntry(QStringLiteral("Fund %1").arg(i), i % 4, i / 4 + 1) > 0);
        fx.main->LoadGrid();
        RecordingMessageSink sink;
        QAction* find = fx.main->action(QStringLiteral("mmFind"));
        QVERIFY(find && find->isEnabled());
        find->trigger();
        if (opens) {
            QVERIFY(sink.texts().isEmpty());
            QCOMPARE(fx.seen, QStringList{QStringLiteral("frmFindMasterListEntry")});
        } else {
            QCOMPARE(sink.texts(), QStringList{QStringLiteral("Feature meant for large number of Master List entries.")});
            QCOMPARE(sink.shown.first().type, MsgType::Information);
            QVERIFY(fx.seen.isEmpty());
        }
    }

    void sortsAndLocates_data()
    {
        QTest::addColumn<bool>("doubleClick");
        QTest::newRow("OK button") << false;
        QTest::newRow("double-click") << true;
    }
    void sortsAndLocates()
    {
        QFETCH(bool, doubleClick);
        testing::MainFixture fx;
        QVERIFY(fx.ok());
        const char* names[] = {"zulu", "Alpha", "mike", "Bravo", "echo", "Delta", "kilo", "Hotel", "golf", "India", "Lima"};
        const char* tickers[] = {"ZZ", "", "MM", "bb", "", "DD", "kk", "HH", "GG", "", "LL"};
        for (int i = 0; i < 11; ++i)
            QVERIFY(fx.addEntry(QString::fromLatin1(names[i]), i % 3, i / 3 + 2, QString::fromLatin1(tickers[i])) > 0);
        fx.main->LoadGrid();
        fx.main->setActiveCell(1, 0);

        QStringList firstNames, tickerOrder;
        int activeColumn = -1;
        fx.onDialog = [&](QDialog* d) {
            auto* w = qobject_cast<TfrmFindMasterListEntry*>(d);
            QVERIFY(w);
            firstNames = column(w->grid, 0);
            w->rbSorted[1]->click();
            tickerOrder = column(w->grid, 1);
            activeColumn = w->grid->currentColumn();
            const int row = rowOf(w->grid, QStringLiteral("Delta"));
            w->grid->setCurrentCell(row, 1);
            if (doubleClick) {
                const QRect cell = w->grid->visualItemRect(w->grid->item(row, 1));
                QTest::mouseClick(w->grid->viewport(), Qt::LeftButton, {}, cell.center());
                QTest::mouseDClick(w->grid->viewport(), Qt::LeftButton, {}, cell.center());
            } else {
                w->bbtnOK->click();
            }
        };
        fx.main->action(QStringLiteral("mmFind"))->trigger();
        QCOMPARE(firstNames, (QStringList{"Alpha", "Bravo", "Delta", "echo", "golf", "Hotel", "India", "kilo", "Lima",
                                          "mike", "zulu"}));
        QCOMPARE(tickerOrder.mid(0, 3), (QStringList{"", "", ""}));
        QCOMPARE(tickerOrder.mid(3), (QStringList{"bb", "DD", "GG", "HH", "kk", "LL", "MM", "ZZ"}));
        QCOMPARE(activeColumn, 1);
        // Delta is entry 5: column 5 % 3 = 2, row 5 / 3 + 2 = 3.
        QCOMPARE(fx.main->activeRow(), 3);
        QCOMPARE(fx.main->activeCol(), 2);
    }

    void cancelLeavesActiveCell()
    {
        testing::MainFixture fx;
        QVERIFY(fx.ok());
        for (int i = 0; i < 10; ++i)
            QVERIFY(fx.addEntry(QStringLiteral("Fund %1").arg(i), 1, i + 1) > 0);
        fx.main->LoadGrid();
        fx.main->setActiveCell(4, 3);
        fx.onDialog = [](QDialog* d) {
            auto* w = qobject_cast<TfrmFindMasterListEntry*>(d);
            w->grid->setCurrentCell(5, 0);
            w->bbtnCancel->click();
        };
        fx.main->action(QStringLiteral("mmFind"))->trigger();
        QCOMPARE(fx.seen.size(), 1);
        QCOMPARE(fx.main->activeRow(), 4);
        QCOMPARE(fx.main->activeCol(), 3);
    }

    void windowLayout()
    {
        testing::MainFixture fx;
        QVERIFY(fx.ok());
        for (int i = 0; i < 10; ++i)
            fx.addEntry(QStringLiteral("Fund %1").arg(i), 0, i + 1);
        TfrmFindMasterListEntry w(fx.dm());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Find Master List Entry"));
        QCOMPARE(w.width(), 397);
        QCOMPARE(w.grid->rowCount(), 10);
        QCOMPARE(w.grid->selectionBehavior(), QAbstractItemView::SelectRows);
        QStringList heads;
        for (int c = 0; c < 4; ++c)
            heads << w.grid->horizontalHeaderItem(c)->text();
        QCOMPARE(heads, (QStringList{"Name", "Ticker", "ICDI Number", "CUSIP"}));
        QVERIFY(w.rbSorted[0]->isChecked());
    }
};

QTEST_MAIN(TestFindWindow)
#include "tst_findwindow.moc"
