#include "gui/masterlist/ColumnHeadings.h"

#include "core/config/AppState.h"
#include "core/masterlist/EntryRules.h"
#include "core/store/DataModule.h"
#include "gui/base/MessageDlg.h"
#include "gui/base/TableStyle.h"
#include "gui/base/WindowPlacement.h"
#include "gui/masterlist/EditTableEntriesView.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

namespace orv {

namespace {

class HeadingDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        auto* ed = new QLineEdit(parent);
        ed->setMaxLength(kHeadingLen);
        ed->setFrame(false);
        return ed;
    }
};

}  // namespace

ColHdrsModel::ColHdrsModel(ORVDataModule& dm, QObject* parent) : QAbstractTableModel(parent), dm_(dm) { reload(); }

void ColHdrsModel::reload()
{
    beginResetModel();
    colNums_.clear();
    headings_.clear();
    Query q = dm_.query(QStringLiteral("SELECT ColNum, Heading FROM %1 ORDER BY ColNum, rowid")
                            .arg(ORVDataModule::qualified(store::TableId::MasterListColHdrs)));
    while (q.next()) {
        colNums_ << int(q.int64(0));
        headings_ << q.text(1);
    }
    endResetModel();
}

int ColHdrsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(colNums_.size()); }
int ColHdrsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant ColHdrsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= colNums_.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return index.column() == 0 ? QVariant(colNums_[index.row()]) : QVariant(headings_[index.row()]);
    if (role == Qt::TextAlignmentRole)
        return index.column() == 0 ? QVariant(Qt::AlignCenter) : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

QVariant ColHdrsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == 0 ? QStringLiteral("Column") : QStringLiteral("Heading");
}

Qt::ItemFlags ColHdrsModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == 1)
        f |= Qt::ItemIsEditable;
    return f;
}

bool ColHdrsModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.column() != 1)
        return false;
    const QString text = value.toString().left(kHeadingLen);
    if (text == headings_[index.row()])
        return true;
    if (const Status st = setColumnHeading(dm_, colNums_[index.row()], text); !st) {
        MessageDlgCtr(st.message());
        return false;
    }
    headings_[index.row()] = text;
    Q_EMIT dataChanged(index, index);
    return true;
}

TfrmMLEditColHd::TfrmMLEditColHd(ORVDataModule& dm, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmMLEditColHd"));
    setWindowTitle(QStringLiteral("Edit Master List - Column Headings"));
    model_ = new ColHdrsModel(dm, this);

    lblCaption = new QLabel(QStringLiteral("Type in the desired heading for each column."), this);
    lblCaption->setObjectName(QStringLiteral("lblCaption"));

    OvcTableColHdrs = new EntryTableView(this);
    OvcTableColHdrs->setObjectName(QStringLiteral("OvcTableColHdrs"));
    OvcTableColHdrs->setModel(model_);
    OvcTableColHdrs->setItemDelegate(new HeadingDelegate(OvcTableColHdrs));
    OvcTableColHdrs->setEnterMove(EntryTableView::EnterMove::NextRow);
    OvcTableColHdrs->setSelectionMode(QAbstractItemView::SingleSelection);
    OvcTableColHdrs->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                     QAbstractItemView::AnyKeyPressed);
    OvcTableColHdrs->verticalHeader()->hide();
    OvcTableColHdrs->verticalHeader()->setDefaultSectionSize(22);
    OvcTableColHdrs->setColumnWidth(0, 70);
    OvcTableColHdrs->setColumnWidth(1, 170);
    OvcTableColHdrs->horizontalHeader()->setStretchLastSection(true);
    ApplyReportTableOptions(OvcTableColHdrs);

    auto* nav = new QHBoxLayout;
    nav->setSpacing(0);
    auto navButton = [&](const char* name, QStyle::StandardPixmap icon, const QString& hint) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(style()->standardIcon(icon));
        b->setToolTip(hint);
        b->setFocusPolicy(Qt::NoFocus);
        nav->addWidget(b);
        return b;
    };
    navFirst = navButton("navFirst", QStyle::SP_MediaSkipBackward, QStringLiteral("First record"));
    navPrior = navButton("navPrior", QStyle::SP_MediaSeekBackward, QStringLiteral("Prior record"));
    navNext = navButton("navNext", QStyle::SP_MediaSeekForward, QStringLiteral("Next record"));
    navLast = navButton("navLast", QStyle::SP_MediaSkipForward, QStringLiteral("Last record"));
    nav->addStretch();
    bbtnOK = new QPushButton(QStringLiteral("OK"), this);
    bbtnOK->setObjectName(QStringLiteral("bbtnOK"));
    bbtnOK->setAutoDefault(false);
    nav->addWidget(bbtnOK);

    auto* top = new QVBoxLayout(this);
    top->addWidget(lblCaption);
    top->addWidget(OvcTableColHdrs, 1);
    top->addLayout(nav);
    resize(320, 480);

    connect(navFirst, &QToolButton::clicked, this, [this] { goToRow(0); });
    connect(navPrior, &QToolButton::clicked, this,
            [this] { goToRow(qMax(0, OvcTableColHdrs->currentIndex().row() - 1)); });
    connect(navNext, &QToolButton::clicked, this,
            [this] { goToRow(qMin(model_->rowCount() - 1, OvcTableColHdrs->currentIndex().row() + 1)); });
    connect(navLast, &QToolButton::clicked, this, [this] { goToRow(model_->rowCount() - 1); });
    connect(bbtnOK, &QPushButton::clicked, this, &QDialog::accept);

    goToRow(0);
    RestoreWindowPlacement(this, objectName(), appState().Config.SaveWindowPositions);
}

void TfrmMLEditColHd::goToRow(int row)
{
    if (row >= 0 && row < model_->rowCount())
        OvcTableColHdrs->setCurrentIndex(model_->index(row, 1));
}

void TfrmMLEditColHd::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    InitWindowPlacement(this, objectName());
    OvcTableColHdrs->setFocus();
}

void TfrmMLEditColHd::done(int r)
{
    // A heading still being typed is stored.
    OvcTableColHdrs->finishEdit(true);
    SaveWindowPlacement(this, objectName());
    QDialog::done(r);
}

}  // namespace orv
