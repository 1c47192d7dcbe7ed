#pragma once
// OvcTableMasterList: the main window's sheet of Master List cells. A read-only
// table view over the main window's TMLDisplayArray: 100 columns under the
// column headings (bold), data rows 1 .. row limit - 1 (the heading row is the
// view's header), cells of marked accounts in the account colours, and moving
// entries by dragging one cell onto another.

#include "core/config/ConfigRecord.h"
#include "core/store/MLDisplay.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QPoint>
#include <QStringList>
#include <QTableView>

namespace orv {

class MLGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit MLGridModel(QObject* parent = nullptr);

    // The cells shown (nullptr: an empty sheet) and the row limit (rows including
    // the heading row).
    void setDisplay(const TMLDisplayArray* display, int rowLimit);
    void setHeadings(const QStringList& headings);
    // Colours of marked cells; marks are shown only while `show` is on.
    void setAccountColors(bool show, const QColor& open, const QColor& closed, const QColor& text);
    // Repaints every cell (marks changed).
    void refreshCells();

    int rowLimit() const { return rowLimit_; }
    const TMLDisplayArray* display() const { return display_; }
    // The short name at a sheet cell (row 1-based), empty when blank.
    QString shortNameAt(int sheetRow, int col) const;
    bool showingMarks() const { return showMarks_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const TMLDisplayArray* display_ = nullptr;
    int rowLimit_ = 16;
    QStringList headings_;
    bool showMarks_ = false;
    QColor open_, closed_, markText_;
};

class OvcTableMasterList : public QTableView {
    Q_OBJECT
public:
    explicit OvcTableMasterList(QWidget* parent = nullptr);
    MLGridModel* gridModel() const { return model_; }

    // Sheet cells: row 1-based (the heading row is 0), column 0-based.
    int activeRow() const;
    int activeCol() const;
    void setActiveCell(int row, int col);
    // The sheet cell under a point of the viewport; row -1 when none.
    QPair<int, int> cellAt(const QPoint& viewportPos) const;

    // A drop of dragged cell data at a viewport point: taken only when it comes
    // from this grid and lands on a data cell; false when refused.
    bool dropCell(const QMimeData* mime, const QPoint& viewportPos);

    void setColumnWidths(const std::array<qint32, 100>& widths);
    void storeColumnWidths(std::array<qint32, 100>& widths) const;

Q_SIGNALS:
    void activeCellChanged(int row, int col);
    // A drag from one data cell ended over another.
    void cellDropped(int srcCol, int srcRow, int dstCol, int dstRow);
    void cellDoubleClicked(int row, int col);
    void cellRightReleased(int row, int col);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    bool acceptsDrop(const QMimeData* mime, const QPoint& pos, QObject* source) const;
    MLGridModel* model_;
    QPoint pressPos_;
    int dragRow_ = -1, dragCol_ = -1;
};

// The MIME type carrying a dragged cell ("col;row").
extern const char* const kMLCellMimeType;

}  // namespace orv
