// Guards the Quick Report figures: "Closed" for a holding below 0.00005 shares
// (0.00001 must not be valued), value at the last price in FmtMoney, "No last
// price" when the issue has no price, share balances in FmtPrice4, the
// portfolio list sorted by name and cut to 12 characters, "None" with one blank
// row when nobody holds the entry, "No data" for missing dates and prices, the
// last price taken from the last record (not the highest), and the
// "[Pf]Multiple" variant reading its list file only when the file exists.
#include <QtTest>

#include "SelectFixture.h"
#include "core/select/QuickReport.h"

using namespace orv;

class TestQuickReport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { initSharedFormats(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void amountText_data()
    {
        QTest::addColumn<double>("shares");
        QTest::addColumn<double>("price");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("expected");
        const int V = int(QuickReportMode::Value), S = int(QuickReportMode::Shares);
        QTest::newRow("closed tiny") << 0.00001 << 12.5 << V << "Closed";
        QTest::newRow("closed tiny negative") << -0.00004 << 12.5 << S << "Closed";
        QTest::newRow("closed zero, no price") << 0.0 << kNoPrice << V << "Closed";
        QTest::newRow("open at threshold") << 0.00005 << 10.0 << S << "0.0001";
        QTest::newRow("value") << 1234.5 << 10.0 << V << "$12,345.00";
        QTest::newRow("value rounds") << 3.333 << 3.0 << V << "$10.00";
        QTest::newRow("no last price") << 10.0 << kNoPrice << V << "No last price";
        QTest::newRow("shares") << 1234.56789 << kNoPrice << S << "1,234.5679";
        QTest::newRow("short sale value") << -2.0 << 5.0 << V << "-$10.00";
    }
    void amountText()
    {
        QFETCH(double, shares);
        QFETCH(double, price);
        QFETCH(int, mode);
        QFETCH(QString, expected);
        QCOMPARE(quickReportAmount(shares, price, QuickReportMode(mode)), expected);
    }

    void fullReport()
    {
        testing::DataPathFixture fx;
        QVERIFY(fx.ok());
        const int id = fx.addEntry(QStringLiteral("Growth"), 0, 1, QStringLiteral("GRWX"), QStringLiteral("00123"));
        QVERIFY(id > 0);
        const Day d1 = dayFromDate(QDate(2026, 3, 2));
        const Day d2 = dayFromDate(QDate(2026, 3, 6));
        fx.addPrice(id, d1, 20.0);
        fx.addPrice(id, d2, 10.0);  // the last price is the last record's, lower than the first
        fx.addDistribution(id, dayFromDate(QDate(2026, 1, 15)), 0.1);
        fx.addDistribution(id, dayFromDate(QDate(2026, 3, 3)), 0.2);
        const int pfZ = fx.addPortfolio(QStringLiteral("Zeta"));
        const int pfA = fx.addPortfolio(QStringLiteral("alpha"));  // lower case sorts among the others
        const int pfM = fx.addPortfolio(QStringLiteral("Mid"));
        fx.addHolding(pfZ, id, 100.0);
        fx.addHolding(pfA, id, 0.00001);
        fx.addHolding(pfM, id, 2.5);

        auto r = buildQuickMLReport(fx.dm(), id, fx.tempPath());
        QVERIFY(r);
        QCOMPARE(r->caption, QStringLiteral("Growth"));
        QCOMPARE(r->ticker, QStringLiteral("GRWX"));
        QCOMPARE(r->icdi, QStringLiteral("00123"));
        QCOMPARE(r->beginDate, fmtDate(d1));
        QCOMPARE(r->endDate, fmtDate(d2));
        QCOMPARE(r->lastPrice, QStringLiteral("10.000"));
        QCOMPARE(r->lastDsbDate, fmtDate(dayFromDate(QDate(2026, 3, 3))));
        QVERIFY(r->showModeSwitch());
        QCOMPARE(r->headingLeft(), QStringLiteral("Portfolios"));
        QCOMPARE(r->headingRight(QuickReportMode::Value), QStringLiteral("$ Value"));
        QCOMPARE(r->headingRight(QuickReportMode::Shares), QStringLiteral("share balance"));

        const auto value = r->lines(QuickReportMode::Value);
        QCOMPARE(int(value.size()), 3);
        QCOMPARE(value[0].portfolio, QStringLiteral("alpha"));
        QCOMPARE(value[0].amount, QStringLiteral("Closed"));
        QCOMPARE(value[1].portfolio, QStringLiteral("Mid"));
        QCOMPARE(value[1].amount, QStringLiteral("$25.00"));
        QCOMPARE(value[2].portfolio, QStringLiteral("Zeta"));
        QCOMPARE(value[2].amount, QStringLiteral("$1,000.00"));
        const auto shares = r->lines(QuickReportMode::Shares);
        QCOMPARE(shares[0].amount, QStringLiteral("Closed"));
        QCOMPARE(shares[2].amount, QStringLiteral("100.0000"));
    }

    void noDataNoHolders()
    {
        testing::DataPathFixture fx;
        QVERIFY(fx.ok());
        const int id = fx.addEntry(QStringLiteral("Empty"), 0, 1);
        auto r = buildQuickMLReport(fx.dm(), id, fx.tempPath());
        QVERIFY(r);
        QCOMPARE(r->beginDate, QStringLiteral("No data"));
        QCOMPARE(r->endDate, QStringLiteral("No data"));
        QCOMPARE(r->lastPrice, QStringLiteral("No data"));
        QCOMPARE(r->lastDsbDate, QStringLiteral("No data"));
        QVERIFY(!r->hasLastPrice());
        QCOMPARE(r->headingRight(QuickReportMode::Value), QStringLiteral("None"));
        const auto rows = r->lines(QuickReportMode::Value);
        QCOMPARE(int(rows.size()), 1);
        QVERIFY(rows[0].portfolio.isEmpty() && rows[0].amount.isEmpty());

        // A holder but no price: "No last price" in value mode.
        const int pf = fx.addPortfolio(QStringLiteral("Solo"));
        fx.addHolding(pf, id, 5.0);
        r = buildQuickMLReport(fx.dm(), id, fx.tempPath());
        QCOMPARE(r->lines(QuickReportMode::Value)[0].amount, QStringLiteral("No last price"));
        QCOMPARE(r->lines(QuickReportMode::Shares)[0].amount, QStringLiteral("5.0000"));

        QVERIFY(!buildQuickMLReport(fx.dm(), id + 100, fx.tempPath()));
    }

    void multipleListFile_data()
    {
        QTest::addColumn<bool>("withFile");
        QTest::newRow("list file") << true;
        QTest::newRow("no list file") << false;
    }
    void multipleListFile()
    {
        QFETCH(bool, withFile);
        testing::DataPathFixture fx;
        QVERIFY(fx.ok());
        const QString name = QStringLiteral("[Pf]Multiple0001");
        const int id = fx.addEntry(name, 0, 6, {}, {}, {}, QStringLiteral("Stock"));
        QVERIFY(id > 0);
        const int pf = fx.addPortfolio(QStringLiteral("Held"));
        fx.addHolding(pf, id, 3.0);
        if (withFile) {
            QDir().mkpath(fx.tempPath());
            QFile f(fx.tempPath() + name + QStringLiteral(".TXT"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("Retirement\r\nJoint account long name\r\n\r\n");
        }
        auto r = buildQuickMLReport(fx.dm(), id, fx.tempPath());
        QVERIFY(r);
        QCOMPARE(r->multipleList, withFile);
        QCOMPARE(r->showModeSwitch(), !withFile);
        if (withFile) {
            QCOMPARE(r->headingRight(QuickReportMode::Value), QString());
            const auto rows = r->lines(QuickReportMode::Value);
            QCOMPARE(int(rows.size()), 2);
            QCOMPARE(rows[0].portfolio, QStringLiteral("Retirement"));
            QCOMPARE(rows[1].portfolio, QStringLiteral("Joint accoun"));
            QVERIFY(rows[0].amount.isEmpty());
        } else {
            QCOMPARE(r->lines(QuickReportMode::Shares)[0].portfolio, QStringLiteral("Held"));
        }
    }
};

QTEST_GUILESS_MAIN(TestQuickReport)
#include "tst_quickreport.moc"
