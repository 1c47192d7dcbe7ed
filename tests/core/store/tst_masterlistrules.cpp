// Guards the Master List edit and post rules: each of the seven checks with its
// exact text and order, a type change between ordinary types accepted without the
// later checks, duplicates found regardless of case and surrounding blanks while
// the entry's own cell is skipped, the rule acting only on edits while switched on
// and leaving the record in edit state after a refusal; and the grid fill
// (sizes, cells, highest identifier) the duplicate check reads.
#include "StoreFixture.h"

using namespace orv;
using namespace orv::store;
using namespace orvtest;

namespace {
const QString MF = "Mutual Fund", ST = "Stock", MMF = "Money Market Fund", VA = "Variable Annuity",
              LT = "Linear type", IX = "Index";

// A 3 x 3 sheet: "Alpha" at [1][0], "Beta" at [2][1], the edited entry at [1][1].
TMLDisplayArray sheet()
{
    TMLDisplayArray a;
    a.reset(2, 2);
    a.at(1, 0).shortName = "Alpha";
    a.at(2, 1).shortName = " Beta ";
    a.at(1, 1).shortName = "Self";
    return a;
}
}  // namespace

class TestMasterListRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void postChecks_data()
    {
        QTest::addColumn<QString>("oldType");
        QTest::addColumn<QString>("oldName");
        QTest::addColumn<QString>("newType");
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QString>("message");  // empty: accepted
        const QString again = "\r\rTry again.";
        QTest::newRow("blank name") << MF << "Self" << MF << "   " << "Short Name must not be blank." + again;
        QTest::newRow("blank wins over type change") << MF << "Self" << MMF << "" << "Short Name must not be blank." + again;
        QTest::newRow("[Pf] in new name") << MF << "Self" << MF << "My[Pf]x" << "Cannot edit [Pf] entry or use [Pf] in edits." + again;
        QTest::newRow("[Pf] entry unchanged") << MF << " [Pf]Growth" << MF << "Growth" << "Cannot edit [Pf] entry or use [Pf] in edits." + again;
        QTest::newRow("[pf] lower case is a name") << MF << "Self" << MF << "[pf]x" << "";
        QTest::newRow("MF to Stock skips later checks") << MF << "Self" << ST << "$Alpha" << "";
        QTest::newRow("Stock to Index") << ST << "Self" << IX << "alpha" << "";
        QTest::newRow("MF to MMF") << MF << "Self" << MMF << "$Self" << "Type change not allowed." + again;
        QTest::newRow("MMF to MF") << MMF << "$Self" << MF << "Self" << "Type change not allowed." + again;
        QTest::newRow("VA to Stock") << VA << "~Self" << ST << "Self" << "Type change not allowed." + again;
        QTest::newRow("Stock to Linear") << ST << "Self" << LT << "-Self" << "Type change not allowed." + again;
        QTest::newRow("$ on a fund") << MF << "Self" << MF << "$Cash" << "Can only use  $  as first character with Money Market Funds." + again;
        QTest::newRow("$ on a money market fund") << MMF << "$Self" << MMF << "$Cash" << "";
        QTest::newRow("~ on a stock") << ST << "Self" << ST << "~Ann" << "Can only use  ~  as first character with Variable Annuities." + again;
        QTest::newRow("~ on an annuity") << VA << "~Self" << VA << "~Ann" << "";
        QTest::newRow("- on an index") << IX << "Self" << IX << "-Line" << "Can only use  -  as first character with Linear types." + again;
        QTest::newRow("- on a linear type") << LT << "-Self" << LT << "-Line" << "";
        QTest::newRow("type compared trimmed") << MF << "Self" << " Mutual Fund " << "New" << "";
        QTest::newRow("duplicate other case") << MF << "Self" << MF << "ALPHA" << "ALPHA already used by another entry." + again;
        QTest::newRow("duplicate with blanks") << MF << "Self" << MF << "  beta " << "beta already used by another entry." + again;
        QTest::newRow("own cell skipped") << MF << "Self" << MF << "SELF" << "";
        QTest::newRow("new unique name") << MF << "Self" << MF << "Gamma" << "";
    }
    void postChecks()
    {
        QFETCH(QString, oldType);
        QFETCH(QString, oldName);
        QFETCH(QString, newType);
        QFETCH(QString, newName);
        QFETCH(QString, message);
        MLEditMemo memo;
        memo.RowNum = 1;
        memo.ColNum = 1;
        memo.oldType = oldType.trimmed();
        memo.oldPrefix = oldName.trimmed().left(4);
        const Status st = checkMasterListPost(memo, newType, newName, sheet());
        if (message.isEmpty()) {
            QVERIFY2(st.ok(), qPrintable(st.ok() ? QString() : st.message().text));
        } else {
            QVERIFY(!st.ok());
            QCOMPARE(st.message().text, message);
            QCOMPARE(st.message().type, MsgType::Error);
            QVERIFY(st.message().beep);
        }
    }

    void ruleRunsOnEditsWhenSwitchedOn()
    {
        OpenStore s;
        addML(s.dm, "Alpha", 1, 0);
        addML(s.dm, "Beta", 2, 0);
        fillMLDisplay(s.dm, s.dm.MLDisplay);
        Table& t = s.dm.fftblMasterList();
        QVERIFY(t.locate("ShortName", {"Beta"}));

        // Switched off: a duplicate passes (the editing windows switch it on).
        QVERIFY(t.edit().ok());
        QVERIFY(t.setValue("ShortName", "Alpha"));
        QVERIFY(t.post().ok());
        QVERIFY(t.edit().ok());
        QVERIFY(t.setValue("ShortName", "Beta"));
        QVERIFY(t.post().ok());

        s.dm.MLValidationOn = true;
        QVERIFY(t.edit().ok());
        QVERIFY(t.setValue("ShortName", " alpha"));
        const Status st = t.post();
        QVERIFY(!st.ok());
        QCOMPARE(st.message().text, QString("alpha already used by another entry.\r\rTry again."));
        QCOMPARE(t.state(), TableState::Edit);  // left for the window to decide
        QCOMPARE(masterListEntry(s.dm, 2)->ShortName, QString("Beta"));
        QVERIFY(t.setValue("ShortName", "Beta2"));
        QVERIFY(t.post().ok());
        QCOMPARE(masterListEntry(s.dm, 2)->ShortName, QString("Beta2"));

        // Inserts are not checked here.
        QVERIFY(t.insert().ok());
        for (auto [f, v] : std::initializer_list<std::pair<const char*, QVariant>>{
                 {"ShortName", "ALPHA"}, {"Type", "Stock"}, {"MovAveDaily1", 1}, {"MovAveDaily2", 1},
                 {"MovAveWeekly1", 1}, {"MovAveWeekly2", 1}, {"RowNum", 3}, {"ColNum", 0}, {"Selected", false}})
            QVERIFY(t.setValue(f, v));
        QVERIFY(t.post().ok());
    }

    void editRuleRemembersOldCellTypeAndPrefix()
    {
        OpenStore s;
        addML(s.dm, "[Pf]Growth", 4, 0);
        addML(s.dm, "Other", 1, 0);
        fillMLDisplay(s.dm, s.dm.MLDisplay);
        s.dm.MLValidationOn = true;
        Table& t = s.dm.fftblMasterList();
        QVERIFY(t.locate("ShortName", {"[Pf]Growth"}));
        QVERIFY(t.edit().ok());
        // Even unchanged, a [Pf] entry cannot be posted from an editing window.
        QCOMPARE(t.post().message().text, QString("Cannot edit [Pf] entry or use [Pf] in edits.\r\rTry again."));
        t.cancel();
        // Moving the entry does not change the skipped cell: it is the old one.
        QVERIFY(t.locate("ShortName", {"Other"}));
        QVERIFY(t.edit().ok());
        QVERIFY(t.setValue("RowNum", 9));
        QVERIFY(t.setValue("ShortName", "OTHER"));
        QVERIFY(t.post().ok());
    }

    void fillMLDisplayPlacesEntries()
    {
        OpenStore s;
        TMLDisplayArray a;
        MLGridSize g = fillMLDisplay(s.dm, a);
        QCOMPARE(g.MaxRow, 5);
        QCOMPARE(g.MaxCol, 4);
        QCOMPARE(a.maxRow(), 5);
        QCOMPARE(a.maxCol(), 4);
        QCOMPARE(g.highestMLID, qint64(0));

        addML(s.dm, "A", 3, 0);
        addML(s.dm, "A Long Name 1234", 7, 2);
        MasterListRec sel = mlEntry("Sel", 1, 1);
        sel.Selected = true;
        QVERIFY(insertMasterList(s.dm, sel).ok());
        s.dm.fftblMasterList().setIndexName("IndxShortName");
        g = fillMLDisplay(s.dm, a);
        QCOMPARE(g.MaxRow, 7);
        QCOMPARE(g.MaxCol, 2);
        QCOMPARE(g.highestMLID, qint64(3));
        QCOMPARE(a.at(3, 0).shortName, QString("A"));
        QCOMPARE(a.at(7, 2).shortName, QString("A Long Name 1234"));
        QVERIFY(a.at(1, 1).selected);
        QVERIFY(!a.at(3, 0).selected);
        QVERIFY(a.at(2, 2).shortName.isEmpty());
        QCOMPARE(s.dm.fftblMasterList().indexName(), QString("IndxColRow"));
    }
};

QTEST_GUILESS_MAIN(TestMasterListRules)
#include "tst_masterlistrules.moc"
