#include "gui/select/FindMasterListEntry.h"

#include "core/base/Format.h"
#include "core/config/AppState.h"
#include "core/config/Session.h"
#include "core/store/DataModule.h"
#include "gui/base/MessageDlg.h"
#include "gui/base/TableStyle.h"
#include "gui/base/WindowPlacement.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orv {

namespace {
constexpr int kFindWidth = 397;
}

TfrmFindMasterListEntry::TfrmFindMasterListEntry(ORVDataModule& dm, QWidget* parent) : QDialog(parent), dm_(dm)
{
    setObjectName(QStringLiteral("frmFindMasterListEntry"));
    setWindowTitle(QStringLiteral("Find Master List Entry"));

    grid = new QTableWidget(this);
    grid->setObjectName(QStringLiteral("OvcTableFind"));
    grid->setColumnCount(4);
    grid->setHorizontalHeaderLabels({findFieldCaption(FindField::Name), findFieldCaption(FindField::Ticker),
                                     findFieldCaption(FindField::ICDINumber), findFieldCaption(FindField::CUSIP)});
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(20);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setColumnWidth(0, 115);
    grid->setColumnWidth(1, 62);
    grid->setColumnWidth(2, 92);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->horizontalHeader()->setStretchLastSection(true);
    ApplyReportTableOptions(grid);
    connect(grid, &QTableWidget::cellDoubleClicked, this, [this](int, int) { bbtnOKClick(); });

    auto* box = new QGroupBox(QStringLiteral("Sorted Field"), this);
    box->setObjectName(QStringLiteral("rgSortedField"));
    rgSortedField_ = new QButtonGroup(this);
    auto* boxLayout = new QHBoxLayout(box);
    for (int i = 0; i < 4; ++i) {
        rbSorted[i] = new QRadioButton(findFieldCaption(FindField(i)), box);
        rgSortedField_->addButton(rbSorted[i], i);
        boxLayout->addWidget(rbSorted[i]);
    }
    rbSorted[0]->setChecked(true);
    connect(rgSortedField_, &QButtonGroup::idClicked, this, [this](int id) { setSortedField(FindField(id)); });

    bbtnOK = new QPushButton(QStringLiteral("&OK"), this);
    bbtnOK->setObjectName(QStringLiteral("bbtnOK"));
    bbtnOK->setDefault(true);
    bbtnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    bbtnCancel->setObjectName(QStringLiteral("bbtnCancel"));
    connect(bbtnOK, &QPushButton::clicked, this, [this] { bbtnOKClick(); });
    connect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(bbtnOK);
    buttons->addWidget(bbtnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid, 1);
    layout->addWidget(box);
    layout->addLayout(buttons);

    setFixedWidth(kFindWidth);  // the height stays free
    setMinimumHeight(250);
    resize(kFindWidth, 420);

    // Every entry, in table order, one row each.
    entries_ = loadMLEntryArray(dm_);
    grid->setRowCount(int(entries_.size()));
    RestoreWindowPlacement(this, objectName(), appState().Config.SaveWindowPositions);
    setFixedWidth(kFindWidth);
}

void TfrmFindMasterListEntry::setSortedField(FindField field)
{
    field_ = field;
    if (!rbSorted[int(field)]->isChecked())
        rbSorted[int(field)]->setChecked(true);
    sortMLEntryArray(entries_, field_, formatsLocale());
    fillGrid();
}

void TfrmFindMasterListEntry::fillGrid()
{
    grid->setRowCount(int(entries_.size()));
    for (int r = 0; r < int(entries_.size()); ++r) {
        for (int c = 0; c < 4; ++c) {
            auto* item = grid->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                grid->setItem(r, c, item);
            }
            item->setText(findFieldValue(entries_[size_t(r)], FindField(c)));
        }
    }
    // The chosen column becomes the active column; the active row stays.
    const int row = grid->currentRow() >= 0 ? grid->currentRow() : 0;
    if (!entries_.empty())
        grid->setCurrentCell(row, int(field_));
    grid->viewport()->update();
}

void TfrmFindMasterListEntry::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    InitWindowPlacement(this, objectName());
    setSortedField(field_);
    grid->setFocus();
}

void TfrmFindMasterListEntry::closeEvent(QCloseEvent* event)
{
    SaveWindowPlacement(this, objectName());
    QDialog::closeEvent(event);
}

void TfrmFindMasterListEntry::bbtnOKClick()
{
    const int row = grid->currentRow();
    if (row < 0 || row >= int(entries_.size()))
        return;
    located_ = locateEntryCell(dm_, entries_[size_t(row)].ShortName);
    if (!located_)
        return;
    SaveWindowPlacement(this, objectName());
    accept();
}

std::optional<MLCell> runFind(QWidget* parent)
{
    ORVDataModule* dm = session::dataModule();
    if (!dm)
        return std::nullopt;
    Status allowed = canOpenFind(*dm);
    if (!allowed.ok()) {
        MessageDlgCtr(allowed.message());
        return std::nullopt;
    }
    TfrmFindMasterListEntry w(*dm, parent);
    if (w.exec() != QDialog::Accepted)
        return std::nullopt;
    return w.located();
}

}  // namespace orv
