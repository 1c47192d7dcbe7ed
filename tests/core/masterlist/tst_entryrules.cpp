// Guards the New Entry rules: the sign each special type puts in front of the
// name (and only when missing), ICDI numbers padded or cut to five digits, the
// refusals in their order with their exact texts (blank, "[Pf]" at the start, a
// name already in any cell regardless of case and blanks, compared after the sign
// is added), an entry added only into a blank cell together with its ten
// allocation rows and nothing left behind when a step fails; the two-line
// headings of the table editor and column headings cut to 16 characters.
#include "../store/StoreFixture.h"

#include "core/masterlist/AllocAssignments.h"
#include "core/masterlist/EntryRules.h"

using namespace orv;
using namespace orvtest;

namespace {
const QString MF = "Mutual Fund", ST = "Stock", MMF = "Money Market Fund", VA = "Variable Annuity",
              LT = "Linear type", IX = "Index";

// "Alpha" at [1][0], " Beta " at [2][1], "$Cash" at [1][2].
TMLDisplayArray sheet()
{
    TMLDisplayArray a;
    a.reset(3, 2);
    a.at(1, 0).shortName = "Alpha";
    a.at(2, 1).shortName = " Beta ";
    a.at(1, 2).shortName = "$Cash";
    return a;
}

int count(ORVDataModule& dm, store::TableId t, const QString& where = QString())
{
    Query q = dm.query("SELECT count(*) FROM " + ORVDataModule::qualified(t) + (where.isEmpty() ? "" : " WHERE " + where));
    return q.next() ? int(q.int64(0)) : -1;
}
}  // namespace

class TestEntryRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaults()
    {
        const MasterListRec r = newEntryDefaults(7, 3);
        QCOMPARE(r.Type, MF);
        QCOMPARE(r.MovAveDaily1, 200);
        QCOMPARE(r.MovAveDaily2, 100);
        QCOMPARE(r.MovAveWeekly1, 39);
        QCOMPARE(r.MovAveWeekly2, 20);
        QCOMPARE(r.Selected, false);
        QCOMPARE(r.RowNum, 7);
        QCOMPARE(r.ColNum, 3);
        QCOMPARE(issueTypes(), (QStringList{MF, ST, VA, MMF, IX, LT}));
    }

    void prefix_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("stored");
        QTest::newRow("money market gets $") << "Cash" << MMF << "$Cash";
        QTest::newRow("money market keeps its $") << "$Cash" << MMF << "$Cash";
        QTest::newRow("linear gets -") << "Line" << LT << "-Line";
        QTest::newRow("linear keeps its -") << "-Line" << LT << "-Line";
        QTest::newRow("annuity gets ~") << "Ann" << VA << "~Ann";
        QTest::newRow("annuity keeps its ~") << "~Ann" << VA << "~Ann";
        QTest::newRow("money market with another sign") << "-Cash" << MMF << "$-Cash";
        QTest::newRow("fund unchanged") << "Growth" << MF << "Growth";
        QTest::newRow("stock keeps a $ (the post rule judges edits)") << "$Odd" << ST << "$Odd";
        QTest::newRow("index unchanged") << "~Idx" << IX << "~Idx";
    }
    void prefix()
    {
        QFETCH(QString, name);
        QFETCH(QString, type);
        QFETCH(QString, stored);
        QCOMPARE(prefixedShortName(name, type), stored);
    }

    void icdi_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("empty stays empty") << "" << "";
        QTest::newRow("blanks stay empty") << "   " << "";
        QTest::newRow("two digits") << "42" << "00042";
        QTest::newRow("trimmed first") << " 7 " << "00007";
        QTest::newRow("five digits") << "12345" << "12345";
        QTest::newRow("seven digits keep the last five") << "1234567" << "34567";
    }
    void icdi()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QCOMPARE(padICDINumber(typed), stored);
    }

    void prepare_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("message");  // empty: accepted
        QTest::addColumn<QString>("stored");
        const QString blank = "Short Name must not be blank.", pf = "[Pf] sequence not allowed.",
                      dup = "Short Name is already on the Master List.";
        QTest::newRow("blank") << "" << MF << blank << "";
        QTest::newRow("only blanks") << "    " << MMF << blank << "";
        QTest::newRow("[Pf] first") << "[Pf]Mine" << MF << pf << "";
        QTest::newRow("[Pf] after blanks") << "  [Pf]Mine" << MF << pf << "";
        QTest::newRow("[Pf] checked before duplicates") << "[Pf]" << MF << pf << "";
        QTest::newRow("[Pf] inside is a name") << "My[Pf]" << MF << "" << "My[Pf]";
        QTest::newRow("duplicate other case") << "ALPHA" << MF << dup << "";
        QTest::newRow("duplicate with blanks in the cell") << "beta" << ST << dup << "";
        QTest::newRow("duplicate once the sign is added") << "cash" << MMF << dup << "";
        QTest::newRow("same letters without the sign") << "Cash" << MF << "" << "Cash";
        QTest::newRow("trimmed") << "  Gamma  " << MF << "" << "Gamma";
        QTest::newRow("sign then cut to the field") << "ABCDEFGHIJKLMNOP" << MMF << "" << "$ABCDEFGHIJKLMNO";
    }
    void prepare()
    {
        QFETCH(QString, name);
        QFETCH(QString, type);
        QFETCH(QString, message);
        QFETCH(QString, stored);
        MasterListRec typed = newEntryDefaults(3, 0);
        typed.ShortName = name;
        typed.Type = type;
        typed.ICDINumber = "12";
        const Result<MasterListRec> r = prepareNewEntry(typed, sheet());
        if (message.isEmpty()) {
            QVERIFY2(r.ok(), qPrintable(r.ok() ? QString() : r.message().text));
            QCOMPARE(r->ShortName, stored);
            QCOMPARE(r->ICDINumber, QString("00012"));
            QCOMPARE(r->Type, type);
        } else {
            QVERIFY(!r.ok());
            QCOMPARE(r.message().text, message);
            QCOMPARE(r.message().type, MsgType::Warning);
            QVERIFY(r.message().beep);
        }
    }

    void addEntryWithAllocationRows()
    {
        OpenStore s;
        addML(s.dm, "Alpha", 1, 0);
        fillMLDisplay(s.dm, s.dm.MLDisplay);
        MasterListRec typed = newEntryDefaults(2, 1);
        typed.ShortName = " Money ";
        typed.Type = MMF;
        typed.LongName = "Money fund";
        typed.ICDINumber = "9";
        const Result<int> id = addNewEntry(s.dm, typed);
        QVERIFY2(id.ok(), qPrintable(id.ok() ? QString() : id.message().text));
        const auto e = store::masterListEntry(s.dm, id.value());
        QVERIFY(e);
        QCOMPARE(e->ShortName, QString("$Money"));
        QCOMPARE(e->LongName, QString("Money fund"));
        QCOMPARE(e->ICDINumber, QString("00009"));
        QCOMPARE(e->MovAveDaily1, 200);
        QCOMPARE(e->MovAveWeekly2, 20);
        QCOMPARE(e->RowNum, 2);
        QCOMPARE(e->ColNum, 1);
        QCOMPARE(e->Selected, false);
        for (int a = 1; a <= 10; ++a) {
            QCOMPARE(count(s.dm, store::TableId::AssetAllocValues, QString("MLID = %1 AND AllocID = %2").arg(id.value()).arg(a)), 1);
            QCOMPARE(allocTotal(allocValues(s.dm, id.value(), a)), 0.0);
        }
        QCOMPARE(count(s.dm, store::TableId::AssetAllocValues), 10);
        QCOMPARE(s.dm.transactionDepth(), 0);
    }

    void refusalsChangeNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("type");
        QTest::newRow("occupied cell") << "New" << 1 << 0
                                       << "First place the highlight over a blank area on the Master List." << int(MsgType::Custom);
        QTest::newRow("name in another cell") << "alpha" << 4 << 4 << "Short Name is already on the Master List."
                                              << int(MsgType::Warning);
        QTest::newRow("blank name") << " " << 4 << 4 << "Short Name must not be blank." << int(MsgType::Warning);
    }
    void refusalsChangeNothing()
    {
        QFETCH(QString, name);
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(QString, message);
        QFETCH(int, type);
        OpenStore s;
        addML(s.dm, "Alpha", 1, 0);
        fillMLDisplay(s.dm, s.dm.MLDisplay);
        MasterListRec typed = newEntryDefaults(row, col);
        typed.ShortName = name;
        const Result<int> id = addNewEntry(s.dm, typed);
        QVERIFY(!id.ok());
        QCOMPARE(id.message().text, message);
        QCOMPARE(int(id.message().type), type);
        QCOMPARE(count(s.dm, store::TableId::MasterList), 1);
        QCOMPARE(count(s.dm, store::TableId::AssetAllocValues), 0);
    }

    void failedAllocationRowsLeaveNoEntry()
    {
        OpenStore s;
        fillMLDisplay(s.dm, s.dm.MLDisplay);
        QVERIFY(s.dm.exec("CREATE TEMP TRIGGER boom BEFORE INSERT ON \"AssetAllocValues\".\"AssetAllocValues\" "
                          "WHEN NEW.AllocID = 7 BEGIN SELECT RAISE(ABORT, 'disk full'); END").ok());
        MasterListRec typed = newEntryDefaults(1, 0);
        typed.ShortName = "Doomed";
        const Result<int> id = addNewEntry(s.dm, typed);
        QVERIFY(!id.ok());
        QVERIFY(id.message().text.contains("disk full"));
        QCOMPARE(count(s.dm, store::TableId::MasterList), 0);
        QCOMPARE(count(s.dm, store::TableId::AssetAllocValues), 0);
        QCOMPARE(s.dm.transactionDepth(), 0);
    }

    void twoLineHeadings()
    {
        QStringList headings;
        for (const EntryColumn& c : tableEntryColumns())
            headings << twoLineHeading(c.heading);
        QCOMPARE(headings, (QStringList{"Short Name", "Long Name", "Type", "Ticker", "ICDI Number", "CUSIP",
                                        "Daily\rMovAve #1", "Daily\rMovAve #2", "Weekly\rMovAve #1", "Weekly\rMovAve #2"}));
        QCOMPARE(twoLineHeading("a~b~c"), QString("a\rb\rc"));
    }

    void columnHeadings()
    {
        OpenStore s;
        QVERIFY(setColumnHeading(s.dm, 3, "Aggressive").ok());
        QVERIFY(setColumnHeading(s.dm, 3, "A heading far too long").ok());
        QVERIFY(setColumnHeading(s.dm, 100, "").ok());
        QVERIFY(!setColumnHeading(s.dm, 0, "x").ok());
        QVERIFY(!setColumnHeading(s.dm, 101, "x").ok());
        QCOMPARE(count(s.dm, store::TableId::MasterListColHdrs), 2);
        Query q = s.dm.query("SELECT Heading FROM " + ORVDataModule::qualified(store::TableId::MasterListColHdrs) +
                             " WHERE ColNum = 3");
        QVERIFY(q.next());
        QCOMPARE(q.text(0), QString("A heading far to"));
    }
};

QTEST_GUILESS_MAIN(TestEntryRules)
#include "tst_entryrules.moc"
