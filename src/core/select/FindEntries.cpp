#include "core/select/FindEntries.h"

#include "core/store/DataModule.h"
#include "core/store/Records.h"

#include <QCollator>
#include <algorithm>

namespace orv {

QString findFieldCaption(FindField field)
{
    switch (field) {
    case FindField::Name: return QStringLiteral("Name");
    case FindField::Ticker: return QStringLiteral("Ticker");
    case FindField::ICDINumber: return QStringLiteral("ICDI Number");
    case FindField::CUSIP: return QStringLiteral("CUSIP");
    }
    return {};
}

const QString& findFieldValue(const TMLEntry& e, FindField field)
{
    switch (field) {
    case FindField::Ticker: return e.Ticker;
    case FindField::ICDINumber: return e.ICDINumber;
    case FindField::CUSIP: return e.CUSIP;
    case FindField::Name: break;
    }
    return e.ShortName;
}

Status canOpenFind(ORVDataModule& dm)
{
    auto q = dm.query(QStringLiteral("SELECT COUNT(*) FROM ") + ORVDataModule::qualified(store::TableId::MasterList));
    const qint64 n = q.next() ? q.int64(0) : 0;
    if (n >= kFindMinEntries)
        return Status::success();
    Message m = Message::info(QStringLiteral("Feature meant for large number of Master List entries."));
    m.beep = true;
    return m;
}

TMLEntryArray loadMLEntryArray(ORVDataModule& dm)
{
    TMLEntryArray out;
    for (const MasterListRec& r : store::masterList(dm)) {
        TMLEntry e;
        e.ShortName = r.ShortName.trimmed().left(16);
        e.Ticker = r.Ticker.trimmed().left(8);
        e.ICDINumber = r.ICDINumber.trimmed().left(5);
        e.CUSIP = r.CUSIP.trimmed().left(12);
        out.push_back(std::move(e));
    }
    return out;
}

void sortMLEntryArray(TMLEntryArray& entries, FindField field, const QLocale& locale)
{
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    std::stable_sort(entries.begin(), entries.end(), [&](const TMLEntry& a, const TMLEntry& b) {
        const QString& x = findFieldValue(a, field);
        const QString& y = findFieldValue(b, field);
        if (x.isEmpty() || y.isEmpty())
            return x.isEmpty() && !y.isEmpty();
        return collator.compare(x, y) < 0;
    });
}

std::optional<MLCell> locateEntryCell(ORVDataModule& dm, const QString& shortName)
{
    const QString name = shortName.trimmed();
    if (name.isEmpty())
        return std::nullopt;
    auto q = dm.query(QStringLiteral("SELECT RowNum, ColNum, ShortName FROM ")
                      + ORVDataModule::qualified(store::TableId::MasterList)
                      + QStringLiteral(" WHERE TRIM(ShortName) = ?1 OR SUBSTR(TRIM(ShortName), 1, 16) = ?1 "
                                       "ORDER BY (TRIM(ShortName) = ?1) DESC LIMIT 1"));
    q.bind(1, name);
    if (!q.next())
        return std::nullopt;
    return MLCell{int(q.int64(0)), int(q.int64(1))};
}

}  // namespace orv
