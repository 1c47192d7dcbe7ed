// orvane-cli rebuild: fills holes, resets and adjusts the adjusted prices of the
// named issues (or of every Master List entry) with a progress bar on the terminal.
#include "cli/OpenData.h"
#include "cli/TerminalProgress.h"

#include "core/config/Session.h"
#include "core/prices/AdjPrices.h"
#include "core/store/DataModule.h"
#include "core/store/Records.h"

#include <QHash>

namespace orv::cli {

namespace {

int runRebuild(Context& ctx)
{
    const bool all = ctx.args.contains(QStringLiteral("--all"));
    if (ctx.args.isEmpty() || (all && ctx.args.size() > 1))
        return fail(ctx, QStringLiteral("usage: rebuild [NAME... | --all]"));
    for (const QString& a : ctx.args)
        if (a.startsWith(QLatin1String("--")) && a != QLatin1String("--all"))
            return fail(ctx, QStringLiteral("unknown option %1").arg(a));
    if (int rc = openData(ctx))
        return rc;
    ORVDataModule& dm = *session::dataModule();
    const std::vector<MasterListRec> entries = store::masterList(dm);
    std::vector<int> ids;
    if (all) {
        for (const MasterListRec& e : entries)
            ids.push_back(e.MLID);
    } else {
        for (const QString& name : ctx.args) {
            auto e = store::masterListByShortName(dm, name);
            if (!e)
                for (const MasterListRec& x : entries)
                    if (x.ShortName.trimmed() == name.trimmed())
                        e = x;
            if (!e) {
                const int rc = fail(ctx, QStringLiteral("No Master List entry is named \"%1\".").arg(name));
                session::shutdown();
                return rc;
            }
            ids.push_back(e->MLID);
        }
    }
    // The bar runs over the issues (one step per issue, its name as the status);
    // the record-level progress of each rebuild is not drawn.
    QHash<int, QString> names;
    for (const MasterListRec& e : entries)
        names.insert(e.MLID, e.ShortName.trimmed());
    TerminalProgress bar;
    bar.setRange(int(ids.size()));
    NullProgress perIssue;
    int done = 0;
    Status st;
    for (int id : ids) {
        bar.setStatus(names.value(id));
        st = RebuildIssue(dm, id, perIssue);
        if (!st)
            break;
        ++done;
        bar.step();
    }
    bar.finish();
    session::shutdown();
    if (!st)
        return fail(ctx, st.message().text);
    ctx.out << "Rebuilt " << done << (done == 1 ? " issue" : " issues") << ".\n";
    return 0;
}

}  // namespace

ORV_CLI_VERB("rebuild", "rebuild [NAME... | --all]",
             "fill holes and recompute adjusted prices of issues, with a progress bar", runRebuild);

}  // namespace orv::cli
