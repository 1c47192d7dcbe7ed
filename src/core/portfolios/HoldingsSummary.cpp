#include "core/portfolios/HoldingsSummary.h"

#include "core/store/DataModule.h"

namespace orv {

using store::TableId;

Status UpdateHoldingsSummary(ORVDataModule& dm, int pfID, int mlID)
{
    if (!dm.isOpen())
        return Message::error(QStringLiteral("The tables are not open."));
    Transaction tx(dm);
    if (!tx.started())
        return Message::error(QStringLiteral("Database error: cannot start a transaction."));

    // Sum in the order of IndxPfIDMLID (date, then entry order).
    double shares = 0.0;
    int count = 0;
    {
        Query q = dm.query(QStringLiteral("SELECT BuySell, Shares FROM %1 WHERE PfID = ? AND MLID = ? "
                                          "ORDER BY PfID, MLID, Date, rowid")
                               .arg(ORVDataModule::qualified(TableId::Transactions)));
        q.bind(1, pfID).bind(2, mlID);
        while (q.next()) {
            ++count;
            const double s = q.real(1);
            shares += q.text(0) == QStringLiteral("Buy") ? s : -s;
        }
        if (q.failed())
            return Message::error(QStringLiteral("Database error: %1").arg(q.error()));
    }

    const QString summary = ORVDataModule::qualified(TableId::TransxSummary);
    Status st;
    if (count == 0) {
        st = dm.exec(QStringLiteral("DELETE FROM %1 WHERE PfID = ? AND MLID = ?").arg(summary), {pfID, mlID});
    } else {
        st = dm.exec(QStringLiteral("UPDATE %1 SET Shares = ? WHERE PfID = ? AND MLID = ?").arg(summary),
                     {shares, pfID, mlID});
        if (st && dm.changes() == 0)
            st = dm.exec(QStringLiteral("INSERT INTO %1 (PfID, MLID, Shares, Reinvest) VALUES (?, ?, ?, 'All')")
                             .arg(summary),
                         {pfID, mlID, shares});
    }
    if (!st)
        return st;
    dm.touch(TableId::TransxSummary);
    return tx.commit();
}

}  // namespace orv
