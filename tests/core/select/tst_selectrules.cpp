// Guards the selection marks of Select Funds: "&Select All" / "&Clear All"
// reach every entry; a toggle on a blank cell changes nothing; a heading click
// selects only its column; "&Open Accounts" skips holdings at or below 0.00005
// shares while "All &Investments" takes them; a failing batch rolls back
// whole; the sheet's marks follow the table; the status panel text.
#include <QtTest>

#include "SelectFixture.h"
#include "core/select/SelectRules.h"

using namespace orv;

namespace {
QList<int> ids(const std::vector<int>& v)
{
    return QList<int>(v.begin(), v.end());
}
}  // namespace

class TestSelectRules : public QObject {
    Q_OBJECT
private:
    testing::DataPathFixture* fx_ = nullptr;
    int a_ = 0, b_ = 0, c_ = 0, d_ = 0;

private Q_SLOTS:
    void init()
    {
        fx_ = new testing::DataPathFixture;
        QVERIFY(fx_->ok());
        a_ = fx_->addEntry(QStringLiteral("A"), 0, 1);
        b_ = fx_->addEntry(QStringLiteral("B"), 0, 2);
        c_ = fx_->addEntry(QStringLiteral("C"), 1, 1);
        d_ = fx_->addEntry(QStringLiteral("D"), 2, 4);
    }
    void cleanup()
    {
        delete fx_;
        fx_ = nullptr;
    }

    void selectAllClearAll()
    {
        QVERIFY(setAllSelected(fx_->dm(), true).ok());
        QCOMPARE(ids(selectedMLIDs(fx_->dm())), (QList<int>{a_, b_, c_, d_}));
        QVERIFY(setAllSelected(fx_->dm(), false).ok());
        QVERIFY(selectedMLIDs(fx_->dm()).empty());
    }

    void toggleCells_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("occupied");
        QTest::newRow("entry") << 1 << 1 << true;
        QTest::newRow("blank cell in a used column") << 0 << 3 << false;
        QTest::newRow("blank beyond the sheet") << 50 << 90 << false;
    }
    void toggleCells()
    {
        QFETCH(int, col);
        QFETCH(int, row);
        QFETCH(bool, occupied);
        auto first = toggleSelectedAt(fx_->dm(), col, row);
        QVERIFY(first.ok());
        QCOMPARE(first.value().has_value(), occupied);
        if (occupied) {
            QCOMPARE(*first.value(), true);
            QCOMPARE(ids(selectedMLIDs(fx_->dm())), QList<int>{c_});
            auto second = toggleSelectedAt(fx_->dm(), col, row);
            QCOMPARE(*second.value(), false);
        }
        QVERIFY(selectedMLIDs(fx_->dm()).empty());
    }

    void headingSelectsColumn()
    {
        auto n = selectColumn(fx_->dm(), 0);
        QVERIFY(n.ok());
        QCOMPARE(n.value(), 2);
        QCOMPARE(ids(selectedMLIDs(fx_->dm())), (QList<int>{a_, b_}));
    }

    void heldEntries_data()
    {
        QTest::addColumn<bool>("openOnly");
        QTest::addColumn<QList<int>>("expected");  // indexes into A, B, C, D
        QTest::newRow("open accounts") << true << QList<int>{0, 3};
        QTest::newRow("all investments") << false << QList<int>{0, 1, 2, 3};
    }
    void heldEntries()
    {
        QFETCH(bool, openOnly);
        QFETCH(QList<int>, expected);
        const int all[4] = {a_, b_, c_, d_};
        const int pf = fx_->addPortfolio(QStringLiteral("Main"));
        const int other = fx_->addPortfolio(QStringLiteral("Other"));
        fx_->addHolding(pf, a_, 10.0);
        fx_->addHolding(pf, b_, 0.00005);  // exactly the threshold: closed
        fx_->addHolding(pf, c_, -0.00001);
        fx_->addHolding(pf, d_, -3.0);     // a short position is open
        fx_->addHolding(other, c_, 50.0);
        auto n = selectHeldEntries(fx_->dm(), pf, openOnly);
        QVERIFY(n.ok());
        QCOMPARE(n.value(), int(expected.size()));
        QList<int> want;
        for (int i : expected)
            want << all[i];
        QCOMPARE(ids(selectedMLIDs(fx_->dm())), want);
    }

    void selectedPortfoliosOnly()
    {
        const int p1 = fx_->addPortfolio(QStringLiteral("Beta"));
        fx_->addPortfolio(QStringLiteral("Alpha"));
        const int p3 = fx_->addPortfolio(QStringLiteral("Aardvark"));
        QVERIFY(store::updateRow(fx_->dm(), store::TableId::Portfolio, p1, {{"Selected", true}}).ok());
        QVERIFY(store::updateRow(fx_->dm(), store::TableId::Portfolio, p3, {{"Selected", true}}).ok());
        const auto sel = selectedPortfolioNames(fx_->dm());
        QCOMPARE(int(sel.size()), 2);
        QCOMPARE(sel[0].ShortName, QStringLiteral("Aardvark"));
        QCOMPARE(sel[1].PfID, p1);
    }

    void sheetMarksFollowTable()
    {
        TMLDisplayArray display;
        fillMLDisplay(fx_->dm(), display);
        QVERIFY(selectColumn(fx_->dm(), 0).ok());
        refreshSelectedFlags(fx_->dm(), display);
        QVERIFY(display.at(1, 0).selected);
        QVERIFY(display.at(2, 0).selected);
        QVERIFY(!display.at(1, 1).selected);
        QVERIFY(setAllSelected(fx_->dm(), false).ok());
        refreshSelectedFlags(fx_->dm(), display);
        QVERIFY(!display.at(1, 0).selected);
    }

    // A batch that fails half-way leaves no mark behind.
    void failedBatchRollsBack()
    {
        QVERIFY(fx_->dm().exec(QStringLiteral("CREATE TEMP TRIGGER failOnD BEFORE UPDATE OF Selected ON MasterList "
                                              "WHEN NEW.MLID = %1 BEGIN SELECT RAISE(ABORT, 'refused'); END")
                                   .arg(d_))
                    .ok());
        const int pf = fx_->addPortfolio(QStringLiteral("Main"));
        fx_->addHolding(pf, a_, 10.0);
        fx_->addHolding(pf, d_, 10.0);
        auto n = selectHeldEntries(fx_->dm(), pf, false);
        QVERIFY(!n.ok());
        QVERIFY(selectedMLIDs(fx_->dm()).empty());
        QVERIFY(!setAllSelected(fx_->dm(), true).ok());
        QVERIFY(selectedMLIDs(fx_->dm()).empty());
    }

    void statusText()
    {
        QCOMPARE(colRowText(0, 1), QStringLiteral(" Col:Row  1:1"));
        QCOMPARE(colRowText(9, 42), QStringLiteral(" Col:Row  10:42"));
    }
};

QTEST_GUILESS_MAIN(TestSelectRules)
#include "tst_selectrules.moc"
