#include "gui/prices/PriceGrid.h"

#include "core/prices/PriceEntry.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTimer>
#include <algorithm>
#include <set>

namespace orv {

namespace {

// Edits a price as text; Enter takes the value and moves to the next row.
class PriceDelegate : public QStyledItemDelegate {
public:
    explicit PriceDelegate(TPriceGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        auto* ed = new QLineEdit(parent);
        ed->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        ed->setFrame(false);
        return ed;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        auto* ed = static_cast<QLineEdit*>(editor);
        const double v = index.data(Qt::EditRole).toDouble();
        ed->setText(prices::isNoPrice(v) ? QString() : QString::number(v, 'g', 15));
        ed->selectAll();
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        const auto v = TPriceGrid::readPrice(static_cast<QLineEdit*>(editor)->text());
        if (v)
            model->setData(index, *v, Qt::EditRole);
    }
    bool eventFilter(QObject* obj, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(e)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down || key == Qt::Key_Up) {
                auto* ed = qobject_cast<QWidget*>(obj);
                emit commitData(ed);
                emit closeEditor(ed, QAbstractItemDelegate::NoHint);
                const int delta = key == Qt::Key_Up ? -1 : 1;
                TPriceGrid* g = grid_;
                QTimer::singleShot(0, g, [g, delta] { g->goToRow(g->currentIndex().row() + delta); });
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(obj, e);
    }

private:
    TPriceGrid* grid_;
};

}  // namespace

TPriceGridModel::TPriceGridModel(QString labelHeader, bool labelRight, Source source, QObject* parent)
    : QAbstractTableModel(parent), header_(std::move(labelHeader)), labelRight_(labelRight), src_(std::move(source))
{
}

int TPriceGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : src_.count(); }
int TPriceGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant TPriceGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= src_.count())
        return {};
    if (role == Qt::TextAlignmentRole)
        return int((index.column() == 0 && !labelRight_ ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    if (index.column() == 0)
        return role == Qt::DisplayRole ? QVariant(src_.label(index.row())) : QVariant();
    if (role == Qt::DisplayRole)
        return TPriceGrid::priceText(src_.price(index.row()));
    if (role == Qt::EditRole)
        return src_.price(index.row());
    return {};
}

bool TPriceGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || index.column() != 1 || !index.isValid())
        return false;
    bool ok = false;
    const double v = value.toDouble(&ok);
    if (!ok || !src_.setPrice(index.row(), v)) {
        emit dataChanged(index, index);  // shows the previous content again
        return false;
    }
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags TPriceGridModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == 1)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant TPriceGridModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (o == Qt::Horizontal && role == Qt::DisplayRole)
        return section == 0 ? header_ : QStringLiteral("Prices");
    if (o == Qt::Horizontal && role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

void TPriceGridModel::reload()
{
    beginResetModel();
    endResetModel();
}

TPriceGrid::TPriceGrid(TPriceGridModel* model, QWidget* parent) : QTableView(parent), model_(model)
{
    setModel(model);
    setItemDelegateForColumn(1, new PriceDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(0, QHeaderView::Fixed);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setSectionsClickable(false);
    setColumnWidth(0, 150);
    setTabKeyNavigation(false);
}

std::vector<int> TPriceGrid::highlightedRows() const
{
    std::set<int> rows;
    if (selectionModel())
        for (const QModelIndex& i : selectionModel()->selectedRows())
            rows.insert(i.row());
    if (currentIndex().isValid())
        rows.insert(currentIndex().row());
    return {rows.begin(), rows.end()};
}

void TPriceGrid::goToRow(int row)
{
    const int n = model_->rowCount();
    if (n == 0)
        return;
    row = std::clamp(row, 0, n - 1);
    const QModelIndex i = model_->index(row, 1);
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(i);
}

void TPriceGrid::endEdit()
{
    if (state() == QAbstractItemView::EditingState) {
        if (QWidget* ed = indexWidget(currentIndex())) {
            commitData(ed);
            closeEditor(ed, QAbstractItemDelegate::NoHint);
        }
    }
}

QString TPriceGrid::priceText(double v)
{
    if (prices::isNoPrice(v))
        return {};
    QLocale loc;
    loc.setNumberOptions(QLocale::DefaultNumberOptions);
    return loc.toString(v, 'f', 6);
}

std::optional<double> TPriceGrid::readPrice(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    QLocale loc;
    double v = loc.toDouble(t, &ok);
    if (!ok)
        v = QLocale::c().toDouble(QString(t).remove(QLatin1Char(',')), &ok);
    if (!ok)
        return std::nullopt;
    return v;
}

void TPriceGrid::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        goToRow(currentIndex().row() + 1);
        e->accept();
        return;
    }
    QTableView::keyPressEvent(e);
}

void TPriceGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (current.isValid() && current.column() != 1) {
        const QModelIndex i = model_->index(current.row(), 1);
        QTimer::singleShot(0, this, [this, i] {
            if (i.isValid() && currentIndex().row() == i.row() && currentIndex().column() != 1)
                selectionModel()->setCurrentIndex(i, QItemSelectionModel::NoUpdate);
        });
    }
}

void PriceStatusBar::build(QWidget* owner, int firstPanelWidth)
{
    bar = new QStatusBar(owner);
    bar->setSizeGripEnabled(true);
    panel1 = new QLabel(bar);
    panel1->setObjectName(QStringLiteral("StatusPanel1"));
    panel1->setMinimumWidth(firstPanelWidth);
    panel1->setFrameShape(QFrame::Panel);
    panel1->setFrameShadow(QFrame::Sunken);
    progress = new QProgressBar(bar);
    progress->setObjectName(QStringLiteral("ProgressBar"));
    progress->setTextVisible(false);
    progress->setRange(0, 100);
    progress->setValue(0);
    progress->setMaximumHeight(panel1->sizeHint().height());
    bar->addWidget(panel1, 0);
    bar->addWidget(progress, 1);
}

void PriceStatusBar::clear()
{
    panel1->clear();
    progress->setValue(0);
}

}  // namespace orv
