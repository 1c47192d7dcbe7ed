// Times the Transactions window's "all portfolios, all transactions" view (every
// transaction in date order with its portfolio and security names) on 100,000
// transactions in 20 portfolios and 200 issues, beside a plain read of the same
// rows in the same order without the names, measured in the same run. Also times
// the other three views and UpdateHoldingsSummary over every holding.
//
// Usage: bench_transactions [transactions]   (default 100000)
#include "core/base/Progress.h"
#include "core/portfolios/HoldingsSummary.h"
#include "core/portfolios/TxRules.h"
#include "core/store/DataFiles.h"
#include "core/store/DataModule.h"
#include "core/store/Records.h"
#include "core/store/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace orv;
using store::TableId;

namespace {

[[noreturn]] void fail(const QString& what)
{
    std::fprintf(stderr, "bench_transactions: %s\n", qPrintable(what));
    std::exit(1);
}
void check(const Status& st, const char* what)
{
    if (!st)
        fail(QString::fromLatin1(what) + QStringLiteral(": ") + st.message().text);
}

template <typename F>
double medianMs(F&& f, int runs = 5)
{
    std::vector<double> v;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        v.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 100000;
    const int portfolios = 20, issues = 200;

    QTemporaryDir tmp;
    const QString templates = tmp.filePath(QStringLiteral("DBTemplates"));
    const QString data = tmp.filePath(QStringLiteral("Data"));
    QDir().mkpath(templates);
    QDir().mkpath(data);
    for (const auto& def : store::tableDefs())
        check(store::createTableFile(QDir(templates).filePath(store::tableFileName(def.name)), def), "template");
    if (const auto made = store::createMissingTables(data, templates); !made)
        fail(made.message().text);
    ORVDataModule dm;
    check(dm.open(data), "open");

    {
        Transaction guard(dm);
        for (int p = 1; p <= portfolios; ++p) {
            PortfolioRec r;
            r.ShortName = QStringLiteral("PF%1").arg(p);
            if (!store::insertPortfolio(dm, r))
                fail(QStringLiteral("portfolio insert"));
        }
        for (int i = 1; i <= issues; ++i) {
            MasterListRec r;
            r.ShortName = QStringLiteral("FUND%1").arg(i);
            r.Type = QStringLiteral("Mutual Fund");
            r.RowNum = i;
            if (!store::insertMasterList(dm, r))
                fail(QStringLiteral("issue insert"));
        }
        QRandomGenerator rng(11);
        const QString sql = QStringLiteral("INSERT INTO %1 (PfID, MLID, Date, BuySell, Shares, Amount, SharePrice, "
                                           "Commission, Fee1, Fee2, Type, Comment) VALUES (?, ?, ?, ?, ?, ?, ?, 0, 0, 0, '', ?)")
                                .arg(ORVDataModule::qualified(TableId::Transactions));
        for (int i = 0; i < count; ++i) {
            const double shares = 1 + rng.bounded(1000);
            check(dm.exec(sql, {1 + int(rng.bounded(portfolios)), 1 + int(rng.bounded(issues)),
                                double(36526 + int(rng.bounded(9000))), rng.bounded(4) ? "Buy" : "Sell", shares,
                                shares * 12.5, 12.5, i % 10 ? QVariant() : QVariant(QStringLiteral("comment"))}),
                  "insert");
        }
        check(guard.commit(), "commit");
        dm.touchAll();
    }

    size_t n1 = 0, n2 = 0;
    const double plain = medianMs([&] { n1 = tx::allTransactionsByDate(dm).size(); });
    const double view = medianMs([&] { n2 = tx::viewRows(dm, tx::TxView::AllAll, 0, 0).size(); });
    if (n1 != size_t(count) || n2 != size_t(count))
        fail(QStringLiteral("row counts differ"));
    std::printf("%d transactions, %d portfolios, %d issues\n", count, portfolios, issues);
    std::printf("plain read in date order:              %9.1f ms\n", plain);
    std::printf("view all portfolios, all transactions:  %9.1f ms  (%.2fx the plain read)\n", view, view / plain);
    std::printf("view one portfolio, all transactions:   %9.1f ms\n",
                medianMs([&] { tx::viewRows(dm, tx::TxView::PortfolioAll, 1, 1); }));
    std::printf("view one portfolio, one issue:          %9.1f ms\n",
                medianMs([&] { tx::viewRows(dm, tx::TxView::PortfolioIssue, 1, 1); }));
    std::printf("view all portfolios, one issue:         %9.1f ms\n",
                medianMs([&] { tx::viewRows(dm, tx::TxView::AllPortfoliosIssue, 1, 1); }));
    const double holdings = medianMs(
        [&] {
            Transaction guard(dm);
            for (int p = 1; p <= portfolios; ++p)
                for (int i = 1; i <= issues; ++i)
                    check(UpdateHoldingsSummary(dm, p, i), "holdings");
            check(guard.commit(), "commit");
        },
        1);
    std::printf("UpdateHoldingsSummary, %d holdings:    %9.1f ms (%.3f ms each)\n", portfolios * issues, holdings,
                holdings / (portfolios * issues));
    return 0;
}
