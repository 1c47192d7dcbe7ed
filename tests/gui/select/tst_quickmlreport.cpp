// Guards the Quick Report window and its main-menu command: "&Quick Report" on
// a blank active cell gives "No data on blank entry." and no window; on an
// entry the window is captioned with its short name and shows its facts;
// "$/shares" switches the list between values and share balances ("Closed"
// either way for 0.00001 shares); a listed "[Pf]Multiple" hides "$/shares"
// and shows the portfolio names of its file.
#include <QtTest>
#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "MainFixture.h"
#include "gui/base/MessageDlg.h"
#include "gui/select/QuickMLReport.h"

using namespace orv;

namespace {
QStringList columnTexts(QTableWidget* t, int col)
{
    QStringList out;
    for (int r = 0; r < t->rowCount(); ++r)
        out << (t->item(r, col) ? t->item(r, col)->text() : QString());
    return out;
}
}  // namespace

class TestQuickMLReport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fromMainMenu()
    {
        testing::MainFixture fx;
        QVERIFY(fx.ok());
        const int id = fx.addEntry(QStringLiteral("Growth"), 0, 1, QStringLiteral("GRWX"));
        PriceRec p;
        p.MLID = id;
        p.Date = dayFromDate(QDate(2026, 2, 2));
        p.Price = 8.0;
        p.AdjPrice = 8.0;
        QVERIFY(store::storePriceRow(fx.dm(), p).ok());
        PortfolioRec pf;
        pf.ShortName = QStringLiteral("Tiny");
        auto pfID = store::insertPortfolio(fx.dm(), pf);
        QVERIFY(pfID.ok());
        TransxSummaryRec h;
        h.PfID = int(pfID.value());
        h.MLID = id;
        h.Shares = 0.00001;
        QVERIFY(store::insertRow(fx.dm(), store::TableId::TransxSummary, store::toFields(h)).ok());
        PortfolioRec pf2;
        pf2.ShortName = QStringLiteral("Big");
        auto pf2ID = store::insertPortfolio(fx.dm(), pf2);
        h.PfID = int(pf2ID.value());
        h.Shares = 12.5;
        QVERIFY(store::insertRow(fx.dm(), store::TableId::TransxSummary, store::toFields(h)).ok());
        fx.main->LoadGrid();

        RecordingMessageSink sink;
        fx.main->setActiveCell(2, 0);
        fx.main->action(QStringLiteral("mmQuickReport"))->trigger();
        QCOMPARE(sink.texts(), QStringList{QStringLiteral("No data on blank entry.")});
        QVERIFY(fx.seen.isEmpty());

        QStringList values, shares, headings;
        QString caption, lastPrice, beginDate;
        fx.onDialog = [&](QDialog* d) {
            auto* w = qobject_cast<TfrmQuickMLReport*>(d);
            QVERIFY(w);
            caption = w->windowTitle();
            lastPrice = w->lblLastPrice->text();
            beginDate = w->lblBeginDate->text();
            values = columnTexts(w->gridPortfolios, 1);
            headings << w->gridPortfolios->horizontalHeaderItem(1)->text();
            w->btnValueShares->click();
            shares = columnTexts(w->gridPortfolios, 1);
            headings << w->gridPortfolios->horizontalHeaderItem(1)->text();
            w->bbtnOK->click();
        };
        fx.main->setActiveCell(1, 0);
        fx.main->action(QStringLiteral("mmQuickReport"))->trigger();
        QCOMPARE(fx.seen, QStringList{QStringLiteral("frmQuickMLReport")});
        QCOMPARE(caption, QStringLiteral("Growth"));
        QCOMPARE(lastPrice, QStringLiteral("8.000"));
        QCOMPARE(beginDate, fmtDate(dayFromDate(QDate(2026, 2, 2))));
        QCOMPARE(values, (QStringList{"$100.00", "Closed"}));
        QCOMPARE(shares, (QStringList{"12.5000", "Closed"}));
        QCOMPARE(headings, (QStringList{"$ Value", "share balance"}));
        QCOMPARE(sink.texts().size(), 1);
    }

    void multipleListHidesSwitch()
    {
        testing::MainFixture fx;
        QVERIFY(fx.ok());
        const QString name = QStringLiteral("[Pf]Multiple0003");
        const int id = fx.addEntry(name, 0, 7, {}, QStringLiteral("Stock"));
        QVERIFY(id > 0);
        QDir().mkpath(appState().TempPath);
        QFile f(appState().TempPath + name + QStringLiteral(".TXT"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("IRA\nJoint\n");
        f.close();
        TfrmQuickMLReport w(fx.dm(), id);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(!w.btnValueShares->isVisible());
        QCOMPARE(w.gridPortfolios->horizontalHeaderItem(0)->text(), QStringLiteral("Portfolios"));
        QCOMPARE(columnTexts(w.gridPortfolios, 0), (QStringList{"IRA", "Joint"}));
        QCOMPARE(w.lblLastPrice->text(), QStringLiteral("No data"));
    }
};

QTEST_MAIN(TestQuickMLReport)
#include "tst_quickmlreport.moc"
