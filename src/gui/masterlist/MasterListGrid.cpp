#include "gui/masterlist/MasterListGrid.h"

#include "core/masterlist/Grid.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFont>
#include <QHeaderView>
#include <QMimeData>
#include <QMouseEvent>

namespace orv {

const char* const kMLCellMimeType = "application/x-orvane-mlcell";

// ---- Model -----------------------------------------------------------------

MLGridModel::MLGridModel(QObject* parent) : QAbstractTableModel(parent)
{
    for (int c = 0; c < grid::kColumnCount; ++c)
        headings_.append(QString());
}

void MLGridModel::setDisplay(const TMLDisplayArray* display, int rowLimit)
{
    beginResetModel();
    display_ = display;
    rowLimit_ = qMax(1, rowLimit);
    endResetModel();
}

void MLGridModel::setHeadings(const QStringList& headings)
{
    headings_ = headings;
    while (headings_.size() < grid::kColumnCount)
        headings_.append(QString());
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, grid::kColumnCount - 1);
}

void MLGridModel::setAccountColors(bool show, const QColor& open, const QColor& closed, const QColor& text)
{
    showMarks_ = show;
    open_ = open;
    closed_ = closed;
    markText_ = text;
    refreshCells();
}

void MLGridModel::refreshCells()
{
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

QString MLGridModel::shortNameAt(int sheetRow, int col) const
{
    if (!display_ || sheetRow < 1 || !display_->contains(sheetRow, col))
        return QString();
    return display_->at(sheetRow, col).shortName;
}

int MLGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rowLimit_ - 1;
}

int MLGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : grid::kColumnCount;
}

QVariant MLGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !display_)
        return {};
    const int row = index.row() + 1, col = index.column();
    if (row < 1 || !display_->contains(row, col))
        return {};
    const TMLDisplayCell& cell = display_->at(row, col);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        if (role == Qt::ToolTipRole)
            return {};
        return cell.shortName;
    case Qt::BackgroundRole:
        if (showMarks_ && cell.held)
            return cell.marker == 1 ? open_ : closed_;
        return {};
    case Qt::ForegroundRole:
        if (showMarks_ && cell.held)
            return markText_;
        return {};
    default:
        return {};
    }
}

QVariant MLGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (role == Qt::DisplayRole)
            return headings_.value(section);
        if (role == Qt::FontRole) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    }
    if (role == Qt::DisplayRole)
        return section + 1;
    return {};
}

Qt::ItemFlags MLGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
}

// ---- View ------------------------------------------------------------------

OvcTableMasterList::OvcTableMasterList(QWidget* parent) : QTableView(parent), model_(new MLGridModel(this))
{
    setObjectName(QStringLiteral("OvcTableMasterList"));
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(grid::kRowHeight);
    verticalHeader()->setMinimumSectionSize(grid::kRowHeight);
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setMinimumSectionSize(8);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDropIndicatorShown(false);
    setDragEnabled(false);  // drags start in mouseMoveEvent below

    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& cur, const QModelIndex&) {
                if (cur.isValid())
                    Q_EMIT activeCellChanged(cur.row() + 1, cur.column());
            });
}

int OvcTableMasterList::activeRow() const
{
    const QModelIndex cur = currentIndex();
    return cur.isValid() ? cur.row() + 1 : 1;
}

int OvcTableMasterList::activeCol() const
{
    const QModelIndex cur = currentIndex();
    return cur.isValid() ? cur.column() : 0;
}

void OvcTableMasterList::setActiveCell(int row, int col)
{
    const int r = qBound(0, row - 1, qMax(0, model_->rowCount() - 1));
    const int c = qBound(0, col, grid::kColumnCount - 1);
    const QModelIndex idx = model_->index(r, c);
    if (!idx.isValid())
        return;
    selectionModel()->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect);
    scrollTo(idx);
}

QPair<int, int> OvcTableMasterList::cellAt(const QPoint& pos) const
{
    const QModelIndex idx = indexAt(pos);
    if (!idx.isValid())
        return {-1, -1};
    return {idx.row() + 1, idx.column()};
}

void OvcTableMasterList::setColumnWidths(const std::array<qint32, 100>& widths)
{
    for (int c = 0; c < grid::kColumnCount; ++c)
        setColumnWidth(c, widths[size_t(c)] > 0 ? widths[size_t(c)] : 80);
}

void OvcTableMasterList::storeColumnWidths(std::array<qint32, 100>& widths) const
{
    for (int c = 0; c < grid::kColumnCount; ++c)
        widths[size_t(c)] = columnWidth(c);
}

void OvcTableMasterList::mousePressEvent(QMouseEvent* e)
{
    QTableView::mousePressEvent(e);
    dragRow_ = dragCol_ = -1;
    if (e->button() == Qt::LeftButton) {
        const auto [row, col] = cellAt(e->position().toPoint());
        if (row >= 1) {
            dragRow_ = row;
            dragCol_ = col;
            pressPos_ = e->position().toPoint();
        }
    }
}

void OvcTableMasterList::mouseMoveEvent(QMouseEvent* e)
{
    if (dragRow_ < 1 || !(e->buttons() & Qt::LeftButton)) {
        QTableView::mouseMoveEvent(e);
        return;
    }
    if ((e->position().toPoint() - pressPos_).manhattanLength() < QApplication::startDragDistance())
        return;
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(kMLCellMimeType),
                  QStringLiteral("%1;%2;%3").arg(quintptr(this)).arg(dragCol_).arg(dragRow_).toLatin1());
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    dragRow_ = dragCol_ = -1;
    drag->exec(Qt::MoveAction);
}

void OvcTableMasterList::mouseReleaseEvent(QMouseEvent* e)
{
    dragRow_ = dragCol_ = -1;
    QTableView::mouseReleaseEvent(e);
    if (e->button() == Qt::RightButton) {
        const auto [row, col] = cellAt(e->position().toPoint());
        if (row >= 1) {
            setActiveCell(row, col);
            Q_EMIT cellRightReleased(row, col);
        }
    }
}

void OvcTableMasterList::mouseDoubleClickEvent(QMouseEvent* e)
{
    dragRow_ = dragCol_ = -1;  // a double click ends a drag
    QTableView::mouseDoubleClickEvent(e);
    if (e->button() != Qt::LeftButton)
        return;
    const auto [row, col] = cellAt(e->position().toPoint());
    if (row >= 1) {
        setActiveCell(row, col);
        Q_EMIT cellDoubleClicked(row, col);
    }
}

bool OvcTableMasterList::acceptsDrop(const QMimeData* mime, const QPoint& pos, QObject*) const
{
    // Only cells of this grid are dropped, and only over a data cell.
    if (!mime || !mime->hasFormat(QString::fromLatin1(kMLCellMimeType)))
        return false;
    const QList<QByteArray> parts = mime->data(QString::fromLatin1(kMLCellMimeType)).split(';');
    if (parts.size() != 3 || parts[0].toULongLong() != quintptr(this))
        return false;
    return cellAt(pos).first >= 1;
}

void OvcTableMasterList::dragEnterEvent(QDragEnterEvent* e)
{
    if (e->mimeData() && e->mimeData()->hasFormat(QString::fromLatin1(kMLCellMimeType)))
        e->acceptProposedAction();
    else
        e->ignore();
}

void OvcTableMasterList::dragMoveEvent(QDragMoveEvent* e)
{
    if (acceptsDrop(e->mimeData(), e->position().toPoint(), e->source()))
        e->acceptProposedAction();
    else
        e->ignore();
}

void OvcTableMasterList::dropEvent(QDropEvent* e)
{
    if (!dropCell(e->mimeData(), e->position().toPoint())) {
        e->ignore();
        return;
    }
    e->setDropAction(Qt::MoveAction);
    e->accept();
}

bool OvcTableMasterList::dropCell(const QMimeData* mime, const QPoint& pos)
{
    if (!acceptsDrop(mime, pos, nullptr))
        return false;
    const QList<QByteArray> parts = mime->data(QString::fromLatin1(kMLCellMimeType)).split(';');
    const int srcCol = parts[1].toInt(), srcRow = parts[2].toInt();
    const auto [row, col] = cellAt(pos);
    if (row != srcRow || col != srcCol)  // a cell dropped on itself does nothing
        Q_EMIT cellDropped(srcCol, srcRow, col, row);
    return true;
}

}  // namespace orv
