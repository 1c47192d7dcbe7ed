#include "gui/masterlist/AssetAllocation.h"

#include "core/base/Format.h"
#include "core/config/AppState.h"
#include "core/masterlist/AllocAssignments.h"
#include "core/store/DataModule.h"
#include "gui/base/MessageDlg.h"
#include "gui/base/TableStyle.h"
#include "gui/base/WindowPlacement.h"
#include "gui/masterlist/EditTableEntriesView.h"

#include <QDoubleSpinBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace orv {

namespace {

constexpr int kRoleAllocID = Qt::UserRole + 1;
constexpr int kRoleSub = Qt::UserRole + 2;  // 0 for a category node

// Percentages as "####.##" limited to 0 to 100.
class PercentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        auto* sb = new QDoubleSpinBox(parent);
        sb->setRange(kAllocPctMin, kAllocPctMax);
        sb->setDecimals(2);
        sb->setButtonSymbols(QAbstractSpinBox::NoButtons);
        sb->setAlignment(Qt::AlignRight);
        sb->setFrame(false);
        return sb;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        static_cast<QDoubleSpinBox*>(editor)->setValue(index.data(Qt::EditRole).toDouble());
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        auto* sb = static_cast<QDoubleSpinBox*>(editor);
        sb->interpretText();
        model->setData(index, sb->value(), Qt::EditRole);
    }
};

QLabel* panel(QWidget* parent, const char* name, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setTextFormat(Qt::PlainText);
    return l;
}

}  // namespace

// ---------------------------------------------------------------- model

AllocValuesModel::AllocValuesModel(ORVDataModule& dm, int mlID, QObject* parent)
    : QAbstractTableModel(parent), dm_(dm), mlID_(mlID)
{
}

void AllocValuesModel::setCategory(int allocID, const AssetAllocHdrRec& hdr)
{
    beginResetModel();
    allocID_ = allocID;
    hdr_ = hdr;
    values_ = allocValues(dm_, mlID_, allocID);
    endResetModel();
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, 1);
    Q_EMIT totalChanged();
}

double AllocValuesModel::total() const { return allocTotal(values_); }

int AllocValuesModel::rowCount(const QModelIndex& parent) const { return parent.isValid() || !allocID_ ? 0 : kAllocSubs; }
int AllocValuesModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant AllocValuesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const size_t r = size_t(index.row());
    if (index.column() == 0) {
        if (role == Qt::DisplayRole)
            return subCategoryLabel(hdr_.Sub[r]);
        return {};
    }
    if (role == Qt::DisplayRole)
        return fmtNumber(values_.Pct[r], QStringLiteral("###0.00"));
    if (role == Qt::EditRole)
        return values_.Pct[r];
    if (role == Qt::TextAlignmentRole)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant AllocValuesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return section == 0 ? hdr_.Title : QStringLiteral("Value");
    if (role == Qt::TextAlignmentRole)
        return section == 0 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter) : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags AllocValuesModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == 1)
        f |= Qt::ItemIsEditable;
    return f;
}

bool AllocValuesModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.column() != 1 || !allocID_)
        return false;
    bool ok = false;
    const double v = value.toDouble(&ok);
    if (!ok)
        return false;
    if (const Status st = setAllocPercent(dm_, mlID_, allocID_, index.row() + 1, v); !st) {
        MessageDlgCtr(st.message());
        return false;
    }
    values_.Pct[size_t(index.row())] = allocPercent(v);
    Q_EMIT dataChanged(index, index);
    Q_EMIT totalChanged();
    return true;
}

// ---------------------------------------------------------------- window

TfrmMLEditAllocations::TfrmMLEditAllocations(ORVDataModule& dm, int mlID, const QString& shortName, QWidget* parent)
    : QDialog(parent), dm_(dm)
{
    setObjectName(QStringLiteral("frmMLEditAllocations"));
    setWindowTitle(QStringLiteral("Edit Master List - Asset Allocation"));
    model_ = new AllocValuesModel(dm_, mlID, this);

    QFont bold = font();
    bold.setBold(true);
    lblEditCategories = new QLabel(QStringLiteral("Edit Categories"), this);
    lblEditCategories->setObjectName(QStringLiteral("lblEditCategories"));
    lblEditCategories->setFont(bold);
    tvCategories = new QTreeWidget(this);
    tvCategories->setObjectName(QStringLiteral("tvCategories"));
    tvCategories->setHeaderHidden(true);
    tvCategories->setColumnCount(1);
    tvCategories->setEditTriggers(QAbstractItemView::EditKeyPressed);
    tvCategories->setMinimumWidth(230);
    btnEdit = new QPushButton(QStringLiteral("Edit"), this);
    btnEdit->setObjectName(QStringLiteral("btnEdit"));
    btnEdit->setAutoDefault(false);

    lblEditAssignments = new QLabel(QStringLiteral("Edit Assignments"), this);
    lblEditAssignments->setObjectName(QStringLiteral("lblEditAssignments"));
    lblEditAssignments->setFont(bold);
    OvcTableAssignments = new EntryTableView(this);
    OvcTableAssignments->setObjectName(QStringLiteral("OvcTableAssignments"));
    OvcTableAssignments->setModel(model_);
    OvcTableAssignments->setItemDelegateForColumn(1, new PercentDelegate(OvcTableAssignments));
    OvcTableAssignments->setEnterMove(EntryTableView::EnterMove::NextRow);
    OvcTableAssignments->setSelectionMode(QAbstractItemView::SingleSelection);
    OvcTableAssignments->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                         QAbstractItemView::AnyKeyPressed);
    OvcTableAssignments->verticalHeader()->hide();
    OvcTableAssignments->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    OvcTableAssignments->verticalHeader()->setDefaultSectionSize(22);
    OvcTableAssignments->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    OvcTableAssignments->horizontalHeader()->setSectionsClickable(false);
    OvcTableAssignments->setColumnWidth(0, 190);
    OvcTableAssignments->setColumnWidth(1, 80);
    OvcTableAssignments->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    OvcTableAssignments->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ApplyReportTableOptions(OvcTableAssignments);
    {
        // Heading row plus ten rows, exactly.
        const int h = OvcTableAssignments->horizontalHeader()->sizeHint().height() + 10 * 22 +
                      2 * OvcTableAssignments->frameWidth();
        OvcTableAssignments->setFixedSize(190 + 80 + 2 * OvcTableAssignments->frameWidth(), h);
    }

    pnlTotalCaption = new QLabel(QStringLiteral("Total "), this);
    pnlTotalCaption->setObjectName(QStringLiteral("pnlTotalCaption"));
    pnlTotalCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    pnlTotal = panel(this, "pnlTotal", QString());
    pnlTotal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    pnlTotal->setMinimumWidth(80);
    pnlCaption = panel(this, "pnlCaption", shortName);
    pnlCaption->setAlignment(Qt::AlignCenter);
    pnlCaption->setFont(bold);
    btnExit = new QPushButton(QStringLiteral("E&xit"), this);
    btnExit->setObjectName(QStringLiteral("btnExit"));
    btnExit->setAutoDefault(false);

    auto* left = new QVBoxLayout;
    left->addWidget(lblEditCategories);
    left->addWidget(tvCategories, 1);
    left->addWidget(btnEdit, 0, Qt::AlignLeft);

    auto* totalRow = new QHBoxLayout;
    totalRow->addStretch();
    totalRow->addWidget(pnlTotalCaption);
    totalRow->addWidget(pnlTotal);
    auto* right = new QVBoxLayout;
    right->addWidget(lblEditAssignments);
    right->addWidget(OvcTableAssignments);
    right->addLayout(totalRow);
    right->addStretch();
    right->addWidget(pnlCaption);
    auto* exitRow = new QHBoxLayout;
    exitRow->addStretch();
    exitRow->addWidget(btnExit);
    right->addLayout(exitRow);

    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addSpacing(12);
    top->addLayout(right);
    resize(600, 440);

    if (const Status st = ensureAllocHdrs(dm_); !st)
        MessageDlgCtr(st.message());
    fillTree();

    connect(btnEdit, &QPushButton::clicked, this, [this] {
        if (QTreeWidgetItem* item = tvCategories->currentItem())
            tvCategories->editItem(item, 0);
    });
    connect(tvCategories, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { showCategoryOf(current); });
    connect(tvCategories, &QTreeWidget::itemChanged, this, &TfrmMLEditAllocations::itemChanged);
    connect(model_, &AllocValuesModel::totalChanged, this, &TfrmMLEditAllocations::refreshTotal);
    connect(btnExit, &QPushButton::clicked, this, &QDialog::accept);

    if (tvCategories->topLevelItemCount() > 0)
        tvCategories->setCurrentItem(tvCategories->topLevelItem(0));
    RestoreWindowPlacement(this, objectName(), appState().Config.SaveWindowPositions);
}

void TfrmMLEditAllocations::fillTree()
{
    filling_ = true;
    tvCategories->clear();
    hdrs_ = allocHdrs(dm_);
    for (const AssetAllocHdrRec& h : hdrs_) {
        auto* cat = new QTreeWidgetItem(tvCategories, QStringList{h.Title});
        cat->setData(0, kRoleAllocID, h.AllocID);
        cat->setData(0, kRoleSub, 0);
        cat->setFlags(cat->flags() | Qt::ItemIsEditable);
        for (int s = 0; s < kAllocSubs; ++s) {
            auto* sub = new QTreeWidgetItem(cat, QStringList{h.Sub[size_t(s)]});
            sub->setData(0, kRoleAllocID, h.AllocID);
            sub->setData(0, kRoleSub, s + 1);
            sub->setFlags(sub->flags() | Qt::ItemIsEditable);
        }
    }
    filling_ = false;
}

void TfrmMLEditAllocations::showCategoryOf(QTreeWidgetItem* item)
{
    if (!item)
        return;
    OvcTableAssignments->finishEdit(true);
    const int allocID = item->data(0, kRoleAllocID).toInt();
    for (const AssetAllocHdrRec& h : hdrs_)
        if (h.AllocID == allocID)
            model_->setCategory(allocID, h);
}

void TfrmMLEditAllocations::itemChanged(QTreeWidgetItem* item, int column)
{
    if (filling_ || column != 0)
        return;
    const int allocID = item->data(0, kRoleAllocID).toInt();
    const int sub = item->data(0, kRoleSub).toInt();
    const Result<QString> stored = sub == 0 ? setAllocTitle(dm_, allocID, item->text(0))
                                            : setAllocSubTitle(dm_, allocID, sub, item->text(0));
    filling_ = true;
    if (!stored) {
        MessageDlgCtr(stored.message());
    } else {
        item->setText(0, stored.value());
        for (AssetAllocHdrRec& h : hdrs_)
            if (h.AllocID == allocID) {
                if (sub == 0)
                    h.Title = stored.value();
                else
                    h.Sub[size_t(sub - 1)] = stored.value();
            }
    }
    filling_ = false;
    showCategoryOf(tvCategories->currentItem());
}

void TfrmMLEditAllocations::refreshTotal() { pnlTotal->setText(formatAllocTotal(model_->total())); }

void TfrmMLEditAllocations::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    InitWindowPlacement(this, objectName());
    tvCategories->setFocus();
}

void TfrmMLEditAllocations::done(int r)
{
    OvcTableAssignments->finishEdit(true);
    SaveWindowPlacement(this, objectName());
    QDialog::done(r);
}

}  // namespace orv
