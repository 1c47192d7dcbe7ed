#pragma once
// The main window's sheet of Master List cells, row 0..MaxRow by column
// 0..MaxCol. The grid draws from it and the Master List post rule reads it to
// find duplicate short names.

#include <QString>
#include <QVector>

namespace orv {

class ORVDataModule;

struct TMLDisplayCell {
    QString shortName;  // at most 16 characters; empty for a blank cell
    bool selected = false;
    bool held = false;    // the active portfolio holds or held the issue (current view)
    quint8 marker = 0;    // 0 none, 1 open account, 2 closed account
};

class TMLDisplayArray {
public:
    // Resizes to rows 0..maxRow and columns 0..maxCol and clears every cell.
    void reset(int maxRow, int maxCol);
    int maxRow() const { return maxRow_; }
    int maxCol() const { return maxCol_; }
    bool contains(int row, int col) const { return row >= 0 && row <= maxRow_ && col >= 0 && col <= maxCol_; }
    // Callers check contains() first.
    TMLDisplayCell& at(int row, int col) { return cells_[row * (maxCol_ + 1) + col]; }
    const TMLDisplayCell& at(int row, int col) const { return cells_[row * (maxCol_ + 1) + col]; }
    void clearMarks();

private:
    int maxRow_ = -1;
    int maxCol_ = -1;
    QVector<TMLDisplayCell> cells_;
};

struct MLGridSize {
    int MaxRow = 5;       // highest RowNum, 5 for an empty Master List
    int MaxCol = 4;       // highest ColNum, 4 for an empty Master List
    qint64 highestMLID = 0;
};

// Steps 1-4 of the grid load: MaxRow from the first record of IndxRowCol, MaxCol
// from the last of IndxColRow, the array resized and cleared, every entry placed
// in its cell (first 16 characters of ShortName, Selected), the MasterList
// auto-increment counter set to the highest MLID. Leaves MasterList on IndxColRow
// without a range. Entries with a negative row or column are not placed.
MLGridSize fillMLDisplay(ORVDataModule& dm, TMLDisplayArray& display);

}  // namespace orv
