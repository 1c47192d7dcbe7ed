// orvane-cli holdings / holding set: the holdings summary and each holding's
// reinvestment option, account number and phone.
#include "cli/OpenData.h"

#include "core/config/Session.h"
#include "core/portfolios/PortfolioDirectory.h"
#include "core/portfolios/TxRules.h"

#include <QHash>

namespace orv::cli {

namespace {

ORVDataModule& dataModule() { return *session::dataModule(); }

int runHoldings(Context& ctx)
{
    if (ctx.args.size() > 1 || (ctx.args.size() == 1 && ctx.args.first().startsWith(QLatin1String("--"))))
        return fail(ctx, QStringLiteral("usage: holdings [PORTFOLIO] [--tsv]"));
    if (int rc = openData(ctx))
        return rc;
    ORVDataModule& dm = dataModule();
    std::vector<PortfolioRec> pfs;
    if (!ctx.args.isEmpty()) {
        const auto pf = portfolioByShortName(dm, ctx.args.first());
        if (!pf) {
            session::shutdown();
            return fail(ctx, QStringLiteral("Portfolio %1 not found.").arg(ctx.args.first()));
        }
        pfs.push_back(*pf);
    } else {
        pfs = store::portfolios(dm);
    }
    QHash<int, QString> names;
    for (const auto& e : store::masterList(dm))
        names.insert(e.MLID, e.ShortName);
    QList<QStringList> rows;
    for (const auto& pf : pfs) {
        auto hs = store::holdingsOf(dm, pf.PfID);
        std::stable_sort(hs.begin(), hs.end(),
                         [&](const auto& a, const auto& b) { return names.value(a.MLID) < names.value(b.MLID); });
        for (const auto& h : hs)
            rows << QStringList{pf.ShortName, names.value(h.MLID), fullNumber(h.Shares), h.Reinvest, h.AccountNumber,
                                h.Phone};
    }
    printTable(ctx,
               {QStringLiteral("Portfolio"), QStringLiteral("Security"), QStringLiteral("Shares"),
                QStringLiteral("Reinvest"), QStringLiteral("AccountNumber"), QStringLiteral("Phone")},
               rows, {false, false, true, false, false, false});
    session::shutdown();
    return 0;
}

int runSet(Context& ctx)
{
    const QString usage = QStringLiteral(
        "usage: holding set PORTFOLIO SECURITY [--reinvest None|CapGain|All] [--account A] [--phone P]");
    QStringList pos;
    QHash<QString, QString> o;
    for (int i = 0; i < ctx.args.size(); ++i) {
        const QString& a = ctx.args[i];
        if (a == QLatin1String("--reinvest") || a == QLatin1String("--account") || a == QLatin1String("--phone")) {
            if (i + 1 >= ctx.args.size())
                return fail(ctx, usage);
            o.insert(a.mid(2), ctx.args[++i]);
        } else if (a.startsWith(QLatin1String("--"))) {
            return fail(ctx, usage);
        } else {
            pos << a;
        }
    }
    if (pos.size() != 2)
        return fail(ctx, usage);
    if (o.contains(QStringLiteral("reinvest")) && !tx::parseReinvest(o.value(QStringLiteral("reinvest"))))
        return fail(ctx, QStringLiteral("Reinvest must be None, CapGain or All."));
    if (int rc = openData(ctx))
        return rc;
    ORVDataModule& dm = dataModule();
    int code = 0;
    const auto pf = portfolioByShortName(dm, pos[0]);
    const auto ml = store::masterListByShortName(dm, pos[1]);
    if (!pf) {
        code = fail(ctx, QStringLiteral("Portfolio %1 not found.").arg(pos[0]));
    } else if (!ml) {
        code = fail(ctx, QStringLiteral("Security %1 not found in the Master List.").arg(pos[1]));
    } else {
        const auto h = store::holding(dm, pf->PfID, ml->MLID);
        if (!h) {
            code = fail(ctx, tx::noTransactionYetText());
        } else {
            const Status st = tx::setHoldingParameters(
                dm, pf->PfID, ml->MLID, o.value(QStringLiteral("reinvest"), tx::reinvestChoice(h->Reinvest)),
                o.value(QStringLiteral("account"), h->AccountNumber), o.value(QStringLiteral("phone"), h->Phone));
            if (!st)
                code = fail(ctx, st.message().text);
            else
                ctx.out << "Updated holding " << pf->ShortName << ' ' << ml->ShortName << '\n';
        }
    }
    session::shutdown();
    return code;
}

}  // namespace

ORV_CLI_VERB("holdings", "holdings [PORTFOLIO] [--tsv]",
             "the holdings summary: shares, reinvest option, account number and phone", runHoldings);
ORV_CLI_VERB("holding set", "holding set PORTFOLIO SECURITY [--reinvest None|CapGain|All] [--account A] [--phone P]",
             "sets a holding's reinvest option, account number or phone", runSet);

}  // namespace orv::cli
