// orvane-cli masterlist: the Master List as the main window's sheet places it, and
// moving an entry to another cell by the sheet's drag-and-drop rule.
#include "cli/OpenData.h"

#include "core/config/Session.h"
#include "core/masterlist/Grid.h"
#include "core/store/DataModule.h"
#include "core/store/Records.h"

#include <optional>

namespace orv::cli {

namespace {

int finish(Context& ctx, int rc, const QString& error = QString())
{
    session::shutdown();
    return error.isEmpty() ? rc : fail(ctx, error);
}

int runList(Context& ctx)
{
    if (!ctx.args.isEmpty())
        return fail(ctx, QStringLiteral("usage: masterlist [--tsv]"));
    if (int rc = openData(ctx))
        return rc;
    QList<QStringList> rows;
    for (const MasterListRec& r : store::masterList(*session::dataModule())) {
        rows << QStringList{QString::number(r.MLID), QString::number(r.ColNum + 1), QString::number(r.RowNum),
                            r.ShortName, r.LongName, r.Type, r.Ticker, r.ICDINumber, r.CUSIP,
                            QString::number(r.MovAveDaily1), QString::number(r.MovAveDaily2),
                            QString::number(r.MovAveWeekly1), QString::number(r.MovAveWeekly2)};
    }
    printTable(ctx,
               {QStringLiteral("MLID"), QStringLiteral("Col"), QStringLiteral("Row"), QStringLiteral("ShortName"),
                QStringLiteral("LongName"), QStringLiteral("Type"), QStringLiteral("Ticker"),
                QStringLiteral("ICDINumber"), QStringLiteral("CUSIP"), QStringLiteral("MovAveDaily1"),
                QStringLiteral("MovAveDaily2"), QStringLiteral("MovAveWeekly1"), QStringLiteral("MovAveWeekly2")},
               rows, {true, true, true, false, false, false, false, false, false, true, true, true, true});
    return finish(ctx, 0);
}

bool parseInt(const QString& text, int* value)
{
    bool ok = false;
    *value = text.trimmed().toInt(&ok);
    return ok;
}

int runMove(Context& ctx)
{
    const QString usage = QStringLiteral("usage: masterlist move NAME --col C --row R");
    QString name, colText, rowText;
    for (int i = 0; i < ctx.args.size(); ++i) {
        const QString& a = ctx.args[i];
        QString* target = nullptr;
        if (a == QLatin1String("--col"))
            target = &colText;
        else if (a == QLatin1String("--row"))
            target = &rowText;
        else if (!a.startsWith(QLatin1String("--")) && name.isEmpty()) {
            name = a;
            continue;
        } else
            return fail(ctx, usage);
        if (i + 1 >= ctx.args.size())
            return fail(ctx, usage);
        *target = ctx.args[++i];
    }
    int col = 0, row = 0;
    if (name.trimmed().isEmpty() || !parseInt(colText, &col) || !parseInt(rowText, &row))
        return fail(ctx, usage);
    if (int rc = openData(ctx))
        return rc;
    ORVDataModule& dm = *session::dataModule();
    const QString wanted = name.trimmed();
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
        return finish(ctx, 1, grid::noEntryAtMessage(wanted).text);
    // The grid numbers columns from 1; ColNum counts from 0.
    Result<grid::MoveResult> moved = grid::moveEntry(dm, found->ColNum, found->RowNum, col - 1, row);
    if (!moved.ok())
        return finish(ctx, 1, moved.message().text);
    if (!moved.value().changed) {
        ctx.out << found->ShortName << " is already at column " << col << ", row " << row << '\n';
        return finish(ctx, 0);
    }
    if (moved.value().swapped) {
        ctx.out << "Moved " << found->ShortName << " to column " << col << ", row " << row << "; the entry there "
                << "moved to column " << found->ColNum + 1 << ", row " << found->RowNum << '\n';
    } else {
        ctx.out << "Moved " << found->ShortName << " to column " << col << ", row " << row << '\n';
    }
    return finish(ctx, 0);
}

}  // namespace

ORV_CLI_VERB("masterlist", "masterlist [--tsv]",
             "every Master List entry with its cell (column 1 is the first column), names, codes and "
             "moving-average lengths, in grid order",
             runList);
ORV_CLI_VERB("masterlist move", "masterlist move NAME --col C --row R",
             "move an entry to another cell, swapping with the entry there", runMove);

}  // namespace orv::cli
