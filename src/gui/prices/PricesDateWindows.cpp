#include "gui/prices/PricesDateWindows.h"

#include "core/base/Format.h"
#include "core/config/AppState.h"
#include "core/config/Session.h"
#include "core/store/DataModule.h"
#include "core/store/Records.h"
#include "gui/base/GuiProgress.h"
#include "gui/base/MessageDlg.h"
#include "gui/base/TableStyle.h"
#include "gui/base/WindowPlacement.h"
#include "gui/prices/DispEnteredPrices.h"
#include "gui/prices/PriceGrid.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace orv {

namespace {
constexpr int kWidth = 560;

struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

QStringList columnHeadings(ORVDataModule& dm)
{
    QStringList h;
    for (int i = 0; i < 100; ++i)
        h << QString();
    Query q = dm.query(QStringLiteral("SELECT ColNum, Heading FROM %1 WHERE ColNum BETWEEN 1 AND 100")
                           .arg(ORVDataModule::qualified(store::TableId::MasterListColHdrs)));
    while (q.next())
        h[int(q.int64(0)) - 1] = q.text(1);
    return h;
}
}  // namespace

bool columnHasEntries(int colNum)
{
    ORVDataModule* dm = session::dataModule();
    return dm && store::countInRange(*dm, store::TableId::MasterList, QStringLiteral("IndxColRow"), {colNum}) > 0;
}

TPricesDateWindow::TPricesDateWindow(const QString& objectName, const QString& caption, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    setMinimumWidth(kWidth);
    setMaximumWidth(kWidth);
    setMinimumHeight(420);

    OvcCalendar = new QCalendarWidget(this);
    OvcCalendar->setObjectName(QStringLiteral("OvcCalendar"));
    OvcCalendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    OvcCalendar->setGridVisible(false);
    OvcCalendar->installEventFilter(this);
    setCalendarDay(WeekendToFriday(today()));
    connect(OvcCalendar, &QCalendarWidget::activated, this, [this] { btnDisplayPricesForDateClick(); });

    pnlSelectedDate = new QLabel(QStringLiteral("Select a date"), this);
    pnlSelectedDate->setObjectName(QStringLiteral("pnlSelectedDate"));
    pnlSelectedDate->setFrameShape(QFrame::Panel);
    pnlSelectedDate->setFrameShadow(QFrame::Sunken);
    pnlSelectedDate->setAlignment(Qt::AlignCenter);
    QFont bold = pnlSelectedDate->font();
    bold.setBold(true);
    pnlSelectedDate->setFont(bold);
    pnlSelectedDate->setMinimumHeight(26);

    btnDisplayPricesForDate = new QPushButton(QStringLiteral("Display Prices For Date"), this);
    btnDisplayPricesForDate->setObjectName(QStringLiteral("btnDisplayPricesForDate"));
    bbtnSavePrices = new QPushButton(QStringLiteral("&Save"), this);
    bbtnSavePrices->setObjectName(QStringLiteral("bbtnSavePrices"));
    btnDeleteRecords = new QPushButton(QStringLiteral("&Delete"), this);
    btnDeleteRecords->setObjectName(QStringLiteral("btnDeleteRecords"));
    btnDeleteRecords->setToolTip(QStringLiteral("Delete All Highlighted Entries"));

    model_ = new TPriceGridModel(
        QStringLiteral("Names"), false,
        {[this] { return int(rows_.size()); }, [this](int r) { return rows_[size_t(r)].shortName; },
         [this](int r) { return rows_[size_t(r)].price; },
         [this](int r, double v) {
             const auto ok = prices::AcceptPrice(rows_[size_t(r)].type, v);
             if (!ok)
                 return false;
             rows_[size_t(r)].price = *ok;
             return true;
         }},
        this);
    grid = new TPriceGrid(model_, this);
    grid->setObjectName(QStringLiteral("OvcTablePrices"));
    grid->setColumnWidth(0, 140);
    grid->setEnabled(false);
    ApplyReportTableOptions(grid);

    status = new PriceStatusBar;
    status->build(this, 300);

    connect(btnDisplayPricesForDate, &QPushButton::clicked, this, [this] { btnDisplayPricesForDateClick(); });
    connect(btnDeleteRecords, &QPushButton::clicked, this, [this] { btnDeleteRecordsClick(); });
    connect(bbtnSavePrices, &QPushButton::clicked, this, [this] {
        if (Save())
            afterSave();
    });
}

TPricesDateWindow::~TPricesDateWindow() { delete status; }

void TPricesDateWindow::buildLayout(QWidget* extra, QPushButton* closeButton)
{
    for (QPushButton* b : {btnDisplayPricesForDate, bbtnSavePrices, btnDeleteRecords, closeButton})
        b->setAutoDefault(false);
    auto* right = new QVBoxLayout;
    right->addWidget(OvcCalendar);
    right->addWidget(pnlSelectedDate);
    right->addWidget(btnDisplayPricesForDate);
    if (extra)
        right->addWidget(extra);
    right->addSpacing(12);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(bbtnSavePrices);
    buttons->addWidget(btnDeleteRecords);
    buttons->addWidget(closeButton);
    right->addLayout(buttons);
    right->addStretch(1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(grid, 1);
    middle->addLayout(right);
    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(8, 8, 8, 0);
    main->addLayout(middle, 1);
    main->addWidget(status->bar);
    resize(kWidth, 520);
    RestoreWindowPlacement(this, objectName(), appState().Config.SaveWindowPositions);
}

Day TPricesDateWindow::calendarDay() const { return dayFromDate(OvcCalendar->selectedDate()); }
void TPricesDateWindow::setCalendarDay(Day d) { OvcCalendar->setSelectedDate(dateFromDay(d)); }

void TPricesDateWindow::setRowsFrom(std::vector<prices::DateRow> rows)
{
    rows_ = std::move(rows);
    model_->reload();
}

void TPricesDateWindow::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    InitWindowPlacement(this, objectName());
}

void TPricesDateWindow::done(int r)
{
    SaveWindowPlacement(this, objectName());
    QDialog::done(r);
}

bool TPricesDateWindow::eventFilter(QObject* o, QEvent* e)
{
    // While the calendar has the focus, Enter runs "Display Prices For Date".
    if (e->type() == QEvent::KeyPress && (o == OvcCalendar || OvcCalendar->isAncestorOf(qobject_cast<QWidget*>(o)))) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            btnDisplayPricesForDate->click();
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

void TPricesDateWindow::btnDisplayPricesForDateClick()
{
    const Day d = calendarDay();
    if (isWeekend(d)) {
        QApplication::beep();
        MessageDlgCtr(prices::weekendRefusalText(), MsgType::Custom, Btn::OK);
        OvcCalendar->setFocus();
        return;
    }
    grid->endEdit();
    if (date_ != kNoDay && prices::anyRowChanged(rows_)) {
        if (MessageDlgCtr(QStringLiteral("Save changes for ") + pnlSelectedDate->text(), MsgType::Confirmation,
                          Btn::YesNo) == MR::Yes)
            Save();
    }
    ORVDataModule* dm = session::dataModule();
    if (!dm)
        return;
    {
        WaitCursor wait;
        prices::LoadDatePrices(*dm, rows_, d);
        date_ = d;
        model_->reload();
    }
    grid->setEnabled(true);
    grid->goToRow(0);
    grid->setFocus();
    pnlSelectedDate->setText(QLocale().toString(dateFromDay(d), QLocale::LongFormat));
}

bool TPricesDateWindow::Save()
{
    grid->endEdit();
    ORVDataModule* dm = session::dataModule();
    if (!dm || date_ == kNoDay)
        return false;
    WaitCursor wait;
    if (!frmDispEnteredPrices)
        frmDispEnteredPrices = new TfrmDispEnteredPrices(this);
    TfrmDispEnteredPrices& w = *frmDispEnteredPrices;
    w.start();
    QApplication::processEvents();
    GuiProgress bar(w.status->progress, w.status->panel1);
    const Day d = date_;
    const auto res = prices::SaveDateRows(*dm, rows_, d, bar, [&w, d](const prices::DateRow& r) {
        w.showEntry(r.shortName, fmtDate(d), fmtPrice(r.price));
        QApplication::processEvents();
    });
    w.finish();
    model_->reload();
    if (!res) {
        MessageDlgCtr(res.message());
        return false;
    }
    return true;
}

void TPricesDateWindow::btnDeleteRecordsClick()
{
    grid->endEdit();
    if (date_ == kNoDay)
        return;
    if (MessageDlgCtr(prices::deleteConfirmText(), MsgType::Confirmation, Btn::YesNo) != MR::Yes)
        return;
    ORVDataModule* dm = session::dataModule();
    if (!dm)
        return;
    WaitCursor wait;
    GuiProgress bar(status->progress, status->panel1);
    for (int r : grid->highlightedRows()) {
        if (r < 0 || size_t(r) >= rows_.size())
            continue;
        const auto res = prices::DeleteDateRow(*dm, rows_[size_t(r)], date_, bar);
        if (!res) {
            status->clear();
            model_->reload();
            MessageDlgCtr(res.message());
            return;
        }
    }
    status->clear();
    model_->reload();
    grid->setFocus();
}

// ---- By Master List Column ----

TfrmPricesActiveColumn::TfrmPricesActiveColumn(int colNum, QWidget* parent)
    : TPricesDateWindow(QStringLiteral("frmPricesActiveColumn"), QStringLiteral("Edit Prices - By Master List Column"),
                        parent),
      col_(colNum)
{
    bbtnSavePrices->setToolTip(QStringLiteral("Store prices to database"));
    btnClose = new QPushButton(QStringLiteral("Close"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setToolTip(QStringLiteral("Exit - Discard Any Unsaved Changes"));
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);

    auto* box = new QWidget(this);
    auto* bl = new QVBoxLayout(box);
    bl->setContentsMargins(0, 8, 0, 0);
    auto* lbl = new QLabel(QStringLiteral("Switch Column"), box);
    cbMLColumns = new QComboBox(box);
    cbMLColumns->setObjectName(QStringLiteral("cbMLColumns"));
    cbMLColumns->setMaxVisibleItems(20);
    lbl->setBuddy(cbMLColumns);
    bl->addWidget(lbl);
    bl->addWidget(cbMLColumns);
    if (ORVDataModule* dm = session::dataModule())
        cbMLColumns->addItems(columnHeadings(*dm));
    cbMLColumns->setCurrentIndex(std::clamp(col_, 0, cbMLColumns->count() - 1));
    connect(cbMLColumns, &QComboBox::activated, this, [this](int k) { cbMLColumnsChange(k); });
    buildLayout(box, btnClose);

    if (ORVDataModule* dm = session::dataModule())
        setRowsFrom(prices::ColumnRows(*dm, col_));
    btnDisplayPricesForDateClick();
}

void TfrmPricesActiveColumn::cbMLColumnsChange(int k)
{
    if (k == col_)
        return;
    if (!columnHasEntries(k)) {
        QApplication::beep();
        MessageDlgCtr(QStringLiteral("No entries in that column."), MsgType::Warning, Btn::OK);
        cbMLColumns->setCurrentIndex(col_);
        grid->setFocus();
        return;
    }
    ORVDataModule* dm = session::dataModule();
    if (!dm)
        return;
    grid->setEnabled(false);
    // Unsaved prices of the old column go with its rows, as the window's Close does.
    col_ = k;
    setRowsFrom(prices::ColumnRows(*dm, col_));
    btnDisplayPricesForDateClick();
}

void TfrmPricesActiveColumn::afterSave()
{
    ORVDataModule* dm = session::dataModule();
    if (!dm)
        return;
    setRowsFrom(prices::ColumnRows(*dm, col_));
    btnDisplayPricesForDateClick();
}

// ---- Alphabetical Display ----

TfrmPricesAllFundsAlpha::TfrmPricesAllFundsAlpha(QWidget* parent)
    : TPricesDateWindow(QStringLiteral("frmPricesAllFundsAlpha"), QStringLiteral("Edit Prices - Alphabetical Display"),
                        parent)
{
    bbtnSavePrices->setToolTip(QStringLiteral("Save Prices and Exit"));
    bbtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    bbtnCancel->setObjectName(QStringLiteral("bbtnCancel"));
    bbtnCancel->setToolTip(QStringLiteral("Discard Any Changes and Exit"));
    connect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    buildLayout(nullptr, bbtnCancel);
    if (ORVDataModule* dm = session::dataModule())
        setRowsFrom(prices::AlphaRows(*dm));
    btnDisplayPricesForDateClick();
}

void TfrmPricesAllFundsAlpha::afterSave() { accept(); }

}  // namespace orv
