// Guards the distribution rules: the rounding of amounts (the double rounding of
// RoundDecimals), the order and texts of the save checks and the field each one
// focuses, the split's Total, the refusal of a second distribution on the same
// ex-date (and an edit that keeps its own date), adjusted prices not rebuilt after
// a save or delete, reinvestment figures (shares, amounts, cash receipts by the
// holding's option, splits, holdings at the ex-date, portfolios that sold out),
// deletions that remove other transactions than that day's "Income" and
// "CapGain" ones or leave holdings stale, and writes that are not rolled back.
#include "../store/StoreFixture.h"
#include "core/base/Format.h"
#include "core/base/Progress.h"
#include "core/distributions/Distributions.h"
#include "core/portfolios/HoldingsSummary.h"
#include "core/prices/AdjPrices.h"

#include <cmath>

using namespace orv;
using namespace orv::store;
using namespace orvtest;

namespace {

constexpr Day kMonday = 44998;  // a Monday

int addPf(ORVDataModule& dm, const QString& name)
{
    PortfolioRec r;
    r.ShortName = name;
    r.LongName = name + QStringLiteral(" account");
    return int(*insertPortfolio(dm, r));
}

// Prices on `weeks` weeks of weekdays from kMonday, all at `price`, rebuilt.
void addPrices(ORVDataModule& dm, int ml, int weeks, double price)
{
    for (int w = 0; w < weeks; ++w)
        for (int d = 0; d < 5; ++d)
            if (!StorePrice(dm, ml, price, kMonday + w * 7 + d))
                qFatal("price");
    NullProgress p;
    if (!RebuildIssue(dm, ml, p))
        qFatal("rebuild");
}

void addTxOfType(ORVDataModule& dm, int pf, int ml, Day date, const QString& side, double shares, const QString& type)
{
    TransactionRec t;
    t.PfID = pf;
    t.MLID = ml;
    t.Date = date;
    t.BuySell = side;
    t.Shares = shares;
    t.Amount = shares * 25;
    t.Type = type.isEmpty() ? QStringLiteral("Usual") : type;
    if (!insertTransaction(dm, t))
        qFatal("tx");
    if (!UpdateHoldingsSummary(dm, pf, ml))
        qFatal("summary");
}

void setReinvest(ORVDataModule& dm, int pf, int ml, const QString& option)
{
    if (!dm.exec(QStringLiteral("UPDATE %1 SET Reinvest = ? WHERE PfID = ? AND MLID = ?")
                     .arg(ORVDataModule::qualified(TableId::TransxSummary)),
                 {option, pf, ml}))
        qFatal("reinvest");
    dm.touch(TableId::TransxSummary);
}

DistributionRec dsbRec(int ml, Day ex, double total, double income, double capGain, double price, double split)
{
    DistributionRec r = dsb::newDistribution(ml, ex);
    r.Total = total;
    r.Income = income;
    r.CapGain = capGain;
    r.ReinvestPri = price;
    r.SplitFactor = split;
    return r;
}

struct Issue {
    OpenStore s;
    int ml;
    Issue()
    {
        ml = int(addML(s.dm, QStringLiteral("Fund"), 1, 0));
        addPrices(s.dm, ml, 4, 30.0);  // kMonday .. kMonday + 25
    }
};

}  // namespace

class TestDistributions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { initSharedFormats(QLocale::c()); }

    void roundDecimals_data();
    void roundDecimals();
    void checks_data();
    void checks();
    void splitTotalAndAdjustedPrices();
    void duplicateExDate();
    void reinvestment_data();
    void reinvestment();
    void holdingAtExDateAndPortfolioOrder();
    void longCommentIsCut();
    void deleteOneWithTransactions();
    void deleteAllDistributions();
    void issueRefusals();
};

void TestDistributions::roundDecimals_data()
{
    QTest::addColumn<int>("digits");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("expected");
    QTest::newRow("2.12345 to 4") << 4 << 2.12345 << 2.1235;
    QTest::newRow("2.123446 to 4 (double rounding)") << 4 << 2.123446 << 2.1235;
    QTest::newRow("2.12344 to 4") << 4 << 2.12344 << 2.1234;
    QTest::newRow("1.005 to 2") << 2 << 1.005 << 1.01;
    QTest::newRow("negative moves away from zero") << 4 << -2.12345 << -2.1235;
    QTest::newRow("negative below half") << 2 << -3.0044 << -3.0;
    QTest::newRow("negative, double rounding") << 2 << -3.0049 << -3.01;
    QTest::newRow("whole number") << 2 << 250.0 << 250.0;
    QTest::newRow("shares of a reinvestment") << 4 << 200 * 0.37 / 23.17 << 3.1938;
    QTest::newRow("no decimals") << 0 << 7.5 << 8.0;
}

void TestDistributions::roundDecimals()
{
    QFETCH(int, digits);
    QFETCH(double, x);
    QFETCH(double, expected);
    QVERIFY2(std::fabs(dsb::RoundDecimals(digits, x) - expected) < 1e-12,
             qPrintable(QString::number(dsb::RoundDecimals(digits, x), 'g', 17)));
}

void TestDistributions::checks_data()
{
    QTest::addColumn<int>("exOffset");
    QTest::addColumn<int>("recOffset");  // from the ex-date
    QTest::addColumn<double>("total");
    QTest::addColumn<double>("price");
    QTest::addColumn<double>("split");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("focus");
    const int ex = int(dsb::DsbField::ExDate), rec = int(dsb::DsbField::RecDate), tot = int(dsb::DsbField::Total),
              pri = int(dsb::DsbField::ReinvestPri);
    // Checks come in order: a Sunday with a late record date reports the Sunday.
    QTest::newRow("sunday") << 6 << 3 << 1.0 << 30.0 << 0.0 << "Ex-Date cannot be a Saturday or Sunday." << ex;
    QTest::newRow("saturday") << 5 << 0 << 1.0 << 30.0 << 0.0 << "Ex-Date cannot be a Saturday or Sunday." << ex;
    QTest::newRow("record after ex") << 7 << 1 << 1.0 << 30.0 << 0.0 << "Record Date cannot be later than the Ex-Date."
                                     << rec;
    QTest::newRow("after last price") << 28 << 0 << 1.0 << 30.0 << 0.0
                                      << QString("Ex-Date cannot be after date of last price: " +
                                                 fmtDate(kMonday + 25))
                                      << ex;
    QTest::newRow("split without price") << 7 << 0 << 0.0 << 0.0 << 2.0 << "Reinvest price cannot be zero." << pri;
    QTest::newRow("cash without total") << 7 << 0 << 0.0 << 0.0 << 0.0 << "Total distribution must be greater than zero."
                                        << tot;
    QTest::newRow("cash without price") << 7 << 0 << 0.5 << 0.0 << 0.0 << "Reinvest price cannot be zero." << pri;
    QTest::newRow("tiny split factor is cash") << 7 << 0 << 0.0 << 30.0 << 0.0008
                                               << "Total distribution must be greater than zero." << tot;
    QTest::newRow("valid, record before ex") << 7 << -2 << 0.5 << 30.0 << 0.0 << QString() << 0;
    QTest::newRow("valid on the last price date") << 25 << 0 << 0.5 << 30.0 << 0.0 << QString() << 0;
}

void TestDistributions::checks()
{
    QFETCH(int, exOffset);
    QFETCH(int, recOffset);
    QFETCH(double, total);
    QFETCH(double, price);
    QFETCH(double, split);
    QFETCH(QString, message);
    QFETCH(int, focus);
    Issue is;
    DistributionRec r = dsbRec(is.ml, kMonday + exOffset, total, 0, 0, price, split);
    r.RecDate = r.ExDate + recOffset;
    NullProgress p;
    const dsb::DsbCheck c = dsb::SaveDistribution(is.s.dm, r, std::nullopt, p);
    if (message.isEmpty()) {
        QVERIFY2(c.ok(), qPrintable(c.status.message().text));
        QCOMPARE(distributionsOf(is.s.dm, is.ml).size(), size_t(1));
        return;
    }
    QVERIFY(!c.ok());
    QCOMPARE(c.status.message().text, message);
    QCOMPARE(c.status.message().type, MsgType::Warning);
    QVERIFY(c.status.message().beep);
    QCOMPARE(int(c.focus), focus);
    QVERIFY(distributionsOf(is.s.dm, is.ml).empty());
}

void TestDistributions::splitTotalAndAdjustedPrices()
{
    Issue is;
    DistributionRec r = dsbRec(is.ml, kMonday + 14, 99.0, 0, 0, 30.0, 2.0);
    NullProgress p;
    QVERIFY(dsb::SaveDistribution(is.s.dm, r, std::nullopt, p).ok());
    QCOMPARE(r.Total, 30.0);
    const auto stored = distributionsOf(is.s.dm, is.ml);
    QCOMPARE(stored.size(), size_t(1));
    QCOMPARE(stored[0].Total, 30.0);
    for (const auto& pr : pricesOf(is.s.dm, is.ml))
        QCOMPARE(pr.AdjPrice, pr.Date < kMonday + 14 ? 15.0 : 30.0);

    // An edit moves the record and rebuilds: now a cash distribution a week later.
    DistributionRec e = dsbRec(is.ml, kMonday + 21, 3.0, 3.0, 0, 30.0, 0.0);
    QVERIFY(dsb::SaveDistribution(is.s.dm, e, kMonday + 14, p).ok());
    const auto after = distributionsOf(is.s.dm, is.ml);
    QCOMPARE(after.size(), size_t(1));
    QCOMPARE(after[0].ExDate, kMonday + 21);
    for (const auto& pr : pricesOf(is.s.dm, is.ml))
        QVERIFY(std::fabs(pr.AdjPrice - (pr.Date < kMonday + 21 ? 30.0 * 30.0 / 33.0 : 30.0)) < 1e-9);

    QVERIFY(dsb::DeleteDistribution(is.s.dm, is.ml, kMonday + 21, p));
    QVERIFY(distributionsOf(is.s.dm, is.ml).empty());
    for (const auto& pr : pricesOf(is.s.dm, is.ml))
        QCOMPARE(pr.AdjPrice, 30.0);
}

void TestDistributions::duplicateExDate()
{
    Issue is;
    NullProgress p;
    DistributionRec a = dsbRec(is.ml, kMonday + 7, 1.0, 1.0, 0, 30.0, 0);
    DistributionRec b = dsbRec(is.ml, kMonday + 14, 2.0, 2.0, 0, 30.0, 0);
    QVERIFY(dsb::SaveDistribution(is.s.dm, a, std::nullopt, p).ok());
    QVERIFY(dsb::SaveDistribution(is.s.dm, b, std::nullopt, p).ok());
    const auto pricesBefore = pricesOf(is.s.dm, is.ml);

    // A new one on an existing date, and an edit moved onto the other record's date.
    DistributionRec c = dsbRec(is.ml, kMonday + 7, 5.0, 0, 5.0, 30.0, 0);
    dsb::DsbCheck r = dsb::SaveDistribution(is.s.dm, c, std::nullopt, p);
    QVERIFY(!r.ok());
    QCOMPARE(r.status.message().text, QStringLiteral("Disbritubion already exists for Ex-Date."));
    QCOMPARE(r.focus, dsb::DsbField::ExDate);
    DistributionRec moved = dsbRec(is.ml, kMonday + 7, 2.0, 2.0, 0, 30.0, 0);
    QVERIFY(!dsb::SaveDistribution(is.s.dm, moved, kMonday + 14, p).ok());

    const auto stored = distributionsOf(is.s.dm, is.ml);
    QCOMPARE(stored.size(), size_t(2));
    QCOMPARE(stored[0].Total, 1.0);
    QCOMPARE(stored[1].Total, 2.0);
    QCOMPARE(pricesOf(is.s.dm, is.ml).size(), pricesBefore.size());

    // Editing a record without changing its date is not a duplicate.
    DistributionRec same = dsbRec(is.ml, kMonday + 7, 1.5, 1.5, 0, 30.0, 0);
    QVERIFY(dsb::SaveDistribution(is.s.dm, same, kMonday + 7, p).ok());
    QCOMPARE(distributionsOf(is.s.dm, is.ml)[0].Total, 1.5);
}

void TestDistributions::reinvestment_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<double>("held");
    QTest::addColumn<double>("income");
    QTest::addColumn<double>("capGain");
    QTest::addColumn<double>("price");
    QTest::addColumn<double>("split");
    // Expected rows: "BuySell|Shares|Amount|Type|Comment" each.
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<double>("heldAfter");

    QTest::newRow("split 2 at 30") << "All" << 100.0 << 0.0 << 0.0 << 30.0 << 2.0
                                   << QStringList{"Buy|100|0||Split factor: 2.00"} << 200.0;
    QTest::newRow("CapGain option") << "CapGain" << 200.0 << 0.5 << 1.25 << 25.0 << 0.0
                                    << QStringList{"Sell|0|100|Income|Dsb: 0.50000/sh  Reinv: 25.000/sh",
                                                   "Buy|10|250|CapGain|Dsb: 1.25000/sh  Reinv: 25.000/sh"}
                                    << 210.0;
    QTest::newRow("None: both cash") << "None" << 200.0 << 0.5 << 1.25 << 25.0 << 0.0
                                     << QStringList{"Sell|0|100|Income|Dsb: 0.50000/sh  Reinv: 25.000/sh",
                                                    "Sell|0|250|CapGain|Dsb: 1.25000/sh  Reinv: 25.000/sh"}
                                     << 200.0;
    QTest::newRow("All: both bought") << "All" << 200.0 << 0.5 << 1.25 << 25.0 << 0.0
                                      << QStringList{"Buy|4|100|Income|Dsb: 0.50000/sh  Reinv: 25.000/sh",
                                                     "Buy|10|250|CapGain|Dsb: 1.25000/sh  Reinv: 25.000/sh"}
                                      << 214.0;
    QTest::newRow("rounded shares and amount") << "All" << 123.456 << 0.3711 << 0.0 << 23.17 << 0.0
                                               << QStringList{"Buy|1.9773|45.82|Income|Dsb: 0.37110/sh  Reinv: 23.170/sh"}
                                               << 125.4333;
    QTest::newRow("income with a split factor: no split buy")
        << "All" << 100.0 << 1.0 << 0.0 << 20.0 << 2.0 << QStringList{"Buy|5|100|Income|Dsb: 1.00000/sh  Reinv: 20.000/sh"}
        << 105.0;
    QTest::newRow("sold out before the ex-date") << "All" << 0.0 << 0.5 << 1.25 << 25.0 << 0.0 << QStringList{} << 0.0;
}

void TestDistributions::reinvestment()
{
    QFETCH(QString, option);
    QFETCH(double, held);
    QFETCH(double, income);
    QFETCH(double, capGain);
    QFETCH(double, price);
    QFETCH(double, split);
    QFETCH(QStringList, rows);
    QFETCH(double, heldAfter);

    Issue is;
    ORVDataModule& dm = is.s.dm;
    const int pf = addPf(dm, "P");
    if (held > 0) {
        addTxOfType(dm, pf, is.ml, kMonday + 1, "Buy", held, QString());
    } else {
        addTxOfType(dm, pf, is.ml, kMonday + 1, "Buy", 50, QString());
        addTxOfType(dm, pf, is.ml, kMonday + 2, "Sell", 50, QString());
    }
    setReinvest(dm, pf, is.ml, option);
    const Day ex = kMonday + 14;
    const dsb::DsbAmounts a{ex, income, capGain, price, split};
    NullProgress p;
    const auto n = dsb::ReinvestAllPortfolios(dm, is.ml, a, p);
    QVERIFY(n);
    QCOMPARE(*n, int(rows.size()));

    QStringList got;
    for (const auto& t : transactionsOf(dm, pf, is.ml)) {
        if (t.Date != ex)
            continue;
        QCOMPARE(t.SharePrice.value_or(-1), price);
        QCOMPARE(t.Commission + t.Fee1 + t.Fee2, 0.0);
        got << QStringList{t.BuySell, QString::number(t.Shares), QString::number(t.Amount), t.Type, t.Comment}.join('|');
    }
    QCOMPARE(got, rows);
    const auto h = holding(dm, pf, is.ml);
    QVERIFY(h);
    QVERIFY(std::fabs(h->Shares - heldAfter) < 1e-9);
    QCOMPARE(h->Reinvest, option);
}

void TestDistributions::holdingAtExDateAndPortfolioOrder()
{
    Issue is;
    ORVDataModule& dm = is.s.dm;
    const int zed = addPf(dm, "Zed");
    const int abe = addPf(dm, "Abe");
    const int none = addPf(dm, "Mid");  // holds another issue only
    const int other = int(addML(dm, "Other", 2, 0));
    addTxOfType(dm, zed, is.ml, kMonday, "Buy", 100, QString());
    addTxOfType(dm, zed, is.ml, kMonday + 15, "Buy", 900, QString());  // after the ex-date
    addTxOfType(dm, abe, is.ml, kMonday + 14, "Buy", 40, QString());   // on the ex-date counts
    addTxOfType(dm, none, other, kMonday, "Buy", 10, QString());

    const auto holders = dsb::HoldingPortfolios(dm, is.ml);
    QCOMPARE(holders.size(), size_t(2));
    QCOMPARE(holders[0].ShortName, QStringLiteral("Abe"));
    QCOMPARE(holders[1].ShortName, QStringLiteral("Zed"));
    QCOMPARE(dsb::portfolioStatusText(holders[0]), QStringLiteral(" Abe : Abe account"));
    QCOMPARE(dsb::SharesHeldAt(dm, zed, is.ml, kMonday + 14), 100.0);

    NullProgress p;
    QVERIFY(dsb::ReinvestAllPortfolios(dm, is.ml, {kMonday + 14, 1.0, 0, 10.0, 0}, p));
    QCOMPARE(holding(dm, zed, is.ml)->Shares, 1010.0);
    QCOMPARE(holding(dm, abe, is.ml)->Shares, 44.0);
    QCOMPARE(transactionsOfPortfolio(dm, none).size(), size_t(1));
}

void TestDistributions::longCommentIsCut()
{
    const auto rows = dsb::ReinvestmentTransactions(1, 1, 10, "All", {kMonday, 1234.56789, 0, 1234.567, 0});
    QCOMPARE(rows.size(), size_t(1));
    QCOMPARE(rows[0].Comment.size(), 40);
    QVERIFY(rows[0].Comment.startsWith("Dsb: 1,234.56789/sh  Reinv: 1,234.567"));
}

void TestDistributions::deleteOneWithTransactions()
{
    Issue is;
    ORVDataModule& dm = is.s.dm;
    const int other = int(addML(dm, "Other", 2, 0));
    const int a = addPf(dm, "A"), b = addPf(dm, "B");
    const Day ex = kMonday + 14;
    addTxOfType(dm, a, is.ml, kMonday, "Buy", 100, QString());
    addTxOfType(dm, b, is.ml, kMonday, "Buy", 200, QString());
    addTxOfType(dm, a, is.ml, ex, "Buy", 4, "Income");
    addTxOfType(dm, a, is.ml, ex, "Buy", 6, "CapGain");
    addTxOfType(dm, b, is.ml, ex, "Buy", 8, "Income");
    addTxOfType(dm, b, is.ml, ex, "Buy", 3, QString());        // a usual buy that day stays
    addTxOfType(dm, a, is.ml, ex + 7, "Buy", 5, "Income");     // another day stays
    addTxOfType(dm, a, other, ex, "Buy", 9, "Income");         // another issue stays
    QVERIFY(dm.exec("UPDATE " + ORVDataModule::qualified(TableId::Portfolio) + " SET Selected = 1"));
    NullProgress p;
    DistributionRec d = dsbRec(is.ml, ex, 1.0, 1.0, 0, 30.0, 0);
    QVERIFY(dsb::SaveDistribution(dm, d, std::nullopt, p).ok());

    QVERIFY(dsb::DeleteDistribution(dm, is.ml, ex, p));
    const auto n = dsb::DeleteDsbTransactions(dm, is.ml, ex, p);
    QVERIFY(n);
    QCOMPARE(*n, 3);
    QCOMPARE(transactionsOf(dm, a, is.ml).size(), size_t(2));
    QCOMPARE(transactionsOf(dm, b, is.ml).size(), size_t(2));
    QCOMPARE(transactionsOf(dm, a, other).size(), size_t(1));
    QCOMPARE(holding(dm, a, is.ml)->Shares, 105.0);
    QCOMPARE(holding(dm, b, is.ml)->Shares, 203.0);
    for (const auto& pf : portfolios(dm))
        QVERIFY(!pf.Selected);
}

void TestDistributions::deleteAllDistributions()
{
    Issue is;
    ORVDataModule& dm = is.s.dm;
    const int a = addPf(dm, "A");
    addTxOfType(dm, a, is.ml, kMonday, "Buy", 100, QString());
    NullProgress p;
    for (Day ex : {kMonday + 7, kMonday + 14}) {
        DistributionRec d = dsbRec(is.ml, ex, 0.6, 0.6, 0, 30.0, 0);
        QVERIFY(dsb::SaveDistribution(dm, d, std::nullopt, p).ok());
        QVERIFY(dsb::ReinvestAllPortfolios(dm, is.ml, dsb::DsbAmounts::of(d), p));
    }
    QCOMPARE(holding(dm, a, is.ml)->Shares, 104.04);
    const auto days = dsb::DeleteAllDistributions(dm, is.ml, p);
    QVERIFY(days);
    QCOMPARE(*days, (std::vector<Day>{kMonday + 7, kMonday + 14}));
    QVERIFY(distributionsOf(dm, is.ml).empty());
    for (const auto& pr : pricesOf(dm, is.ml))
        QCOMPARE(pr.AdjPrice, 30.0);
    QCOMPARE(transactionsOf(dm, a, is.ml).size(), size_t(3));  // kept until asked
    const auto n = dsb::DeleteAllDsbTransactions(dm, is.ml, *days, p);
    QVERIFY(n);
    QCOMPARE(*n, 2);
    QCOMPARE(holding(dm, a, is.ml)->Shares, 100.0);
}

void TestDistributions::issueRefusals()
{
    OpenStore s;
    const int linear = int(addML(s.dm, "-Line", 1, 0, "Linear type"));
    const int bare = int(addML(s.dm, "Bare", 2, 0));
    const int priced = int(addML(s.dm, "Priced", 3, 0));
    addPrices(s.dm, linear, 1, 5.0);
    addPrices(s.dm, priced, 1, 5.0);
    const Status l = dsb::checkIssueForDistributions(s.dm, *masterListEntry(s.dm, linear));
    QVERIFY(!l);
    QCOMPARE(l.message().text, QStringLiteral("No distributions for Linear Type."));
    const Status b = dsb::checkIssueForDistributions(s.dm, *masterListEntry(s.dm, bare));
    QVERIFY(!b);
    QCOMPARE(b.message().text, QStringLiteral("A closing price must first be entered."));
    QVERIFY(dsb::checkIssueForDistributions(s.dm, *masterListEntry(s.dm, priced)));
}

QTEST_GUILESS_MAIN(TestDistributions)
#include "tst_distributions.moc"
