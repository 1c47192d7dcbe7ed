// Guards the holdings summary against drift: after a generated sequence of adds,
// edits (including moves to another portfolio or issue), single deletes, bulk
// deletes of views and portfolio deletions, every TransxSummary row must equal the
// sum over its transactions, and a row must exist exactly for the pairs that have
// transactions.
#include "../store/StoreFixture.h"
#include "core/base/Progress.h"
#include "core/portfolios/PortfolioDirectory.h"
#include "core/portfolios/TxRules.h"

#include <QRandomGenerator>
#include <map>

using namespace orv;
using namespace orv::store;
using namespace orvtest;

class TestHoldingSequence : public QObject {
    Q_OBJECT
private:
    static void verifySummary(ORVDataModule& dm)
    {
        std::map<std::pair<int, int>, double> expected;
        for (const auto& t : tx::viewRows(dm, tx::TxView::AllAll, 0, 0))
            expected[{t.PfID, t.MLID}] += t.BuySell == "Buy" ? t.Shares : -t.Shares;
        std::map<std::pair<int, int>, double> actual;
        Query q = dm.query(QStringLiteral("SELECT PfID, MLID, Shares FROM %1")
                               .arg(ORVDataModule::qualified(TableId::TransxSummary)));
        while (q.next()) {
            const auto key = std::pair{int(q.int64(0)), int(q.int64(1))};
            QVERIFY2(!actual.count(key), "two holdings rows for one pair");
            actual[key] = q.real(2);
        }
        QCOMPARE(actual.size(), expected.size());
        for (const auto& [key, shares] : expected) {
            QVERIFY2(actual.count(key), qPrintable(QString("missing holding %1/%2").arg(key.first).arg(key.second)));
            QVERIFY2(qAbs(actual[key] - shares) < 1e-6,
                     qPrintable(QString("holding %1/%2: %3 != %4").arg(key.first).arg(key.second).arg(actual[key]).arg(shares)));
        }
    }

private Q_SLOTS:
    void sequence_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {7u, 2024u})
            QTest::newRow(qPrintable(QString("seed %1").arg(seed))) << seed;
    }
    void sequence()
    {
        QFETCH(quint32, seed);
        QRandomGenerator rng(seed);
        OpenStore s;
        QStringList pfs{"P1", "P2", "P3", "P4"};
        const QStringList mls{"F1", "F2", "F3"};
        for (const auto& p : pfs) {
            PortfolioRec r;
            r.ShortName = p;
            QVERIFY(savePortfolio(s.dm, r).ok());
        }
        for (int i = 0; i < mls.size(); ++i)
            addML(s.dm, mls[i], i + 1, 0);
        std::vector<qint64> live;
        NullProgress progress;
        for (int step = 0; step < 250; ++step) {
            const int op = rng.bounded(100);
            const QString pf = pfs[rng.bounded(pfs.size())];
            const QString ml = mls[rng.bounded(mls.size())];
            if (op < 55 || live.empty()) {
                TransactionRec r;
                r.Date = 45000 + int(rng.bounded(300));
                r.BuySell = rng.bounded(3) ? "Buy" : "Sell";
                r.Shares = rng.bounded(10000) / 100.0;
                r.Amount = r.Shares * 10;
                r.Type = "Usual";
                const auto seq = tx::saveTransaction(s.dm, r, pf, ml);
                QVERIFY(seq.ok());
                live.push_back(*seq);
            } else if (op < 80) {
                const qint64 seq = live[rng.bounded(int(live.size()))];
                auto r = tx::transaction(s.dm, seq);
                QVERIFY(r);
                r->Shares = rng.bounded(5000) / 100.0;
                if (rng.bounded(2))
                    r->BuySell = r->BuySell == "Buy" ? "Sell" : "Buy";
                QVERIFY(tx::saveTransaction(s.dm, *r, rng.bounded(3) ? portfolio(s.dm, r->PfID)->ShortName : pf,
                                            rng.bounded(3) ? masterListEntry(s.dm, r->MLID)->ShortName : ml)
                            .ok());
            } else if (op < 95) {
                const int i = rng.bounded(int(live.size()));
                QVERIFY(tx::deleteTransaction(s.dm, live[size_t(i)]).ok());
                live.erase(live.begin() + i);
            } else if (op < 99) {
                const auto p = portfolioByShortName(s.dm, pf);
                const auto e = masterListByShortName(s.dm, ml);
                QVERIFY(tx::deleteView(s.dm, tx::TxView(rng.bounded(3)), p->PfID, e->MLID, progress).ok());
                live.clear();
                for (const auto& t : tx::viewRows(s.dm, tx::TxView::AllAll, 0, 0))
                    live.push_back(t.Sequence);
            } else if (pfs.size() > 2) {
                QVERIFY(deletePortfolio(s.dm, portfolioByShortName(s.dm, pf)->PfID, progress).ok());
                pfs.removeOne(pf);
                live.clear();
                for (const auto& t : tx::viewRows(s.dm, tx::TxView::AllAll, 0, 0))
                    live.push_back(t.Sequence);
            }
            if (step % 20 == 0)
                verifySummary(s.dm);
            if (QTest::currentTestFailed())
                return;
        }
        verifySummary(s.dm);
    }
};

QTEST_GUILESS_MAIN(TestHoldingSequence)
#include "tst_holdingsequence.moc"
