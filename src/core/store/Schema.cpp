#include "core/store/Schema.h"

#include <QFile>
#include <sqlite3.h>

namespace orv::store {

namespace {

FieldDef I(const char* n, bool req = false) { return {QString::fromLatin1(n), FieldType::Integer, 0, req}; }
FieldDef W(const char* n, bool req = false) { return {QString::fromLatin1(n), FieldType::Word, 0, req}; }
FieldDef A(const char* n) { return {QString::fromLatin1(n), FieldType::AutoInc, 0, false}; }
FieldDef F(const char* n, bool req = false) { return {QString::fromLatin1(n), FieldType::Float, 0, req}; }
FieldDef D(const char* n, bool req = false) { return {QString::fromLatin1(n), FieldType::DateTime, 0, req}; }
FieldDef S(const char* n, int len, bool req = false) { return {QString::fromLatin1(n), FieldType::String, len, req}; }
FieldDef B(const char* n, bool req = false) { return {QString::fromLatin1(n), FieldType::Boolean, 0, req}; }
IndexKey K(const char* f, bool desc = false) { return {QString::fromLatin1(f), desc}; }

std::vector<TableDef> buildDefs()
{
    std::vector<TableDef> t;
    const bool R = true;

    t.push_back({TableId::MasterList, "MasterList",
                 {A("MLID"), S("ShortName", 16, R), S("LongName", 40), S("Type", 20, R), S("Ticker", 8),
                  S("ICDINumber", 5), S("CUSIP", 12), W("MovAveDaily1", R), W("MovAveDaily2", R),
                  W("MovAveWeekly1", R), W("MovAveWeekly2", R), I("RowNum", R), I("ColNum", R),
                  B("Selected", R)},
                 {{"IndxColRow", {K("ColNum"), K("RowNum")}},
                  {"IndxRowCol", {K("RowNum", true), K("ColNum")}},
                  {"IndxShortName", {K("ShortName")}}},
                 QString(),
                 {}});

    t.push_back({TableId::MasterListColHdrs, "MasterListColHdrs",
                 {I("ColNum"), S("Heading", 16)},
                 {{"IndxColNum", {K("ColNum")}}},
                 "IndxColNum",
                 {}});

    {
        TableDef d{TableId::AssetAllocHdrs, "AssetAllocHdrs", {I("AllocID"), S("Title", 24)},
                   {{"IndxAllocID", {K("AllocID")}}}, "IndxAllocID", {}};
        for (int i = 1; i <= 10; ++i)
            d.fields.push_back({QStringLiteral("Sub%1").arg(i), FieldType::String, 16, false});
        t.push_back(d);
    }
    {
        // The ten percentages are read and written by position; Pct1..Pct10 name them.
        TableDef d{TableId::AssetAllocValues, "AssetAllocValues", {I("MLID"), I("AllocID")},
                   {{"IndxMLIDAllocID", {K("MLID"), K("AllocID")}}}, "IndxMLIDAllocID", {}};
        for (int i = 1; i <= 10; ++i)
            d.fields.push_back({QStringLiteral("Pct%1").arg(i), FieldType::Float, 0, false});
        t.push_back(d);
    }

    t.push_back({TableId::Prices, "Prices",
                 {I("MLID"), D("Date"), F("Price"), F("AdjPrice")},
                 {{"IndxPri", {K("MLID"), K("Date")}}},
                 "IndxPri",
                 {}});

    t.push_back({TableId::Distributions, "Distributions",
                 {I("MLID", R), D("ExDate", R), D("RecDate", R), D("PayDate", R), F("Total", R), F("Income", R),
                  F("CapGain", R), F("ReinvestPri", R), F("SplitFactor", R)},
                 {{"IndxDsbMLID", {K("MLID"), K("ExDate")}}, {"IndxDsbDescDat", {K("MLID"), K("ExDate", true)}}},
                 "IndxDsbMLID",
                 {}});

    t.push_back({TableId::Portfolio, "Portfolio",
                 {A("PfID"), B("Selected"), S("ShortName", 12, R), S("LongName", 40), S("NameLast", 40),
                  S("NameFirst", 20), S("NameMiddle", 20), S("Address1", 40), S("Address2", 40), S("City", 25),
                  S("State", 25), S("PostalCode", 12), S("Country", 25), S("Phone1", 25), S("Phone2", 25),
                  S("FAX", 25), S("Email", 40), S("AccountNumber", 20), S("TaxID", 20)},
                 {{"IndxShortName", {K("ShortName")}}, {"IndxSelected", {K("Selected")}}},
                 "IndxShortName",
                 {}});

    t.push_back({TableId::Transactions, "Transactions",
                 {I("PfID", R), I("MLID", R), D("Date", R), S("BuySell", 4, R), F("Shares", R), F("Amount", R),
                  F("SharePrice"), F("Commission", R), F("Fee1", R), F("Fee2", R), S("Type", 8, R),
                  S("Comment", 40), A("Sequence")},
                 {{"IndxPfIDMLID", {K("PfID"), K("MLID"), K("Date")}},
                  {"IndxPfIDDate", {K("PfID"), K("Date")}},
                  {"IndxMLID", {K("MLID"), K("Date")}},
                  {"IndxDate", {K("Date")}}},
                 "IndxPfIDMLID",
                 {{"Portfolio", 12, "PfID", "Portfolio", "PfID", "ShortName"},
                  {"MLShortName", 16, "MLID", "MasterList", "MLID", "ShortName"}}});

    t.push_back({TableId::TransxSummary, "TransxSummary",
                 {I("PfID"), I("MLID"), F("Shares"), S("Reinvest", 8), S("AccountNumber", 20), S("Phone", 25)},
                 {{"IndxPfID", {K("PfID")}}, {"IndxMLID", {K("MLID")}}},
                 "IndxPfID",
                 {}});
    return t;
}

QString sqlType(FieldType t)
{
    switch (t) {
    case FieldType::Integer:
    case FieldType::Word:
    case FieldType::Boolean:
    case FieldType::AutoInc: return QStringLiteral("INTEGER");
    case FieldType::Float:
    case FieldType::DateTime: return QStringLiteral("REAL");
    case FieldType::String: return QStringLiteral("TEXT");
    }
    return QString();
}

}  // namespace

QString tableFileName(const QString& tableName) { return tableName + QStringLiteral(".FF2"); }

int TableDef::fieldIndex(const QString& field) const
{
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].name == field)
            return int(i);
    return -1;
}

const IndexDef* TableDef::index(const QString& n) const
{
    for (const auto& ix : indexes)
        if (ix.name == n)
            return &ix;
    return nullptr;
}

int TableDef::autoIncField() const
{
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].type == FieldType::AutoInc)
            return int(i);
    return -1;
}

const std::vector<TableDef>& tableDefs()
{
    static const std::vector<TableDef> defs = buildDefs();
    return defs;
}

const TableDef& tableDef(TableId id) { return tableDefs()[size_t(id)]; }

const TableDef* findTableDef(const QString& name)
{
    for (const auto& d : tableDefs())
        if (d.name == name)
            return &d;
    return nullptr;
}

QStringList tableNames()
{
    QStringList l;
    for (const auto& d : tableDefs())
        l << d.name;
    return l;
}

QString quoteIdent(const QString& ident)
{
    QString s = ident;
    s.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

QString createTableSql(const TableDef& def, const QString& schema)
{
    QStringList cols;
    for (const auto& f : def.fields) {
        QString c = quoteIdent(f.name) + QLatin1Char(' ') + sqlType(f.type);
        if (f.type == FieldType::AutoInc)
            c += QStringLiteral(" PRIMARY KEY");  // row id alias, no AUTOINCREMENT: ids are reused
        cols << c;
    }
    return QStringLiteral("CREATE TABLE %1.%2 (%3)")
        .arg(quoteIdent(schema), quoteIdent(def.name), cols.join(QStringLiteral(", ")));
}

QStringList createIndexSql(const TableDef& def, const QString& schema)
{
    QStringList out;
    for (const auto& ix : def.indexes) {
        QStringList keys;
        for (const auto& k : ix.keys)
            keys << quoteIdent(k.field) + (k.descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC"));
        out << QStringLiteral("CREATE INDEX %1.%2 ON %3 (%4)")
                   .arg(quoteIdent(schema), quoteIdent(ix.name), quoteIdent(def.name), keys.join(QStringLiteral(", ")));
    }
    return out;
}

Status createTableFile(const QString& path, const TableDef& def)
{
    QFile::remove(path);
    sqlite3* db = nullptr;
    const QByteArray p = path.toUtf8();
    int rc = sqlite3_open_v2(p.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    auto fail = [&](const QString& what) {
        QString err = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
        if (db)
            sqlite3_close(db);
        QFile::remove(path);
        return Status(Message::error(QStringLiteral("Cannot create table file %1 (%2: %3).").arg(path, what, err)));
    };
    if (rc != SQLITE_OK)
        return fail(QStringLiteral("open"));
    QStringList sql;
    sql << QStringLiteral("PRAGMA journal_mode=DELETE")
        << QStringLiteral("PRAGMA application_id=%1").arg(kApplicationId)
        << QStringLiteral("PRAGMA user_version=%1").arg(kSchemaVersion) << QStringLiteral("BEGIN")
        << createTableSql(def) << createIndexSql(def) << QStringLiteral("COMMIT");
    for (const QString& s : sql) {
        const QByteArray b = s.toUtf8();
        if (sqlite3_exec(db, b.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            return fail(s);
    }
    if (sqlite3_close(db) != SQLITE_OK)
        return fail(QStringLiteral("close"));
    return Status::success();
}

}  // namespace orv::store
