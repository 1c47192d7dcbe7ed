#include "core/select/SelectRules.h"

#include "core/store/DataModule.h"
#include "core/store/Records.h"

#include <cmath>

namespace orv {

namespace {
const QString& mlTable()
{
    static const QString t = ORVDataModule::qualified(store::TableId::MasterList);
    return t;
}
}  // namespace

Status setAllSelected(ORVDataModule& dm, bool selected)
{
    Transaction tx(dm);
    Status st = dm.exec(QStringLiteral("UPDATE ") + mlTable() + QStringLiteral(" SET Selected = ?1"),
                        {selected ? 1 : 0});
    if (!st.ok())
        return st;
    st = tx.commit();
    dm.touch(store::TableId::MasterList);
    return st;
}

std::optional<MasterListRec> entryAtCell(ORVDataModule& dm, int col, int row)
{
    auto q = dm.query(QStringLiteral("SELECT MLID FROM ") + mlTable()
                      + QStringLiteral(" WHERE ColNum = ?1 AND RowNum = ?2 LIMIT 1"));
    q.bind(1, col).bind(2, row);
    if (!q.next())
        return std::nullopt;
    const int id = int(q.int64(0));
    return store::masterListEntry(dm, id);
}

Result<std::optional<bool>> toggleSelectedAt(ORVDataModule& dm, int col, int row)
{
    auto e = entryAtCell(dm, col, row);
    if (!e)
        return std::optional<bool>();
    const bool now = !e->Selected;
    Status st = dm.exec(QStringLiteral("UPDATE ") + mlTable() + QStringLiteral(" SET Selected = ?1 WHERE MLID = ?2"),
                        {now ? 1 : 0, e->MLID});
    dm.touch(store::TableId::MasterList);
    if (!st.ok())
        return st.message();
    return std::optional<bool>(now);
}

Result<int> selectColumn(ORVDataModule& dm, int col)
{
    Transaction tx(dm);
    Status st = dm.exec(QStringLiteral("UPDATE ") + mlTable() + QStringLiteral(" SET Selected = 1 WHERE ColNum = ?1"),
                        {col});
    if (!st.ok())
        return st.message();
    const int n = dm.changes();
    st = tx.commit();
    dm.touch(store::TableId::MasterList);
    if (!st.ok())
        return st.message();
    return n;
}

Result<int> selectHeldEntries(ORVDataModule& dm, int pfID, bool openOnly)
{
    Transaction tx(dm);
    int n = 0;
    for (const TransxSummaryRec& h : store::holdingsOf(dm, pfID)) {
        if (openOnly && !(std::fabs(h.Shares) > kOpenShares))
            continue;
        Status st = dm.exec(QStringLiteral("UPDATE ") + mlTable() + QStringLiteral(" SET Selected = 1 WHERE MLID = ?1"),
                            {h.MLID});
        if (!st.ok())
            return st.message();
        n += dm.changes() > 0 ? 1 : 0;
    }
    Status st = tx.commit();
    dm.touch(store::TableId::MasterList);
    if (!st.ok())
        return st.message();
    return n;
}

std::vector<PfName> selectedPortfolioNames(ORVDataModule& dm)
{
    std::vector<PfName> out;
    for (const PortfolioRec& p : store::portfolios(dm))
        if (p.Selected)
            out.push_back({p.PfID, p.ShortName.trimmed()});
    return out;
}

std::vector<int> selectedMLIDs(ORVDataModule& dm)
{
    std::vector<int> out;
    for (const MasterListRec& r : store::masterList(dm))
        if (r.Selected)
            out.push_back(r.MLID);
    return out;
}

void refreshSelectedFlags(ORVDataModule& dm, TMLDisplayArray& display)
{
    for (int r = 0; r <= display.maxRow(); ++r)
        for (int c = 0; c <= display.maxCol(); ++c)
            display.at(r, c).selected = false;
    auto q = dm.query(QStringLiteral("SELECT RowNum, ColNum, Selected FROM ") + mlTable());
    while (q.next()) {
        const int row = int(q.int64(0)), col = int(q.int64(1));
        if (display.contains(row, col))
            display.at(row, col).selected = q.int64(2) != 0;
    }
}

QString colRowText(int col, int row)
{
    return QStringLiteral(" Col:Row  %1:%2").arg(col + 1).arg(row);
}

}  // namespace orv
