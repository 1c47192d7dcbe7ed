// The Delete Entry cascade.
#include "core/masterlist/EntryDelete.h"

#include "core/base/TBXSubs.h"
#include "core/store/DataModule.h"
#include "core/store/Records.h"

#include <QFile>
#include <QVector>

namespace orv {

using store::TableId;

namespace {

// Row ids of the rows of a table, in the order of the index the rows
// are visited in.
Result<QVector<qint64>> rowsOf(ORVDataModule& dm, TableId table, const QString& orderBy, int mlID)
{
    Query q = dm.query(QStringLiteral("SELECT rowid FROM %1 WHERE MLID = ? ORDER BY %2")
                           .arg(ORVDataModule::qualified(table), orderBy));
    q.bind(1, mlID);
    QVector<qint64> rows;
    while (q.next())
        rows << q.int64(0);
    if (q.failed())
        return Message::error(QStringLiteral("Database error: ") + q.error());
    return rows;
}

// Deletes the rows one by one, stepping the progress after each.
Status deleteStepped(ORVDataModule& dm, TableId table, const QString& orderBy, int mlID, Progress& progress)
{
    const auto rows = rowsOf(dm, table, orderBy, mlID);
    if (!rows)
        return rows.message();
    progress.setRange(int(rows.value().size()));
    for (qint64 rowid : rows.value()) {
        if (const Status st = store::deleteRow(dm, table, rowid); !st)
            return st;
        progress.step();
    }
    return Status::success();
}

Status deleteAll(ORVDataModule& dm, TableId table, int mlID)
{
    const Status st = dm.exec(QStringLiteral("DELETE FROM %1 WHERE MLID = ?").arg(ORVDataModule::qualified(table)), {mlID});
    if (st)
        dm.touch(table);
    return st;
}

}  // namespace

QString deleteEntryQuestion(const QString& shortName)
{
    // Qt labels show "&" as it is (no accelerator without a buddy), so the name
    // is not doubled here.
    return QStringLiteral("Delete   ") + shortName + QStringLiteral("   and all associated");
}

QString pfMultipleListFile(const QString& tempPath, const QString& shortName)
{
    if (!shortName.contains(QLatin1String("[Pf]Multiple")) || tempPath.isEmpty())
        return QString();
    return tempPath + shortName + QStringLiteral(".TXT");
}

Status DeleteEntry(ORVDataModule& dm, int mlID, const QString& tempPath, Progress& progress,
                   const std::function<void(DeleteEntryStep)>& stepDone)
{
    const std::optional<MasterListRec> entry = store::masterListEntry(dm, mlID);
    if (!entry)
        return Message::error(QStringLiteral("There is no Master List entry %1.").arg(mlID));
    auto done = [&](DeleteEntryStep s) {
        if (stepDone)
            stepDone(s);
    };

    Transaction tx(dm);
    if (!tx.started())
        return Message::error(QStringLiteral("Database error: the transaction could not be started."));
    if (const Status st = deleteStepped(dm, TableId::Prices, QStringLiteral("Date, rowid"), mlID, progress); !st)
        return st;
    done(DeleteEntryStep::Prices);
    if (const Status st = deleteStepped(dm, TableId::Distributions, QStringLiteral("ExDate, rowid"), mlID, progress); !st)
        return st;
    done(DeleteEntryStep::Distributions);
    // The holdings rows go in the next step; no holdings update runs here.
    if (const Status st = deleteStepped(dm, TableId::Transactions, QStringLiteral("Date, rowid"), mlID, progress); !st)
        return st;
    done(DeleteEntryStep::Transactions);

    if (const Status st = deleteAll(dm, TableId::TransxSummary, mlID); !st)
        return st;
    if (const Status st = deleteAll(dm, TableId::MasterList, mlID); !st)
        return st;
    if (const Status st = deleteAll(dm, TableId::AssetAllocValues, mlID); !st)
        return st;
    if (const Status st = tx.commit(); !st)
        return st;

    const QString listFile = pfMultipleListFile(tempPath, entry->ShortName);
    if (!listFile.isEmpty() && QFile::exists(listFile))
        QFile::remove(listFile);
    return Status::success();
}

}  // namespace orv
