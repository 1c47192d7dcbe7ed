#include "core/masterlist/Grid.h"

#include "core/base/TBXSubs.h"
#include "core/config/ConfigFile.h"
#include "core/store/DataFiles.h"
#include "core/store/DataModule.h"
#include "core/store/Records.h"

#include <cmath>

namespace orv::grid {

using store::TableId;

Mark markFor(double shares, int view)
{
    const double s = std::fabs(shares);
    switch (view) {
    case ViewOpen:
        if (s > kSharesTolerance)
            return {true, 1};
        return {};
    case ViewClosed:
        if (s < kSharesTolerance)
            return {true, 2};
        return {};
    case ViewBoth:
        return {true, quint8(s <= kSharesTolerance ? 2 : 1)};
    default:
        return {};
    }
}

void ClearMarks(TMLDisplayArray& display)
{
    display.clearMarks();
}

void MarkAccounts(ORVDataModule& dm, TMLDisplayArray& display, int pfID, int view)
{
    if (pfID == -1 || view == ViewNone)
        return;
    Query q = dm.query(QStringLiteral("SELECT m.RowNum, m.ColNum, t.Shares FROM %1 t JOIN %2 m ON m.MLID = t.MLID "
                                      "WHERE t.PfID = ?")
                           .arg(ORVDataModule::qualified(TableId::TransxSummary),
                                ORVDataModule::qualified(TableId::MasterList)));
    q.bind(1, pfID);
    while (q.next()) {
        if (q.isNull(0) || q.isNull(1))
            continue;
        const int row = int(q.int64(0)), col = int(q.int64(1));
        if (!display.contains(row, col))
            continue;
        const Mark m = markFor(q.real(2), view);
        if (!m.held)
            continue;
        TMLDisplayCell& cell = display.at(row, col);
        cell.held = true;
        cell.marker = m.marker;
    }
}

LoadResult LoadGrid(ORVDataModule& dm, TMLDisplayArray& display, int pfID, int view)
{
    LoadResult r;
    r.size = fillMLDisplay(dm, display);
    r.rowLimit = rowLimit(r.size.MaxRow);
    MarkAccounts(dm, display, pfID, view);
    return r;
}

WinColor ClosedAccountColor(WinColor selectedColor)
{
    int h = 0, s = 0, l = 0;
    RGBToHSLScaled(selectedColor & 0xFFFFFF, 240, h, s, l);
    return HSLToRGBScaled(240, h, s / 2, l);
}

QString colRowText(int col, int row)
{
    return QStringLiteral(" Col:Row  %1:%2").arg(col + 1).arg(row);
}

Status ensureHeadingRows(ORVDataModule& dm)
{
    const QString table = ORVDataModule::qualified(TableId::MasterListColHdrs);
    Query count = dm.query(QStringLiteral("SELECT count(*) FROM %1").arg(table));
    const int rows = count.next() ? int(count.int64(0)) : 0;
    if (rows >= kHeadingCount)
        return Status::success();
    Transaction tx(dm);
    bool added = false;
    for (int n = rows + 1; n <= kHeadingCount; ++n) {
        Query has = dm.query(QStringLiteral("SELECT 1 FROM %1 WHERE ColNum = ?").arg(table));
        has.bind(1, n);
        if (has.next())
            continue;
        Result<qint64> ins = store::insertRow(dm, TableId::MasterListColHdrs,
                                              store::toFields(ColHdrRec{n, QStringLiteral("Column %1").arg(n)}));
        if (!ins.ok())
            return ins.message();
        added = true;
    }
    if (Status st = tx.commit(); !st.ok())
        return st;
    if (added)
        dm.touch(TableId::MasterListColHdrs);
    return Status::success();
}

QStringList loadHeadings(ORVDataModule& dm)
{
    QStringList headings;
    headings.reserve(kHeadingCount);
    for (int i = 0; i < kHeadingCount; ++i)
        headings.append(QString());
    Query q = dm.query(QStringLiteral("SELECT ColNum, Heading FROM %1")
                           .arg(ORVDataModule::qualified(TableId::MasterListColHdrs)));
    while (q.next()) {
        const qint64 n = q.int64(0);
        if (n >= 1 && n <= kHeadingCount)
            headings[int(n - 1)] = q.text(1);
    }
    return headings;
}

bool isDataCell(int col, int row)
{
    return col >= 0 && col < kColumnCount && row >= 1;
}

namespace {

// MLID of the entry at a cell, or 0.
qint64 entryAt(ORVDataModule& dm, int col, int row)
{
    Query q = dm.query(QStringLiteral("SELECT MLID FROM %1 WHERE ColNum = ? AND RowNum = ? ORDER BY MLID LIMIT 1")
                           .arg(ORVDataModule::qualified(TableId::MasterList)));
    q.bind(1, col).bind(2, row);
    return q.next() ? q.int64(0) : 0;
}

Status placeAt(ORVDataModule& dm, qint64 mlID, int col, int row)
{
    return store::updateRow(dm, TableId::MasterList, mlID,
                            {{QStringLiteral("ColNum"), col}, {QStringLiteral("RowNum"), row}});
}

}  // namespace

Result<MoveResult> moveEntry(ORVDataModule& dm, int srcCol, int srcRow, int dstCol, int dstRow)
{
    if (!isDataCell(srcCol, srcRow))
        return cellOutsideSheetMessage(srcCol, srcRow);
    if (!isDataCell(dstCol, dstRow))
        return cellOutsideSheetMessage(dstCol, dstRow);
    MoveResult r;
    if (srcCol == dstCol && srcRow == dstRow)
        return r;
    const qint64 source = entryAt(dm, srcCol, srcRow);
    const qint64 target = entryAt(dm, dstCol, dstRow);
    if (!source && !target)
        return r;

    Transaction tx(dm);
    Status st;
    if (source && target) {
        // The source waits in the unused cell 0/0 while the target takes its place.
        st = placeAt(dm, source, 0, 0);
        if (st.ok())
            st = placeAt(dm, target, srcCol, srcRow);
        if (st.ok())
            st = placeAt(dm, source, dstCol, dstRow);
        r.swapped = true;
    } else if (source) {
        st = placeAt(dm, source, dstCol, dstRow);
    } else {
        st = placeAt(dm, target, srcCol, srcRow);
    }
    if (!st.ok())
        return st.message();
    if (Status c = tx.commit(); !c.ok())
        return c.message();
    dm.touch(TableId::MasterList);
    r.changed = true;
    return r;
}

Message eraseTableQuestion()
{
    Message m = Message::warning(QStringLiteral("(Suggestion:  Backup your data first.)\r\r"
                                                "Are you sure you want to DELETE all your data?"));
    m.buttons = Btn::OK | Btn::Cancel;
    return m;
}

Message blankQuickReportMessage()
{
    return Message::warning(QStringLiteral("No data on blank entry."));
}

Message noEntryAtMessage(const QString& shortName)
{
    return Message::error(QStringLiteral("No Master List entry is named %1.").arg(shortName));
}

Message cellOutsideSheetMessage(int col, int row)
{
    return Message::error(QStringLiteral("Column %1, row %2 is not a cell of the Master List: columns run from 1 to "
                                         "%3 and rows start at 1.")
                              .arg(col + 1)
                              .arg(row)
                              .arg(kColumnCount));
}

Status eraseAllData(ORVDataModule& dm, const QString& templateDir, const QString& configPath,
                    const QString& fmtDate, ConfigRecord& config)
{
    const QString dataPath = dm.dataPath();
    dm.SetTablesActive(false);
    dm.closeDatabase();
    const Status copied = store::copyAllTemplates(dataPath, templateDir);
    Status opened = dm.openDatabase();
    if (opened.ok())
        opened = dm.SetTablesActive(true);
    if (!copied.ok())
        return copied;
    if (!opened.ok())
        return opened;
    dm.touchAll();
    if (Status st = WriteDefaultConfig(configPath, today(), fmtDate); !st.ok())
        return st;
    ConfigLoad loaded = ReadConfig(configPath, fmtDate);
    config = loaded.record;
    if (loaded.warning)
        return *loaded.warning;
    return Status::success();
}

}  // namespace orv::grid
