#include "core/store/DataModule.h"

#include "core/portfolios/HoldingsSummary.h"
#include "core/store/DataFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSet>
#include <cmath>
#include <sqlite3.h>

namespace orv {

using namespace store;

namespace {

ORVDataModule* g_instance = nullptr;

QSet<QString>& openPaths()
{
    static QSet<QString> paths;
    return paths;
}

QString canonicalDir(const QString& dir)
{
    const QFileInfo fi(dir);
    const QString c = fi.canonicalFilePath();
    return c.isEmpty() ? QDir::cleanPath(fi.absoluteFilePath()) : c;
}

QString inUseText(const QString& dir)
{
    return QStringLiteral("The data folder %1 is already in use by another Orvane window.\r\r"
                          "Close that window first, or choose another data folder.")
        .arg(QDir::toNativeSeparators(dir));
}

const char* kLockFileName = "ORVData.lck";

}  // namespace

// ---------------------------------------------------------------- Query

Query::Query(ORVDataModule* dm, QString sql, sqlite3_stmt* st, QString error)
    : dm_(dm), sql_(std::move(sql)), st_(st), failed_(st == nullptr), error_(std::move(error))
{
}

Query::Query(Query&& o) noexcept
    : dm_(o.dm_), sql_(std::move(o.sql_)), st_(o.st_), failed_(o.failed_), done_(o.done_), error_(std::move(o.error_))
{
    o.st_ = nullptr;
}

Query::~Query()
{
    if (st_)
        dm_->release(sql_, st_);
}

Query& Query::bind(int pos, const QVariant& v)
{
    if (!st_)
        return *this;
    int rc;
    if (v.isNull() || !v.isValid()) {
        rc = sqlite3_bind_null(st_, pos);
    } else {
        switch (v.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::UChar:
        case QMetaType::Char:
            rc = sqlite3_bind_int64(st_, pos, v.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(st_, pos, v.toDouble());
            break;
        default: {
            const QByteArray b = v.toString().toUtf8();
            rc = sqlite3_bind_text(st_, pos, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        }
        }
    }
    if (rc != SQLITE_OK && !failed_) {
        failed_ = true;
        error_ = QString::fromUtf8(sqlite3_errstr(rc));
    }
    return *this;
}

Query& Query::bindAll(const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i)
        bind(i + 1, values[i]);
    return *this;
}

bool Query::next()
{
    if (!st_ || failed_ || done_)
        return false;
    const int rc = sqlite3_step(st_);
    if (rc == SQLITE_ROW)
        return true;
    done_ = true;
    if (rc != SQLITE_DONE) {
        failed_ = true;
        error_ = QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(st_)));
    }
    return false;
}

Status Query::exec()
{
    while (next()) {
    }
    if (failed_)
        return Message::error(QStringLiteral("Database error: %1").arg(error_));
    return Status::success();
}

QVariant Query::value(int col) const
{
    switch (sqlite3_column_type(st_, col)) {
    case SQLITE_INTEGER: return QVariant(qint64(sqlite3_column_int64(st_, col)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(st_, col));
    case SQLITE_TEXT: return QVariant(text(col));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(st_, col)),
                                   sqlite3_column_bytes(st_, col)));
    default: return QVariant();
    }
}

qint64 Query::int64(int col) const { return sqlite3_column_int64(st_, col); }
double Query::real(int col) const { return sqlite3_column_double(st_, col); }
QString Query::text(int col) const
{
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st_, col));
    return p ? QString::fromUtf8(p, sqlite3_column_bytes(st_, col)) : QString();
}
bool Query::isNull(int col) const { return sqlite3_column_type(st_, col) == SQLITE_NULL; }

// ---------------------------------------------------------------- Transaction

Transaction::Transaction(ORVDataModule& dm) : dm_(dm)
{
    if (!dm_.db_)
        return;
    name_ = QStringLiteral("orv_tx%1").arg(++dm_.txCounter_);
    if (dm_.exec(QStringLiteral("SAVEPOINT ") + name_).ok()) {
        started_ = true;
        ++dm_.txDepth_;
    }
}

Transaction::~Transaction()
{
    if (started_ && !finished_)
        rollback();
}

Status Transaction::commit()
{
    if (!started_)
        return Message::error(QStringLiteral("Database error: the transaction could not be started."));
    if (finished_)
        return Status::success();
    const Status st = dm_.exec(QStringLiteral("RELEASE ") + name_);
    if (!st)
        return st;  // still open: the destructor rolls back
    finished_ = true;
    --dm_.txDepth_;
    return Status::success();
}

void Transaction::rollback()
{
    if (!started_ || finished_)
        return;
    finished_ = true;
    --dm_.txDepth_;
    if (dm_.db_ && !sqlite3_get_autocommit(dm_.db_)) {
        dm_.exec(QStringLiteral("ROLLBACK TO ") + name_);
        dm_.exec(QStringLiteral("RELEASE ") + name_);
    }
    dm_.touchAll();
}

// ---------------------------------------------------------------- module

ORVDataModule::ORVDataModule()
{
    for (const auto& d : tableDefs())
        tables_.push_back(std::make_unique<Table>(*this, d.id));
    installRules();
    if (!g_instance)
        g_instance = this;
}

ORVDataModule::~ORVDataModule()
{
    close();
    if (g_instance == this)
        g_instance = nullptr;
}

ORVDataModule* ORVDataModule::instance() { return g_instance; }
void ORVDataModule::setInstance(ORVDataModule* dm) { g_instance = dm; }

bool ORVDataModule::isDatabaseOpenOn(const QString& dir) { return openPaths().contains(canonicalDir(dir)); }

QString ORVDataModule::qualified(TableId id)
{
    const QString schema = id == TableId::MasterList ? QStringLiteral("main") : tableDef(id).name;
    return quoteIdent(schema) + QLatin1Char('.') + quoteIdent(tableDef(id).name);
}

Status ORVDataModule::open(const QString& dataPath)
{
    if (isOpen())
        return Message::error(QStringLiteral("The data folder %1 is already open.")
                                  .arg(QDir::toNativeSeparators(dataPath_)));
    if (!QFileInfo(dataPath).isDir())
        return Message::error(
            QStringLiteral("The data folder %1 does not exist.").arg(QDir::toNativeSeparators(dataPath)));
    const QString dir = canonicalDir(dataPath);
    if (openPaths().contains(dir))
        return Message::error(inUseText(dir));

    auto lock = std::make_unique<QLockFile>(QDir(dir).filePath(QString::fromLatin1(kLockFileName)));
    lock->setStaleLockTime(0);  // only a lock of a live process counts
    if (!lock->tryLock(0)) {
        if (lock->error() == QLockFile::LockFailedError)
            return Message::error(inUseText(dir));
        return Message::error(QStringLiteral("The data folder %1 cannot be locked for use.\r\r"
                                             "Check that the folder can be written.")
                                  .arg(QDir::toNativeSeparators(dir)));
    }
    for (const auto& d : tableDefs()) {
        const Status st = validateTableFile(QDir(dir).filePath(tableFileName(d.name)), d.name);
        if (!st)
            return st;  // the lock is released with `lock`
    }
    lock_ = std::move(lock);
    dataPath_ = dir;
    Status st = openDatabase();
    if (st)
        st = SetTablesActive(true);
    if (!st) {
        close();
        return st;
    }
    return Status::success();
}

Status ORVDataModule::openDatabase()
{
    if (db_)
        return Status::success();
    if (dataPath_.isEmpty())
        return Message::error(QStringLiteral("No data folder is chosen."));
    const QDir dir(dataPath_);
    const QByteArray mainPath = dir.filePath(tableFileName(QStringLiteral("MasterList"))).toUtf8();
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(mainPath.constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        const QString err = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
        sqlite3_close(db);
        return Message::error(QStringLiteral("Cannot open the table file %1 (%2).")
                                  .arg(QDir::toNativeSeparators(QString::fromUtf8(mainPath)), err));
    }
    db_ = db;
    sqlite3_busy_timeout(db_, 20000);
    sqlite3_extended_result_codes(db_, 1);
    Status st = exec(QStringLiteral("PRAGMA main.journal_mode=DELETE"));
    for (const auto& d : tableDefs()) {
        if (!st || d.id == TableId::MasterList)
            continue;
        st = exec(QStringLiteral("ATTACH DATABASE ? AS %1").arg(quoteIdent(d.name)),
                  {dir.filePath(tableFileName(d.name))});
        if (st) {
            // journal_mode answers a row; run it as a query.
            Query q = query(QStringLiteral("PRAGMA %1.journal_mode=DELETE").arg(quoteIdent(d.name)));
            st = q.exec();
        }
    }
    if (st)
        st = exec(QStringLiteral("PRAGMA foreign_keys=OFF"));
    if (!st) {
        closeDatabase();
        return st;
    }
    openPaths().insert(dataPath_);
    touchAll();
    return Status::success();
}

void ORVDataModule::closeDatabase()
{
    if (!db_)
        return;
    for (auto& t : tables_)
        t->close();
    finalizeAll();
    sqlite3_close_v2(db_);
    db_ = nullptr;
    txDepth_ = 0;
    openPaths().remove(dataPath_);
}

void ORVDataModule::close()
{
    closeDatabase();
    if (lock_) {
        lock_->unlock();
        lock_.reset();
    }
    dataPath_.clear();
}

Status ORVDataModule::SetTablesActive(bool active)
{
    for (auto& t : tables_) {
        if (active) {
            const Status st = t->open();
            if (!st)
                return st;
        } else {
            t->close();
        }
    }
    return Status::success();
}

void ORVDataModule::SetWeeklyPricesOnly(bool on)
{
    WeeklyPricesOnly = on;
    fftblPrices().setFiltered(on);
}

Query ORVDataModule::query(const QString& sql)
{
    if (!db_)
        return Query(this, sql, nullptr, QStringLiteral("the database is not open"));
    auto it = stmtCache_.find(sql);
    if (it != stmtCache_.end() && !it->empty()) {
        sqlite3_stmt* st = it->back();
        it->pop_back();
        return Query(this, sql, st, QString());
    }
    sqlite3_stmt* st = nullptr;
    const QByteArray b = sql.toUtf8();
    if (sqlite3_prepare_v3(db_, b.constData(), int(b.size()), SQLITE_PREPARE_PERSISTENT, &st, nullptr) != SQLITE_OK) {
        const QString err = sqliteError();
        sqlite3_finalize(st);
        return Query(this, sql, nullptr, err);
    }
    return Query(this, sql, st, QString());
}

void ORVDataModule::release(const QString& sql, sqlite3_stmt* st)
{
    if (!db_ || sqlite3_db_handle(st) != db_) {
        sqlite3_finalize(st);
        return;
    }
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
    stmtCache_[sql].push_back(st);
}

void ORVDataModule::finalizeAll()
{
    for (auto& v : stmtCache_)
        for (sqlite3_stmt* st : v)
            sqlite3_finalize(st);
    stmtCache_.clear();
}

Status ORVDataModule::exec(const QString& sql, const QVariantList& binds)
{
    Query q = query(sql);
    if (!q.prepared())
        return Message::error(QStringLiteral("Database error: %1").arg(q.error()));
    q.bindAll(binds);
    return q.exec();
}

qint64 ORVDataModule::lastInsertRowId() const { return db_ ? sqlite3_last_insert_rowid(db_) : 0; }
int ORVDataModule::changes() const { return db_ ? sqlite3_changes(db_) : 0; }

QString ORVDataModule::sqliteError() const
{
    return db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QStringLiteral("the database is not open");
}

void ORVDataModule::touch(TableId id) { ++versions_[size_t(id)]; }

void ORVDataModule::touchAll()
{
    for (auto& v : versions_)
        ++v;
}

// ---------------------------------------------------------------- table rules

void ORVDataModule::installRules()
{
    Table& ml = fftblMasterList();
    // Edit rule: remember where the entry sits, its type and its name prefix.
    ml.beforeEdit = [this](Table& t) {
        mlMemo_.RowNum = t.intValue(QStringLiteral("RowNum"));
        mlMemo_.ColNum = t.intValue(QStringLiteral("ColNum"));
        mlMemo_.oldType = t.stringValue(QStringLiteral("Type")).trimmed();
        mlMemo_.oldPrefix = t.stringValue(QStringLiteral("ShortName")).trimmed().left(4);
    };
    // Post rule: only edits from the editing windows are checked.
    ml.beforePost = [this](Table& t) -> Status {
        if (!MLValidationOn || t.state() != TableState::Edit)
            return Status::success();
        return checkMasterListPost(mlMemo_, t.stringValue(QStringLiteral("Type")),
                                   t.stringValue(QStringLiteral("ShortName")), MLDisplay);
    };

    // Filter rule: with WeeklyPricesOnly, Fridays only.
    fftblPrices().setOnFilterRecord([this](Table& t) {
        if (!WeeklyPricesOnly)
            return true;
        const qint64 day = qint64(std::floor(t.floatValue(QStringLiteral("Date"))));
        return ((day % 7) + 7) % 7 == 6;
    });

    Table& tx = fftblTransactions();
    tx.beforeEdit = [this](Table& t) {
        txOldPfID_ = t.intValue(QStringLiteral("PfID"));
        txOldMLID_ = t.intValue(QStringLiteral("MLID"));
    };
    tx.beforePost = [this](Table& t) -> Status {
        if (t.state() != TableState::Edit)
            txOldPfID_ = txOldMLID_ = -1;
        return Status::success();
    };
    // After-post rule: remember the record, bring the holdings summary up to date.
    // An edit that moved the transaction to another portfolio or issue also
    // updates the holding it left.
    tx.afterPost = [this](Table& t) -> Status {
        LastTxBookmark = t.bookmark();
        const int pf = t.intValue(QStringLiteral("PfID"));
        const int ml = t.intValue(QStringLiteral("MLID"));
        Status st = UpdateHoldingsSummary(*this, pf, ml);
        if (st && txOldPfID_ >= 0 && (txOldPfID_ != pf || txOldMLID_ != ml))
            st = UpdateHoldingsSummary(*this, txOldPfID_, txOldMLID_);
        txOldPfID_ = txOldMLID_ = -1;
        return st;
    };
}

}  // namespace orv
