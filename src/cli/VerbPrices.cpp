// orvane-cli prices list / set / delete: one issue's prices, written with the same
// rules as the price entry windows (entry rule of the issue's type, weekend
// refusal, update of holes and adjusted prices, delete cascade).
#include "cli/OpenData.h"
#include "cli/TerminalProgress.h"

#include "core/config/Session.h"
#include "core/prices/PriceEntry.h"
#include "core/store/DataModule.h"
#include "core/store/Records.h"

#include <algorithm>
#include <map>

namespace orv::cli {

namespace {

// A command-line date (yyyy-mm-dd).
std::optional<Day> parseIsoDay(const QString& text)
{
    const QDate d = QDate::fromString(text, Qt::ISODate);
    if (!d.isValid() || text.size() != 10)
        return std::nullopt;
    return dayFromDate(d);
}

QString badDateText(const QString& text)
{
    return QStringLiteral("\"%1\" is not a date (yyyy-mm-dd).").arg(text);
}

QString weekendText(const QString& text)
{
    return prices::weekendRefusalText() + QStringLiteral(" (%1).").arg(text);
}

// The Master List entry named on the command line: exactly, else ignoring blanks
// at the ends.
std::optional<MasterListRec> entryNamed(ORVDataModule& dm, const QString& name)
{
    if (auto e = store::masterListByShortName(dm, name))
        return e;
    for (const MasterListRec& e : store::masterList(dm))
        if (e.ShortName.trimmed() == name.trimmed())
            return e;
    return std::nullopt;
}

QString unknownNameText(const QString& name)
{
    return QStringLiteral("No Master List entry is named \"%1\".").arg(name);
}

// Opens the data, finds the entry; on failure the exit code is in rc.
std::optional<MasterListRec> openEntry(Context& ctx, const QString& name, int& rc)
{
    rc = openData(ctx);
    if (rc)
        return std::nullopt;
    ORVDataModule* dm = session::dataModule();
    auto e = entryNamed(*dm, name);
    if (!e) {
        rc = fail(ctx, unknownNameText(name));
        session::shutdown();
    }
    return e;
}

int runList(Context& ctx)
{
    QString name;
    std::optional<Day> from, to;
    for (int i = 0; i < ctx.args.size(); ++i) {
        const QString& a = ctx.args[i];
        if (a == QLatin1String("--from") || a == QLatin1String("--to")) {
            if (i + 1 >= ctx.args.size())
                return fail(ctx, QStringLiteral("%1 needs a date (yyyy-mm-dd)").arg(a));
            const auto d = parseIsoDay(ctx.args[++i]);
            if (!d)
                return fail(ctx, badDateText(ctx.args[i]));
            (a == QLatin1String("--from") ? from : to) = d;
        } else if (name.isEmpty()) {
            name = a;
        } else {
            return fail(ctx, QStringLiteral("usage: prices list NAME [--from D] [--to D] [--tsv]"));
        }
    }
    if (name.isEmpty())
        return fail(ctx, QStringLiteral("usage: prices list NAME [--from D] [--to D] [--tsv]"));
    int rc = 0;
    const auto e = openEntry(ctx, name, rc);
    if (!e)
        return rc;
    ORVDataModule& dm = *session::dataModule();
    const auto recs = (from || to) ? store::pricesBetween(dm, e->MLID, from.value_or(-1000000), to.value_or(10000000))
                                   : store::pricesOf(dm, e->MLID);
    QList<QStringList> rows;
    for (const PriceRec& r : recs)
        rows << QStringList{isoDate(r.Date), r.Price ? fullNumber(*r.Price) : QString(), fullNumber(r.AdjPrice)};
    printTable(ctx, {QStringLiteral("Date"), QStringLiteral("Price"), QStringLiteral("AdjPrice")}, rows,
               {false, true, true});
    session::shutdown();
    return 0;
}

int runSet(Context& ctx)
{
    if (ctx.args.size() < 3 || ctx.args.size() % 2 == 0)
        return fail(ctx, QStringLiteral("usage: prices set NAME DATE PRICE [DATE PRICE ...]"));
    const QString name = ctx.args.first();
    // Every pair is checked before anything is written.
    std::vector<std::pair<Day, double>> raw;
    for (int i = 1; i + 1 < ctx.args.size(); i += 2) {
        const auto d = parseIsoDay(ctx.args[i]);
        if (!d)
            return fail(ctx, badDateText(ctx.args[i]));
        if (isWeekend(*d))
            return fail(ctx, weekendText(ctx.args[i]));
        bool ok = false;
        const double v = ctx.args[i + 1].toDouble(&ok);
        if (!ok)
            return fail(ctx, QStringLiteral("\"%1\" is not a number.").arg(ctx.args[i + 1]));
        raw.push_back({*d, v});
    }
    int rc = 0;
    const auto e = openEntry(ctx, name, rc);
    if (!e)
        return rc;
    // The same day twice: the last price given wins, as typing it twice would.
    std::map<Day, double> byDay;
    for (const auto& [day, value] : raw) {
        const auto accepted = prices::AcceptPrice(e->Type, value);
        if (!accepted) {
            rc = fail(ctx, prices::refusedPriceText(e->Type, value));
            session::shutdown();
            return rc;
        }
        byDay[day] = *accepted;
    }
    std::vector<std::pair<Day, double>> pairs(byDay.begin(), byDay.end());
    TerminalProgress bar;
    const Status st = prices::StorePricesAndUpdate(*session::dataModule(), e->MLID, pairs, bar);
    bar.finish();
    session::shutdown();
    if (!st)
        return fail(ctx, st.message().text);
    ctx.out << "Stored " << pairs.size() << (pairs.size() == 1 ? " price" : " prices") << " for "
            << e->ShortName.trimmed() << ".\n";
    return 0;
}

int runDelete(Context& ctx)
{
    if (ctx.args.size() < 2)
        return fail(ctx, QStringLiteral("usage: prices delete NAME DATE..."));
    const QString name = ctx.args.first();
    std::vector<Day> days;
    for (int i = 1; i < ctx.args.size(); ++i) {
        const auto d = parseIsoDay(ctx.args[i]);
        if (!d)
            return fail(ctx, badDateText(ctx.args[i]));
        if (isWeekend(*d))
            return fail(ctx, weekendText(ctx.args[i]));
        days.push_back(*d);
    }
    int rc = 0;
    const auto e = openEntry(ctx, name, rc);
    if (!e)
        return rc;
    ORVDataModule& dm = *session::dataModule();
    // Deletion, trim and distribution cascade, then the rebuild, as one change.
    int deleted = 0;
    Status st;
    {
        Transaction tx(dm);
        const Result<int> res = prices::DeletePricesOn(dm, e->MLID, days);
        if (!res) {
            st = res.message();
        } else {
            deleted = *res;
            TerminalProgress bar;
            st = RebuildIssue(dm, e->MLID, bar);
            bar.finish();
            if (st)
                st = tx.commit();
        }
    }
    session::shutdown();
    if (!st)
        return fail(ctx, st.message().text);
    ctx.out << "Deleted " << deleted << (deleted == 1 ? " price" : " prices") << " of " << e->ShortName.trimmed()
            << ".\n";
    return 0;
}

}  // namespace

ORV_CLI_VERB("prices list", "prices list NAME [--from D] [--to D] [--tsv]",
             "an issue's prices: date, price (empty on a filled hole), adjusted price", runList);
ORV_CLI_VERB("prices set", "prices set NAME DATE PRICE [DATE PRICE ...]",
             "store prices (yyyy-mm-dd) and update holes and adjusted prices", runSet);
ORV_CLI_VERB("prices delete", "prices delete NAME DATE...",
             "delete prices, their trailing holes and later distributions, and rebuild", runDelete);

}  // namespace orv::cli
