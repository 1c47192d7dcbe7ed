#include "gui/masterlist/EditTableEntries.h"

#include "core/config/AppState.h"
#include "core/masterlist/EntryRules.h"
#include "core/store/DataModule.h"
#include "gui/base/MessageDlg.h"
#include "gui/base/TableStyle.h"
#include "gui/base/WindowPlacement.h"
#include "gui/masterlist/DeleteEntry.h"
#include "gui/masterlist/EditTableEntriesView.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace orv {

namespace {

const QStringList kHiddenFields{QStringLiteral("MLID"), QStringLiteral("RowNum"), QStringLiteral("ColNum"),
                                QStringLiteral("Selected")};

bool isMovAve(const QString& field) { return field.startsWith(QLatin1String("MovAve")); }

// Editors of the table: the types as a drop-down list, moving-average lengths 1 to
// 999, texts limited to what may be typed.
class EntryDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (index.column() >= MLEntriesModel::kVisibleColumns)
            return nullptr;
        const EntryColumn& c = tableEntryColumns()[index.column()];
        if (c.field == QLatin1String("Type")) {
            auto* cb = new QComboBox(parent);
            cb->addItems(issueTypes());
            return cb;
        }
        if (isMovAve(c.field)) {
            auto* sb = new QSpinBox(parent);
            sb->setRange(kMovAveMin, kMovAveMax);
            sb->setButtonSymbols(QAbstractSpinBox::NoButtons);
            sb->setAlignment(Qt::AlignRight);
            return sb;
        }
        auto* ed = new QLineEdit(parent);
        ed->setMaxLength(c.maxTyped);
        ed->setFrame(false);
        Q_UNUSED(option);
        return ed;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        if (auto* cb = qobject_cast<QComboBox*>(editor)) {
            cb->setCurrentText(index.data(Qt::EditRole).toString().trimmed());
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }
};

}  // namespace

// ---------------------------------------------------------------- model

MLEntriesModel::MLEntriesModel(ORVDataModule& dm, QObject* parent) : QAbstractTableModel(parent), dm_(dm)
{
    for (const EntryColumn& c : tableEntryColumns())
        fields_ << c.field;
    fields_ << kHiddenFields;
}

Table& MLEntriesModel::table() const { return dm_.fftblMasterList(); }

void MLEntriesModel::reload()
{
    beginResetModel();
    bookmarks_.clear();
    rows_.clear();
    Table& t = table();
    if (t.state() == TableState::Browse) {
        const Bookmark keep = t.bookmark();
        for (t.first(); !t.eof(); t.next()) {
            bookmarks_ << t.bookmark();
            QVariantList row;
            for (const QString& f : fields_)
                row << t.value(f);
            rows_ << row;
        }
        if (keep != kNoBookmark)
            t.gotoBookmark(keep);
    }
    editRow_ = -1;
    endResetModel();
}

int MLEntriesModel::rowOfMLID(int mlID) const
{
    const int c = fields_.indexOf(QStringLiteral("MLID"));
    for (int r = 0; r < rows_.size(); ++r)
        if (rows_[r][c].toInt() == mlID)
            return r;
    return -1;
}

int MLEntriesModel::mlIDAt(int row) const
{
    if (row < 0 || row >= rows_.size())
        return -1;
    return rows_[row][fields_.indexOf(QStringLiteral("MLID"))].toInt();
}

QString MLEntriesModel::fieldAt(int column) const { return fields_.value(column); }

int MLEntriesModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows_.size()); }
int MLEntriesModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(fields_.size()); }

QVariant MLEntriesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows_.size())
        return {};
    const QString& field = fields_[index.column()];
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        if (index.row() == editRow_ && table().state() == TableState::Edit)
            return table().value(field);
        return rows_[index.row()][index.column()];
    }
    if (role == Qt::TextAlignmentRole)
        return isMovAve(field) ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

QVariant MLEntriesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        // Row indicator: the record in edit state.
        if (role == Qt::DisplayRole)
            return section == editRow_ ? QStringLiteral("I") : QString();
        return {};
    }
    if (section >= kVisibleColumns)
        return role == Qt::DisplayRole ? QVariant(fields_.value(section)) : QVariant();
    if (role == Qt::DisplayRole) {
        // Two-line headings: Qt breaks header lines at '\n'.
        QString h = twoLineHeading(tableEntryColumns()[section].heading);
        h.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        return h;
    }
    if (role == Qt::TextAlignmentRole)
        return section < 7 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter) : QVariant(Qt::AlignCenter);
    return {};
}

Qt::ItemFlags MLEntriesModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() < kVisibleColumns)
        f |= Qt::ItemIsEditable;
    return f;
}

bool MLEntriesModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.column() >= kVisibleColumns)
        return false;
    const int row = index.row();
    const QString& field = fields_[index.column()];
    QVariant v = value;
    if (field == QLatin1String("ICDINumber"))
        v = value.toString().left(kICDILen);  // the field holds five characters
    else if (isMovAve(field))
        v = qBound(kMovAveMin, value.toInt(), kMovAveMax);

    Table& t = table();
    if (editRow_ != row && data(index, Qt::EditRole) == v)
        return true;  // nothing typed: the record does not enter edit state
    if (editRow_ >= 0 && editRow_ != row && !postEdit())
        return false;
    if (editRow_ != row) {
        if (!t.gotoBookmark(bookmarks_[row]))
            return false;
        if (const Status st = t.edit(); !st) {
            MessageDlgCtr(st.message());
            return false;
        }
        editRow_ = row;
        Q_EMIT headerDataChanged(Qt::Vertical, row, row);
        Q_EMIT editStateChanged();
    }
    if (!t.setValue(field, v))
        return false;
    Q_EMIT dataChanged(this->index(row, 0), this->index(row, columnCount() - 1));
    return true;
}

bool MLEntriesModel::postEdit()
{
    Table& t = table();
    if (editRow_ < 0 || t.state() != TableState::Edit) {
        editRow_ = -1;
        return true;
    }
    if (const Status st = t.post(); !st) {
        MessageDlgCtr(st.message());
        return false;  // the record stays in edit
    }
    const int row = editRow_;
    QVariantList values;
    for (const QString& f : fields_)
        values << t.value(f);
    rows_[row] = values;
    // The sheet the post rule reads must know the new name at once, or a second
    // entry could take the old name back or this one's new name.
    const int r = t.intValue(QStringLiteral("RowNum"));
    const int c = t.intValue(QStringLiteral("ColNum"));
    if (dm_.MLDisplay.contains(r, c))
        dm_.MLDisplay.at(r, c).shortName = t.stringValue(QStringLiteral("ShortName")).left(kShortNameLen);
    editRow_ = -1;
    Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
    Q_EMIT headerDataChanged(Qt::Vertical, row, row);
    Q_EMIT editStateChanged();
    return true;
}

void MLEntriesModel::cancelEdit()
{
    Table& t = table();
    if (t.state() == TableState::Edit)
        t.cancel();
    const int row = editRow_;
    editRow_ = -1;
    if (row >= 0) {
        Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
        Q_EMIT headerDataChanged(Qt::Vertical, row, row);
        Q_EMIT editStateChanged();
    }
}

// ---------------------------------------------------------------- window

TfrmMLEditTableEntries::TfrmMLEditTableEntries(ORVDataModule& dm, int mlID, QWidget* parent)
    : QDialog(parent), dm_(dm)
{
    setObjectName(QStringLiteral("frmMLEditTableEntries"));
    setWindowTitle(QStringLiteral("Edit Master List - Table Entries"));
    dm_.MLValidationOn = true;
    Table& t = dm_.fftblMasterList();
    oldIndex_ = t.indexName();
    t.setIndexName(QStringLiteral("IndxShortName"));

    model_ = new MLEntriesModel(dm_, this);
    model_->reload();

    OvcTableMasterList = new EntryTableView(this);
    OvcTableMasterList->setObjectName(QStringLiteral("OvcTableMasterList"));
    OvcTableMasterList->setModel(model_);
    OvcTableMasterList->setItemDelegate(new EntryDelegate(OvcTableMasterList));
    OvcTableMasterList->setSelectionMode(QAbstractItemView::SingleSelection);
    OvcTableMasterList->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                        QAbstractItemView::AnyKeyPressed);
    for (int c = MLEntriesModel::kVisibleColumns; c < model_->columnCount(); ++c)
        OvcTableMasterList->setColumnHidden(c, true);
    const int widths[MLEntriesModel::kVisibleColumns] = {120, 190, 125, 65, 85, 95, 72, 72, 72, 72};
    for (int c = 0; c < MLEntriesModel::kVisibleColumns; ++c)
        OvcTableMasterList->setColumnWidth(c, widths[c]);
    OvcTableMasterList->verticalHeader()->setDefaultSectionSize(22);
    OvcTableMasterList->verticalHeader()->setMinimumWidth(18);
    OvcTableMasterList->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    ApplyReportTableOptions(OvcTableMasterList);

    // Record navigator.
    auto* nav = new QHBoxLayout;
    nav->setSpacing(0);
    auto navButton = [&](const char* name, QStyle::StandardPixmap icon, const QString& hint) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(style()->standardIcon(icon));
        b->setToolTip(hint);
        b->setAutoRaise(false);
        b->setFocusPolicy(Qt::NoFocus);
        nav->addWidget(b);
        return b;
    };
    navFirst = navButton("navFirst", QStyle::SP_MediaSkipBackward, QStringLiteral("First record"));
    navPrior = navButton("navPrior", QStyle::SP_MediaSeekBackward, QStringLiteral("Prior record"));
    navNext = navButton("navNext", QStyle::SP_MediaSeekForward, QStringLiteral("Next record"));
    navLast = navButton("navLast", QStyle::SP_MediaSkipForward, QStringLiteral("Last record"));
    navPost = navButton("navPost", QStyle::SP_DialogApplyButton, QStringLiteral("Post edit"));
    navCancel = navButton("navCancel", QStyle::SP_DialogCancelButton, QStringLiteral("Cancel edit"));
    nav->addStretch();

    bbtnOK = new QPushButton(QStringLiteral("&OK"), this);
    bbtnOK->setObjectName(QStringLiteral("bbtnOK"));
    bbtnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    bbtnCancel->setObjectName(QStringLiteral("bbtnCancel"));
    bbtnDeleteRecord = new QPushButton(QStringLiteral("&Delete Record"), this);
    bbtnDeleteRecord->setObjectName(QStringLiteral("bbtnDeleteRecord"));
    for (QPushButton* b : {bbtnOK, bbtnCancel, bbtnDeleteRecord})
        b->setAutoDefault(false);
    nav->addWidget(bbtnDeleteRecord);
    nav->addSpacing(24);
    nav->addWidget(bbtnOK);
    nav->addWidget(bbtnCancel);

    stbStatus = new QStatusBar(this);
    stbStatus->setObjectName(QStringLiteral("stbStatus"));
    stbStatus->setSizeGripEnabled(true);

    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(6, 6, 6, 0);
    top->addWidget(OvcTableMasterList, 1);
    top->addLayout(nav);
    top->addWidget(stbStatus);
    resize(1010, 460);

    connect(navFirst, &QToolButton::clicked, this, [this] { goToRow(0); });
    connect(navPrior, &QToolButton::clicked, this,
            [this] { goToRow(qMax(0, OvcTableMasterList->currentIndex().row() - 1)); });
    connect(navNext, &QToolButton::clicked, this, [this] {
        goToRow(qMin(model_->rowCount() - 1, OvcTableMasterList->currentIndex().row() + 1));
    });
    connect(navLast, &QToolButton::clicked, this, [this] { goToRow(model_->rowCount() - 1); });
    connect(navPost, &QToolButton::clicked, this, [this] {
        OvcTableMasterList->finishEdit(true);
        model_->postEdit();
        OvcTableMasterList->setFocus();
    });
    connect(navCancel, &QToolButton::clicked, this, [this] {
        OvcTableMasterList->finishEdit(false);
        model_->cancelEdit();
        OvcTableMasterList->setFocus();
    });
    connect(bbtnOK, &QPushButton::clicked, this, &TfrmMLEditTableEntries::bbtnOKClick);
    connect(bbtnCancel, &QPushButton::clicked, this, &TfrmMLEditTableEntries::bbtnCancelClick);
    connect(bbtnDeleteRecord, &QPushButton::clicked, this, &TfrmMLEditTableEntries::bbtnDeleteRecordClick);
    connect(OvcTableMasterList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TfrmMLEditTableEntries::currentRowChanged);
    connect(model_, &MLEntriesModel::editStateChanged, this, &TfrmMLEditTableEntries::refreshStatus);

    openDeleteEntry = [this](int id) {
        TfrmMLDeleteEntry w(dm_, id, this);
        return w.exec() == QDialog::Accepted;
    };

    const int row = model_->rowOfMLID(mlID);
    goToRow(row >= 0 ? row : 0);
    RestoreWindowPlacement(this, objectName(), appState().Config.SaveWindowPositions);
}

TfrmMLEditTableEntries::~TfrmMLEditTableEntries()
{
    Table& t = dm_.fftblMasterList();
    if (t.state() == TableState::Edit)
        t.cancel();
    t.setIndexName(QStringLiteral("IndxColRow"));
    dm_.MLValidationOn = false;
}

void TfrmMLEditTableEntries::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    InitWindowPlacement(this, objectName());
    OvcTableMasterList->setFocus();
}

void TfrmMLEditTableEntries::goToRow(int row)
{
    if (row < 0 || row >= model_->rowCount())
        return;
    const int col = qMax(0, OvcTableMasterList->currentIndex().column());
    OvcTableMasterList->setCurrentIndex(model_->index(row, col));
    refreshStatus();
}

void TfrmMLEditTableEntries::currentRowChanged(const QModelIndex& current, const QModelIndex& previous)
{
    Q_UNUSED(previous);
    if (returning_)
        return;
    const int editRow = model_->editRow();
    if (editRow >= 0 && current.row() != editRow && !model_->postEdit()) {
        // The refused record keeps the cursor.
        returning_ = true;
        QTimer::singleShot(0, this, [this, editRow] {
            const int col = qMax(0, OvcTableMasterList->currentIndex().column());
            OvcTableMasterList->setCurrentIndex(model_->index(editRow, col));
            returning_ = false;
        });
    }
    refreshStatus();
}

void TfrmMLEditTableEntries::refreshStatus()
{
    const int row = OvcTableMasterList->currentIndex().row();
    QString text = QStringLiteral("Record %1 of %2").arg(row + 1).arg(model_->rowCount());
    if (model_->editRow() >= 0)
        text += QStringLiteral("   (editing)");
    stbStatus->showMessage(text);
}

void TfrmMLEditTableEntries::bbtnOKClick()
{
    OvcTableMasterList->finishEdit(true);
    if (!model_->postEdit())
        return;
    accept();
}

void TfrmMLEditTableEntries::bbtnCancelClick()
{
    OvcTableMasterList->finishEdit(false);
    model_->cancelEdit();
    reject();
}

void TfrmMLEditTableEntries::bbtnDeleteRecordClick()
{
    OvcTableMasterList->finishEdit(false);
    model_->cancelEdit();
    const int row = OvcTableMasterList->currentIndex().row();
    const int mlID = model_->mlIDAt(row);
    appState().CurMLID = mlID;
    if (mlID > 0) {
        const QModelIndex rIdx = model_->index(row, model_->columnCount() - 3);  // RowNum
        const int cellRow = rIdx.data().toInt();
        const int cellCol = model_->index(row, model_->columnCount() - 2).data().toInt();
        if (openDeleteEntry && openDeleteEntry(mlID)) {
            if (dm_.MLDisplay.contains(cellRow, cellCol))
                dm_.MLDisplay.at(cellRow, cellCol).shortName.clear();
            model_->reload();
            goToRow(qMin(row, model_->rowCount() - 1));
        }
    }
    OvcTableMasterList->setFocus();
}

void TfrmMLEditTableEntries::done(int r)
{
    if (r == QDialog::Rejected && isVisible()) {
        // Closing by the window's close box or Escape: a record in edit refuses it.
        OvcTableMasterList->finishEdit(true);
        if (model_->editRow() >= 0) {
            model_->cancelEdit();
            MessageDlgCtr(editCancelledMessage());
            return;
        }
    }
    SaveWindowPlacement(this, objectName());
    QDialog::done(r);
}

}  // namespace orv
