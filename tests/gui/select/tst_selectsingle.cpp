// Guards the single-issue chooser: the filter hook keeps "Linear type" entries
// out and is taken off the table afterwards (the Master List cursor back on
// IndxColRow, unfiltered); the starting text is located on show; typing
// locates by prefix in the active column, case-insensitive; moving in the
// table copies the active column's value into the edit; Up/Down in the edit
// move to the previous/next record; a double-click chooses and leaves the
// MasterList cursor on the chosen record.
#include <QtTest>
#include <QLineEdit>
#include <QTableWidget>

#include "../../core/select/SelectFixture.h"
#include "gui/select/MasterListSelectSingle.h"

using namespace orv;

namespace {
QStringList names(QTableWidget* t)
{
    QStringList out;
    for (int r = 0; r < t->rowCount(); ++r)
        out << t->item(r, 0)->text();
    return out;
}
}  // namespace

class TestSelectSingle : public QObject {
    Q_OBJECT
private:
    testing::DataPathFixture* fx_ = nullptr;
    int growth_ = 0;

private Q_SLOTS:
    void init()
    {
        fx_ = new testing::DataPathFixture;
        QVERIFY(fx_->ok());
        growth_ = fx_->addEntry(QStringLiteral("Growth"), 0, 1, QStringLiteral("GRWX"), QStringLiteral("00111"));
        fx_->addEntry(QStringLiteral("Balanced"), 0, 2, QStringLiteral("BALX"), QStringLiteral("00222"));
        fx_->addEntry(QStringLiteral("-Line"), 1, 1, {}, {}, {}, QStringLiteral("Linear type"));
        fx_->addEntry(QStringLiteral("Income"), 1, 2, QStringLiteral("AINC"), QStringLiteral("00333"));
        fx_->addEntry(QStringLiteral("global"), 2, 1, QStringLiteral("GLBX"));
    }
    void cleanup()
    {
        delete fx_;
        fx_ = nullptr;
    }

    void filterAndStart_data()
    {
        QTest::addColumn<bool>("filtered");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("transaction filter") << true << QStringList{"Balanced", "global", "Growth", "Income"};
        QTest::newRow("no filter") << false << QStringList{"-Line", "Balanced", "global", "Growth", "Income"};
    }
    void filterAndStart()
    {
        QFETCH(bool, filtered);
        QFETCH(QStringList, expected);
        TfrmMasterListSelectSingle w;
        if (filtered)
            w.setFilter(TfrmMasterListSelectSingle::notLinearTypeFilter());
        w.setSearchText(QStringLiteral("Income"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.notLinearTypeFilter(), QStringLiteral("Type <> \"Linear type\""));
        QStringList got = names(w.OvcTableML);
        // Collation order aside, the set and the filter are what matter here.
        QStringList sortedGot = got, sortedExpected = expected;
        sortedGot.sort(Qt::CaseInsensitive);
        sortedExpected.sort(Qt::CaseInsensitive);
        QCOMPARE(sortedGot, sortedExpected);
        QCOMPARE(w.current()->ShortName, QStringLiteral("Income"));
        Table& ml = fx_->dm().fftblMasterList();
        QVERIFY(!ml.filtered());
        QCOMPARE(ml.indexName(), QStringLiteral("IndxColRow"));
        QCOMPARE(ml.recordCount(), 5);
    }

    void autoSearchAndKeys()
    {
        TfrmMasterListSelectSingle w;
        w.setFilter(TfrmMasterListSelectSingle::notLinearTypeFilter());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.edtAutoSearch->clear();
        QTest::keyClicks(w.edtAutoSearch, QStringLiteral("gr"));
        QCOMPARE(w.current()->ShortName, QStringLiteral("Growth"));
        QCOMPARE(w.edtAutoSearch->text(), QStringLiteral("gr"));  // typing is not overwritten
        QVERIFY(!w.autoSearch(QStringLiteral("zz")));
        QCOMPARE(w.current()->ShortName, QStringLiteral("Growth"));

        // Ticker column: "ai" finds Income by its ticker AINC.
        w.OvcTableML->setCurrentCell(0, 1);
        w.edtAutoSearch->clear();
        QTest::keyClicks(w.edtAutoSearch, QStringLiteral("ai"));
        QCOMPARE(w.current()->ShortName, QStringLiteral("Income"));

        // Moving in the table copies the active column's value.
        const int row = w.OvcTableML->currentRow();
        w.OvcTableML->setCurrentCell(row, 2);
        QCOMPARE(w.edtAutoSearch->text(), QStringLiteral("00333"));
        w.OvcTableML->setCurrentCell(0, 0);
        QCOMPARE(w.edtAutoSearch->text(), w.OvcTableML->item(0, 0)->text());

        // Up and Down in the edit.
        w.edtAutoSearch->setFocus();
        QTest::keyClick(w.edtAutoSearch, Qt::Key_Down);
        QCOMPARE(w.OvcTableML->currentRow(), 1);
        w.edtAutoSearch->setFocus();
        QTest::keyClick(w.edtAutoSearch, Qt::Key_Up);
        QCOMPARE(w.OvcTableML->currentRow(), 0);
        w.edtAutoSearch->setFocus();
        QTest::keyClick(w.edtAutoSearch, Qt::Key_Up);  // stays on the first record
        QCOMPARE(w.OvcTableML->currentRow(), 0);
    }

    void doubleClickChooses()
    {
        TfrmMasterListSelectSingle w;
        w.setSearchText(QStringLiteral("Growth"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const int row = w.OvcTableML->currentRow();
        QCOMPARE(w.OvcTableML->item(row, 0)->text(), QStringLiteral("Growth"));
        const QRect r = w.OvcTableML->visualItemRect(w.OvcTableML->item(row, 0));
        QTest::mouseClick(w.OvcTableML->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(w.OvcTableML->viewport(), Qt::LeftButton, {}, r.center());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QVERIFY(w.chosen());
        QCOMPARE(w.chosen()->MLID, growth_);
        QCOMPARE(fx_->dm().fftblMasterList().intValue(QStringLiteral("MLID")), growth_);
    }
};

QTEST_MAIN(TestSelectSingle)
#include "tst_selectsingle.moc"
