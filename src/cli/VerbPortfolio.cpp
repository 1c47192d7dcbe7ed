// orvane-cli portfolio list / add / delete: the portfolio directory without windows.
#include "cli/OpenData.h"

#include "core/base/Progress.h"
#include "core/config/AppState.h"
#include "core/config/Session.h"
#include "core/portfolios/PortfolioDirectory.h"

namespace orv::cli {

namespace {

ORVDataModule& dataModule() { return *session::dataModule(); }

int runList(Context& ctx)
{
    if (!ctx.args.isEmpty())
        return fail(ctx, QStringLiteral("usage: portfolio list [--tsv]"));
    if (int rc = openData(ctx))
        return rc;
    QList<QStringList> rows;
    const int active = appState().ActivePfID;
    for (const auto& p : store::portfolios(dataModule()))
        rows << QStringList{p.ShortName, p.LongName, p.TaxID, p.AccountNumber,
                            p.PfID == active ? QStringLiteral("*") : QString()};
    printTable(ctx, {QStringLiteral("ShortName"), QStringLiteral("LongName"), QStringLiteral("TaxID"),
                     QStringLiteral("AccountNumber"), QStringLiteral("Active")},
               rows);
    session::shutdown();
    return 0;
}

int runAdd(Context& ctx)
{
    const QString usage = QStringLiteral("usage: portfolio add SHORT [--long L] [--tax-id T] [--account A]");
    PortfolioRec r;
    QStringList positional;
    for (int i = 0; i < ctx.args.size(); ++i) {
        const QString& a = ctx.args[i];
        QString* target = nullptr;
        if (a == QLatin1String("--long"))
            target = &r.LongName;
        else if (a == QLatin1String("--tax-id"))
            target = &r.TaxID;
        else if (a == QLatin1String("--account"))
            target = &r.AccountNumber;
        else if (a.startsWith(QLatin1String("--")))
            return fail(ctx, usage);
        if (target) {
            if (i + 1 >= ctx.args.size())
                return fail(ctx, usage);
            *target = ctx.args[++i];
        } else {
            positional << a;
        }
    }
    if (positional.size() != 1)
        return fail(ctx, usage);
    r.ShortName = positional.first();
    if (int rc = openData(ctx))
        return rc;
    const auto id = savePortfolio(dataModule(), r);
    if (!id) {
        session::shutdown();
        return fail(ctx, id.message().text);
    }
    ctx.out << "Added portfolio " << r.ShortName.trimmed().toUpper() << '\n';
    session::shutdown();
    return 0;
}

int runDelete(Context& ctx)
{
    if (ctx.args.size() != 1)
        return fail(ctx, QStringLiteral("usage: portfolio delete SHORT"));
    if (int rc = openData(ctx))
        return rc;
    ORVDataModule& dm = dataModule();
    const auto pf = portfolioByShortName(dm, ctx.args.first());
    if (!pf) {
        session::shutdown();
        return fail(ctx, QStringLiteral("Portfolio %1 not found.").arg(ctx.args.first()));
    }
    NullProgress progress;
    const auto n = deletePortfolio(dm, pf->PfID, progress);
    if (!n) {
        session::shutdown();
        return fail(ctx, n.message().text);
    }
    ctx.out << "Deleted portfolio " << pf->ShortName << " and " << *n << " transaction(s)\n";
    session::shutdown();
    return 0;
}

}  // namespace

ORV_CLI_VERB("portfolio list", "portfolio list [--tsv]", "the portfolios in short-name order", runList);
ORV_CLI_VERB("portfolio add", "portfolio add SHORT [--long L] [--tax-id T] [--account A]", "adds a portfolio",
             runAdd);
ORV_CLI_VERB("portfolio delete", "portfolio delete SHORT",
             "deletes a portfolio with its transactions and holdings", runDelete);

}  // namespace orv::cli
