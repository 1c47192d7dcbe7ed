#pragma once
// A user folder whose data path holds only empty template tables, so that a
// verb's first run does not copy the example data in: ORVAlias.TXT is written
// beforehand, which makes the first start a normal start.
#include <QDir>
#include <QFile>

inline bool prepareEmptyUserFolder(const QString& userPath)
{
    const QString data = QDir(userPath).filePath(QStringLiteral("DataTables"));
    if (!QDir().mkpath(data))
        return false;
    const QDir templates(QStringLiteral(ORV_BIN_DIR "/DBTemplates"));
    for (const QString& f : templates.entryList({QStringLiteral("*.FF2")}, QDir::Files))
        if (!QFile::exists(data + QLatin1Char('/') + f) && !QFile::copy(templates.filePath(f), data + QLatin1Char('/') + f))
            return false;
    QFile alias(QDir(userPath).filePath(QStringLiteral("ORVAlias.TXT")));
    if (!alias.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    alias.write(QByteArray("ORVData;") + data.toUtf8() + '\n');
    return true;
}
