#pragma once
// The one definition of the nine tables: fields in stored order with type,
// maximum length and required flag, and the named indexes with their key order.
// Template files, validation of table files, cursors and typed queries are all
// derived from this definition.

#include "core/base/Message.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace orv::store {

// Stored in every table file: PRAGMA application_id identifies an Orvane table
// file, PRAGMA user_version its schema version.
constexpr int kApplicationId = 0x4F52564E;  // "ORVN"
constexpr int kSchemaVersion = 1;

// The file name of a table in the data path ("Prices" -> "Prices.FF2").
QString tableFileName(const QString& tableName);

enum class FieldType {
    Integer,   // 32-bit signed
    Word,      // 16-bit unsigned
    AutoInc,   // row identifier assigned on insert (highest + 1)
    Float,     // 64-bit double
    DateTime,  // whole day number since 1899-12-30, stored as REAL
    String,    // at most maxLen characters
    Boolean,   // stored as 0 / 1
};

struct FieldDef {
    QString name;
    FieldType type;
    int maxLen = 0;  // strings only
    bool required = false;
};

struct IndexKey {
    QString field;
    bool descending = false;
};

struct IndexDef {
    QString name;
    std::vector<IndexKey> keys;
};

// A field computed from another table (not stored): value of lookupResult in
// lookupTable where lookupKey equals this table's keyField.
struct LookupDef {
    QString name;
    int maxLen;
    QString keyField;
    QString lookupTable;
    QString lookupKey;
    QString lookupResult;
};

enum class TableId : int {
    MasterList = 0,
    MasterListColHdrs,
    AssetAllocHdrs,
    AssetAllocValues,
    Prices,
    Distributions,
    Portfolio,
    Transactions,
    TransxSummary,
};
constexpr int kTableCount = 9;

struct TableDef {
    TableId id;
    QString name;
    std::vector<FieldDef> fields;
    std::vector<IndexDef> indexes;
    QString defaultIndex;  // empty: primary order (row id)
    std::vector<LookupDef> lookups;

    int fieldIndex(const QString& field) const;        // -1 when unknown
    const IndexDef* index(const QString& name) const;  // nullptr when unknown
    int autoIncField() const;                          // -1 when the table has none
};

// All nine tables in the order they are opened.
const std::vector<TableDef>& tableDefs();
const TableDef& tableDef(TableId id);
const TableDef* findTableDef(const QString& name);  // nullptr for an unknown name
QStringList tableNames();

// SQL for one table inside the given schema ("main" or the attached name).
QString createTableSql(const TableDef& def, const QString& schema = QStringLiteral("main"));
QStringList createIndexSql(const TableDef& def, const QString& schema = QStringLiteral("main"));
// SQL identifier quoting ("Date" -> "\"Date\"").
QString quoteIdent(const QString& ident);

// Writes a new, empty table file for def at path (replacing a file already
// there: used only for build-time templates written to a temporary name).
Status createTableFile(const QString& path, const TableDef& def);

}  // namespace orv::store
