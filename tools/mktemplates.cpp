// orv-mktemplates <outdir>: writes the nine empty table files (the templates a
// new data path is made from) from the schema definition in core/store.
#include "core/store/DataFiles.h"
#include "core/store/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: orv-mktemplates <outdir>\n");
        return 2;
    }
    const QDir out(args[1]);
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "orv-mktemplates: cannot create %s\n", qPrintable(args[1]));
        return 1;
    }
    for (const auto& def : orv::store::tableDefs()) {
        const QString target = out.filePath(orv::store::tableFileName(def.name));
        const QString tmp = target + QStringLiteral(".tmp");
        orv::Status st = orv::store::createTableFile(tmp, def);
        if (st)
            st = orv::store::validateTableFile(tmp, def.name);
        if (!st || std::rename(QFile::encodeName(tmp).constData(), QFile::encodeName(target).constData()) != 0) {
            QFile::remove(tmp);
            std::fprintf(stderr, "orv-mktemplates: %s\n",
                         qPrintable(st ? QStringLiteral("cannot write ") + target : st.message().text));
            return 1;
        }
    }
    return 0;
}
