// Guards Select Funds: marks left from before are cleared on show; a
// double-click or Enter toggles the entry and moves one row down, while a
// double-click on a blank cell changes nothing (no mark, no move, no close);
// single-select closes with the one entry chosen (by double-click, or by OK on
// the cell moved to last); a heading click selects its column only in
// multi-select mode; "&Select All"/"&Clear All"; "&Open Accounts" and
// "All &Investments" for the active portfolio and, in multi-portfolio mode, for
// every selected portfolio; the status texts; hidden account buttons; selected
// cells in the selected colours; the right-button Quick Report and its blank
// cell message.
#include <QtTest>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>

#include "../../core/select/SelectFixture.h"
#include "core/portfolios/ActivePortfolio.h"
#include "core/select/SelectRules.h"
#include "gui/base/MessageDlg.h"
#include "gui/base/TableStyle.h"
#include "gui/select/QuickMLReport.h"
#include "gui/select/SelectFunds.h"

using namespace orv;

namespace {
QPoint cellCenter(TfrmSelectFunds& w, int row, int col)
{
    const QModelIndex i = w.OvcTableSelect->model()->index(row - 1, col);
    w.OvcTableSelect->scrollTo(i);
    return w.OvcTableSelect->visualRect(i).center();
}
void doubleClickCell(TfrmSelectFunds& w, int row, int col)
{
    const QPoint p = cellCenter(w, row, col);
    QTest::mouseClick(w.OvcTableSelect->viewport(), Qt::LeftButton, {}, p);
    QTest::mouseDClick(w.OvcTableSelect->viewport(), Qt::LeftButton, {}, p);
}
QList<int> ids(const std::vector<int>& v)
{
    return QList<int>(v.begin(), v.end());
}
}  // namespace

class TestSelectFunds : public QObject {
    Q_OBJECT
private:
    testing::DataPathFixture* fx_ = nullptr;
    int a_ = 0, b_ = 0, c_ = 0, d_ = 0;

    void showWindow(TfrmSelectFunds& w)
    {
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }

private Q_SLOTS:
    void init()
    {
        fx_ = new testing::DataPathFixture;
        QVERIFY(fx_->ok());
        a_ = fx_->addEntry(QStringLiteral("Apple"), 0, 1);
        b_ = fx_->addEntry(QStringLiteral("Birch"), 0, 2);
        c_ = fx_->addEntry(QStringLiteral("Cedar"), 1, 1);
        d_ = fx_->addEntry(QStringLiteral("Dogwood"), 2, 3);
        fillMLDisplay(fx_->dm(), fx_->dm().MLDisplay);
    }
    void cleanup()
    {
        delete fx_;
        fx_ = nullptr;
    }

    void showClearsAndToggles()
    {
        QVERIFY(setAllSelected(fx_->dm(), true).ok());
        TfrmSelectFunds w;
        showWindow(w);
        QVERIFY(selectedMLIDs(fx_->dm()).empty());
        QCOMPARE(w.windowTitle(), QStringLiteral("Select Funds"));
        // The sheet: MaxRow 3 -> 13 data rows, 100 columns.
        QCOMPARE(w.OvcTableSelect->model()->rowCount(), 13);
        QCOMPARE(w.OvcTableSelect->model()->columnCount(), 100);

        doubleClickCell(w, 1, 0);
        QCOMPARE(ids(selectedMLIDs(fx_->dm())), QList<int>{a_});
        QCOMPARE(w.activeRow(), 2);  // one row down
        QCOMPARE(w.activeCol(), 0);
        QVERIFY(w.display().at(1, 0).selected);
        // Selected cells take the selected colours.
        const QModelIndex idx = w.OvcTableSelect->model()->index(0, 0);
        QCOMPARE(idx.data(Qt::BackgroundRole).value<QColor>(),
                 toQColor(appState().Config.MLTableOptionsCurrent.SelectedColor));
        QVERIFY(!w.OvcTableSelect->model()->index(1, 1).data(Qt::BackgroundRole).isValid());

        // Enter on the active cell (Birch) toggles it too.
        QTest::keyClick(w.OvcTableSelect, Qt::Key_Return);
        QCOMPARE(ids(selectedMLIDs(fx_->dm())), (QList<int>{a_, b_}));
        QCOMPARE(w.activeRow(), 3);
        // A second double-click takes the mark away again.
        doubleClickCell(w, 1, 0);
        QCOMPARE(ids(selectedMLIDs(fx_->dm())), QList<int>{b_});
        QVERIFY(w.isVisible());
    }

    void blankCellChangesNothing_data()
    {
        QTest::addColumn<bool>("single");
        QTest::newRow("multi-select") << false;
        QTest::newRow("single-select") << true;
    }
    void blankCellChangesNothing()
    {
        QFETCH(bool, single);
        TfrmSelectFunds w;
        w.setSingleSelect(single);
        showWindow(w);
        doubleClickCell(w, 2, 1);  // column 1 has only row 1
        QVERIFY(selectedMLIDs(fx_->dm()).empty());
        QCOMPARE(w.activeRow(), 2);
        QCOMPARE(w.activeCol(), 1);
        QVERIFY(w.isVisible());
        QCOMPARE(w.result(), 0);
        doubleClickCell(w, 12, 40);  // beyond every entry
        QVERIFY(selectedMLIDs(fx_->dm()).empty());
        QVERIFY(w.isVisible());
    }

    void singleSelectChooses_data()
    {
        QTest::addColumn<bool>("byOK");
        QTest::newRow("double-click") << false;
        QTest::newRow("OK on the active cell") << true;
    }
    void singleSelectChooses()
    {
        QFETCH(bool, byOK);
        TfrmSelectFunds w;
        w.setSingleSelect(true);
        showWindow(w);
        if (byOK) {
            QTest::mouseClick(w.OvcTableSelect->viewport(), Qt::LeftButton, {}, cellCenter(w, 1, 0));
            QTest::keyClick(w.OvcTableSelect, Qt::Key_Right);  // moves to Cedar
            w.bbtnOK->click();
        } else {
            doubleClickCell(w, 3, 2);
        }
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(w.selectedMLID(), std::optional<int>(byOK ? c_ : d_));
        QCOMPARE(int(w.selectedMLIDs().size()), 1);
    }

    void headingClick_data()
    {
        QTest::addColumn<bool>("single");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("multi-select") << false << QList<int>{1, 2};  // MLIDs of column 0
        QTest::newRow("single-select") << true << QList<int>{};
    }
    void headingClick()
    {
        QFETCH(bool, single);
        QFETCH(QList<int>, expected);
        TfrmSelectFunds w;
        w.setSingleSelect(single);
        showWindow(w);
        QHeaderView* h = w.OvcTableSelect->horizontalHeader();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(0) + 10, h->height() / 2));
        QList<int> want;
        for (int i : expected)
            want << (i == 1 ? a_ : b_);
        QCOMPARE(ids(selectedMLIDs(fx_->dm())), want);
        QVERIFY(w.isVisible());
    }

    void selectAllClearAll()
    {
        TfrmSelectFunds w;
        showWindow(w);
        w.bbtnSelectAll->click();
        QCOMPARE(int(selectedMLIDs(fx_->dm()).size()), 4);
        QVERIFY(w.display().at(3, 2).selected);
        w.bbtnClearAll->click();
        QVERIFY(selectedMLIDs(fx_->dm()).empty());
        QVERIFY(!w.display().at(3, 2).selected);
    }

    void accountButtons_data()
    {
        QTest::addColumn<bool>("multiPf");
        QTest::addColumn<bool>("openOnly");
        QTest::addColumn<QList<int>>("expected");  // 0 Apple, 1 Birch, 2 Cedar, 3 Dogwood
        QTest::newRow("active, open") << false << true << QList<int>{0};
        QTest::newRow("active, all") << false << false << QList<int>{0, 1};
        QTest::newRow("selected portfolios, open") << true << true << QList<int>{0, 3};
        QTest::newRow("selected portfolios, all") << true << false << QList<int>{0, 1, 2, 3};
    }
    void accountButtons()
    {
        QFETCH(bool, multiPf);
        QFETCH(bool, openOnly);
        QFETCH(QList<int>, expected);
        const int all[4] = {a_, b_, c_, d_};
        const int p1 = fx_->addPortfolio(QStringLiteral("Active"));
        const int p2 = fx_->addPortfolio(QStringLiteral("Second"));
        const int p3 = fx_->addPortfolio(QStringLiteral("Unmarked"));
        fx_->addHolding(p1, a_, 10);
        fx_->addHolding(p1, b_, 0.00001);
        fx_->addHolding(p2, c_, 0);
        fx_->addHolding(p2, d_, 7);
        fx_->addHolding(p3, b_, 99);  // not selected: never counts in multi mode
        QVERIFY(store::updateRow(fx_->dm(), store::TableId::Portfolio, p1, {{"Selected", true}}).ok());
        QVERIFY(store::updateRow(fx_->dm(), store::TableId::Portfolio, p2, {{"Selected", true}}).ok());
        QVERIFY(SelectActivePortfolio(fx_->dm(), appState(), QStringLiteral("Active")));
        TfrmSelectFunds w;
        w.setMultiPortfolio(multiPf);
        showWindow(w);
        QCOMPARE(w.statusText(1), multiPf ? QString() : QStringLiteral("Active"));
        (openOnly ? w.bbtnOpenAccounts : w.bbtnAllInvestments)->click();
        QList<int> want;
        for (int i : expected)
            want << all[i];
        QCOMPARE(ids(selectedMLIDs(fx_->dm())), want);
    }

    void statusAndCallerOptions()
    {
        TfrmSelectFunds w;
        w.hideAccountButtons();
        w.setWindowTitle(QStringLiteral("Select Benchmark"));
        w.setStatusPrompt(QStringLiteral("Pick one"));
        showWindow(w);
        QVERIFY(!w.bbtnOpenAccounts->isVisible());
        QVERIFY(!w.bbtnAllInvestments->isVisible());
        QVERIFY(w.bbtnSelectAll->isVisible());
        QCOMPARE(w.windowTitle(), QStringLiteral("Select Benchmark"));
        QCOMPARE(w.statusText(0), QStringLiteral(" Col:Row  1:1"));
        QCOMPARE(w.statusText(2), QStringLiteral("Pick one"));
        w.setActiveCell(3, 2);
        QCOMPARE(w.statusText(0), QStringLiteral(" Col:Row  3:3"));

        TfrmSelectFunds plain;
        QCOMPARE(plain.statusText(2), QStringLiteral("Double-Click Mouse or Press Enter to Select"));
    }

    void rightButtonQuickReport()
    {
        TfrmSelectFunds w;
        showWindow(w);
        RecordingMessageSink sink;
        QStringList opened;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            if (auto* d = qobject_cast<TfrmQuickMLReport*>(QApplication::activeModalWidget())) {
                opened << d->windowTitle();
                d->accept();
            }
        });
        closer.start(20);
        QTest::mouseRelease(w.OvcTableSelect->viewport(), Qt::RightButton, {}, cellCenter(w, 1, 1));
        QCOMPARE(opened, QStringList{QStringLiteral("Cedar")});
        QCOMPARE(appState().CurMLID, c_);
        QTest::mouseRelease(w.OvcTableSelect->viewport(), Qt::RightButton, {}, cellCenter(w, 5, 1));
        QCOMPARE(opened.size(), 1);
        QCOMPARE(sink.texts(), QStringList{QStringLiteral("No data on blank entry.")});
        QVERIFY(selectedMLIDs(fx_->dm()).empty());
    }
};

QTEST_MAIN(TestSelectFunds)
#include "tst_selectfunds.moc"
