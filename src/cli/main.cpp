// orvane-cli: global options, then one verb with its arguments.
#include "cli/Cli.h"

#include "OrvVersion.h"

#include <QCoreApplication>
#include <QDir>

using namespace orv::cli;

namespace {

void usage(QTextStream& out)
{
    out << "usage: orvane-cli [--user-path DIR] [--data-path DIR] VERB [ARGS...] [--tsv]\n"
           "       orvane-cli --version\n\nverbs:\n";
    for (const Verb& v : verbs())
        out << "  " << v.usage.leftJustified(40) << " " << v.summary << '\n';
    out.flush();
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ORV"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    Context ctx{QString(), QString(), QCoreApplication::applicationDirPath(), false, {}, out, err};
    QStringList args = QCoreApplication::arguments().mid(1);
    QString verbName;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&](const QString& opt) -> QString {
            if (i + 1 >= args.size()) {
                fail(ctx, opt + QStringLiteral(" needs a folder"));
                std::exit(2);
            }
            return args[++i];
        };
        if (a == QLatin1String("--version")) {
            out << "orvane-cli " << ORV_VERSION_STRING << '\n';
            return 0;
        } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            usage(out);
            return 0;
        } else if (a == QLatin1String("--user-path")) {
            ctx.userPath = QDir(value(a)).absolutePath();
        } else if (a == QLatin1String("--data-path")) {
            ctx.dataPathOverride = QDir(value(a)).absolutePath();
        } else if (a == QLatin1String("--tsv")) {
            ctx.tsv = true;
        } else if (verbName.isEmpty() && !a.startsWith(QLatin1String("--"))) {
            verbName = a;
        } else {
            ctx.args << a;
        }
    }
    if (verbName.isEmpty()) {
        usage(err);
        return 2;
    }
    // Verbs of two words ("prices list") are matched before a verb of one word
    // with the same first word ("masterlist" beside "masterlist add").
    for (int words = 2; words >= 1; --words) {
        for (const Verb& v : verbs()) {
            const QStringList parts = v.name.split(QLatin1Char(' '));
            if (parts.size() != words || parts.first() != verbName)
                continue;
            if (words == 2) {
                if (ctx.args.isEmpty() || ctx.args.first() != parts[1])
                    continue;
                ctx.args.removeFirst();
            }
            return v.run(ctx);
        }
    }
    return fail(ctx, QStringLiteral("unknown verb \"%1\" (see orvane-cli --help)").arg(verbName));
}
