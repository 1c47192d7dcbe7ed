// Guards the transaction rules: completion of shares, amount and share price
// (thresholds, the "changed on the last visit" marks), the share price taken from
// the date (money market funds without a price), "Usual" stored as empty text,
// saving that resolves the wrong portfolio or issue or leaves the holding stale,
// the four views (rows, order, names), the bulk deletions that must remove exactly
// the view's transactions and holdings, the refusals of the Transactions command,
// the holding's parameters and the targets of entry for several portfolios.
#include "../store/StoreFixture.h"
#include "core/base/Format.h"
#include "core/base/Progress.h"
#include "core/portfolios/PortfolioDirectory.h"
#include "core/portfolios/TxRules.h"

using namespace orv;
using namespace orv::store;
using namespace orvtest;
using tx::TxView;

namespace {
int addPf(ORVDataModule& dm, const QString& name)
{
    PortfolioRec r;
    r.ShortName = name;
    return int(*insertPortfolio(dm, r));
}

TransactionRec txRec(Day date, const QString& side, double shares, double amount, const QString& type = "Usual")
{
    TransactionRec r;
    r.Date = date;
    r.BuySell = side;
    r.Shares = shares;
    r.Amount = amount;
    r.SharePrice = shares ? amount / shares : 0.0;
    r.Type = type;
    return r;
}

// Two portfolios (A, B) and two issues (F, G) with transactions in every pair.
struct TwoByTwo {
    OpenStore s;
    int a, b, f, g;
    TwoByTwo()
    {
        a = addPf(s.dm, "A");
        b = addPf(s.dm, "B");
        f = int(addML(s.dm, "F", 1, 0));
        g = int(addML(s.dm, "G", 2, 0));
        int day = 45000;
        for (const char* pf : {"B", "A"})
            for (const char* ml : {"G", "F"})
                for (int i = 0; i < 2; ++i) {
                    const auto r = tx::saveTransaction(s.dm, txRec(day--, "Buy", 10, 100), pf, ml);
                    if (!r)
                        qFatal("%s", qPrintable(r.message().text));
                }
    }
};
}  // namespace

class TestTxRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void completeShares_data()
    {
        QTest::addColumn<double>("price");
        QTest::addColumn<double>("before");
        QTest::addColumn<double>("shares");
        QTest::addColumn<double>("amount");
        QTest::addColumn<bool>("amountChangedLastVisit");
        QTest::addColumn<double>("expAmount");
        QTest::addColumn<double>("expPrice");
        QTest::newRow("100 at 12.50 gives 1250") << 12.5 << 0.0 << 100.0 << 0.0 << false << 1250.0 << 12.5;
        QTest::newRow("change below 0.00009 ignored") << 12.5 << 100.0 << 100.00005 << 7.0 << false << 7.0
                                                      << 7.0 / 100.00005;
        QTest::newRow("amount typed before keeps amount, fixes price") << 12.5 << 0.0 << 100.0 << 1300.0 << true
                                                                       << 1300.0 << 13.0;
        QTest::newRow("no share price: amount untouched") << 0.0 << 0.0 << 100.0 << 0.0 << false << 0.0 << 0.0;
        QTest::newRow("zero shares leave the price") << 12.5 << 5.0 << 0.0 << 0.0 << false << 0.0 << 12.5;
    }
    void completeShares()
    {
        QFETCH(double, price);
        QFETCH(double, before);
        QFETCH(double, shares);
        QFETCH(double, amount);
        QFETCH(bool, amountChangedLastVisit);
        QFETCH(double, expAmount);
        QFETCH(double, expPrice);
        tx::TxFigures f{shares, amount, price};
        tx::completeAfterShares(f, before, amountChangedLastVisit);
        QVERIFY2(qAbs(f.amount - expAmount) < 1e-9, qPrintable(QString::number(f.amount)));
        QVERIFY2(qAbs(f.sharePrice - expPrice) < 1e-9, qPrintable(QString::number(f.sharePrice)));
        QCOMPARE(f.shares, shares);
    }

    void completeAmount_data()
    {
        QTest::addColumn<double>("price");
        QTest::addColumn<double>("before");
        QTest::addColumn<double>("amount");
        QTest::addColumn<double>("shares");
        QTest::addColumn<bool>("sharesChangedLastVisit");
        QTest::addColumn<double>("expShares");
        QTest::addColumn<double>("expPrice");
        QTest::newRow("1000 at 12.50 gives 80 shares") << 12.5 << 0.0 << 1000.0 << 0.0 << false << 80.0 << 12.5;
        QTest::newRow("change below 0.009 ignored") << 12.5 << 1000.0 << 1000.005 << 50.0 << false << 50.0
                                                   << 1000.005 / 50.0;
        QTest::newRow("shares typed before are kept") << 12.5 << 0.0 << 1000.0 << 40.0 << true << 40.0 << 25.0;
        QTest::newRow("price at threshold 0.0001 not used") << 0.0001 << 0.0 << 1000.0 << 0.0 << false << 0.0
                                                            << 0.0001;
    }
    void completeAmount()
    {
        QFETCH(double, price);
        QFETCH(double, before);
        QFETCH(double, amount);
        QFETCH(double, shares);
        QFETCH(bool, sharesChangedLastVisit);
        QFETCH(double, expShares);
        QFETCH(double, expPrice);
        tx::TxFigures f{shares, amount, price};
        tx::completeAfterAmount(f, before, sharesChangedLastVisit);
        QVERIFY2(qAbs(f.shares - expShares) < 1e-9, qPrintable(QString::number(f.shares)));
        QVERIFY2(qAbs(f.sharePrice - expPrice) < 1e-9, qPrintable(QString::number(f.sharePrice)));
    }

    void priceAfterDate_data()
    {
        QTest::addColumn<double>("remembered");
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("changes");
        QTest::addColumn<double>("price");
        QTest::newRow("price found") << 12.5 << "Mutual Fund" << true << 12.5;
        QTest::newRow("price 0 found") << 0.0 << "Stock" << true << 0.0;
        QTest::newRow("money market without price") << tx::kNoPriceOnDate << "Money Market Fund" << true << 1.0;
        QTest::newRow("other type without price") << tx::kNoPriceOnDate << "Stock" << false << 0.0;
    }
    void priceAfterDate()
    {
        QFETCH(double, remembered);
        QFETCH(QString, type);
        QFETCH(bool, changes);
        QFETCH(double, price);
        const auto p = tx::sharePriceAfterDate(remembered, type);
        QCOMPARE(p.has_value(), changes);
        if (p)
            QCOMPARE(*p, price);
    }

    void priceOnDateLookup()
    {
        OpenStore s;
        const int f = int(addML(s.dm, "F", 1, 0));
        PriceRec p;
        p.MLID = f;
        p.Date = 45001;
        p.Price = 12.5;
        QVERIFY(storePriceRow(s.dm, p).ok());
        QCOMPARE(tx::priceOnDate(s.dm, f, 45001), 12.5);
        QCOMPARE(tx::priceOnDate(s.dm, f, 45002), tx::kNoPriceOnDate);
        QCOMPARE(tx::priceOnDateText(tx::kNoPriceOnDate, formats().FmtPrice), QString("N/A"));
        QCOMPARE(tx::pricePattern("Variable Annuity"), formats().FmtPrice + "000");
        QCOMPARE(tx::pricePattern("Stock"), formats().FmtPrice);
    }

    void types()
    {
        QCOMPARE(tx::storedType("Usual"), QString());
        QCOMPARE(tx::storedType("Income"), QString("Income"));
        QCOMPARE(tx::shownType(QString()), QString("Usual"));
        QCOMPARE(tx::reinvestChoice("All"), QString("All"));
        QCOMPARE(tx::reinvestChoice("None"), QString("None"));
        QCOMPARE(tx::reinvestChoice(""), QString("All"));
        QCOMPARE(tx::feeHeading("A heading longer than sixteen"), QString("A heading longer"));
        QCOMPARE(tx::defaultTxDate(45000 + (7 - 45000 % 7)), 45000 + (7 - 45000 % 7) - 1);  // Saturday -> Friday
    }

    void saveStoresUsualEmptyAndUpdatesHolding()
    {
        OpenStore s;
        addPf(s.dm, "IRA");
        addML(s.dm, "FUND", 1, 0);
        const auto seq = tx::saveTransaction(s.dm, txRec(45000, "buy", 100, 1250), "ira", "FUND");
        QVERIFY2(seq.ok(), seq.ok() ? "" : qPrintable(seq.message().text));
        const auto t = tx::transaction(s.dm, *seq);
        QVERIFY(t);
        QCOMPARE(t->Type, QString());
        QCOMPARE(t->BuySell, QString("Buy"));
        QCOMPARE(s.dm.LastTxBookmark, *seq);
        QCOMPARE(holding(s.dm, t->PfID, t->MLID)->Shares, 100.0);
        QCOMPARE(holding(s.dm, t->PfID, t->MLID)->Reinvest, QString("All"));
        // The store's cursor reads the record too.
        Table& c = s.dm.fftblTransactions();
        QVERIFY(c.gotoBookmark(*seq));
        QCOMPARE(c.stringValue("Portfolio"), QString("IRA"));
    }

    void saveRefusals_data()
    {
        QTest::addColumn<QString>("pf");
        QTest::addColumn<QString>("ml");
        QTest::addColumn<QString>("side");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("unknown portfolio") << "NOPE" << "FUND" << "Buy" << "Portfolio NOPE not found.";
        QTest::newRow("unknown security") << "IRA" << "NOPE" << "Buy" << "Security NOPE not found in the Master List.";
        QTest::newRow("linear type") << "IRA" << "-LIN" << "Buy" << "No transactions allowed for Linear Type.";
        QTest::newRow("bad side") << "IRA" << "FUND" << "Hold" << "Buy/Sell must be \"Buy\" or \"Sell\".";
    }
    void saveRefusals()
    {
        QFETCH(QString, pf);
        QFETCH(QString, ml);
        QFETCH(QString, side);
        QFETCH(QString, refusal);
        OpenStore s;
        addPf(s.dm, "IRA");
        addML(s.dm, "FUND", 1, 0);
        addML(s.dm, "-LIN", 2, 0, "Linear type");
        const auto seq = tx::saveTransaction(s.dm, txRec(45000, side, 1, 1), pf, ml);
        QVERIFY(!seq.ok());
        QCOMPARE(seq.message().text, refusal);
        QCOMPARE(s.dm.fftblTransactions().recordCount(), 0);
        QCOMPARE(s.dm.fftblTransxSummary().recordCount(), 0);
    }

    void editMovingToAnotherHolding()
    {
        TwoByTwo t;
        const auto rows = tx::viewRows(t.s.dm, TxView::PortfolioIssue, t.a, t.f);
        QCOMPARE(rows.size(), size_t(2));
        auto r = *tx::transaction(t.s.dm, rows[0].Sequence);
        r.Shares = 3;
        QVERIFY(tx::saveTransaction(t.s.dm, r, "B", "G").ok());
        QCOMPARE(holding(t.s.dm, t.a, t.f)->Shares, 10.0);
        QCOMPARE(holding(t.s.dm, t.b, t.g)->Shares, 23.0);
        // Moving the last one away deletes the holding it left.
        r = *tx::transaction(t.s.dm, rows[1].Sequence);
        QVERIFY(tx::saveTransaction(t.s.dm, r, "B", "G").ok());
        QVERIFY(!holding(t.s.dm, t.a, t.f));
    }

    void views_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<QStringList>("pairs");
        QTest::newRow("portfolio, all") << int(TxView::PortfolioAll) << QStringList{"A F", "A F", "A G", "A G"};
        QTest::newRow("portfolio, issue") << int(TxView::PortfolioIssue) << QStringList{"A F", "A F"};
        QTest::newRow("all portfolios, issue") << int(TxView::AllPortfoliosIssue)
                                               << QStringList{"A F", "A F", "B F", "B F"};
        QTest::newRow("all, all") << int(TxView::AllAll)
                                  << QStringList{"A F", "A F", "A G", "A G", "B F", "B F", "B G", "B G"};
    }
    void views()
    {
        QFETCH(int, view);
        QFETCH(QStringList, pairs);
        TwoByTwo t;
        QStringList got;
        Day last = 0;
        for (const auto& r : tx::viewRows(t.s.dm, TxView(view), t.a, t.f)) {
            got << r.Portfolio + " " + r.MLShortName;
            QVERIFY(r.Date >= last);  // date order in every view
            last = r.Date;
        }
        // Dates were given falling, so date order is the reverse of entry order.
        QCOMPARE(got, pairs);
    }

    void bulkDelete_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<int>("deleted");
        QTest::addColumn<QStringList>("holdingsLeft");
        QTest::addColumn<QString>("question");
        QTest::newRow("portfolio, all") << int(TxView::PortfolioAll) << 4 << QStringList{"B F", "B G"}
                                        << "Delete  ALL  transactions for portfolio:  A ?";
        QTest::newRow("portfolio, issue") << int(TxView::PortfolioIssue) << 2 << QStringList{"A G", "B F", "B G"}
                                          << "Delete  ALL  transactions of  F  for portfolio  A ?";
        QTest::newRow("all portfolios, issue") << int(TxView::AllPortfoliosIssue) << 4 << QStringList{"A G", "B G"}
                                               << "Delete  ALL  transactions of  F  for  ALL  portfolios?";
        QTest::newRow("all, all") << int(TxView::AllAll) << 8 << QStringList{}
                                  << "Delete  ALL  transactions for  ALL  portfolios?";
    }
    void bulkDelete()
    {
        QFETCH(int, view);
        QFETCH(int, deleted);
        QFETCH(QStringList, holdingsLeft);
        QFETCH(QString, question);
        TwoByTwo t;
        QCOMPARE(tx::bulkDeleteQuestion(TxView(view), "A", "F"), question);
        NullProgress p;
        const auto n = tx::deleteView(t.s.dm, TxView(view), t.a, t.f, p);
        QVERIFY(n.ok());
        QCOMPARE(*n, deleted);
        QCOMPARE(t.s.dm.fftblTransactions().recordCount(), 8 - deleted);
        QStringList left;
        for (const auto& [pf, pfName] : {std::pair{t.a, "A"}, std::pair{t.b, "B"}})
            for (const auto& [ml, mlName] : {std::pair{t.f, "F"}, std::pair{t.g, "G"}})
                if (holding(t.s.dm, pf, ml)) {
                    left << QString("%1 %2").arg(pfName, mlName);
                    QCOMPARE(holding(t.s.dm, pf, ml)->Shares, 20.0);
                }
        QCOMPARE(left, holdingsLeft);
    }

    void optionTextsDoubleAmpersands()
    {
        QCOMPARE(tx::viewOptionTexts("A&B", "S&P 500"),
                 (QStringList{"A&&B, All Transactions", "A&&B, S&&P 500", "All Portfolios, S&&P 500",
                              "All Portfolios, All Transactions"}));
        QCOMPARE(tx::bulkDeleteQuestion(TxView::PortfolioAll, "A&B", ""),
                 QString("Delete  ALL  transactions for portfolio:  A&&B ?"));
    }

    void deleteOne()
    {
        TwoByTwo t;
        const auto rows = tx::viewRows(t.s.dm, TxView::PortfolioIssue, t.a, t.f);
        QVERIFY(tx::deleteTransaction(t.s.dm, rows[0].Sequence).ok());
        QCOMPARE(holding(t.s.dm, t.a, t.f)->Shares, 10.0);
        QVERIFY(tx::deleteTransaction(t.s.dm, rows[1].Sequence).ok());
        QVERIFY(!holding(t.s.dm, t.a, t.f));
        QVERIFY(!tx::deleteTransaction(t.s.dm, rows[1].Sequence).ok());
        QCOMPARE(tx::deleteOneQuestion(45000),
                 "Are you sure you want to delete the highlighted transaction on " + fmtDate(45000) + "?");
    }

    void totals()
    {
        TwoByTwo t;
        PriceRec p;
        p.MLID = t.f;
        p.Date = 44000;
        p.Price = 2.0;
        QVERIFY(storePriceRow(t.s.dm, p).ok());
        p.Date = 44001;
        p.Price = 3.0;
        QVERIFY(storePriceRow(t.s.dm, p).ok());
        QVERIFY(tx::setHoldingParameters(t.s.dm, t.a, t.f, "None", "ACC", "555").ok());
        const auto one = tx::viewTotals(t.s.dm, TxView::PortfolioIssue, t.a, t.f);
        QVERIFY(one.hasHolding && one.hasPrice);
        QCOMPARE(one.shares, 20.0);
        QCOMPARE(one.value, 60.0);
        QCOMPARE(one.priceDate, 44001);
        QCOMPARE(one.Reinvest, QString("None"));
        QCOMPARE(one.AccountNumber, QString("ACC"));
        const auto all = tx::viewTotals(t.s.dm, TxView::AllPortfoliosIssue, t.a, t.f);
        QCOMPARE(all.shares, 40.0);
        QCOMPARE(all.value, 120.0);
        const auto noPrice = tx::viewTotals(t.s.dm, TxView::AllPortfoliosIssue, t.a, t.g);
        QVERIFY(noPrice.hasHolding && !noPrice.hasPrice);
    }

    void holdingParameters()
    {
        TwoByTwo t;
        const int h = int(addML(t.s.dm, "H", 3, 0));
        const Status none = tx::setHoldingParameters(t.s.dm, t.a, h, "All", "", "");
        QVERIFY(!none.ok());
        QCOMPARE(none.message().text, QString("No transaction entered yet."));
        QVERIFY(!tx::setHoldingParameters(t.s.dm, t.a, t.f, "Some", "", "").ok());
        QVERIFY(tx::setHoldingParameters(t.s.dm, t.a, t.f, "CapGain", "X", "Y").ok());
        // Later posts keep the holding's parameters.
        QVERIFY(tx::saveTransaction(t.s.dm, txRec(46000, "Sell", 5, 50), "A", "F").ok());
        const auto r = *holding(t.s.dm, t.a, t.f);
        QCOMPARE(r.Reinvest, QString("CapGain"));
        QCOMPARE(r.AccountNumber, QString("X"));
        QCOMPARE(r.Shares, 15.0);
    }

    void issueRefusals_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("withPrice");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("linear") << "-LIN" << "Linear type" << true << "No transactions allowed for Linear Type.";
        QTest::newRow("[Pf]") << "[Pf]IRA" << "Mutual Fund" << true << "No transactions allowed for [Pf] type issues.";
        QTest::newRow("no price") << "FUND" << "Mutual Fund" << false << "A closing price must first be entered.";
        QTest::newRow("allowed") << "FUND" << "Mutual Fund" << true << "";
    }
    void issueRefusals()
    {
        QFETCH(QString, name);
        QFETCH(QString, type);
        QFETCH(bool, withPrice);
        QFETCH(QString, refusal);
        OpenStore s;
        const int ml = int(addML(s.dm, name, 1, 0, type));
        if (withPrice) {
            PriceRec p;
            p.MLID = ml;
            p.Date = 45000;
            p.Price = 1;
            QVERIFY(storePriceRow(s.dm, p).ok());
        }
        const Status st = tx::checkIssueForTransactions(s.dm, *masterListEntry(s.dm, ml));
        QCOMPARE(st.ok() ? QString() : st.message().text, refusal);
    }

    void multipleEntryTargets()
    {
        TwoByTwo t;
        const int c = addPf(t.s.dm, "C");
        NullProgress p;
        QVERIFY(SelectAllPortfolios(t.s.dm, p).ok());
        const auto targets = tx::multipleEntryTargets(t.s.dm, t.b);
        QCOMPARE(targets.size(), size_t(2));
        QCOMPARE(targets[0].ShortName, QString("A"));
        QCOMPARE(targets[1].PfID, c);
        const auto saved = *tx::transaction(t.s.dm, tx::viewRows(t.s.dm, TxView::AllAll, 0, 0).back().Sequence);
        const TransactionRec copy = tx::copyForPortfolio(saved);
        QCOMPARE(copy.Sequence, qint64(0));
        QCOMPARE(copy.Shares, saved.Shares);
        QCOMPARE(copy.Date, saved.Date);
    }
};

QTEST_GUILESS_MAIN(TestTxRules)
#include "tst_txrules.moc"
