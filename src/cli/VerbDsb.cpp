// orvane-cli dsb list / add / delete: the distributions of one issue by the rules
// of the Edit Distributions window and its add/edit dialog.
#include "cli/OpenData.h"

#include "core/base/Progress.h"
#include "core/config/Session.h"
#include "core/distributions/Distributions.h"
#include "core/store/DataModule.h"
#include "core/store/Records.h"

#include <QDate>
#include <QHash>
#include <cmath>
#include <optional>

namespace orv::cli {

namespace {

ORVDataModule& dataModule() { return *session::dataModule(); }

std::optional<Day> isoDay(const QString& text)
{
    const QDate d = QDate::fromString(text.trimmed(), Qt::ISODate);
    return d.isValid() ? std::optional<Day>(dayFromDate(d)) : std::nullopt;
}

// Opens the data and finds the issue; 0 or the exit code (data closed again).
int openIssue(Context& ctx, const QString& name, MasterListRec& issue)
{
    if (int rc = openData(ctx))
        return rc;
    const auto ml = store::masterListByShortName(dataModule(), name);
    if (!ml) {
        session::shutdown();
        return fail(ctx, QStringLiteral("Security %1 not found in the Master List.").arg(name));
    }
    issue = *ml;
    return 0;
}

int runList(Context& ctx)
{
    QHash<QString, QString> o;
    QStringList pos;
    if (!splitArgs(ctx.args, {}, {}, o, pos) || pos.size() != 1)
        return fail(ctx, QStringLiteral("usage: dsb list NAME [--tsv]"));
    MasterListRec issue;
    if (int rc = openIssue(ctx, pos[0], issue))
        return rc;
    QList<QStringList> rows;
    // Newest first, as the window opens on the newest distribution.
    for (const auto& d : store::distributionsOf(dataModule(), issue.MLID, true))
        rows << QStringList{isoDate(d.ExDate),          isoDate(d.RecDate),      isoDate(d.PayDate),
                            fullNumber(d.Total),        fullNumber(d.Income),    fullNumber(d.CapGain),
                            fullNumber(d.ReinvestPri), fullNumber(d.SplitFactor)};
    printTable(ctx,
               {QStringLiteral("ExDate"), QStringLiteral("RecDate"), QStringLiteral("PayDate"), QStringLiteral("Total"),
                QStringLiteral("Income"), QStringLiteral("CapGain"), QStringLiteral("ReinvestPri"),
                QStringLiteral("SplitFactor")},
               rows, {false, false, false, true, true, true, true, true});
    session::shutdown();
    return 0;
}

int runAdd(Context& ctx)
{
    const QString usage = QStringLiteral(
        "usage: dsb add NAME EXDATE --reinvest-price P (--total T [--income I] [--capgain C] | --split S) "
        "[--record-date D] [--pay-date D] [--reinvest-portfolios]");
    QHash<QString, QString> o;
    QStringList pos;
    if (!splitArgs(ctx.args,
                   {QStringLiteral("reinvest-price"), QStringLiteral("total"), QStringLiteral("income"),
                    QStringLiteral("capgain"), QStringLiteral("split"), QStringLiteral("record-date"),
                    QStringLiteral("pay-date")},
                   {QStringLiteral("reinvest-portfolios")}, o, pos) ||
        pos.size() != 2 || !o.contains(QStringLiteral("reinvest-price")))
        return fail(ctx, usage);
    const bool split = o.contains(QStringLiteral("split"));
    const bool cash = o.contains(QStringLiteral("total"));
    if (split == cash ||
        (split && (o.contains(QStringLiteral("income")) || o.contains(QStringLiteral("capgain")))))
        return fail(ctx, usage);

    const auto ex = isoDay(pos[1]);
    if (!ex)
        return fail(ctx, QStringLiteral("EXDATE must be given as yyyy-mm-dd: %1").arg(pos[1]));
    DistributionRec r = dsb::newDistribution(0, *ex);
    for (const auto& [name, field] : {std::pair{"record-date", &r.RecDate}, std::pair{"pay-date", &r.PayDate}}) {
        if (!o.contains(QLatin1String(name)))
            continue;
        const auto d = isoDay(o.value(QLatin1String(name)));
        if (!d)
            return fail(ctx, QStringLiteral("--%1 must be given as yyyy-mm-dd.").arg(QLatin1String(name)));
        *field = *d;
    }
    for (const auto& [name, field] :
         {std::pair{"reinvest-price", &r.ReinvestPri}, std::pair{"total", &r.Total}, std::pair{"income", &r.Income},
          std::pair{"capgain", &r.CapGain}, std::pair{"split", &r.SplitFactor}}) {
        if (!o.contains(QLatin1String(name)))
            continue;
        const auto v = number(o.value(QLatin1String(name)));
        if (!v)
            return fail(ctx, QStringLiteral("--%1 must be a number.").arg(QLatin1String(name)));
        *field = *v;
    }

    MasterListRec issue;
    if (int rc = openIssue(ctx, pos[0], issue))
        return rc;
    ORVDataModule& dm = dataModule();
    int code = 0;
    if (const Status st = dsb::checkIssueForDistributions(dm, issue); !st) {
        code = fail(ctx, st.message().text);
    } else {
        r.MLID = issue.MLID;
        NullProgress progress;
        const dsb::DsbCheck c = dsb::SaveDistribution(dm, r, std::nullopt, progress);
        if (!c.ok()) {
            code = fail(ctx, c.status.message().text);
        } else {
            ctx.out << "Added distribution of " << issue.ShortName << " on " << isoDate(r.ExDate) << " (total "
                    << fullNumber(r.Total) << ")\n";
            const dsb::DsbAmounts amounts = dsb::DsbAmounts::of(r);
            if (o.contains(QStringLiteral("reinvest-portfolios")) && dsb::CallsForAutoEntry(amounts)) {
                const auto n = dsb::ReinvestAllPortfolios(dm, issue.MLID, amounts, progress);
                if (!n)
                    code = fail(ctx, n.message().text);
                else
                    ctx.out << "Entered " << *n << " transaction(s)\n";
            }
        }
    }
    session::shutdown();
    return code;
}

int runDelete(Context& ctx)
{
    QHash<QString, QString> o;
    QStringList pos;
    if (!splitArgs(ctx.args, {}, {QStringLiteral("with-transactions")}, o, pos) || pos.size() != 2)
        return fail(ctx, QStringLiteral("usage: dsb delete NAME EXDATE [--with-transactions]"));
    const auto ex = isoDay(pos[1]);
    if (!ex)
        return fail(ctx, QStringLiteral("EXDATE must be given as yyyy-mm-dd: %1").arg(pos[1]));
    MasterListRec issue;
    if (int rc = openIssue(ctx, pos[0], issue))
        return rc;
    ORVDataModule& dm = dataModule();
    int code = 0;
    bool found = false;
    for (const auto& d : store::distributionsOf(dm, issue.MLID))
        found = found || d.ExDate == *ex;
    NullProgress progress;
    if (!found) {
        code = fail(ctx, QStringLiteral("%1 has no distribution on %2.").arg(issue.ShortName, isoDate(*ex)));
    } else if (const Status st = dsb::DeleteDistribution(dm, issue.MLID, *ex, progress); !st) {
        code = fail(ctx, st.message().text);
    } else {
        ctx.out << "Deleted distribution of " << issue.ShortName << " on " << isoDate(*ex) << '\n';
        if (o.contains(QStringLiteral("with-transactions"))) {
            const auto n = dsb::DeleteDsbTransactions(dm, issue.MLID, *ex, progress);
            if (!n)
                code = fail(ctx, n.message().text);
            else
                ctx.out << "Deleted " << *n << " transaction(s)\n";
        }
    }
    session::shutdown();
    return code;
}

}  // namespace

ORV_CLI_VERB("dsb list", "dsb list NAME [--tsv]", "distributions of one issue, newest first", runList);
ORV_CLI_VERB("dsb add",
             "dsb add NAME EXDATE --reinvest-price P (--total T [--income I] [--capgain C] | --split S) "
             "[--record-date D] [--pay-date D] [--reinvest-portfolios]",
             "adds a distribution (checked as the dialog does), rebuilds the adjusted prices and, with "
             "--reinvest-portfolios, enters it in every portfolio holding the issue",
             runAdd);
ORV_CLI_VERB("dsb delete", "dsb delete NAME EXDATE [--with-transactions]",
             "deletes one distribution (and that day's Income and CapGain transactions)", runDelete);

}  // namespace orv::cli
