// Guards the portfolio directory rules: the family match (starts with, contains,
// equals with its case rule), the thresholds of the issue-based selections (short
// positions, dust balances), selections that must add to the current marks rather
// than replace them, the short-name rules (blank, blanks inside, duplicates), and
// the delete cascade that must remove transactions, holdings and the portfolio
// together and leave other portfolios alone.
#include "../store/StoreFixture.h"
#include "core/base/Progress.h"
#include "core/portfolios/PortfolioDirectory.h"

using namespace orv;
using namespace orv::store;
using namespace orvtest;

namespace {
int addPf(ORVDataModule& dm, const QString& name)
{
    PortfolioRec r;
    r.ShortName = name;
    const auto id = insertPortfolio(dm, r);  // direct insert: names the dialog would refuse too
    if (!id)
        qFatal("portfolio insert failed: %s", qPrintable(id.message().text));
    return int(*id);
}
QStringList selectedNames(ORVDataModule& dm)
{
    QStringList out;
    for (const auto& p : selectedPortfolios(dm))
        out << p.ShortName;
    return out;
}
}  // namespace

class TestPortfolioDirectory : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void family_data()
    {
        QTest::addColumn<int>("rule");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        const int S = int(PfFamilyRule::StartsWith), C = int(PfFamilyRule::Contains), E = int(PfFamilyRule::Equals);
        QTest::newRow("starts with ira") << S << "ira" << QStringList{"IRA-JOHN", "IRA2"};
        QTest::newRow("contains ira") << C << "ira" << QStringList{"IRA-JOHN", "IRA2", "MY IRA"};
        QTest::newRow("equals ira (case matters)") << E << "ira" << QStringList{};
        QTest::newRow("equals IRA2") << E << "IRA2" << QStringList{"IRA2"};
        QTest::newRow("empty text selects nothing") << C << "" << QStringList{};
    }
    void family()
    {
        QFETCH(int, rule);
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        OpenStore s;
        for (const char* n : {"IRA-JOHN", "IRA2", "MY IRA", "BROKER"})
            addPf(s.dm, n);
        NullProgress p;
        const auto n = SelectPfFamily(s.dm, PfFamilyRule(rule), text, p);
        QVERIFY(n.ok());
        QCOMPARE(*n, int(expected.size()));
        QCOMPARE(selectedNames(s.dm), expected);
    }

    void familyKeepsOtherMarks()
    {
        OpenStore s;
        const int broker = addPf(s.dm, "BROKER");
        addPf(s.dm, "IRA2");
        QVERIFY(setPfSelected(s.dm, broker, true).ok());
        NullProgress p;
        QVERIFY(SelectPfFamily(s.dm, PfFamilyRule::StartsWith, "ira", p).ok());
        QCOMPARE(selectedNames(s.dm), (QStringList{"BROKER", "IRA2"}));
        QVERIFY(ClearPfSelections(s.dm).ok());
        QVERIFY(selectedNames(s.dm).isEmpty());
        QVERIFY(SelectAllPortfolios(s.dm, p).ok());
        QCOMPARE(selectedNames(s.dm), (QStringList{"BROKER", "IRA2"}));
    }

    void byIssue_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("transaction exists") << int(PfIssueSelection::TransactionExists)
                                            << QStringList{"CLOSED", "DUST", "LONG", "SHORT"};
        QTest::newRow("open accounts: short position yes, dust no") << int(PfIssueSelection::OpenAccounts)
                                                                   << QStringList{"LONG", "SHORT"};
        QTest::newRow("closed accounts: zero and dust") << int(PfIssueSelection::ClosedAccounts)
                                                        << QStringList{"CLOSED", "DUST"};
    }
    void byIssue()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, expected);
        OpenStore s;
        const int ml = int(addML(s.dm, "FUND", 1, 0));
        const int other = int(addML(s.dm, "OTHER", 2, 0));
        const QList<QPair<QString, double>> holdings{{"LONG", 100}, {"SHORT", -10}, {"DUST", 0.00001}, {"CLOSED", 0}};
        for (const auto& [name, shares] : holdings) {
            TransxSummaryRec h;
            h.PfID = addPf(s.dm, name);
            h.MLID = ml;
            h.Shares = shares;
            h.Reinvest = "All";
            QVERIFY(insertRow(s.dm, TableId::TransxSummary, toFields(h)).ok());
        }
        TransxSummaryRec h;  // a holding of another issue never counts
        h.PfID = addPf(s.dm, "ELSEWHERE");
        h.MLID = other;
        h.Shares = 5;
        QVERIFY(insertRow(s.dm, TableId::TransxSummary, toFields(h)).ok());
        NullProgress p;
        QVERIFY(SelectPfByIssue(s.dm, ml, PfIssueSelection(kind), p).ok());
        QCOMPARE(selectedNames(s.dm), expected);
    }

    void shortNameInput_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("upper case") << "ira-john" << "IRA-JOHN";
        QTest::newRow("blanks dropped") << "my ira" << "MYIRA";
        QTest::newRow("twelve at most") << "abcdefghijklmnop" << "ABCDEFGHIJKL";
        QTest::newRow("non-ASCII dropped") << QString::fromUtf8("caf\u00e9~!") << "CAF~!";
    }
    void shortNameInput()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QCOMPARE(filterShortNameInput(typed), kept);
    }

    void save_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("refusal");  // empty: saved
        QTest::newRow("new name saved upper-cased") << "  joint " << "";
        QTest::newRow("blank") << "   " << "Short Name must not be blank.";
        QTest::newRow("blank inside") << "MY IRA" << "Short Name may hold";
        QTest::newRow("duplicate ignoring case") << "broker" << "A portfolio named BROKER already exists.";
    }
    void save()
    {
        QFETCH(QString, name);
        QFETCH(QString, refusal);
        OpenStore s;
        addPf(s.dm, "BROKER");
        PortfolioRec r;
        r.ShortName = name;
        r.LongName = "Long";
        const auto id = savePortfolio(s.dm, r);
        QCOMPARE(id.ok(), refusal.isEmpty());
        if (!id.ok()) {
            QVERIFY2(id.message().text.startsWith(refusal), qPrintable(id.message().text));
            QCOMPARE(portfolios(s.dm).size(), size_t(1));
        } else {
            QCOMPARE(portfolio(s.dm, *id)->ShortName, name.trimmed().toUpper());
        }
    }

    void editKeepsNameAndSelection()
    {
        OpenStore s;
        const int id = addPf(s.dm, "BROKER");
        QVERIFY(setPfSelected(s.dm, id, true).ok());
        auto r = *portfolio(s.dm, id);
        r.TaxID = "123-45";
        const auto saved = savePortfolio(s.dm, r);  // its own name is no duplicate
        QVERIFY2(saved.ok(), saved.ok() ? "" : qPrintable(saved.message().text));
        QCOMPARE(portfolio(s.dm, id)->TaxID, QString("123-45"));
        QVERIFY(portfolio(s.dm, id)->Selected);
    }

    void deleteCascade()
    {
        OpenStore s;
        const int keep = addPf(s.dm, "KEEP");
        const int gone = addPf(s.dm, "GONE");
        for (int i = 0; i < 5; ++i) {
            addTx(s.dm, gone, 7, 45000 + i, "Buy", 10);
            addTx(s.dm, keep, 7, 45000 + i, "Buy", 1);
        }
        TransxSummaryRec h;
        h.PfID = gone;
        h.MLID = 7;
        QVERIFY(insertRow(s.dm, TableId::TransxSummary, toFields(h)).ok());
        h.PfID = keep;
        QVERIFY(insertRow(s.dm, TableId::TransxSummary, toFields(h)).ok());
        Table& cursor = s.dm.fftblTransactions();
        QCOMPARE(cursor.recordCount(), 10);
        NullProgress p;
        const auto n = deletePortfolio(s.dm, gone, p);
        QVERIFY(n.ok());
        QCOMPARE(*n, 5);
        QVERIFY(!portfolio(s.dm, gone));
        QVERIFY(transactionsOfPortfolio(s.dm, gone).empty());
        QVERIFY(holdingsOf(s.dm, gone).empty());
        QCOMPARE(transactionsOfPortfolio(s.dm, keep).size(), size_t(5));
        QCOMPARE(holdingsOf(s.dm, keep).size(), size_t(1));
        QCOMPARE(cursor.recordCount(), 5);  // open cursors see the deletion
    }

    void deleteRollsBackWhenAPartFails()
    {
        OpenStore s;
        const int gone = addPf(s.dm, "GONE");
        addTx(s.dm, gone, 7, 45000, "Buy", 10);
        // A trigger makes the last step (the portfolio row) fail.
        QVERIFY(s.dm.exec(QStringLiteral("CREATE TEMP TRIGGER nodel BEFORE DELETE ON %1 BEGIN "
                                         "SELECT RAISE(ABORT, 'refused'); END")
                              .arg(ORVDataModule::qualified(TableId::Portfolio)))
                    .ok());
        NullProgress p;
        QVERIFY(!deletePortfolio(s.dm, gone, p).ok());
        QVERIFY(portfolio(s.dm, gone));
        QCOMPARE(transactionsOfPortfolio(s.dm, gone).size(), size_t(1));
    }
};

QTEST_GUILESS_MAIN(TestPortfolioDirectory)
#include "tst_portfoliodirectory.moc"
