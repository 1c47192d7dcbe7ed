// Guards the table cursor the whole program walks: index orders the windows rely
// on (highest row first, newest distribution first, transactions by date), ranges
// and their record counts, exact case-sensitive locate, bookmarks, the
// required-field and length refusals, identifier reuse after deleting the top
// entry, the Friday-only price filter and the Master List text filter, and cursors
// that keep showing rows another writer changed.
#include "StoreFixture.h"

using namespace orv;
using namespace orv::store;
using namespace orvtest;

namespace {
// Day numbers: 46000 is a Thursday (46000 % 7 == 5), 46001 a Friday.
constexpr Day kThu = 46000;
constexpr Day kFri = 46001;

void addPrice(ORVDataModule& dm, int ml, Day d, double p)
{
    PriceRec r;
    r.MLID = ml;
    r.Date = d;
    r.Price = p;
    r.AdjPrice = p;
    QVERIFY(storePriceRow(dm, r).ok());
}

void addDsb(ORVDataModule& dm, int ml, Day ex, double total)
{
    DistributionRec r;
    r.MLID = ml;
    r.ExDate = ex;
    r.RecDate = ex;
    r.PayDate = ex + 1;
    r.Total = total;
    r.Income = total;
    r.SplitFactor = 1.0;
    r.ReinvestPri = 10;
    QVERIFY(insertDistribution(dm, r).ok());
}
}  // namespace

class TestTable : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void masterListIndexOrders()
    {
        OpenStore s;
        addML(s.dm, "B2", 2, 1);
        addML(s.dm, "A7", 7, 0);
        addML(s.dm, "A1", 1, 0);
        addML(s.dm, "C9", 9, 2);
        addML(s.dm, "C3", 3, 2);
        Table& t = s.dm.fftblMasterList();
        QVERIFY(t.setIndexName("IndxRowCol").ok());
        t.first();
        QCOMPARE(t.intValue("RowNum"), 9);  // highest used row first
        QVERIFY(t.setIndexName("IndxColRow").ok());
        QStringList order;
        for (t.first(); !t.eof(); t.next())
            order << t.stringValue("ShortName");
        QCOMPARE(order, (QStringList{"A1", "A7", "B2", "C3", "C9"}));
        t.last();
        QCOMPARE(t.intValue("ColNum"), 2);
        QVERIFY(t.setIndexName("IndxShortName").ok());
        t.first();
        QCOMPARE(t.stringValue("ShortName"), QString("A1"));
        QVERIFY(!t.setIndexName("NoSuchIndex").ok());
    }

    void distributionsNewestFirstInRange()
    {
        OpenStore s;
        addDsb(s.dm, 1, 45000, 0.1);
        addDsb(s.dm, 1, 45300, 0.3);
        addDsb(s.dm, 1, 45100, 0.2);
        addDsb(s.dm, 2, 46000, 9.9);
        Table& t = s.dm.fftblDistributions();
        QCOMPARE(t.indexName(), QString("IndxDsbMLID"));
        QVERIFY(t.setIndexName("IndxDsbDescDat").ok());
        QVERIFY(t.setRange({1}).ok());
        QCOMPARE(t.recordCount(), 3);
        QCOMPARE(t.intValue("ExDate"), 45300);
        t.last();
        QCOMPARE(t.intValue("ExDate"), 45000);
        QVERIFY(t.setIndexName("IndxDsbMLID").ok());  // cancels the range
        QCOMPARE(t.recordCount(), 4);
        QVERIFY(t.setRange({1}).ok());
        QCOMPARE(t.intValue("ExDate"), 45000);
        QCOMPARE(distributionsOf(s.dm, 1, true).front().ExDate, 45300);
    }

    void transactionOrders()
    {
        OpenStore s;
        // Two same-day transactions keep their entry order.
        const qint64 a = addTx(s.dm, 1, 10, 45500, "Buy", 5, "a");
        addTx(s.dm, 2, 10, 45100, "Buy", 1, "b");
        addTx(s.dm, 1, 11, 45000, "Buy", 2, "c");
        addTx(s.dm, 1, 10, 45200, "Sell", 1, "d");
        const qint64 e = addTx(s.dm, 1, 10, 45500, "Buy", 3, "e");
        QVERIFY(e > a);
        Table& t = s.dm.fftblTransactions();
        auto comments = [&] {
            QStringList l;
            for (t.first(); !t.eof(); t.next())
                l << t.stringValue("Comment");
            return l;
        };
        QCOMPARE(t.indexName(), QString("IndxPfIDMLID"));
        QVERIFY(t.setRange({1, 10}).ok());
        QCOMPARE(comments(), (QStringList{"d", "a", "e"}));
        QVERIFY(t.setIndexName("IndxPfIDDate").ok());
        QVERIFY(t.setRange({1}).ok());
        QCOMPARE(comments(), (QStringList{"c", "d", "a", "e"}));
        QVERIFY(t.setIndexName("IndxMLID").ok());
        QVERIFY(t.setRange({10}).ok());
        QCOMPARE(comments(), (QStringList{"b", "d", "a", "e"}));
        QVERIFY(t.setRange({10, 45500}).ok());
        QCOMPARE(t.recordCount(), 2);
        QVERIFY(t.setIndexName("IndxDate").ok());
        QCOMPARE(comments(), (QStringList{"c", "b", "d", "a", "e"}));
        QCOMPARE(countInRange(s.dm, TableId::Transactions, "IndxPfIDMLID", {1, 10}), 3);
        // Lookup fields.
        QVERIFY(s.dm.fftblTransactions().locate("Comment", {"a"}));
    }

    void rangeCountAndNavigation()
    {
        OpenStore s;
        for (int d = 0; d < 5; ++d)
            addPrice(s.dm, 7, kThu + d, 10 + d);
        addPrice(s.dm, 8, kThu, 99);
        Table& t = s.dm.fftblPrices();
        QVERIFY(t.setRange({7}).ok());
        QCOMPARE(t.recordCount(), 5);
        QVERIFY(t.bof());
        QVERIFY(!t.eof());
        QCOMPARE(t.floatValue("Price"), 10.0);
        t.prior();
        QVERIFY(t.bof());
        t.last();
        QVERIFY(t.eof());
        QCOMPARE(t.floatValue("Price"), 14.0);
        t.next();
        QVERIFY(t.eof());
        QCOMPARE(t.floatValue("Price"), 14.0);  // stays on the last record
        QVERIFY(t.setRange({9}).ok());
        QCOMPARE(t.recordCount(), 0);
        QVERIFY(t.eof() && t.bof());
        QVERIFY(t.isNull("Price"));
        t.cancelRange();
        QCOMPARE(t.recordCount(), 6);
        QVERIFY(!t.setRange({7, kThu, 3}).ok());  // more keys than the index has
    }

    void locateIsExactAndCaseSensitive_data()
    {
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<QString>("found");  // empty: not found
        QTest::newRow("short name") << "ShortName" << QVariantList{"Alpha"} << "Alpha";
        QTest::newRow("other case") << "ShortName" << QVariantList{"alpha"} << "";
        QTest::newRow("prefix only") << "ShortName" << QVariantList{"Alp"} << "";
        QTest::newRow("cell") << "ColNum;RowNum" << QVariantList{1, 2} << "Beta";
        QTest::newRow("empty cell") << "ColNum;RowNum" << QVariantList{1, 3} << "";
        QTest::newRow("not indexed") << "Ticker" << QVariantList{"BTX"} << "Beta";
        QTest::newRow("unknown field") << "Nope" << QVariantList{"x"} << "";
        QTest::newRow("count mismatch") << "ColNum;RowNum" << QVariantList{1} << "";
    }
    void locateIsExactAndCaseSensitive()
    {
        QFETCH(QString, fields);
        QFETCH(QVariantList, values);
        QFETCH(QString, found);
        OpenStore s;
        addML(s.dm, "Alpha", 1, 0);
        MasterListRec b = mlEntry("Beta", 2, 1);
        b.Ticker = "BTX";
        QVERIFY(insertMasterList(s.dm, b).ok());
        addML(s.dm, "Gamma", 5, 0);
        Table& t = s.dm.fftblMasterList();
        QVERIFY(t.setIndexName("IndxColRow").ok());
        t.last();
        const QString before = t.stringValue("ShortName");
        QCOMPARE(t.locate(fields, values), !found.isEmpty());
        QCOMPARE(t.stringValue("ShortName"), found.isEmpty() ? before : found);
    }

    void locateRespectsRange()
    {
        OpenStore s;
        addPrice(s.dm, 1, kThu, 5);
        addPrice(s.dm, 2, kThu, 6);
        Table& t = s.dm.fftblPrices();
        QVERIFY(t.setRange({1}).ok());
        QVERIFY(!t.locate("MLID;Date", {2, kThu}));
        QVERIFY(t.locate("MLID;Date", {1, kThu}));
    }

    void bookmarks()
    {
        OpenStore s;
        for (int i = 0; i < 4; ++i)
            addML(s.dm, QString("E%1").arg(i), i + 1, 0);
        Table& t = s.dm.fftblMasterList();
        QVERIFY(t.setIndexName("IndxColRow").ok());
        t.first();
        t.next();
        t.next();
        const Bookmark b = t.bookmark();
        t.first();
        QVERIFY(t.gotoBookmark(b));
        QCOMPARE(t.stringValue("ShortName"), QString("E2"));
        // Changing index keeps the current record.
        QVERIFY(t.setIndexName("IndxRowCol").ok());
        QCOMPARE(t.stringValue("ShortName"), QString("E2"));
        // A deleted record's bookmark is refused.
        QVERIFY(t.deleteRecord().ok());
        QVERIFY(!t.gotoBookmark(b));
        QVERIFY(!t.gotoBookmark(kNoBookmark));
    }

    void postRefusesMissingRequiredFields_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("blank");
        QTest::newRow("MasterList.ShortName") << "MasterList" << "ShortName";
        QTest::newRow("MasterList.Type") << "MasterList" << "Type";
        QTest::newRow("MasterList.RowNum") << "MasterList" << "RowNum";
        QTest::newRow("MasterList.Selected") << "MasterList" << "Selected";
        QTest::newRow("Portfolio.ShortName") << "Portfolio" << "ShortName";
        QTest::newRow("Transactions.Date") << "Transactions" << "Date";
        QTest::newRow("Transactions.Fee2") << "Transactions" << "Fee2";
        QTest::newRow("Distributions.SplitFactor") << "Distributions" << "SplitFactor";
    }
    void postRefusesMissingRequiredFields()
    {
        QFETCH(QString, table);
        QFETCH(QString, blank);
        OpenStore s;
        Table& t = s.dm.table(findTableDef(table)->id);
        QVERIFY(t.insert().ok());
        // Fill every field, then blank the one under test.
        for (const auto& f : t.def().fields) {
            if (f.type == FieldType::AutoInc)
                continue;
            const QVariant v = f.type == FieldType::String    ? QVariant(QString("X"))
                               : f.type == FieldType::Boolean ? QVariant(false)
                                                              : QVariant(1);
            QVERIFY(t.setValue(f.name, v));
        }
        QVERIFY(t.setValue(blank, f_empty(t, blank)));
        const Status st = t.post();
        QVERIFY(!st.ok());
        QCOMPARE(st.message().text, QString("Field '%1' must have a value.").arg(blank));
        QCOMPARE(t.state(), TableState::Insert);
        QCOMPARE(t.recordCount(), 0);
        t.cancel();
        QCOMPARE(t.state(), TableState::Browse);
    }

    void postRefusesTooLongStrings()
    {
        OpenStore s;
        Table& t = s.dm.fftblPortfolio();
        QVERIFY(t.insert().ok());
        QVERIFY(t.setValue("ShortName", "ABCDEFGHIJKLM"));  // 13 > 12
        const Status st = t.post();
        QVERIFY(!st.ok());
        QVERIFY(st.message().text.contains("ShortName"));
        QVERIFY(t.setValue("ShortName", "ABCDEFGHIJKL"));
        QVERIFY(t.post().ok());
        QCOMPARE(t.recordCount(), 1);
        // Word fields stay in 0..65535.
        QVERIFY(!insertMasterList(s.dm, [] {
                     auto r = mlEntry("W", 1, 0);
                     r.MovAveDaily1 = 70000;
                     return r;
                 }())
                     .ok());
    }

    void insertEditDeleteAndIdReuse()
    {
        OpenStore s;
        Table& t = s.dm.fftblMasterList();
        auto add = [&](const QString& name, int row) {
            QVERIFY(t.insert().ok());
            QVERIFY(t.setValue("ShortName", name));
            QVERIFY(t.setValue("Type", "Stock"));
            for (const char* f : {"MovAveDaily1", "MovAveDaily2", "MovAveWeekly1", "MovAveWeekly2"})
                QVERIFY(t.setValue(f, 10));
            QVERIFY(t.setValue("RowNum", row));
            QVERIFY(t.setValue("ColNum", 0));
            QVERIFY(t.setValue("Selected", false));
            QVERIFY(!t.setValue("MLID", 99));  // assigned by the engine
            QVERIFY(t.post().ok());
        };
        add("One", 1);
        QCOMPARE(t.intValue("MLID"), 1);
        add("Two", 2);
        add("Three", 3);
        QCOMPARE(t.intValue("MLID"), 3);
        QCOMPARE(t.stringValue("ShortName"), QString("Three"));  // on the posted record
        QCOMPARE(t.state(), TableState::Browse);

        // Delete the top identifier: the next entry reuses it.
        QVERIFY(t.locate("MLID", {3}));
        QVERIFY(t.deleteRecord().ok());
        QCOMPARE(t.recordCount(), 2);
        add("Four", 4);
        QCOMPARE(t.intValue("MLID"), 3);

        // Edit and cancel leave the stored value; edit and post change it.
        QVERIFY(t.locate("ShortName", {"Two"}));
        QVERIFY(t.edit().ok());
        QVERIFY(t.setValue("LongName", "changed"));
        t.cancel();
        QVERIFY(t.isNull("LongName"));
        QVERIFY(t.edit().ok());
        QVERIFY(t.setValue("LongName", "second"));
        QVERIFY(t.post().ok());
        QCOMPARE(masterListEntry(s.dm, 2)->LongName, QString("second"));
        QVERIFY(!t.setValue("LongName", "browse"));  // not in edit state
    }

    void weeklyPricesOnlyGivesFridays()
    {
        OpenStore s;
        for (int d = 0; d < 15; ++d)  // three weeks of days, weekends included
            addPrice(s.dm, 3, kThu + d, 20 + d);
        addPrice(s.dm, 4, kFri, 1);
        Table& t = s.dm.fftblPrices();
        QVERIFY(t.setRange({3}).ok());
        QCOMPARE(t.recordCount(), 15);
        s.dm.SetWeeklyPricesOnly(true);
        QVERIFY(t.filtered());
        QCOMPARE(t.recordCount(), 2);  // kFri and kFri + 7 (kFri + 14 is past the range)
        for (t.first(); !t.eof(); t.next()) {
            QCOMPARE(t.intValue("Date") % 7, 6);
            QCOMPARE(t.intValue("MLID"), 3);
        }
        // Filtered without the switch: every record passes.
        s.dm.WeeklyPricesOnly = false;
        t.refresh();
        QCOMPARE(t.recordCount(), 15);
        s.dm.SetWeeklyPricesOnly(false);
        QVERIFY(!t.filtered());
    }

    void masterListTextFilter()
    {
        OpenStore s;
        addML(s.dm, "Fund", 1, 0);
        addML(s.dm, "-Line", 2, 0, "Linear type");
        addML(s.dm, "Stock", 3, 0, "Stock");
        Table& t = s.dm.fftblMasterList();
        QVERIFY(t.setFilter("Type <> \"Linear type\"").ok());
        QCOMPARE(t.recordCount(), 3);  // not filtered yet
        t.setFiltered(true);
        QCOMPARE(t.recordCount(), 2);
        QVERIFY(!t.locate("ShortName", {"-Line"}));
        t.setFiltered(false);
        QVERIFY(t.locate("ShortName", {"-Line"}));
        QVERIFY(!t.setFilter("Type LIKE 'x'").ok());
    }

    void cursorFollowsOtherWriters()
    {
        OpenStore s;
        addPrice(s.dm, 1, kThu, 5);
        Table& t = s.dm.fftblPrices();
        QCOMPARE(t.recordCount(), 1);
        addPrice(s.dm, 1, kFri, 6);  // written by a typed helper
        QCOMPARE(t.recordCount(), 2);
        QCOMPARE(t.floatValue("Price"), 5.0);  // still on the same record
        PriceRec r{1, kThu, 7.5, 7.5};
        QVERIFY(storePriceRow(s.dm, r).ok());  // replaces, does not add
        QCOMPARE(t.recordCount(), 2);
        QCOMPARE(t.floatValue("Price"), 7.5);
        QCOMPARE(pricesOf(s.dm, 1).size(), size_t(2));
        QVERIFY(!priceOn(s.dm, 1, kFri + 1).has_value());
    }

private:
    static QVariant f_empty(Table& t, const QString& field)
    {
        return t.def().fields[size_t(t.def().fieldIndex(field))].type == FieldType::String ? QVariant(QString())
                                                                                           : QVariant();
    }
};

QTEST_GUILESS_MAIN(TestTable)
#include "tst_table.moc"
