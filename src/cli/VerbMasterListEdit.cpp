// orvane-cli masterlist add / delete: New Entry and Delete Entry without windows,
// with the same rules and messages.
#include "cli/OpenData.h"
#include "cli/TerminalProgress.h"

#include "core/config/AppState.h"
#include "core/config/Session.h"
#include "core/masterlist/EntryDelete.h"
#include "core/masterlist/EntryRules.h"
#include "core/store/DataModule.h"

namespace orv::cli {

namespace {

int finish(Context& ctx, int rc, const QString& error = QString())
{
    session::shutdown();
    return error.isEmpty() ? rc : fail(ctx, error);
}

bool toPositive(const QString& text, int* out)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < 1)
        return false;
    *out = v;
    return true;
}

int runAdd(Context& ctx)
{
    const QString usage = QStringLiteral(
        "usage: masterlist add --name N --type T --col C --row R [--long L] [--ticker X] [--icdi I] [--cusip C]");
    QString name, type, col, row, longName, ticker, icdi, cusip;
    bool haveName = false;
    for (int i = 0; i < ctx.args.size(); ++i) {
        const QString& a = ctx.args[i];
        QString* target = nullptr;
        if (a == QLatin1String("--name")) {
            target = &name;
            haveName = true;
        } else if (a == QLatin1String("--type")) target = &type;
        else if (a == QLatin1String("--col")) target = &col;
        else if (a == QLatin1String("--row")) target = &row;
        else if (a == QLatin1String("--long")) target = &longName;
        else if (a == QLatin1String("--ticker")) target = &ticker;
        else if (a == QLatin1String("--icdi")) target = &icdi;
        else if (a == QLatin1String("--cusip")) target = &cusip;
        if (!target || i + 1 >= ctx.args.size())
            return fail(ctx, usage);
        *target = ctx.args[++i];
    }
    int colNo = 0, rowNo = 0;
    if (!haveName || type.isEmpty() || !toPositive(col, &colNo) || !toPositive(row, &rowNo))
        return fail(ctx, usage);
    QString canonicalType;
    for (const QString& t : issueTypes())
        if (t.compare(type.trimmed(), Qt::CaseInsensitive) == 0)
            canonicalType = t;
    if (canonicalType.isEmpty())
        return fail(ctx, QStringLiteral("Unknown type \"%1\"; the types are: %2.")
                             .arg(type, issueTypes().join(QStringLiteral(", "))));
    // The window's fields take no more than these.
    const struct {
        const QString& text;
        int max;
        const char* what;
    } limits[] = {{name, kShortNameLen, "Short Name"}, {longName, kLongNameLen, "Long Name"},
                  {ticker, kTickerLen, "Ticker"},      {icdi, kICDITypedLen, "ICDI Number"},
                  {cusip, kCUSIPLen, "CUSIP"}};
    for (const auto& l : limits)
        if (l.text.size() > l.max)
            return fail(ctx, QStringLiteral("%1 must not be longer than %2 characters.")
                                 .arg(QString::fromLatin1(l.what))
                                 .arg(l.max));

    MasterListRec typed = newEntryDefaults(rowNo, colNo - 1);
    typed.ShortName = name;
    typed.Type = canonicalType;
    typed.LongName = longName;
    typed.Ticker = ticker;
    typed.ICDINumber = icdi;
    typed.CUSIP = cusip;

    if (int rc = openData(ctx))
        return rc;
    ORVDataModule& dm = *session::dataModule();
    const Result<int> id = addNewEntry(dm, typed);
    if (!id)
        return finish(ctx, 1, id.message().text);
    const auto entry = store::masterListEntry(dm, id.value());
    ctx.out << "Added " << (entry ? entry->ShortName : name) << " (MLID " << id.value() << ") at column " << colNo
            << ", row " << rowNo << '\n';
    return finish(ctx, 0);
}

int runDelete(Context& ctx)
{
    if (ctx.args.size() != 1 || ctx.args.first().startsWith(QLatin1String("--")))
        return fail(ctx, QStringLiteral("usage: masterlist delete NAME"));
    const QString wanted = ctx.args.first().trimmed();
    if (int rc = openData(ctx))
        return rc;
    ORVDataModule& dm = *session::dataModule();
    // Short names are unique regardless of case and blanks; an exact match wins.
    std::optional<MasterListRec> found;
    for (const MasterListRec& r : store::masterList(dm)) {
        if (r.ShortName == wanted) {
            found = r;
            break;
        }
        if (!found && r.ShortName.trimmed().compare(wanted, Qt::CaseInsensitive) == 0)
            found = r;
    }
    if (!found)
        return finish(ctx, 1, QStringLiteral("No Master List entry is named %1.").arg(wanted));
    const int prices = store::countInRange(dm, store::TableId::Prices, QStringLiteral("IndxPri"), {found->MLID});
    const int dsbs = store::countInRange(dm, store::TableId::Distributions, QStringLiteral("IndxDsbMLID"), {found->MLID});
    const int txs = store::countInRange(dm, store::TableId::Transactions, QStringLiteral("IndxMLID"), {found->MLID});
    TerminalProgress progress;
    const Status st = DeleteEntry(dm, found->MLID, appState().TempPath, progress);
    progress.finish();
    if (!st)
        return finish(ctx, 1, st.message().text);
    ctx.out << "Deleted " << found->ShortName << " with " << prices << " closing price(s), " << dsbs
            << " distribution(s) and " << txs << " transaction(s)\n";
    return finish(ctx, 0);
}

}  // namespace

ORV_CLI_VERB("masterlist add",
             "masterlist add --name N --type T --col C --row R [--long L] [--ticker X] [--icdi I] [--cusip C]",
             "add a Master List entry in a blank cell (column 1 is the first column)", runAdd);
ORV_CLI_VERB("masterlist delete", "masterlist delete NAME",
             "delete an entry with its prices, distributions, transactions and allocations", runDelete);

}  // namespace orv::cli
