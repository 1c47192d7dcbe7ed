// Guards the holdings summary: net shares (buys minus sells) wrong or left stale
// after a post, edit or delete of a transaction; a holding's own settings
// (Reinvest, AccountNumber, Phone) overwritten; a row kept for a holding without
// transactions or missing for one that has them; and the after-post rule that
// remembers the posted transaction.
#include "../store/StoreFixture.h"
#include "core/portfolios/HoldingsSummary.h"

using namespace orv;
using namespace orv::store;
using namespace orvtest;

class TestHoldingsSummary : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void recompute_data()
    {
        QTest::addColumn<QStringList>("sides");
        QTest::addColumn<QList<double>>("shares");
        QTest::addColumn<bool>("rowExists");
        QTest::addColumn<double>("expected");
        QTest::newRow("no transactions") << QStringList{} << QList<double>{} << false << 0.0;
        QTest::newRow("buy 100 sell 40") << QStringList{"Buy", "Sell"} << QList<double>{100, 40} << true << 60.0;
        QTest::newRow("sold down to zero keeps the row") << QStringList{"Buy", "Sell"} << QList<double>{25.5, 25.5}
                                                         << true << 0.0;
        QTest::newRow("first transaction a sell of 0") << QStringList{"Sell"} << QList<double>{0} << true << 0.0;
        QTest::newRow("only \"Buy\" adds") << QStringList{"Buy", "buy", "Sell"} << QList<double>{10, 3, 1} << true
                                          << 6.0;
        QTest::newRow("fractions") << QStringList{"Buy", "Buy", "Sell"} << QList<double>{1.2345, 2.0005, 0.235}
                                   << true << 3.0;
    }
    void recompute()
    {
        QFETCH(QStringList, sides);
        QFETCH(QList<double>, shares);
        QFETCH(bool, rowExists);
        QFETCH(double, expected);
        OpenStore s;
        for (int i = 0; i < sides.size(); ++i)
            addTx(s.dm, 1, 5, 45000 + i, sides[i], shares[i]);
        addTx(s.dm, 1, 6, 45000, "Buy", 1000);  // other holdings do not count
        addTx(s.dm, 2, 5, 45000, "Buy", 1000);
        QVERIFY(UpdateHoldingsSummary(s.dm, 1, 5).ok());
        const auto h = holding(s.dm, 1, 5);
        QCOMPARE(h.has_value(), rowExists);
        if (h) {
            QVERIFY(qAbs(h->Shares - expected) < 1e-9);
            QCOMPARE(h->Reinvest, QString("All"));
        }
        QCOMPARE(holdingsOf(s.dm, 1).size(), size_t(rowExists ? 1 : 0));
    }

    void keepsHoldingSettingsAndDeletesEmptyHolding()
    {
        OpenStore s;
        const qint64 t1 = addTx(s.dm, 3, 9, 45000, "Buy", 10);
        QVERIFY(UpdateHoldingsSummary(s.dm, 3, 9).ok());
        Table& sum = s.dm.fftblTransxSummary();
        QVERIFY(sum.locate("PfID;MLID", {3, 9}));
        QVERIFY(sum.edit().ok());
        QVERIFY(sum.setValue("Reinvest", "CapGain"));
        QVERIFY(sum.setValue("AccountNumber", "ACC-1"));
        QVERIFY(sum.setValue("Phone", "555-0100"));
        QVERIFY(sum.post().ok());

        const qint64 t2 = addTx(s.dm, 3, 9, 45010, "Sell", 4);
        QVERIFY(UpdateHoldingsSummary(s.dm, 3, 9).ok());
        auto h = holding(s.dm, 3, 9);
        QVERIFY(h);
        QCOMPARE(h->Shares, 6.0);
        QCOMPARE(h->Reinvest, QString("CapGain"));
        QCOMPARE(h->AccountNumber, QString("ACC-1"));
        QCOMPARE(h->Phone, QString("555-0100"));

        QVERIFY(deleteRow(s.dm, TableId::Transactions, t1).ok());
        QVERIFY(deleteRow(s.dm, TableId::Transactions, t2).ok());
        QVERIFY(UpdateHoldingsSummary(s.dm, 3, 9).ok());
        QVERIFY(!holding(s.dm, 3, 9).has_value());
        QCOMPARE(sum.recordCount(), 0);  // the open cursor sees the deletion
    }

    void afterPostRuleUpdatesHoldings()
    {
        OpenStore s;
        Table& t = s.dm.fftblTransactions();
        auto post = [&](int pf, int ml, Day d, const QString& side, double shares) {
            QVERIFY(t.insert().ok());
            QVERIFY(t.setValue("PfID", pf));
            QVERIFY(t.setValue("MLID", ml));
            QVERIFY(t.setValue("Date", d));
            QVERIFY(t.setValue("BuySell", side));
            QVERIFY(t.setValue("Shares", shares));
            for (const char* f : {"Amount", "Commission", "Fee1", "Fee2"})
                QVERIFY(t.setValue(f, 0.0));
            QVERIFY(t.setValue("Type", "Usual"));
            const Status st = t.post();
            QVERIFY2(st.ok(), qPrintable(st.ok() ? QString() : st.message().text));
        };
        // The cursor is ranged on another holding: the rule still uses the posted record.
        QVERIFY(t.setRange({7}).ok());
        post(1, 2, 45000, "Buy", 100);
        QVERIFY(s.dm.LastTxBookmark != kNoBookmark);
        const Bookmark first = s.dm.LastTxBookmark;
        QCOMPARE(holding(s.dm, 1, 2)->Shares, 100.0);
        QCOMPARE(holding(s.dm, 1, 2)->Reinvest, QString("All"));
        post(1, 2, 45001, "Sell", 40);
        QVERIFY(s.dm.LastTxBookmark != first);
        QCOMPARE(holding(s.dm, 1, 2)->Shares, 60.0);

        // Editing a transaction over to another issue updates both holdings.
        t.cancelRange();
        QVERIFY(t.gotoBookmark(s.dm.LastTxBookmark));
        QVERIFY(t.edit().ok());
        QVERIFY(t.setValue("MLID", 3));
        QVERIFY(t.post().ok());
        QCOMPARE(holding(s.dm, 1, 2)->Shares, 100.0);
        QCOMPARE(holding(s.dm, 1, 3)->Shares, -40.0);
        QVERIFY(t.gotoBookmark(s.dm.LastTxBookmark));
        QCOMPARE(t.intValue("MLID"), 3);
    }

    void failedSummaryUpdateUndoesThePost()
    {
        OpenStore s;
        Table& t = s.dm.fftblTransactions();
        // Simulate a damaged summary table: the update cannot be written.
        QVERIFY(s.dm.exec("CREATE TRIGGER TransxSummary.nowrite BEFORE INSERT ON TransxSummary "
                          "BEGIN SELECT RAISE(ABORT, 'summary locked'); END")
                    .ok());
        QVERIFY(t.insert().ok());
        for (auto [f, v] : std::initializer_list<std::pair<const char*, QVariant>>{
                 {"PfID", 1}, {"MLID", 1}, {"Date", 45000}, {"BuySell", "Buy"}, {"Shares", 1.0}, {"Amount", 1.0},
                 {"Commission", 0.0}, {"Fee1", 0.0}, {"Fee2", 0.0}, {"Type", "Usual"}})
            QVERIFY(t.setValue(f, v));
        QVERIFY(!t.post().ok());
        QCOMPARE(t.state(), TableState::Insert);
        QCOMPARE(t.recordCount(), 0);
        QVERIFY(transactionsOf(s.dm, 1, 1).empty());
    }
};

QTEST_GUILESS_MAIN(TestHoldingsSummary)
#include "tst_holdingssummary.moc"
