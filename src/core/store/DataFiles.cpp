#include "core/store/DataFiles.h"

#include "core/store/DataModule.h"
#include "core/store/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <cstdio>
#include <sqlite3.h>

namespace orv::store {

namespace {

QString native(const QString& p) { return QDir::toNativeSeparators(p); }

// Runs a query returning rows of text; false on an error.
bool queryStrings(sqlite3* db, const QString& sql, const QString& bindText, QStringList* out, int col = 0)
{
    sqlite3_stmt* st = nullptr;
    const QByteArray s = sql.toUtf8();
    if (sqlite3_prepare_v2(db, s.constData(), -1, &st, nullptr) != SQLITE_OK)
        return false;
    QByteArray b = bindText.toUtf8();
    if (!bindText.isNull())
        sqlite3_bind_text(st, 1, b.constData(), b.size(), SQLITE_TRANSIENT);
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        out->append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, col))));
    sqlite3_finalize(st);
    return rc == SQLITE_DONE;
}

bool queryInt(sqlite3* db, const char* sql, qint64* out)
{
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK)
        return false;
    const int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW)
        *out = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    return rc == SQLITE_ROW;
}

}  // namespace

int countTableFiles(const QString& dir)
{
    return int(QDir(dir).entryList({QStringLiteral("*.FF2")}, QDir::Files).size());
}

Status validateTableFile(const QString& path, const QString& tableName)
{
    const TableDef* def = findTableDef(tableName);
    if (!def)
        return Message::error(QStringLiteral("%1 is not a table of this program.").arg(tableName));
    const QFileInfo fi(path);
    if (!fi.exists())
        return Message::error(QStringLiteral("The table file %1 is missing.").arg(native(path)));
    if (!fi.isFile() || !fi.isReadable())
        return Message::error(QStringLiteral("The table file %1 cannot be read.").arg(native(path)));

    sqlite3* db = nullptr;
    const QByteArray p = path.toUtf8();
    // Read-only; the engine still rolls back a journal left by an interrupted write.
    if (sqlite3_open_v2(p.constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return Message::error(QStringLiteral("The table file %1 cannot be opened.").arg(native(path)));
    }
    struct Closer {
        sqlite3* db;
        ~Closer() { sqlite3_close(db); }
    } closer{db};

    const QString notOurs = QStringLiteral("The file %1 is not an Orvane table file of table %2.\r\rIt may be damaged.")
                                .arg(native(path), tableName);
    qint64 appId = 0, version = 0;
    if (!queryInt(db, "PRAGMA application_id", &appId) || appId != kApplicationId)
        return Message::error(notOurs);
    if (!queryInt(db, "PRAGMA user_version", &version))
        return Message::error(notOurs);
    if (version != kSchemaVersion)
        return Message::error(QStringLiteral("The table file %1 has version %2; this program reads version %3.")
                                  .arg(native(path))
                                  .arg(version)
                                  .arg(kSchemaVersion));

    QStringList tables;
    if (!queryStrings(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' AND name=?"), tableName,
                      &tables) ||
        tables.isEmpty())
        return Message::error(notOurs);

    QStringList cols;
    if (!queryStrings(db, QStringLiteral("SELECT name FROM pragma_table_info(?)"), tableName, &cols))
        return Message::error(notOurs);
    QStringList expected;
    for (const auto& f : def->fields)
        expected << f.name;
    if (cols != expected)
        return Message::error(
            QStringLiteral("The table file %1 does not hold the fields of table %2.").arg(native(path), tableName));

    QStringList indexes;
    if (!queryStrings(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type='index' AND tbl_name=?"),
                      tableName, &indexes))
        return Message::error(notOurs);
    for (const auto& ix : def->indexes) {
        if (!indexes.contains(ix.name))
            return Message::error(
                QStringLiteral("The table file %1 lacks its index %2.").arg(native(path), ix.name));
        QStringList keyCols;
        if (!queryStrings(db, QStringLiteral("SELECT name FROM pragma_index_xinfo(?) WHERE key=1 ORDER BY seqno"),
                          ix.name, &keyCols))
            return Message::error(notOurs);
        QStringList want;
        for (const auto& k : ix.keys)
            want << k.field;
        if (keyCols != want)
            return Message::error(
                QStringLiteral("The table file %1 has a wrong index %2.").arg(native(path), ix.name));
    }
    return Status::success();
}

Result<QStringList> createMissingTables(const QString& dataDir, const QString& templateDir)
{
    QStringList created;
    QStringList invalid;
    QString firstProblem;
    for (const auto& def : tableDefs()) {
        const QString target = QDir(dataDir).filePath(tableFileName(def.name));
        if (QFileInfo::exists(target)) {
            const Status st = validateTableFile(target, def.name);
            if (!st) {
                invalid << native(target);
                if (firstProblem.isEmpty())
                    firstProblem = st.message().text;
            }
            continue;
        }
        const QString tmpl = QDir(templateDir).filePath(tableFileName(def.name));
        const Status ok = validateTableFile(tmpl, def.name);
        if (!ok)
            return Message::error(QStringLiteral("Cannot create the missing table file %1:\r%2")
                                      .arg(native(target), ok.message().text));
        // QFile::copy never replaces an existing file.
        if (!QFile::copy(tmpl, target))
            return Message::error(QStringLiteral("Cannot create the table file %1 from its template %2.")
                                      .arg(native(target), native(tmpl)));
        QFile(target).setPermissions(QFile(target).permissions() | QFileDevice::WriteOwner);
        created << def.name;
    }
    if (!invalid.isEmpty())
        return Message::error(QStringLiteral("These table files are damaged or are not Orvane tables and were "
                                             "left unchanged:\r%1\r\r%2")
                                  .arg(invalid.join(QLatin1Char('\r')), firstProblem));
    return created;
}

Status copyAllTemplates(const QString& dataDir, const QString& templateDir)
{
    if (ORVDataModule::isDatabaseOpenOn(dataDir))
        return Message::error(
            QStringLiteral("The tables of %1 are open; close them before replacing the table files.")
                .arg(native(dataDir)));
    const QDir dir(dataDir);
    QStringList staged;
    auto unstage = [&] {
        for (const QString& s : staged)
            QFile::remove(s);
    };
    for (const auto& def : tableDefs()) {
        const QString tmpl = QDir(templateDir).filePath(tableFileName(def.name));
        const Status ok = validateTableFile(tmpl, def.name);
        if (!ok) {
            unstage();
            return ok;
        }
        const QString stage = dir.filePath(tableFileName(def.name) + QStringLiteral(".new"));
        QFile::remove(stage);
        if (!QFile::copy(tmpl, stage)) {
            unstage();
            return Message::error(QStringLiteral("Cannot copy the template %1 to %2.").arg(native(tmpl), native(stage)));
        }
        QFile(stage).setPermissions(QFile(stage).permissions() | QFileDevice::WriteOwner);
        staged << stage;
    }
    for (const auto& def : tableDefs()) {
        const QString target = dir.filePath(tableFileName(def.name));
        const QString stage = target + QStringLiteral(".new");
        // A journal left beside the old file must not be applied to the new one.
        QFile::remove(target + QStringLiteral("-journal"));
        // rename() replaces the target in one step: there is never a moment without a file.
        if (std::rename(QFile::encodeName(stage).constData(), QFile::encodeName(target).constData()) != 0) {
            unstage();
            return Message::error(QStringLiteral("Cannot replace the table file %1.").arg(native(target)));
        }
        staged.removeAll(stage);
    }
    return Status::success();
}

}  // namespace orv::store
