#include "core/config/Paths.h"
#include "core/config/AtomicWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>

namespace orv {

QString withTrailingSeparator(const QString& path)
{
    if (path.isEmpty())
        return path;
    QString p = QDir::fromNativeSeparators(path);
    while (p.size() > 1 && p.endsWith(QLatin1Char('/')))
        p.chop(1);
    if (!p.endsWith(QLatin1Char('/')))
        p += QLatin1Char('/');
    return p;
}

QString withoutTrailingSeparator(const QString& path)
{
    QString p = QDir::fromNativeSeparators(path);
    while (p.size() > 1 && p.endsWith(QLatin1Char('/')))
        p.chop(1);
    return p;
}

QString defaultUserPath()
{
    const QString env = qEnvironmentVariable("ORV_USER_PATH");
    if (!env.isEmpty())
        return withTrailingSeparator(env);
    QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (docs.isEmpty())
        docs = QDir::homePath();
    return withTrailingSeparator(docs) + QStringLiteral("Quorrin Software/ORV/");
}

Folders buildFolders(const QString& programPath, const QString& userPath)
{
    Folders f;
    f.ProgramPath = withTrailingSeparator(programPath);
    f.UserPath = withTrailingSeparator(userPath);
    f.TempPath = f.UserPath + QStringLiteral("Temp/");
    f.HelpPath = f.UserPath + QStringLiteral("Help/");
    setDataPath(f, f.UserPath + QStringLiteral("DataTables"));
    return f;
}

void setDataPath(Folders& folders, const QString& path)
{
    folders.DataPath = withTrailingSeparator(path);
    folders.BackupPath = folders.DataPath + QStringLiteral("Backup/");
}

Status createUserFolders(const Folders& folders)
{
    const QString dirs[] = {
        folders.UserPath,
        folders.UserPath + QStringLiteral("DataTables"),
        folders.UserPath + QStringLiteral("DataTables/Backup"),
        folders.UserPath + QStringLiteral("Help"),
        folders.UserPath + QStringLiteral("Temp"),
    };
    for (const QString& d : dirs) {
        if (!QDir().mkpath(d))
            return Message::error(QStringLiteral("The folder %1 could not be created.\r\rCheck that its parent folder is writable.")
                                      .arg(QDir::toNativeSeparators(withoutTrailingSeparator(d))));
    }
    return Status::success();
}

std::optional<AliasLine> readAliasFile(const QString& filePath)
{
    QFile f(filePath);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = f.readLine(64 * 1024);
    // Files written by older installations may be in a single-byte code page.
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString line = utf8(bytes);
    if (utf8.hasError())
        line = QString::fromLatin1(bytes);
    while (line.endsWith(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    AliasLine a;
    const qsizetype semi = line.indexOf(QLatin1Char(';'));
    if (semi < 0) {
        a.aliasName = line;
    } else {
        a.aliasName = line.left(semi);
        a.dataPath = line.mid(semi + 1);
    }
    return a;
}

Status writeAliasFile(const QString& filePath, const QString& aliasName, const QString& dataPath)
{
    const QString line = aliasName + QLatin1Char(';') + withoutTrailingSeparator(dataPath) + QLatin1Char('\n');
    const QString reason = writeFileAtomic(filePath, line.toUtf8());
    if (reason.isEmpty())
        return Status::success();
    return Message::error(QStringLiteral("The file %1 could not be written:\r%2")
                              .arg(QDir::toNativeSeparators(filePath), reason));
}

namespace {

// Copies one file unless the target exists; records the outcome.
void copyOne(const QString& from, const QString& to, FirstStartReport& rep)
{
    if (QFileInfo::exists(to) || QFileInfo(to).isSymLink()) {
        rep.skipped << to;
        return;
    }
    if (QFile::copy(from, to)) {
        // Copies of read-only originals (an installed program folder) must still
        // be writable by the user: they are the user's data from now on.
        QFile::setPermissions(to, QFile::permissions(to) | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        rep.copied << to;
    }
    else
        rep.failed << to;
}

// Copies the files of `fromDir` matching `pattern` (case-insensitive) into `toDir`.
void copyMatching(const QString& fromDir, const QString& pattern, const QString& toDir, FirstStartReport& rep)
{
    if (fromDir.isEmpty())
        return;
    QDir src(fromDir);
    if (!src.exists())
        return;
    const QStringList names = src.entryList({pattern}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QString& n : names)
        copyOne(src.filePath(n), withTrailingSeparator(toDir) + n, rep);
}

}  // namespace

Result<FirstStartReport> FirstStart(const Folders& folders, const QString& aliasName)
{
    FirstStartReport rep;
    const QString userAlias = folders.UserPath + QLatin1String(kAliasFileName);
    if (QFileInfo::exists(userAlias))
        return rep;
    rep.ran = true;

    const QString dataTables = folders.UserPath + QStringLiteral("DataTables/");
    const QString backup = dataTables + QStringLiteral("Backup/");
    QDir().mkpath(backup);

    const QString programAlias = folders.ProgramPath + QLatin1String(kAliasFileName);
    if (QFileInfo::exists(programAlias)) {
        rep.migrated = true;
        if (const auto old = readAliasFile(programAlias); old && !old->dataPath.trimmed().isEmpty()) {
            const QString oldData = withTrailingSeparator(QDir::fromNativeSeparators(old->dataPath));
            // Copying the new folder onto itself would change nothing.
            if (QDir(oldData).canonicalPath() != QDir(dataTables).canonicalPath())
                copyMatching(oldData, QStringLiteral("*.FF2"), dataTables, rep);
        }
        copyMatching(folders.ProgramPath + QStringLiteral("Backup"), QStringLiteral("*.zip"), backup, rep);
        for (const char* name : {kWindowIniFileName, kConfigFileName, kDataPathsIniFileName}) {
            const QString from = folders.ProgramPath + QLatin1String(name);
            if (QFileInfo(from).isFile())
                copyOne(from, folders.UserPath + QLatin1String(name), rep);
        }
    } else {
        copyMatching(folders.ProgramPath + QStringLiteral("Example Data"), QStringLiteral("*.FF2"), dataTables, rep);
    }

    const Status st = writeAliasFile(userAlias, aliasName, dataTables);
    if (!st.ok())
        return st.message();
    return rep;
}

}  // namespace orv
