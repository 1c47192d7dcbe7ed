// Asset allocation categories and the issues' percentages.
#include "core/masterlist/AllocAssignments.h"

#include "core/base/Format.h"
#include "core/store/DataModule.h"

#include <optional>

namespace orv {

using store::TableId;

namespace {

QString pctField(int sub) { return QStringLiteral("Pct%1").arg(sub); }
QString subField(int sub) { return QStringLiteral("Sub%1").arg(sub); }

Message dbError(const Query& q) { return Message::error(QStringLiteral("Database error: ") + q.error()); }

// Row id of the row of a category, if any.
Result<std::optional<qint64>> valueRow(ORVDataModule& dm, int mlID, int allocID)
{
    Query q = dm.query(QStringLiteral("SELECT rowid FROM %1 WHERE MLID = ? AND AllocID = ? ORDER BY rowid")
                           .arg(ORVDataModule::qualified(TableId::AssetAllocValues)));
    q.bind(1, mlID).bind(2, allocID);
    if (q.next())
        return std::optional<qint64>(q.int64(0));
    if (q.failed())
        return dbError(q);
    return std::optional<qint64>();
}

Result<std::optional<qint64>> hdrRow(ORVDataModule& dm, int allocID)
{
    Query q = dm.query(QStringLiteral("SELECT rowid FROM %1 WHERE AllocID = ? ORDER BY rowid")
                           .arg(ORVDataModule::qualified(TableId::AssetAllocHdrs)));
    q.bind(1, allocID);
    if (q.next())
        return std::optional<qint64>(q.int64(0));
    if (q.failed())
        return dbError(q);
    return std::optional<qint64>();
}

}  // namespace

Status CreateAllocationRows(ORVDataModule& dm, int mlID)
{
    Transaction tx(dm);
    if (!tx.started())
        return Message::error(QStringLiteral("Database error: the transaction could not be started."));
    for (int allocID = 1; allocID <= kAllocCategories; ++allocID) {
        const auto row = valueRow(dm, mlID, allocID);
        if (!row)
            return row.message();
        QVariantMap fields{{QStringLiteral("MLID"), mlID}, {QStringLiteral("AllocID"), allocID}};
        for (int s = 1; s <= kAllocSubs; ++s)
            fields.insert(pctField(s), 0.0);
        if (row.value()) {
            if (const Status st = store::updateRow(dm, TableId::AssetAllocValues, *row.value(), fields); !st)
                return st;
        } else if (const auto id = store::insertRow(dm, TableId::AssetAllocValues, fields); !id) {
            return id.message();
        }
    }
    return tx.commit();
}

Status ensureAllocHdrs(ORVDataModule& dm)
{
    Transaction tx(dm);
    if (!tx.started())
        return Message::error(QStringLiteral("Database error: the transaction could not be started."));
    for (int allocID = 1; allocID <= kAllocCategories; ++allocID) {
        const auto row = hdrRow(dm, allocID);
        if (!row)
            return row.message();
        if (row.value())
            continue;
        QVariantMap fields{{QStringLiteral("AllocID"), allocID},
                           {QStringLiteral("Title"), QStringLiteral("Category %1").arg(allocID)}};
        for (int s = 1; s <= kAllocSubs; ++s)
            fields.insert(subField(s), QStringLiteral("Sub-category %1").arg(s));
        if (const auto id = store::insertRow(dm, TableId::AssetAllocHdrs, fields); !id)
            return id.message();
    }
    return tx.commit();
}

std::vector<AssetAllocHdrRec> allocHdrs(ORVDataModule& dm)
{
    QStringList cols{QStringLiteral("AllocID"), QStringLiteral("Title")};
    for (int s = 1; s <= kAllocSubs; ++s)
        cols << subField(s);
    Query q = dm.query(QStringLiteral("SELECT %1 FROM %2 ORDER BY AllocID, rowid")
                           .arg(cols.join(QStringLiteral(", ")), ORVDataModule::qualified(TableId::AssetAllocHdrs)));
    std::vector<AssetAllocHdrRec> out;
    while (q.next()) {
        AssetAllocHdrRec r;
        r.AllocID = int(q.int64(0));
        r.Title = q.text(1);
        for (int s = 0; s < kAllocSubs; ++s)
            r.Sub[size_t(s)] = q.text(2 + s);
        out.push_back(r);
    }
    return out;
}

Result<QString> setAllocTitle(ORVDataModule& dm, int allocID, const QString& text)
{
    const QString title = text.left(kAllocTitleLen);
    const auto row = hdrRow(dm, allocID);
    if (!row)
        return row.message();
    if (!row.value())
        return Message::error(QStringLiteral("There is no allocation category %1.").arg(allocID));
    if (const Status st = store::updateRow(dm, TableId::AssetAllocHdrs, *row.value(), {{QStringLiteral("Title"), title}});
        !st)
        return st.message();
    return title;
}

Result<QString> setAllocSubTitle(ORVDataModule& dm, int allocID, int sub, const QString& text)
{
    if (sub < 1 || sub > kAllocSubs)
        return Message::error(QStringLiteral("There is no sub-category %1.").arg(sub));
    const QString title = text.left(kAllocSubLen);
    const auto row = hdrRow(dm, allocID);
    if (!row)
        return row.message();
    if (!row.value())
        return Message::error(QStringLiteral("There is no allocation category %1.").arg(allocID));
    if (const Status st = store::updateRow(dm, TableId::AssetAllocHdrs, *row.value(), {{subField(sub), title}}); !st)
        return st.message();
    return title;
}

QString subCategoryLabel(const QString& subTitle) { return (QStringLiteral("      ") + subTitle).left(kAllocLabelLen); }

AssetAllocValueRec allocValues(ORVDataModule& dm, int mlID, int allocID)
{
    AssetAllocValueRec r;
    r.MLID = mlID;
    r.AllocID = allocID;
    QStringList cols;
    for (int s = 1; s <= kAllocSubs; ++s)
        cols << pctField(s);
    Query q = dm.query(QStringLiteral("SELECT %1 FROM %2 WHERE MLID = ? AND AllocID = ? ORDER BY rowid")
                           .arg(cols.join(QStringLiteral(", ")), ORVDataModule::qualified(TableId::AssetAllocValues)));
    q.bind(1, mlID).bind(2, allocID);
    if (q.next())
        for (int s = 0; s < kAllocSubs; ++s)
            r.Pct[size_t(s)] = q.isNull(s) ? 0.0 : allocPercent(q.real(s));
    return r;
}

Message allocPercentRangeMessage()
{
    return Message::warning(QStringLiteral("The percentage must be between 0 and 100."));
}

Status setAllocPercent(ORVDataModule& dm, int mlID, int allocID, int sub, double value)
{
    if (sub < 1 || sub > kAllocSubs || allocID < 1 || allocID > kAllocCategories)
        return Message::error(QStringLiteral("There is no allocation category %1, sub-category %2.").arg(allocID).arg(sub));
    if (!(value >= kAllocPctMin && value <= kAllocPctMax))  // also refuses NaN
        return allocPercentRangeMessage();
    const double pct = allocPercent(value);
    Transaction tx(dm);
    if (!tx.started())
        return Message::error(QStringLiteral("Database error: the transaction could not be started."));
    auto row = valueRow(dm, mlID, allocID);
    if (!row)
        return row.message();
    if (!row.value()) {
        // A category row the issue lacks: made with all percentages 0, the
        // issue's other rows left as they are.
        QVariantMap fields{{QStringLiteral("MLID"), mlID}, {QStringLiteral("AllocID"), allocID}};
        for (int s = 1; s <= kAllocSubs; ++s)
            fields.insert(pctField(s), 0.0);
        const auto id = store::insertRow(dm, TableId::AssetAllocValues, fields);
        if (!id)
            return id.message();
        row = std::optional<qint64>(id.value());
    }
    if (const Status st = store::updateRow(dm, TableId::AssetAllocValues, *row.value(), {{pctField(sub), pct}}); !st)
        return st;
    return tx.commit();
}

double allocPercent(double value) { return double(float(value)); }

double allocTotal(const AssetAllocValueRec& values)
{
    float sum = 0.0f;
    for (double v : values.Pct)
        sum += float(v);
    return double(sum);
}

QString formatAllocTotal(double total) { return fmtNumber(total, QStringLiteral("###0.#0  ")); }

}  // namespace orv
