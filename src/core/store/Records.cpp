#include "core/store/Records.h"

#include "core/store/DataModule.h"

namespace orv::store {

namespace {

QVariant str(const QString& s) { return s.isEmpty() ? QVariant() : QVariant(s); }
QVariant opt(const std::optional<double>& d) { return d ? QVariant(*d) : QVariant(); }

QString sqlName(TableId t) { return ORVDataModule::qualified(t); }

// Checks one value against its field; isInsert makes missing required fields an error.
Status checkValue(const FieldDef& f, const QVariant& v)
{
    const bool empty = !v.isValid() || v.isNull() || (f.type == FieldType::String && v.toString().isEmpty());
    if (empty)
        return f.required ? Status(Message::error(QStringLiteral("Field '%1' must have a value.").arg(f.name)))
                          : Status::success();
    if (f.type == FieldType::String && v.toString().size() > f.maxLen)
        return Message::error(QStringLiteral("Field '%1' can hold at most %2 characters.").arg(f.name).arg(f.maxLen));
    if (f.type == FieldType::Word && (v.toLongLong() < 0 || v.toLongLong() > 65535))
        return Message::error(QStringLiteral("Field '%1' must be between 0 and 65535.").arg(f.name));
    return Status::success();
}

QVariant normalized(const FieldDef& f, const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return QVariant();
    if (f.type == FieldType::String && v.toString().isEmpty())
        return QVariant();
    if (f.type == FieldType::Boolean)
        return QVariant(v.toBool() ? 1 : 0);
    return v;
}

MasterListRec readML(const Query& q, int c = 0)
{
    MasterListRec r;
    r.MLID = int(q.int64(c + 0));
    r.ShortName = q.text(c + 1);
    r.LongName = q.text(c + 2);
    r.Type = q.text(c + 3);
    r.Ticker = q.text(c + 4);
    r.ICDINumber = q.text(c + 5);
    r.CUSIP = q.text(c + 6);
    r.MovAveDaily1 = int(q.int64(c + 7));
    r.MovAveDaily2 = int(q.int64(c + 8));
    r.MovAveWeekly1 = int(q.int64(c + 9));
    r.MovAveWeekly2 = int(q.int64(c + 10));
    r.RowNum = int(q.int64(c + 11));
    r.ColNum = int(q.int64(c + 12));
    r.Selected = q.int64(c + 13) != 0;
    return r;
}

const char* kMLCols =
    "MLID, ShortName, LongName, Type, Ticker, ICDINumber, CUSIP, MovAveDaily1, MovAveDaily2, MovAveWeekly1, "
    "MovAveWeekly2, RowNum, ColNum, Selected";

PriceRec readPrice(const Query& q)
{
    PriceRec r;
    r.MLID = int(q.int64(0));
    r.Date = Day(q.real(1));
    if (!q.isNull(2))
        r.Price = q.real(2);
    r.AdjPrice = q.real(3);
    return r;
}

DistributionRec readDsb(const Query& q)
{
    DistributionRec r;
    r.MLID = int(q.int64(0));
    r.ExDate = Day(q.real(1));
    r.RecDate = Day(q.real(2));
    r.PayDate = Day(q.real(3));
    r.Total = q.real(4);
    r.Income = q.real(5);
    r.CapGain = q.real(6);
    r.ReinvestPri = q.real(7);
    r.SplitFactor = q.real(8);
    return r;
}

const char* kPfCols =
    "PfID, Selected, ShortName, LongName, NameLast, NameFirst, NameMiddle, Address1, Address2, City, State, "
    "PostalCode, Country, Phone1, Phone2, FAX, Email, AccountNumber, TaxID";

PortfolioRec readPf(const Query& q)
{
    PortfolioRec r;
    r.PfID = int(q.int64(0));
    r.Selected = q.int64(1) != 0;
    QString* s[] = {&r.ShortName, &r.LongName, &r.NameLast, &r.NameFirst, &r.NameMiddle, &r.Address1,
                    &r.Address2,  &r.City,     &r.State,    &r.PostalCode, &r.Country,   &r.Phone1,
                    &r.Phone2,    &r.FAX,      &r.Email,    &r.AccountNumber, &r.TaxID};
    for (int i = 0; i < 17; ++i)
        *s[i] = q.text(2 + i);
    return r;
}

const char* kTxCols =
    "PfID, MLID, Date, BuySell, Shares, Amount, SharePrice, Commission, Fee1, Fee2, Type, Comment, Sequence";

TransactionRec readTx(const Query& q)
{
    TransactionRec r;
    r.PfID = int(q.int64(0));
    r.MLID = int(q.int64(1));
    r.Date = Day(q.real(2));
    r.BuySell = q.text(3);
    r.Shares = q.real(4);
    r.Amount = q.real(5);
    if (!q.isNull(6))
        r.SharePrice = q.real(6);
    r.Commission = q.real(7);
    r.Fee1 = q.real(8);
    r.Fee2 = q.real(9);
    r.Type = q.text(10);
    r.Comment = q.text(11);
    r.Sequence = q.int64(12);
    return r;
}

TransxSummaryRec readSum(const Query& q)
{
    TransxSummaryRec r;
    r.PfID = int(q.int64(0));
    r.MLID = int(q.int64(1));
    r.Shares = q.real(2);
    r.Reinvest = q.text(3);
    r.AccountNumber = q.text(4);
    r.Phone = q.text(5);
    return r;
}

template <typename Rec, typename Reader>
std::vector<Rec> readAll(ORVDataModule& dm, const QString& sql, const QVariantList& binds, Reader reader)
{
    std::vector<Rec> out;
    Query q = dm.query(sql);
    q.bindAll(binds);
    while (q.next())
        out.push_back(reader(q));
    return out;
}

}  // namespace

QVariantMap toFields(const MasterListRec& r)
{
    QVariantMap m{{"ShortName", str(r.ShortName)}, {"LongName", str(r.LongName)},     {"Type", str(r.Type)},
                  {"Ticker", str(r.Ticker)},       {"ICDINumber", str(r.ICDINumber)}, {"CUSIP", str(r.CUSIP)},
                  {"MovAveDaily1", r.MovAveDaily1}, {"MovAveDaily2", r.MovAveDaily2}, {"MovAveWeekly1", r.MovAveWeekly1},
                  {"MovAveWeekly2", r.MovAveWeekly2}, {"RowNum", r.RowNum},           {"ColNum", r.ColNum},
                  {"Selected", r.Selected}};
    if (r.MLID > 0)
        m.insert(QStringLiteral("MLID"), r.MLID);
    return m;
}

QVariantMap toFields(const PriceRec& r)
{
    return {{"MLID", r.MLID}, {"Date", double(r.Date)}, {"Price", opt(r.Price)}, {"AdjPrice", r.AdjPrice}};
}

QVariantMap toFields(const DistributionRec& r)
{
    return {{"MLID", r.MLID},       {"ExDate", double(r.ExDate)}, {"RecDate", double(r.RecDate)},
            {"PayDate", double(r.PayDate)}, {"Total", r.Total},   {"Income", r.Income},
            {"CapGain", r.CapGain}, {"ReinvestPri", r.ReinvestPri}, {"SplitFactor", r.SplitFactor}};
}

QVariantMap toFields(const PortfolioRec& r)
{
    QVariantMap m{{"Selected", r.Selected},         {"ShortName", str(r.ShortName)}, {"LongName", str(r.LongName)},
                  {"NameLast", str(r.NameLast)},    {"NameFirst", str(r.NameFirst)}, {"NameMiddle", str(r.NameMiddle)},
                  {"Address1", str(r.Address1)},    {"Address2", str(r.Address2)},   {"City", str(r.City)},
                  {"State", str(r.State)},          {"PostalCode", str(r.PostalCode)}, {"Country", str(r.Country)},
                  {"Phone1", str(r.Phone1)},        {"Phone2", str(r.Phone2)},       {"FAX", str(r.FAX)},
                  {"Email", str(r.Email)},          {"AccountNumber", str(r.AccountNumber)}, {"TaxID", str(r.TaxID)}};
    if (r.PfID > 0)
        m.insert(QStringLiteral("PfID"), r.PfID);
    return m;
}

QVariantMap toFields(const TransactionRec& r)
{
    QVariantMap m{{"PfID", r.PfID},         {"MLID", r.MLID},           {"Date", double(r.Date)},
                  {"BuySell", str(r.BuySell)}, {"Shares", r.Shares},    {"Amount", r.Amount},
                  {"SharePrice", opt(r.SharePrice)}, {"Commission", r.Commission}, {"Fee1", r.Fee1},
                  {"Fee2", r.Fee2},         {"Type", str(r.Type)},      {"Comment", str(r.Comment)}};
    if (r.Sequence > 0)
        m.insert(QStringLiteral("Sequence"), r.Sequence);
    return m;
}

QVariantMap toFields(const TransxSummaryRec& r)
{
    return {{"PfID", r.PfID},         {"MLID", r.MLID},   {"Shares", r.Shares}, {"Reinvest", str(r.Reinvest)},
            {"AccountNumber", str(r.AccountNumber)}, {"Phone", str(r.Phone)}};
}

QVariantMap toFields(const ColHdrRec& r) { return {{"ColNum", r.ColNum}, {"Heading", str(r.Heading)}}; }

QVariantMap toFields(const AssetAllocHdrRec& r)
{
    QVariantMap m{{"AllocID", r.AllocID}, {"Title", str(r.Title)}};
    for (int i = 0; i < 10; ++i)
        m.insert(QStringLiteral("Sub%1").arg(i + 1), str(r.Sub[size_t(i)]));
    return m;
}

QVariantMap toFields(const AssetAllocValueRec& r)
{
    QVariantMap m{{"MLID", r.MLID}, {"AllocID", r.AllocID}};
    for (int i = 0; i < 10; ++i)
        m.insert(QStringLiteral("Pct%1").arg(i + 1), r.Pct[size_t(i)]);
    return m;
}

Result<qint64> insertRow(ORVDataModule& dm, TableId table, const QVariantMap& fields)
{
    const TableDef& def = tableDef(table);
    QStringList cols, marks;
    QVariantList binds;
    for (auto it = fields.begin(); it != fields.end(); ++it)
        if (def.fieldIndex(it.key()) < 0)
            return Message::error(QStringLiteral("Table %1 has no field %2.").arg(def.name, it.key()));
    for (const auto& f : def.fields) {
        const QVariant v = fields.value(f.name);
        if (f.type != FieldType::AutoInc) {
            if (const Status st = checkValue(f, v); !st)
                return st.message();
        } else if (v.isNull() || !v.isValid()) {
            continue;
        }
        cols << quoteIdent(f.name);
        marks << QStringLiteral("?");
        binds << normalized(f, v);
    }
    const Status st = dm.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(sqlName(table), cols.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
                              binds);
    if (!st)
        return st.message();
    const qint64 id = dm.lastInsertRowId();
    dm.touch(table);
    return id;
}

Status updateRow(ORVDataModule& dm, TableId table, qint64 rowid, const QVariantMap& fields)
{
    const TableDef& def = tableDef(table);
    QStringList sets;
    QVariantList binds;
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        const int fi = def.fieldIndex(it.key());
        if (fi < 0 || def.fields[size_t(fi)].type == FieldType::AutoInc)
            return Message::error(QStringLiteral("Field %1 of table %2 cannot be written.").arg(it.key(), def.name));
        const FieldDef& f = def.fields[size_t(fi)];
        if (const Status st = checkValue(f, it.value()); !st)
            return st;
        sets << quoteIdent(f.name) + QStringLiteral(" = ?");
        binds << normalized(f, it.value());
    }
    if (sets.isEmpty())
        return Status::success();
    binds << rowid;
    const Status st =
        dm.exec(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(sqlName(table), sets.join(QStringLiteral(", "))), binds);
    if (st)
        dm.touch(table);
    return st;
}

Status deleteRow(ORVDataModule& dm, TableId table, qint64 rowid)
{
    const Status st = dm.exec(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(sqlName(table)), {rowid});
    if (st)
        dm.touch(table);
    return st;
}

int countInRange(ORVDataModule& dm, TableId table, const QString& index, const QVariantList& keys)
{
    const TableDef& def = tableDef(table);
    const IndexDef* ix = def.index(index);
    if (!ix || keys.size() > int(ix->keys.size()))
        return 0;
    QStringList where;
    for (int i = 0; i < keys.size(); ++i)
        where << quoteIdent(ix->keys[size_t(i)].field) + QStringLiteral(" = ?");
    QString sql = QStringLiteral("SELECT count(*) FROM %1").arg(sqlName(table));
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    Query q = dm.query(sql);
    q.bindAll(keys);
    return q.next() ? int(q.int64(0)) : 0;
}

std::vector<MasterListRec> masterList(ORVDataModule& dm)
{
    return readAll<MasterListRec>(
        dm, QStringLiteral("SELECT %1 FROM %2 ORDER BY ColNum, RowNum, rowid").arg(kMLCols, sqlName(TableId::MasterList)),
        {}, [](const Query& q) { return readML(q); });
}

std::optional<MasterListRec> masterListEntry(ORVDataModule& dm, int mlID)
{
    auto v = readAll<MasterListRec>(
        dm, QStringLiteral("SELECT %1 FROM %2 WHERE MLID = ?").arg(kMLCols, sqlName(TableId::MasterList)), {mlID},
        [](const Query& q) { return readML(q); });
    return v.empty() ? std::nullopt : std::optional<MasterListRec>(v.front());
}

std::optional<MasterListRec> masterListByShortName(ORVDataModule& dm, const QString& shortName)
{
    auto v = readAll<MasterListRec>(
        dm,
        QStringLiteral("SELECT %1 FROM %2 WHERE ShortName = ? ORDER BY rowid LIMIT 1").arg(kMLCols, sqlName(TableId::MasterList)),
        {shortName}, [](const Query& q) { return readML(q); });
    return v.empty() ? std::nullopt : std::optional<MasterListRec>(v.front());
}

Result<qint64> insertMasterList(ORVDataModule& dm, const MasterListRec& r)
{
    return insertRow(dm, TableId::MasterList, toFields(r));
}

qint64 highestMLID(ORVDataModule& dm)
{
    Query q = dm.query(QStringLiteral("SELECT max(MLID) FROM %1").arg(sqlName(TableId::MasterList)));
    return q.next() ? q.int64(0) : 0;
}

std::vector<PriceRec> pricesOf(ORVDataModule& dm, int mlID)
{
    return readAll<PriceRec>(
        dm, QStringLiteral("SELECT MLID, Date, Price, AdjPrice FROM %1 WHERE MLID = ? ORDER BY MLID, Date, rowid")
                .arg(sqlName(TableId::Prices)),
        {mlID}, readPrice);
}

std::vector<PriceRec> pricesBetween(ORVDataModule& dm, int mlID, Day from, Day to)
{
    return readAll<PriceRec>(dm,
                             QStringLiteral("SELECT MLID, Date, Price, AdjPrice FROM %1 WHERE MLID = ? AND Date >= ? "
                                            "AND Date <= ? ORDER BY MLID, Date, rowid")
                                 .arg(sqlName(TableId::Prices)),
                             {mlID, double(from), double(to)}, readPrice);
}

std::optional<PriceRec> priceOn(ORVDataModule& dm, int mlID, Day day)
{
    auto v = pricesBetween(dm, mlID, day, day);
    return v.empty() ? std::nullopt : std::optional<PriceRec>(v.front());
}

Status storePriceRow(ORVDataModule& dm, const PriceRec& r)
{
    Query q = dm.query(QStringLiteral("SELECT rowid FROM %1 WHERE MLID = ? AND Date = ? ORDER BY rowid LIMIT 1")
                           .arg(sqlName(TableId::Prices)));
    q.bind(1, r.MLID).bind(2, double(r.Date));
    if (q.next()) {
        const qint64 rowid = q.int64(0);
        QVariantMap f = toFields(r);
        return updateRow(dm, TableId::Prices, rowid, f);
    }
    const auto res = insertRow(dm, TableId::Prices, toFields(r));
    return res ? Status::success() : Status(res.message());
}

std::vector<DistributionRec> distributionsOf(ORVDataModule& dm, int mlID, bool newestFirst)
{
    return readAll<DistributionRec>(
        dm,
        QStringLiteral("SELECT MLID, ExDate, RecDate, PayDate, Total, Income, CapGain, ReinvestPri, SplitFactor FROM %1 "
                       "WHERE MLID = ? ORDER BY MLID, ExDate %2, rowid")
            .arg(sqlName(TableId::Distributions), newestFirst ? QStringLiteral("DESC") : QString()),
        {mlID}, readDsb);
}

Result<qint64> insertDistribution(ORVDataModule& dm, const DistributionRec& r)
{
    return insertRow(dm, TableId::Distributions, toFields(r));
}

std::vector<PortfolioRec> portfolios(ORVDataModule& dm)
{
    return readAll<PortfolioRec>(
        dm, QStringLiteral("SELECT %1 FROM %2 ORDER BY ShortName, rowid").arg(kPfCols, sqlName(TableId::Portfolio)), {},
        readPf);
}

std::optional<PortfolioRec> portfolio(ORVDataModule& dm, int pfID)
{
    auto v = readAll<PortfolioRec>(
        dm, QStringLiteral("SELECT %1 FROM %2 WHERE PfID = ?").arg(kPfCols, sqlName(TableId::Portfolio)), {pfID}, readPf);
    return v.empty() ? std::nullopt : std::optional<PortfolioRec>(v.front());
}

Result<qint64> insertPortfolio(ORVDataModule& dm, const PortfolioRec& r)
{
    return insertRow(dm, TableId::Portfolio, toFields(r));
}

std::vector<TransactionRec> transactionsOf(ORVDataModule& dm, int pfID, int mlID)
{
    return readAll<TransactionRec>(dm,
                                   QStringLiteral("SELECT %1 FROM %2 WHERE PfID = ? AND MLID = ? ORDER BY PfID, MLID, "
                                                  "Date, rowid")
                                       .arg(kTxCols, sqlName(TableId::Transactions)),
                                   {pfID, mlID}, readTx);
}

std::vector<TransactionRec> transactionsOfPortfolio(ORVDataModule& dm, int pfID)
{
    return readAll<TransactionRec>(
        dm,
        QStringLiteral("SELECT %1 FROM %2 WHERE PfID = ? ORDER BY PfID, Date, rowid").arg(kTxCols, sqlName(TableId::Transactions)),
        {pfID}, readTx);
}

std::vector<TransactionRec> transactionsOfIssue(ORVDataModule& dm, int mlID)
{
    return readAll<TransactionRec>(
        dm,
        QStringLiteral("SELECT %1 FROM %2 WHERE MLID = ? ORDER BY MLID, Date, rowid").arg(kTxCols, sqlName(TableId::Transactions)),
        {mlID}, readTx);
}

Result<qint64> insertTransaction(ORVDataModule& dm, const TransactionRec& r)
{
    return insertRow(dm, TableId::Transactions, toFields(r));
}

std::vector<TransxSummaryRec> holdingsOf(ORVDataModule& dm, int pfID)
{
    return readAll<TransxSummaryRec>(
        dm,
        QStringLiteral("SELECT PfID, MLID, Shares, Reinvest, AccountNumber, Phone FROM %1 WHERE PfID = ? ORDER BY PfID, rowid")
            .arg(sqlName(TableId::TransxSummary)),
        {pfID}, readSum);
}

std::vector<TransxSummaryRec> holdersOf(ORVDataModule& dm, int mlID)
{
    return readAll<TransxSummaryRec>(
        dm,
        QStringLiteral("SELECT PfID, MLID, Shares, Reinvest, AccountNumber, Phone FROM %1 WHERE MLID = ? ORDER BY MLID, rowid")
            .arg(sqlName(TableId::TransxSummary)),
        {mlID}, readSum);
}

std::optional<TransxSummaryRec> holding(ORVDataModule& dm, int pfID, int mlID)
{
    auto v = readAll<TransxSummaryRec>(
        dm,
        QStringLiteral("SELECT PfID, MLID, Shares, Reinvest, AccountNumber, Phone FROM %1 WHERE PfID = ? AND MLID = ? "
                       "ORDER BY rowid LIMIT 1")
            .arg(sqlName(TableId::TransxSummary)),
        {pfID, mlID}, readSum);
    return v.empty() ? std::nullopt : std::optional<TransxSummaryRec>(v.front());
}

}  // namespace orv::store
