#include "cli/OpenData.h"

#include "core/config/Session.h"

namespace orv::cli {

int openData(Context& ctx)
{
    if (!ctx.userPath.isEmpty())
        qputenv("ORV_USER_PATH", ctx.userPath.toLocal8Bit());
    QList<Message> warnings;
    session::createHandler(ctx.programPath, &warnings);
    for (const Message& m : warnings)
        fail(ctx, m.text);
    if (!ctx.dataPathOverride.isEmpty()) {
        const Status st = session::openDataPathForRun(ctx.dataPathOverride);
        return st.ok() ? 0 : fail(ctx, st.message().text);
    }
    const Result<bool> opened = session::openDataPath();
    if (!opened.ok())
        return fail(ctx, opened.message().text);
    if (opened.value())
        fail(ctx, session::templatesCreatedWarning().text);
    return 0;
}

}  // namespace orv::cli
