// orvane-cli tx list / add / delete: transactions by the rules of the Transactions
// window and its entry dialog.
#include "cli/OpenData.h"

#include "core/base/Progress.h"
#include "core/config/AppState.h"
#include "core/config/Session.h"
#include "core/portfolios/PortfolioDirectory.h"
#include "core/portfolios/TxRules.h"

#include <QDate>
#include <QHash>
#include <cmath>

namespace orv::cli {

namespace {

ORVDataModule& dataModule() { return *session::dataModule(); }

// Resolves --portfolio / --security into a view and its keys.
struct ViewChoice {
    tx::TxView view = tx::TxView::AllAll;
    int pfID = -1, mlID = -1;
    QString pfName, mlName;
};

int chooseView(Context& ctx, const QHash<QString, QString>& o, ViewChoice& v)
{
    ORVDataModule& dm = dataModule();
    if (o.contains(QStringLiteral("portfolio"))) {
        const auto pf = portfolioByShortName(dm, o.value(QStringLiteral("portfolio")));
        if (!pf)
            return fail(ctx, QStringLiteral("Portfolio %1 not found.").arg(o.value(QStringLiteral("portfolio"))));
        v.pfID = pf->PfID;
        v.pfName = pf->ShortName;
    }
    if (o.contains(QStringLiteral("security"))) {
        const auto ml = store::masterListByShortName(dm, o.value(QStringLiteral("security")));
        if (!ml)
            return fail(ctx, QStringLiteral("Security %1 not found in the Master List.")
                                 .arg(o.value(QStringLiteral("security"))));
        v.mlID = ml->MLID;
        v.mlName = ml->ShortName;
    }
    if (v.pfID >= 0)
        v.view = v.mlID >= 0 ? tx::TxView::PortfolioIssue : tx::TxView::PortfolioAll;
    else
        v.view = v.mlID >= 0 ? tx::TxView::AllPortfoliosIssue : tx::TxView::AllAll;
    return 0;
}

int runList(Context& ctx)
{
    QHash<QString, QString> o;
    QStringList pos;
    if (!splitArgs(ctx.args, {QStringLiteral("portfolio"), QStringLiteral("security")}, {}, o, pos) || !pos.isEmpty())
        return fail(ctx, QStringLiteral("usage: tx list [--portfolio P] [--security S] [--tsv]"));
    if (int rc = openData(ctx))
        return rc;
    ViewChoice v;
    if (int rc = chooseView(ctx, o, v)) {
        session::shutdown();
        return rc;
    }
    QList<QStringList> rows;
    for (const auto& r : tx::viewRows(dataModule(), v.view, v.pfID, v.mlID))
        rows << QStringList{QString::number(r.Sequence), r.Portfolio, r.MLShortName, isoDate(r.Date), r.BuySell,
                            fullNumber(r.Shares), fullNumber(r.Amount),
                            r.SharePrice ? fullNumber(*r.SharePrice) : QString(), fullNumber(r.Commission),
                            fullNumber(r.Fee1), fullNumber(r.Fee2), tx::shownType(r.Type), r.Comment};
    printTable(ctx,
               {QStringLiteral("Sequence"), QStringLiteral("Portfolio"), QStringLiteral("Security"),
                QStringLiteral("Date"), QStringLiteral("BuySell"), QStringLiteral("Shares"), QStringLiteral("Amount"),
                QStringLiteral("SharePrice"), QStringLiteral("Commission"), QStringLiteral("Fee1"),
                QStringLiteral("Fee2"), QStringLiteral("Type"), QStringLiteral("Comment")},
               rows, {false, false, false, false, false, true, true, true, true, true, true, false, false});
    session::shutdown();
    return 0;
}

int runAdd(Context& ctx)
{
    const QString usage = QStringLiteral(
        "usage: tx add PORTFOLIO SECURITY DATE Buy|Sell SHARES AMOUNT [--price P] [--commission C] [--fee1 F] "
        "[--fee2 F] [--type Usual|Income|CapGain] [--comment TEXT]");
    QHash<QString, QString> o;
    QStringList pos;
    if (!splitArgs(ctx.args,
                   {QStringLiteral("price"), QStringLiteral("commission"), QStringLiteral("fee1"),
                    QStringLiteral("fee2"), QStringLiteral("type"), QStringLiteral("comment")},
                   {}, o, pos) ||
        pos.size() != 6)
        return fail(ctx, usage);

    TransactionRec r;
    const QDate date = QDate::fromString(pos[2], Qt::ISODate);
    if (!date.isValid())
        return fail(ctx, QStringLiteral("DATE must be given as yyyy-mm-dd: %1").arg(pos[2]));
    r.Date = dayFromDate(date);
    const auto side = tx::parseBuySell(pos[3]);
    if (!side)
        return fail(ctx, QStringLiteral("Buy/Sell must be \"Buy\" or \"Sell\"."));
    r.BuySell = *side;
    const auto shares = number(pos[4]);
    const auto amount = number(pos[5]);
    if (!shares || !amount)
        return fail(ctx, QStringLiteral("SHARES and AMOUNT must be numbers."));
    r.Shares = *shares;
    r.Amount = *amount;
    for (const auto& [name, field] : {std::pair{"commission", &r.Commission}, std::pair{"fee1", &r.Fee1},
                                      std::pair{"fee2", &r.Fee2}}) {
        if (!o.contains(QLatin1String(name)))
            continue;
        const auto v = number(o.value(QLatin1String(name)));
        if (!v)
            return fail(ctx, QStringLiteral("--%1 must be a number.").arg(QLatin1String(name)));
        *field = *v;
    }
    std::optional<double> price;
    if (o.contains(QStringLiteral("price"))) {
        price = number(o.value(QStringLiteral("price")));
        if (!price)
            return fail(ctx, QStringLiteral("--price must be a number."));
    }
    const QString type = o.value(QStringLiteral("type"), QStringLiteral("Usual"));
    const auto shownType = tx::parseShownType(type);
    if (!shownType)
        return fail(ctx, QStringLiteral("Type must be Usual, Income or CapGain."));
    r.Type = *shownType;
    r.Comment = o.value(QStringLiteral("comment"));

    if (int rc = openData(ctx))
        return rc;
    ORVDataModule& dm = dataModule();
    const auto ml = store::masterListByShortName(dm, pos[1]);
    if (!ml) {
        session::shutdown();
        return fail(ctx, QStringLiteral("Security %1 not found in the Master List.").arg(pos[1]));
    }
    if (const Status st = tx::checkIssueForTransactions(dm, *ml); !st) {
        session::shutdown();
        return fail(ctx, st.message().text);
    }
    if (price) {
        r.SharePrice = *price;
    } else {
        // As the dialog: the share price from the price on the date, then the
        // completion of whichever of shares and amount was left at zero.
        tx::TxFigures f{r.Shares, r.Amount,
                        tx::sharePriceAfterDate(tx::priceOnDate(dm, ml->MLID, r.Date), ml->Type).value_or(0.0)};
        if (std::fabs(f.amount) <= 0.0001)
            tx::completeAfterShares(f, 0.0, false);
        else if (std::fabs(f.shares) <= 0.0001)
            tx::completeAfterAmount(f, 0.0, false);
        else
            tx::completeAfterShares(f, f.shares, true);
        r.Shares = f.shares;
        r.Amount = f.amount;
        r.SharePrice = f.sharePrice;
    }
    const auto seq = tx::saveTransaction(dm, r, pos[0], ml->ShortName);
    if (!seq) {
        session::shutdown();
        return fail(ctx, seq.message().text);
    }
    ctx.out << "Added transaction " << *seq << '\n';
    session::shutdown();
    return 0;
}

int runDelete(Context& ctx)
{
    const QString usage =
        QStringLiteral("usage: tx delete SEQUENCE | tx delete --all [--portfolio P] [--security S]");
    QHash<QString, QString> o;
    QStringList pos;
    if (!splitArgs(ctx.args, {QStringLiteral("portfolio"), QStringLiteral("security")}, {QStringLiteral("all")}, o, pos))
        return fail(ctx, usage);
    const bool all = o.contains(QStringLiteral("all"));
    if (all == !pos.isEmpty() || pos.size() > 1 || (!all && o.size() > 0))
        return fail(ctx, usage);
    qint64 seq = 0;
    if (!all) {
        bool ok = false;
        seq = pos.first().toLongLong(&ok);
        if (!ok || seq <= 0)
            return fail(ctx, usage);
    }
    if (int rc = openData(ctx))
        return rc;
    ORVDataModule& dm = dataModule();
    int code = 0;
    if (all) {
        ViewChoice v;
        code = chooseView(ctx, o, v);
        if (!code) {
            NullProgress progress;
            const auto n = tx::deleteView(dm, v.view, v.pfID, v.mlID, progress);
            if (!n)
                code = fail(ctx, n.message().text);
            else
                ctx.out << "Deleted " << *n << " transaction(s)\n";
        }
    } else {
        const Status st = tx::deleteTransaction(dm, seq);
        if (!st)
            code = fail(ctx, st.message().text);
        else
            ctx.out << "Deleted transaction " << seq << '\n';
    }
    session::shutdown();
    return code;
}

}  // namespace

ORV_CLI_VERB("tx list", "tx list [--portfolio P] [--security S] [--tsv]",
             "transactions of one of the four views, in date order", runList);
ORV_CLI_VERB("tx add",
             "tx add PORTFOLIO SECURITY DATE Buy|Sell SHARES AMOUNT [--price P] [--commission C] [--fee1 F] "
             "[--fee2 F] [--type Usual|Income|CapGain] [--comment TEXT]",
             "adds a transaction (share price from the price on the date when not given)", runAdd);
ORV_CLI_VERB("tx delete", "tx delete SEQUENCE | tx delete --all [--portfolio P] [--security S]",
             "deletes one transaction, or every transaction of a view", runDelete);

}  // namespace orv::cli
