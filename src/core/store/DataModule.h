#pragma once
// The data module: one SQLite connection per open data path, MasterList.FF2 as
// "main" and the eight other table files attached under their table names
// (rollback journal, so a transaction over several files commits atomically), the
// nine table cursors with their rules, the transaction guard and a cache of
// prepared statements. A lock file in the data path keeps a second Orvane process
// (or a second module in this process) off the same data path.

#include "core/base/Message.h"
#include "core/store/MLDisplay.h"
#include "core/store/Schema.h"
#include "core/store/Table.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <array>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;
class QLockFile;

namespace orv {

class ORVDataModule;

// A prepared statement taken from the module's cache; returned to it (reset,
// bindings cleared) when the Query is destroyed. Bind positions are 1-based.
class Query {
public:
    Query(Query&& o) noexcept;
    Query& operator=(Query&&) = delete;
    ~Query();

    bool prepared() const { return st_ != nullptr; }
    Query& bind(int pos, const QVariant& v);
    Query& bindAll(const QVariantList& values);  // positions 1..n
    // Next row: true while a row is available; false at the end or on an error.
    bool next();
    // Runs to completion; the refusal carries the engine's message.
    Status exec();
    QVariant value(int col) const;  // null QVariant for NULL
    qint64 int64(int col) const;
    double real(int col) const;
    QString text(int col) const;
    bool isNull(int col) const;
    bool failed() const { return failed_; }
    QString error() const { return error_; }

private:
    friend class ORVDataModule;
    Query(ORVDataModule* dm, QString sql, sqlite3_stmt* st, QString error);
    ORVDataModule* dm_;
    QString sql_;
    sqlite3_stmt* st_;
    bool failed_ = false;
    bool done_ = false;
    QString error_;
};

// Transaction guard: begins on construction, commit() makes the writes permanent,
// the destructor rolls back when commit() was not reached. Guards nest (inner
// guards are savepoints); only the outermost commit reaches the files.
class Transaction {
public:
    explicit Transaction(ORVDataModule& dm);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    bool started() const { return started_; }
    Status commit();
    void rollback();

private:
    ORVDataModule& dm_;
    QString name_;
    bool started_ = false;
    bool finished_ = false;
};

// What the Master List edit rule remembers when a record enters edit state.
struct MLEditMemo {
    int RowNum = -1;
    int ColNum = -1;
    QString oldType;    // trimmed Type
    QString oldPrefix;  // first four characters of the trimmed ShortName
};

// The Master List post checks 1-7 on an edited record; the refusal is an Error
// message with a beep. newType and newName are the record's Type and ShortName
// (trimmed here).
Status checkMasterListPost(const MLEditMemo& memo, const QString& newType, const QString& newName,
                           const TMLDisplayArray& display);

class ORVDataModule {
public:
    ORVDataModule();
    ~ORVDataModule();
    ORVDataModule(const ORVDataModule&) = delete;
    ORVDataModule& operator=(const ORVDataModule&) = delete;

    // The module of the program (the first one created, unless setInstance changed it).
    static ORVDataModule* instance();
    static void setInstance(ORVDataModule* dm);
    // True while some module of this process has the database of dir open.
    static bool isDatabaseOpenOn(const QString& dir);

    // Locks the data path, checks the nine table files, opens the database and
    // the tables on their default indexes. A refusal names the bad file, or says
    // the data path is used by another Orvane window.
    Status open(const QString& dataPath);
    // Closes the tables and the database and releases the data path.
    void close();
    bool isOpen() const { return db_ != nullptr; }
    QString dataPath() const { return dataPath_; }

    // For an exchange of the table files while keeping the data path locked:
    // SetTablesActive(false); closeDatabase(); ...replace files...; openDatabase();
    // SetTablesActive(true).
    void closeDatabase();
    Status openDatabase();

    // Opens (on the default index) or closes the nine tables in their order.
    Status SetTablesActive(bool active);

    Table& table(store::TableId id) { return *tables_[size_t(id)]; }
    Table& fftblMasterList() { return table(store::TableId::MasterList); }
    Table& fftblMasterListColHdrs() { return table(store::TableId::MasterListColHdrs); }
    Table& fftblAssetAllocHdrs() { return table(store::TableId::AssetAllocHdrs); }
    Table& fftblAssetAllocValues() { return table(store::TableId::AssetAllocValues); }
    Table& fftblPrices() { return table(store::TableId::Prices); }
    Table& fftblDistributions() { return table(store::TableId::Distributions); }
    Table& fftblPortfolio() { return table(store::TableId::Portfolio); }
    Table& fftblTransactions() { return table(store::TableId::Transactions); }
    Table& fftblTransxSummary() { return table(store::TableId::TransxSummary); }

    // Switches: the Master List post rule, and the Friday-only filter of Prices
    // (set together with fftblPrices().setFiltered, see SetWeeklyPricesOnly).
    bool MLValidationOn = false;
    bool WeeklyPricesOnly = false;
    void SetWeeklyPricesOnly(bool on);
    // Bookmark of the transaction posted last.
    Bookmark LastTxBookmark = kNoBookmark;

    // The main grid's cells (filled by fillMLDisplay), read by the post rule.
    TMLDisplayArray MLDisplay;

    // Statements. query() takes a prepared statement from the cache;
    // exec() runs one statement without results. Writes done through them must be
    // reported with touch() so open cursors read their rows again.
    Query query(const QString& sql);
    Status exec(const QString& sql, const QVariantList& binds = {});
    qint64 lastInsertRowId() const;
    int changes() const;
    void touch(store::TableId id);
    void touchAll();
    quint64 tableVersion(store::TableId id) const { return versions_[size_t(id)]; }
    // The SQL name of a table: "main"."MasterList", "Prices"."Prices", ...
    static QString qualified(store::TableId id);

    int transactionDepth() const { return txDepth_; }

private:
    friend class Query;
    friend class Transaction;
    void release(const QString& sql, sqlite3_stmt* st);
    void finalizeAll();
    QString sqliteError() const;
    void installRules();

    sqlite3* db_ = nullptr;
    QString dataPath_;
    std::unique_ptr<QLockFile> lock_;
    std::vector<std::unique_ptr<Table>> tables_;
    QHash<QString, std::vector<sqlite3_stmt*>> stmtCache_;
    std::array<quint64, store::kTableCount> versions_{};
    int txDepth_ = 0;
    int txCounter_ = 0;
    MLEditMemo mlMemo_;
    int txOldPfID_ = -1;
    int txOldMLID_ = -1;
};

}  // namespace orv
