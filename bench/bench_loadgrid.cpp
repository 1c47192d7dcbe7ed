// Times the load of the main window's Master List sheet (grid::LoadGrid: size,
// cells, auto-increment counter and the marks of the active portfolio's
// accounts) on a Master List of 5,000 entries (100 columns of 50 rows) held by 50
// portfolios of 100 issues each, beside a baseline measured in the same run: a
// plain read of the same rows (every Master List row's cell fields and the
// portfolio's holdings).
//
// Usage: bench_loadgrid [rounds]   (default 20; the best round is reported)
#include "core/masterlist/Grid.h"
#include "core/store/DataFiles.h"
#include "core/store/DataModule.h"
#include "core/store/Records.h"
#include "core/store/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace orv;
using store::TableId;

namespace {

[[noreturn]] void fail(const QString& text)
{
    std::fprintf(stderr, "bench_loadgrid: %s\n", qPrintable(text));
    std::exit(1);
}

void check(const Status& st, const char* what)
{
    if (!st.ok())
        fail(QStringLiteral("%1: %2").arg(QString::fromLatin1(what), st.message().text));
}

constexpr int kColumns = 100, kRows = 50, kPortfolios = 50, kPerPortfolio = 100;

void fill(ORVDataModule& dm)
{
    Transaction tx(dm);
    int n = 0;
    for (int col = 0; col < kColumns; ++col) {
        for (int row = 1; row <= kRows; ++row) {
            MasterListRec r;
            r.ShortName = QStringLiteral("Fund%1").arg(++n, 4, 10, QLatin1Char('0'));
            r.LongName = r.ShortName + QStringLiteral(" long name");
            r.Type = QStringLiteral("Mutual Fund");
            r.ColNum = col;
            r.RowNum = row;
            auto id = store::insertMasterList(dm, r);
            if (!id.ok())
                fail(id.message().text);
        }
    }
    // Portfolio p holds issues p*100+1 .. p*100+100; a tenth of them are closed.
    for (int p = 0; p < kPortfolios; ++p) {
        for (int k = 1; k <= kPerPortfolio; ++k) {
            TransxSummaryRec h;
            h.PfID = p + 1;
            h.MLID = p * kPerPortfolio + k;
            h.Shares = (k % 10 == 0) ? 0.0 : 10.0 * k;
            h.Reinvest = QStringLiteral("All");
            auto id = store::insertRow(dm, TableId::TransxSummary, store::toFields(h));
            if (!id.ok())
                fail(id.message().text);
        }
    }
    check(tx.commit(), "commit");
}

// The plain read: the cell fields of every entry and the holdings of one portfolio.
qint64 plainRead(ORVDataModule& dm, int pfID)
{
    qint64 sum = 0;
    Query ml = dm.query(QStringLiteral("SELECT MLID, ShortName, Selected, RowNum, ColNum FROM %1")
                            .arg(ORVDataModule::qualified(TableId::MasterList)));
    while (ml.next())
        sum += ml.int64(0) + ml.text(1).size() + ml.int64(3) + ml.int64(4);
    Query h = dm.query(QStringLiteral("SELECT MLID, Shares FROM %1 WHERE PfID = ?")
                           .arg(ORVDataModule::qualified(TableId::TransxSummary)));
    h.bind(1, pfID);
    while (h.next())
        sum += h.int64(0) + qint64(h.real(1));
    return sum;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 20;

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
    fill(dm);

    TMLDisplayArray display;
    qint64 bestLoad = -1, bestRead = -1, sink = 0;
    int marked = 0;
    for (int r = 0; r < rounds; ++r) {
        const int pfID = 1 + r % kPortfolios;
        QElapsedTimer t;
        t.start();
        sink += plainRead(dm, pfID);
        const qint64 read = t.nsecsElapsed();

        t.restart();
        const grid::LoadResult res = grid::LoadGrid(dm, display, pfID, grid::ViewBoth);
        const qint64 load = t.nsecsElapsed();
        sink += res.rowLimit;

        if (bestRead < 0 || read < bestRead)
            bestRead = read;
        if (bestLoad < 0 || load < bestLoad)
            bestLoad = load;
        if (r == 0) {
            for (int row = 0; row <= display.maxRow(); ++row)
                for (int col = 0; col <= display.maxCol(); ++col)
                    marked += display.at(row, col).held ? 1 : 0;
        }
    }
    std::printf("Master List of %d entries, %d portfolios of %d holdings; best of %d rounds\n",
                kColumns * kRows, kPortfolios, kPerPortfolio, rounds);
    std::printf("  plain read of the rows : %8.2f ms\n", bestRead / 1e6);
    std::printf("  LoadGrid (fill + marks): %8.2f ms  (%d cells marked)\n", bestLoad / 1e6, marked);
    std::printf("  ratio                  : %8.2f x  (aim: at most 3 x)\n", double(bestLoad) / double(bestRead));
    return sink == 42 ? 2 : 0;
}
