// orvane-cli info: where the data are and what they hold.
#include "cli/OpenData.h"

#include "core/config/AppState.h"
#include "core/config/Paths.h"
#include "core/config/Session.h"

namespace orv::cli {

namespace {

int runInfo(Context& ctx)
{
    if (!ctx.args.isEmpty())
        return fail(ctx, QStringLiteral("info takes no arguments"));
    if (int rc = openData(ctx))
        return rc;
    const AppState& s = appState();
    const QString active = s.ActivePfID < 0 ? QString() : s.ActivePfShortName.trimmed();
    if (ctx.tsv) {
        QList<QStringList> rows;
        rows << QStringList{QStringLiteral("UserPath"), withoutTrailingSeparator(s.UserPath)};
        rows << QStringList{QStringLiteral("DataPath"), withoutTrailingSeparator(s.DataPath)};
        rows << QStringList{QStringLiteral("ActivePortfolio"), active};
        for (const auto& [table, count] : session::tableRowCounts())
            rows << QStringList{table, QString::number(count)};
        printTable(ctx, {QStringLiteral("Item"), QStringLiteral("Value")}, rows);
    } else {
        ctx.out << "User path:        " << withoutTrailingSeparator(s.UserPath) << '\n';
        ctx.out << "Data path:        " << withoutTrailingSeparator(s.DataPath) << '\n';
        ctx.out << "Active portfolio: " << (active.isEmpty() ? QStringLiteral("(none)") : active) << "\n\n";
        QList<QStringList> rows;
        for (const auto& [table, count] : session::tableRowCounts())
            rows << QStringList{table, QString::number(count)};
        printTable(ctx, {QStringLiteral("Table"), QStringLiteral("Rows")}, rows, {false, true});
    }
    session::shutdown();
    return 0;
}

}  // namespace

ORV_CLI_VERB("info", "info [--tsv]", "user path, data path, table row counts, active portfolio", runInfo);

}  // namespace orv::cli
