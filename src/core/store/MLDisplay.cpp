#include "core/store/MLDisplay.h"

#include "core/store/DataModule.h"

namespace orv {

void TMLDisplayArray::reset(int maxRow, int maxCol)
{
    maxRow_ = qMax(0, maxRow);
    maxCol_ = qMax(0, maxCol);
    cells_.clear();
    cells_.resize(qsizetype(maxRow_ + 1) * (maxCol_ + 1));
}

void TMLDisplayArray::clearMarks()
{
    for (auto& c : cells_) {
        c.held = false;
        c.marker = 0;
    }
}

MLGridSize fillMLDisplay(ORVDataModule& dm, TMLDisplayArray& display)
{
    MLGridSize g;
    Table& ml = dm.fftblMasterList();
    if (ml.state() != TableState::Browse)
        ml.cancel();
    ml.setIndexName(QStringLiteral("IndxRowCol"));
    ml.first();
    if (!ml.isEmpty())
        g.MaxRow = ml.intValue(QStringLiteral("RowNum"));
    ml.setIndexName(QStringLiteral("IndxColRow"));
    ml.last();
    if (!ml.isEmpty())
        g.MaxCol = ml.intValue(QStringLiteral("ColNum"));
    display.reset(g.MaxRow, g.MaxCol);

    // Read every entry in one pass rather than through the cursor.
    Query q = dm.query(QStringLiteral("SELECT MLID, ShortName, Selected, RowNum, ColNum FROM %1")
                           .arg(ORVDataModule::qualified(store::TableId::MasterList)));
    while (q.next()) {
        g.highestMLID = qMax(g.highestMLID, q.int64(0));
        const qint64 row = q.int64(3), col = q.int64(4);
        if (q.isNull(3) || q.isNull(4) || !display.contains(int(row), int(col)))
            continue;
        TMLDisplayCell& cell = display.at(int(row), int(col));
        cell.shortName = q.text(1).left(16);
        cell.selected = q.int64(2) != 0;
    }
    ml.setAutoIncCounter(g.highestMLID);
    ml.first();
    return g;
}

}  // namespace orv
