#include "gui/prices/PricesOneFund.h"

#include "core/config/AppState.h"
#include "core/config/Session.h"
#include "core/store/DataModule.h"
#include "gui/base/GuiProgress.h"
#include "gui/base/MessageDlg.h"
#include "gui/base/TableStyle.h"
#include "gui/base/WindowPlacement.h"
#include "gui/prices/PriceGrid.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QVBoxLayout>

namespace orv {

namespace {
constexpr int kWidth = 520;

struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};
}  // namespace

TfrmPricesOneFund::TfrmPricesOneFund(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPricesOneFund"));
    setWindowTitle(QStringLiteral("Edit Prices"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    setMinimumWidth(kWidth);
    setMaximumWidth(kWidth);
    setMinimumHeight(360);
    const AppState& s = appState();

    pnlSelectedFund = new QFrame(this);
    pnlSelectedFund->setObjectName(QStringLiteral("pnlSelectedFund"));
    pnlSelectedFund->setFrameShape(QFrame::Panel);
    pnlSelectedFund->setFrameShadow(QFrame::Raised);
    lblSelectedFund = new QLabel(pnlSelectedFund);
    lblSelectedFund->setObjectName(QStringLiteral("lblSelectedFund"));
    QFont bold = lblSelectedFund->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    lblSelectedFund->setFont(bold);
    lblSelectedFund->setAlignment(Qt::AlignCenter);
    // A label shows "&&" as "&": the doubled ampersand keeps it visible.
    lblSelectedFund->setTextFormat(Qt::PlainText);
    lblSelectedFund->setText(s.CurMLShortName.trimmed());
    lblDataRange = new QLabel(pnlSelectedFund);
    lblDataRange->setObjectName(QStringLiteral("lblDataRange"));
    lblDataRange->setAlignment(Qt::AlignCenter);
    auto* pl = new QVBoxLayout(pnlSelectedFund);
    pl->setContentsMargins(6, 4, 6, 4);
    pl->addWidget(lblSelectedFund);
    pl->addWidget(lblDataRange);

    model_ = new TPriceGridModel(
        QStringLiteral("Dates"), true,
        {[this] { return int(rows_.size()); }, [this](int r) { return rows_[size_t(r)].text; },
         [this](int r) { return rows_[size_t(r)].price; },
         [this](int r, double v) {
             const auto ok = prices::AcceptPrice(appState().CurMLType, v);
             if (!ok)
                 return false;
             if (rows_[size_t(r)].price != *ok)
                 changed_ = true;
             rows_[size_t(r)].price = *ok;
             return true;
         }},
        this);
    grid = new TPriceGrid(model_, this);
    grid->setObjectName(QStringLiteral("OvcTablePrices"));
    grid->setColumnWidth(0, 150);
    ApplyReportTableOptions(grid);

    OvcNumericFieldYearEntry = new QSpinBox(this);
    OvcNumericFieldYearEntry->setObjectName(QStringLiteral("OvcNumericFieldYearEntry"));
    OvcNumericFieldYearEntry->setRange(1900, 9999);
    OvcNumericFieldYearEntry->setValue(dateFromDay(today()).year());
    OvcNumericFieldYearEntry->setAlignment(Qt::AlignRight);
    OvcNumericFieldYearEntry->installEventFilter(this);

    btnDisplayPricesForYear = new QPushButton(QStringLiteral("Display Prices For Year"), this);
    btnDisplayPricesForYear->setObjectName(QStringLiteral("btnDisplayPricesForYear"));
    bbtnSavePrices = new QPushButton(QStringLiteral("&Save"), this);
    bbtnSavePrices->setObjectName(QStringLiteral("bbtnSavePrices"));
    bbtnSavePrices->setToolTip(QStringLiteral("Save Prices and Exit"));
    btnDeleteRecords = new QPushButton(QStringLiteral("&Delete"), this);
    btnDeleteRecords->setObjectName(QStringLiteral("btnDeleteRecords"));
    btnDeleteRecords->setToolTip(QStringLiteral("Delete All Highlighted Entries"));
    bbtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    bbtnCancel->setObjectName(QStringLiteral("bbtnCancel"));
    bbtnCancel->setToolTip(QStringLiteral("Discard Any Changes and Exit"));
    for (QPushButton* b : {btnDisplayPricesForYear, bbtnSavePrices, btnDeleteRecords, bbtnCancel}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(150);
    }

    status = new PriceStatusBar;
    status->build(this, 250);

    auto* yearLabel = new QLabel(QStringLiteral("Year"), this);
    yearLabel->setBuddy(OvcNumericFieldYearEntry);
    auto* right = new QVBoxLayout;
    right->addWidget(yearLabel);
    right->addWidget(OvcNumericFieldYearEntry);
    right->addWidget(btnDisplayPricesForYear);
    right->addSpacing(24);
    right->addWidget(bbtnSavePrices);
    right->addWidget(btnDeleteRecords);
    right->addStretch(1);
    right->addWidget(bbtnCancel);
    auto* middle = new QHBoxLayout;
    middle->addWidget(grid, 1);
    middle->addLayout(right);
    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(8, 8, 8, 0);
    main->addWidget(pnlSelectedFund);
    main->addLayout(middle, 1);
    main->addWidget(status->bar);

    connect(btnDisplayPricesForYear, &QPushButton::clicked, this, [this] { btnDisplayPricesForYearClick(); });
    connect(bbtnSavePrices, &QPushButton::clicked, this, [this] { bbtnSavePricesClick(); });
    connect(btnDeleteRecords, &QPushButton::clicked, this, [this] { btnDeleteRecordsClick(); });
    connect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);

    resize(kWidth, 560);
    RestoreWindowPlacement(this, objectName(), appState().Config.SaveWindowPositions);
    refreshDataRange();
}

TfrmPricesOneFund::~TfrmPricesOneFund() { delete status; }

void TfrmPricesOneFund::refreshDataRange()
{
    ORVDataModule* dm = session::dataModule();
    lblDataRange->setText(dm ? prices::dataRangeText(GetPriceDateRange(*dm, appState().CurMLID))
                             : prices::dataRangeText({}));
}

void TfrmPricesOneFund::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    InitWindowPlacement(this, objectName());
    if (!shown_) {
        shown_ = true;
        btnDisplayPricesForYearClick();
    }
}

void TfrmPricesOneFund::done(int r)
{
    SaveWindowPlacement(this, objectName());
    QDialog::done(r);
}

bool TfrmPricesOneFund::eventFilter(QObject* o, QEvent* e)
{
    // While the year field has the focus, Enter runs "Display Prices For Year".
    if (o == OvcNumericFieldYearEntry && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            btnDisplayPricesForYear->click();
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

void TfrmPricesOneFund::btnDisplayPricesForYearClick()
{
    grid->endEdit();
    if (changed_ && year_ != 0) {
        if (MessageDlgCtr(QStringLiteral("Save changes for ") + QString::number(year_), MsgType::Confirmation,
                          Btn::YesNo) == MR::Yes)
            Save();
    }
    ORVDataModule* dm = session::dataModule();
    if (!dm)
        return;
    WaitCursor wait;
    year_ = OvcNumericFieldYearEntry->value();
    rows_ = prices::YearRows(*dm, appState().CurMLID, year_);
    changed_ = false;
    model_->reload();
    grid->goToRow(0);
    grid->setFocus();
}

bool TfrmPricesOneFund::Save()
{
    grid->endEdit();
    ORVDataModule* dm = session::dataModule();
    if (!dm)
        return false;
    WaitCursor wait;
    status->panel1->setText(prices::yearSaveStatusText(year_));
    GuiProgress bar(status->progress, status->panel1);
    const Status st = prices::SaveYearRows(*dm, appState().CurMLID, rows_, bar);
    status->clear();
    refreshDataRange();
    if (!st) {
        MessageDlgCtr(st.message());
        return false;
    }
    changed_ = false;
    return true;
}

void TfrmPricesOneFund::bbtnSavePricesClick()
{
    if (Save())
        accept();
}

void TfrmPricesOneFund::btnDeleteRecordsClick()
{
    grid->endEdit();
    if (MessageDlgCtr(prices::deleteConfirmText(), MsgType::Confirmation, Btn::YesNo) != MR::Yes)
        return;
    ORVDataModule* dm = session::dataModule();
    if (!dm)
        return;
    // The delete and the rewrite that follows it are one change: a failure of
    // either leaves the issue as it was.
    Transaction tx(*dm);
    std::vector<Day> days;
    {
        WaitCursor wait;
        for (int r : grid->highlightedRows()) {
            if (r < 0 || size_t(r) >= rows_.size())
                continue;
            days.push_back(rows_[size_t(r)].date);
            rows_[size_t(r)].price = prices::NoPrice;
        }
        model_->reload();
    }
    const auto res = prices::DeletePricesOn(*dm, appState().CurMLID, days);
    // Rewrites the remaining prices and recomputes holes and adjusted prices.
    const bool saved = res && Save();
    const Status committed = saved ? tx.commit() : Status(Message::error(QString()));
    if (!saved || !committed) {
        tx.rollback();
        if (!res)
            MessageDlgCtr(res.message());
        else if (saved)
            MessageDlgCtr(committed.message());
        // Shows the year as the tables still hold it.
        rows_ = prices::YearRows(*dm, appState().CurMLID, year_);
        model_->reload();
        refreshDataRange();
    }
    grid->setFocus();
}

}  // namespace orv
