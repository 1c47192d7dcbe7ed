// Guards the shared active-portfolio texts: the title and the status-bar caption
// must be built from trimmed names exactly as shown to the user, and a missing
// portfolio must clear every value (ActivePfID -1), never leave the previous one.
#include <QtTest>

#include "core/config/AppState.h"

using namespace orv;

class TestAppState : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void activePortfolio_data()
    {
        QTest::addColumn<QString>("shortName");
        QTest::addColumn<QString>("longName");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("caption");
        QTest::newRow("both names") << "IRA" << "Individual Retirement" << "Individual Retirement"
                                    << " IRA : Individual Retirement";
        QTest::newRow("blank long name") << "IRA" << "   " << "IRA" << " IRA";
        QTest::newRow("empty long name") << "IRA" << "" << "IRA" << " IRA";
        QTest::newRow("padded names") << "  IRA  " << "  My IRA  " << "My IRA" << " IRA :   My IRA";
    }
    void activePortfolio()
    {
        QFETCH(QString, shortName);
        QFETCH(QString, longName);
        QFETCH(QString, title);
        QFETCH(QString, caption);
        AppState st;
        setActivePortfolio(st, PortfolioNames{4, shortName, longName, "123-45"});
        QCOMPARE(st.ActivePfID, 4);
        QCOMPARE(st.ActivePfShortName, shortName);
        QCOMPARE(st.ActivePfLongName, longName);
        QCOMPARE(st.ActivePfTaxID, QStringLiteral("123-45"));
        QCOMPARE(st.ActivePfTitle, title);
        QCOMPARE(st.ActivePfCaption, caption);
    }

    void noPortfolioClearsEverything()
    {
        AppState st;
        setActivePortfolio(st, PortfolioNames{4, "IRA", "Long", "1"});
        setActivePortfolio(st, std::nullopt);
        QCOMPARE(st.ActivePfID, -1);
        QVERIFY(st.ActivePfShortName.isEmpty());
        QVERIFY(st.ActivePfLongName.isEmpty());
        QVERIFY(st.ActivePfTaxID.isEmpty());
        QVERIFY(st.ActivePfTitle.isEmpty());
        QVERIFY(st.ActivePfCaption.isEmpty());
    }

    void globalStateResets()
    {
        AppState& st = appState();
        QCOMPARE(&st, &appState());
        st.CurMLID = 5;
        st.Config.MLLastRow = 9;
        st.setFolders(buildFolders("/prog", "/user"));
        QCOMPARE(st.folders().TempPath, QStringLiteral("/user/Temp/"));
        st.reset();
        QCOMPARE(appState().CurMLID, -1);
        QCOMPARE(appState().ActivePfID, -1);
        QCOMPARE(appState().Config.MLLastRow, 1);
        QCOMPARE(appState().AliasName, QStringLiteral("ORVData"));
        QVERIFY(appState().DataPath.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestAppState)
#include "tst_appstate.moc"
