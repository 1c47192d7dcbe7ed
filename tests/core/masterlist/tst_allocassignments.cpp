// Guards the asset allocation data: an issue's ten rows made once with all
// percentages 0 (made again they are reset, never doubled); missing categories
// added without touching existing ones; titles cut to 24 and sub-category titles
// to 16 characters; percentages outside 0 to 100 refused, others held as 32-bit
// floats; a missing category row made without zeroing the other rows;
// the row labels and the total's text.
#include "../store/StoreFixture.h"

#include "core/base/Format.h"
#include "core/masterlist/AllocAssignments.h"

#include <cmath>
#include <limits>

using namespace orv;
using namespace orvtest;
using store::TableId;

namespace {
int count(ORVDataModule& dm, TableId t, const QString& where = QString())
{
    Query q = dm.query("SELECT count(*) FROM " + ORVDataModule::qualified(t) + (where.isEmpty() ? "" : " WHERE " + where));
    return q.next() ? int(q.int64(0)) : -1;
}
}  // namespace

class TestAllocAssignments : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { initSharedFormats(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void rowsMadeOnceWithZeros()
    {
        OpenStore s;
        QVERIFY(CreateAllocationRows(s.dm, 5).ok());
        QCOMPARE(count(s.dm, TableId::AssetAllocValues, "MLID = 5"), 10);
        QVERIFY(setAllocPercent(s.dm, 5, 3, 2, 40).ok());
        QCOMPARE(allocValues(s.dm, 5, 3).Pct[1], 40.0);
        QVERIFY(CreateAllocationRows(s.dm, 5).ok());
        QCOMPARE(count(s.dm, TableId::AssetAllocValues, "MLID = 5"), 10);
        for (int a = 1; a <= 10; ++a) {
            QCOMPARE(count(s.dm, TableId::AssetAllocValues, QString("MLID = 5 AND AllocID = %1").arg(a)), 1);
            QCOMPARE(allocTotal(allocValues(s.dm, 5, a)), 0.0);
        }
        QCOMPARE(formatAllocTotal(allocTotal(allocValues(s.dm, 5, 1))), QString("0.00  "));
    }

    void failedRowRollsBackAll()
    {
        OpenStore s;
        QVERIFY(s.dm.exec("CREATE TEMP TRIGGER boom BEFORE INSERT ON \"AssetAllocValues\".\"AssetAllocValues\" "
                          "WHEN NEW.AllocID = 10 BEGIN SELECT RAISE(ABORT, 'full'); END").ok());
        QVERIFY(!CreateAllocationRows(s.dm, 5).ok());
        QCOMPARE(count(s.dm, TableId::AssetAllocValues), 0);
    }

    void missingCategoriesAdded()
    {
        OpenStore s;
        AssetAllocHdrRec h;
        h.AllocID = 4;
        h.Title = "Bonds";
        h.Sub[0] = "Short term";
        QVERIFY(store::insertRow(s.dm, TableId::AssetAllocHdrs, store::toFields(h)).ok());
        QVERIFY(ensureAllocHdrs(s.dm).ok());
        QVERIFY(ensureAllocHdrs(s.dm).ok());
        const auto hdrs = allocHdrs(s.dm);
        QCOMPARE(int(hdrs.size()), 10);
        QCOMPARE(hdrs[0].Title, QString("Category 1"));
        QCOMPARE(hdrs[0].Sub[9], QString("Sub-category 10"));
        QCOMPARE(hdrs[3].Title, QString("Bonds"));
        QCOMPARE(hdrs[3].Sub[0], QString("Short term"));
        QCOMPARE(hdrs[3].Sub[1], QString());
    }

    void titlesCut_data()
    {
        QTest::addColumn<int>("sub");  // 0: the category title
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("title short") << 0 << "Stocks" << "Stocks";
        QTest::newRow("title 24") << 0 << "ABCDEFGHIJKLMNOPQRSTUVWX" << "ABCDEFGHIJKLMNOPQRSTUVWX";
        QTest::newRow("title 30") << 0 << "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234" << "ABCDEFGHIJKLMNOPQRSTUVWX";
        QTest::newRow("first sub 16") << 1 << "ABCDEFGHIJKLMNOP" << "ABCDEFGHIJKLMNOP";
        QTest::newRow("last sub 20") << 10 << "ABCDEFGHIJKLMNOPQRST" << "ABCDEFGHIJKLMNOP";
        QTest::newRow("sub emptied") << 5 << "" << "";
    }
    void titlesCut()
    {
        QFETCH(int, sub);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        OpenStore s;
        QVERIFY(ensureAllocHdrs(s.dm).ok());
        const Result<QString> r = sub == 0 ? setAllocTitle(s.dm, 6, typed) : setAllocSubTitle(s.dm, 6, sub, typed);
        QVERIFY(r.ok());
        QCOMPARE(r.value(), stored);
        const auto hdrs = allocHdrs(s.dm);
        QCOMPARE(sub == 0 ? hdrs[5].Title : hdrs[5].Sub[size_t(sub - 1)], stored);
        // Other categories are left alone.
        QCOMPARE(hdrs[4].Title, QString("Category 5"));
        QCOMPARE(hdrs[6].Sub[0], QString("Sub-category 1"));
    }

    void percentages_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("zero") << 0.0 << true;
        QTest::newRow("hundred") << 100.0 << true;
        QTest::newRow("fraction") << 33.33 << true;
        QTest::newRow("below zero") << -0.01 << false;
        QTest::newRow("above hundred") << 100.01 << false;
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << false;
    }
    void percentages()
    {
        QFETCH(double, value);
        QFETCH(bool, accepted);
        OpenStore s;
        QVERIFY(CreateAllocationRows(s.dm, 2).ok());
        QVERIFY(setAllocPercent(s.dm, 2, 1, 3, 12.5).ok());
        const Status st = setAllocPercent(s.dm, 2, 1, 3, value);
        QCOMPARE(st.ok(), accepted);
        const double held = allocValues(s.dm, 2, 1).Pct[2];
        if (accepted) {
            QCOMPARE(held, double(float(value)));
        } else {
            QCOMPARE(st.message().text, QString("The percentage must be between 0 and 100."));
            QCOMPARE(held, 12.5);
        }
    }

    void missingRowMadeAlone()
    {
        OpenStore s;
        QVERIFY(CreateAllocationRows(s.dm, 9).ok());
        QVERIFY(setAllocPercent(s.dm, 9, 1, 1, 60).ok());
        QVERIFY(s.dm.exec("DELETE FROM " + ORVDataModule::qualified(TableId::AssetAllocValues) +
                          " WHERE MLID = 9 AND AllocID = 2").ok());
        s.dm.touch(TableId::AssetAllocValues);
        QVERIFY(setAllocPercent(s.dm, 9, 2, 4, 25).ok());
        QCOMPARE(count(s.dm, TableId::AssetAllocValues, "MLID = 9"), 10);
        QCOMPARE(allocValues(s.dm, 9, 2).Pct[3], 25.0);
        QCOMPARE(allocValues(s.dm, 9, 1).Pct[0], 60.0);
    }

    void totalAndLabels()
    {
        AssetAllocValueRec v;
        v.Pct = {12.5, 30.25, 0, 0, 0, 0, 0, 0, 0, 0.1};
        QCOMPARE(formatAllocTotal(allocTotal(v)), QString("42.85  "));
        v.Pct = {100, 100, 100, 100, 100, 100, 100, 100, 100, 100};
        QCOMPARE(formatAllocTotal(allocTotal(v)), QString("1000.00  "));
        QCOMPARE(subCategoryLabel("Small"), QString("      Small"));
        QCOMPARE(subCategoryLabel("ABCDEFGHIJKLMNOP"), QString("      ABCDEFGHIJKLMNOP"));
        QCOMPARE(subCategoryLabel("ABCDEFGHIJKLMNOPQRST").size(), 22);
    }
};

QTEST_GUILESS_MAIN(TestAllocAssignments)
#include "tst_allocassignments.moc"
