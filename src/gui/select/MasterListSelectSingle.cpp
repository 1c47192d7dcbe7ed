#include "gui/select/MasterListSelectSingle.h"

#include "core/config/AppState.h"
#include "core/config/Session.h"
#include "core/store/DataModule.h"
#include "gui/base/MessageDlg.h"
#include "gui/base/TableStyle.h"
#include "gui/base/WindowPlacement.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orv {

namespace {
const QString& columnValue(const MasterListRec& r, int col)
{
    switch (col) {
    case 1: return r.Ticker;
    case 2: return r.ICDINumber;
    default: return r.ShortName;
    }
}
}  // namespace

TfrmMasterListSelectSingle::TfrmMasterListSelectSingle(QWidget* parent)
    : QDialog(parent), dm_(session::dataModule())
{
    setObjectName(QStringLiteral("frmMasterListSelectSingle"));
    setWindowTitle(QStringLiteral("Select Security"));

    auto* lbl = new QLabel(QStringLiteral("Auto Search:"), this);
    edtAutoSearch = new QLineEdit(this);
    edtAutoSearch->setObjectName(QStringLiteral("edtAutoSearch"));
    edtAutoSearch->setMaxLength(16);
    lbl->setBuddy(edtAutoSearch);
    edtAutoSearch->installEventFilter(this);
    connect(edtAutoSearch, &QLineEdit::textEdited, this, [this](const QString& t) { autoSearch(t); });

    OvcTableML = new QTableWidget(this);
    OvcTableML->setObjectName(QStringLiteral("OvcTableML"));
    OvcTableML->setColumnCount(3);
    OvcTableML->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Ticker"), QStringLiteral("ICDI")});
    OvcTableML->verticalHeader()->hide();
    OvcTableML->verticalHeader()->setDefaultSectionSize(20);
    OvcTableML->setEditTriggers(QAbstractItemView::NoEditTriggers);
    OvcTableML->setSelectionBehavior(QAbstractItemView::SelectItems);
    OvcTableML->setSelectionMode(QAbstractItemView::SingleSelection);
    OvcTableML->setColumnWidth(0, 125);
    OvcTableML->setColumnWidth(1, 65);
    OvcTableML->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    OvcTableML->horizontalHeader()->setStretchLastSection(true);
    ApplyReportTableOptions(OvcTableML);
    connect(OvcTableML, &QTableWidget::currentCellChanged, this,
            [this](int row, int col, int, int) { currentCellChanged(row, col); });
    connect(OvcTableML, &QTableWidget::cellDoubleClicked, this, [this](int, int) { bbtnOKClick(); });

    bbtnOK = new QPushButton(QStringLiteral("OK"), this);
    bbtnOK->setObjectName(QStringLiteral("bbtnOK"));
    bbtnOK->setDefault(true);
    connect(bbtnOK, &QPushButton::clicked, this, [this] { bbtnOKClick(); });

    auto* search = new QHBoxLayout;
    search->addWidget(lbl);
    search->addWidget(edtAutoSearch, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(bbtnOK);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(search);
    layout->addWidget(OvcTableML, 1);
    layout->addLayout(buttons);
    resize(310, 360);
    RestoreWindowPlacement(this, objectName(), appState().Config.SaveWindowPositions);
}

QString TfrmMasterListSelectSingle::notLinearTypeFilter()
{
    return QStringLiteral("Type <> \"Linear type\"");
}

void TfrmMasterListSelectSingle::setFilter(const QString& expression)
{
    filter_ = expression;
}

void TfrmMasterListSelectSingle::setSearchText(const QString& text)
{
    edtAutoSearch->setText(text.trimmed());
}

QString TfrmMasterListSelectSingle::searchText() const
{
    return edtAutoSearch->text();
}

void TfrmMasterListSelectSingle::load()
{
    rows_.clear();
    if (!dm_)
        return;
    Table& ml = dm_->fftblMasterList();
    ml.setIndexName(QStringLiteral("IndxShortName"));
    Status filtered = ml.setFilter(filter_);
    ml.setFiltered(!filter_.isEmpty() && filtered.ok());
    for (ml.first(); !ml.eof(); ml.next()) {
        MasterListRec r;
        r.MLID = ml.intValue(QStringLiteral("MLID"));
        r.ShortName = ml.stringValue(QStringLiteral("ShortName")).trimmed();
        r.LongName = ml.stringValue(QStringLiteral("LongName"));
        r.Type = ml.stringValue(QStringLiteral("Type"));
        r.Ticker = ml.stringValue(QStringLiteral("Ticker")).trimmed();
        r.ICDINumber = ml.stringValue(QStringLiteral("ICDINumber")).trimmed();
        r.CUSIP = ml.stringValue(QStringLiteral("CUSIP")).trimmed();
        r.RowNum = ml.intValue(QStringLiteral("RowNum"));
        r.ColNum = ml.intValue(QStringLiteral("ColNum"));
        r.Selected = ml.boolValue(QStringLiteral("Selected"));
        rows_.push_back(std::move(r));
    }
    // The cursor goes back to its usual order; the filter stays off.
    ml.setFiltered(false);
    ml.setFilter(QString());
    ml.setIndexName(QStringLiteral("IndxColRow"));

    const QSignalBlocker block(OvcTableML);
    OvcTableML->setRowCount(int(rows_.size()));
    for (int r = 0; r < int(rows_.size()); ++r)
        for (int c = 0; c < 3; ++c)
            OvcTableML->setItem(r, c, new QTableWidgetItem(columnValue(rows_[size_t(r)], c)));
}

std::optional<MasterListRec> TfrmMasterListSelectSingle::current() const
{
    const int row = OvcTableML->currentRow();
    if (row < 0 || row >= int(rows_.size()))
        return std::nullopt;
    return rows_[size_t(row)];
}

bool TfrmMasterListSelectSingle::autoSearch(const QString& text)
{
    const int col = qMax(0, OvcTableML->currentColumn());
    for (int r = 0; r < int(rows_.size()); ++r) {
        if (columnValue(rows_[size_t(r)], col).startsWith(text, Qt::CaseInsensitive)) {
            const QSignalBlocker block(OvcTableML);
            OvcTableML->setCurrentCell(r, col);
            OvcTableML->scrollToItem(OvcTableML->item(r, col), QAbstractItemView::PositionAtCenter);
            return true;
        }
    }
    return false;
}

void TfrmMasterListSelectSingle::currentCellChanged(int row, int col)
{
    if (row < 0 || row >= int(rows_.size()) || col < 0)
        return;
    edtAutoSearch->setText(columnValue(rows_[size_t(row)], col));
}

void TfrmMasterListSelectSingle::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    InitWindowPlacement(this, objectName());
    load();
    const QString start = edtAutoSearch->text().trimmed();
    int row = 0;
    for (int r = 0; r < int(rows_.size()); ++r)
        if (rows_[size_t(r)].ShortName == start) {
            row = r;
            break;
        }
    if (!rows_.empty()) {
        const QSignalBlocker block(OvcTableML);
        OvcTableML->setCurrentCell(row, 0);
        OvcTableML->scrollToItem(OvcTableML->item(row, 0), QAbstractItemView::PositionAtCenter);
    }
    edtAutoSearch->setFocus();
    edtAutoSearch->selectAll();
}

void TfrmMasterListSelectSingle::closeEvent(QCloseEvent* event)
{
    SaveWindowPlacement(this, objectName());
    QDialog::closeEvent(event);
}

bool TfrmMasterListSelectSingle::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edtAutoSearch && event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Up || k->key() == Qt::Key_Down) {
            OvcTableML->setFocus();
            const int row = OvcTableML->currentRow() + (k->key() == Qt::Key_Up ? -1 : 1);
            if (row >= 0 && row < OvcTableML->rowCount())
                OvcTableML->setCurrentCell(row, qMax(0, OvcTableML->currentColumn()));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmMasterListSelectSingle::bbtnOKClick()
{
    chosen_ = current();
    if (!chosen_)
        return;
    if (dm_)
        dm_->fftblMasterList().locate(QStringLiteral("MLID"), {chosen_->MLID});
    SaveWindowPlacement(this, objectName());
    accept();
}

}  // namespace orv
