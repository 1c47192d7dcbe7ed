#include "gui/distributions/DsbAddEdit.h"

#include "core/base/Format.h"
#include "core/base/Progress.h"
#include "core/config/AppState.h"
#include "core/config/Session.h"
#include "core/store/DataModule.h"
#include "gui/base/MessageDlg.h"
#include "gui/base/WindowPlacement.h"
#include "gui/distributions/DsbAutoReinvest.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

namespace {

struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

// The shared date pattern (d, dd, m, mm, yyyy, "/" for the separator) as a Qt
// display format with a four-digit year.
QString qtDateFormat()
{
    const QString sep = dateSeparator(formatsLocale());
    const QString pattern = formats().FmtDate;
    QString out;
    bool quoted = false;
    for (QChar c : pattern) {
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quoted = !quoted;
            out += QLatin1Char('\'');
        } else if (quoted) {
            out += c;
        } else if (c.toLower() == QLatin1Char('m')) {
            out += QLatin1Char('M');
        } else if (c.toLower() == QLatin1Char('d') || c.toLower() == QLatin1Char('y')) {
            out += c.toLower();
        } else if (c == QLatin1Char('/')) {
            out += sep;
        } else {
            out += c;
        }
    }
    if (!out.contains(QLatin1String("yyyy")))
        out.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return out;
}

QDateEdit* dateField(QWidget* owner, const char* name, Day day)
{
    auto* e = new QDateEdit(owner);
    e->setObjectName(QString::fromLatin1(name));
    e->setDisplayFormat(qtDateFormat());
    e->setMinimumDate(QDate(1900, 1, 1));
    e->setDate(dateFromDay(day == kNoDay ? today() : day));
    e->setButtonSymbols(QAbstractSpinBox::NoButtons);
    e->setMinimumWidth(110);
    return e;
}

// A number field with the pictures "###,###,###.#####" / "###,###,###.###".
QDoubleSpinBox* numberField(QWidget* owner, const char* name, int decimals, double value)
{
    auto* e = new QDoubleSpinBox(owner);
    e->setObjectName(QString::fromLatin1(name));
    e->setLocale(formatsLocale());
    e->setDecimals(decimals);
    e->setRange(0.0, 999999999.99999);
    e->setGroupSeparatorShown(true);
    e->setButtonSymbols(QAbstractSpinBox::NoButtons);
    e->setAlignment(Qt::AlignRight);
    e->setValue(value);
    e->setMinimumWidth(130);
    return e;
}

QString issueName()
{
    const AppState& s = appState();
    const QString name = s.CurMLLongName.trimmed().isEmpty() ? s.CurMLShortName.trimmed() : s.CurMLLongName.trimmed();
    return name;
}

}  // namespace

std::function<void(TfrmDsbAutoReinvest&)>& TfrmDsbAddEdit::prepareAutoReinvest()
{
    static std::function<void(TfrmDsbAutoReinvest&)> hook;
    return hook;
}

TfrmDsbAddEdit::TfrmDsbAddEdit(const DistributionRec& rec, bool adding, Progress* progress, QWidget* parent)
    : QDialog(parent), original_(rec), saved_(rec), adding_(adding), progress_(progress)
{
    setObjectName(QStringLiteral("frmDsbAddEdit"));
    setWindowTitle((adding ? QStringLiteral("Add Distribution: ") : QStringLiteral("Edit Distribution: ")) +
                   issueName());

    pnlName = new QLabel(issueName(), this);
    pnlName->setObjectName(QStringLiteral("pnlName"));
    pnlName->setTextFormat(Qt::PlainText);
    pnlName->setFrameShape(QFrame::Panel);
    pnlName->setFrameShadow(QFrame::Raised);
    pnlName->setAlignment(Qt::AlignCenter);
    pnlName->setMinimumHeight(28);
    QFont bold = pnlName->font();
    bold.setBold(true);
    pnlName->setFont(bold);

    edExDate = dateField(this, "edExDate", rec.ExDate);
    edRecDate = dateField(this, "edRecDate", rec.RecDate);
    edPayDate = dateField(this, "edPayDate", rec.PayDate);
    edTotal = numberField(this, "edTotal", 5, rec.Total);
    edIncome = numberField(this, "edIncome", 5, rec.Income);
    edCapGain = numberField(this, "edCapGain", 5, rec.CapGain);
    edReinvestPri = numberField(this, "edReinvestPri", 3, rec.ReinvestPri);
    edSplitFactor = numberField(this, "edSplitFactor", 5, rec.SplitFactor);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->addRow(QStringLiteral("Ex-Date"), edExDate);
    form->addRow(QStringLiteral("Record Date"), edRecDate);
    form->addRow(QStringLiteral("Pay Date"), edPayDate);
    form->addRow(QStringLiteral("Total"), edTotal);
    form->addRow(QStringLiteral("Income"), edIncome);
    form->addRow(QStringLiteral("Capital Gain"), edCapGain);
    form->addRow(QStringLiteral("Reinvest Price"), edReinvestPri);
    form->addRow(QStringLiteral("Split Factor"), edSplitFactor);

    OvcDbCalendar = new QCalendarWidget(this);
    OvcDbCalendar->setObjectName(QStringLiteral("OvcDbCalendar"));
    OvcDbCalendar->setGridVisible(true);
    OvcDbCalendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    OvcDbCalendar->setFocusPolicy(Qt::NoFocus);
    auto* priceCaption = new QLabel(QStringLiteral("Price:"), this);
    lblPriceOnDate = new QLabel(this);
    lblPriceOnDate->setObjectName(QStringLiteral("lblPriceOnDate"));
    lblPriceOnDate->setMinimumWidth(100);
    auto* priceRow = new QHBoxLayout;
    priceRow->addStretch(1);
    priceRow->addWidget(priceCaption);
    priceRow->addWidget(lblPriceOnDate);
    priceRow->addStretch(1);
    auto* calendarColumn = new QVBoxLayout;
    calendarColumn->addWidget(OvcDbCalendar);
    calendarColumn->addLayout(priceRow);

    bbtnSave = new QPushButton(QStringLiteral("Save"), this);
    bbtnSave->setObjectName(QStringLiteral("bbtnSave"));
    bbtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    bbtnCancel->setObjectName(QStringLiteral("bbtnCancel"));
    for (QPushButton* b : {bbtnSave, bbtnCancel}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(90);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(bbtnSave);
    buttons->addWidget(bbtnCancel);

    auto* middle = new QHBoxLayout;
    middle->addLayout(form);
    middle->addSpacing(12);
    middle->addLayout(calendarColumn, 1);
    auto* main = new QVBoxLayout(this);
    main->addWidget(pnlName);
    main->addLayout(middle);
    main->addLayout(buttons);

    for (QWidget* w : std::initializer_list<QWidget*>{edExDate, edRecDate, edPayDate, edTotal, edIncome, edCapGain,
                                                      edReinvestPri, edSplitFactor})
        w->installEventFilter(this);
    connect(OvcDbCalendar, &QCalendarWidget::selectionChanged, this, [this] { refreshPriceOnDate(); });
    connect(OvcDbCalendar, &QCalendarWidget::clicked, this, [this](const QDate& d) {
        if (calendarField_) {
            calendarField_->setDate(d);
            calendarField_->setFocus();
        }
    });
    for (QDateEdit* e : {edExDate, edRecDate, edPayDate})
        connect(e, &QDateEdit::dateChanged, this, [this, e](const QDate& d) {
            if (e == calendarField_ && OvcDbCalendar->selectedDate() != d)
                OvcDbCalendar->setSelectedDate(d);
        });
    connect(bbtnSave, &QPushButton::clicked, this, [this] { bbtnSaveClick(); });
    connect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);

    bindCalendar(edExDate);
    RestoreWindowPlacement(this, objectName(), appState().Config.SaveWindowPositions);
}

DistributionRec TfrmDsbAddEdit::record() const
{
    DistributionRec r = original_;
    r.MLID = original_.MLID;
    r.ExDate = dayFromDate(edExDate->date());
    r.RecDate = dayFromDate(edRecDate->date());
    r.PayDate = dayFromDate(edPayDate->date());
    r.Total = edTotal->value();
    r.Income = edIncome->value();
    r.CapGain = edCapGain->value();
    r.ReinvestPri = edReinvestPri->value();
    r.SplitFactor = edSplitFactor->value();
    return r;
}

void TfrmDsbAddEdit::bindCalendar(QDateEdit* field)
{
    calendarField_ = field;
    OvcDbCalendar->setSelectedDate(field->date());
    refreshPriceOnDate();
}

void TfrmDsbAddEdit::refreshPriceOnDate()
{
    ORVDataModule* dm = session::dataModule();
    const AppState& s = appState();
    QString text;
    if (dm) {
        const auto p = store::priceOn(*dm, s.CurMLID, dayFromDate(OvcDbCalendar->selectedDate()));
        if (p && p->Price) {
            const QString pattern = s.CurMLType.trimmed() == QLatin1String("Variable Annuity")
                                        ? formats().FmtPrice + QStringLiteral("000")
                                        : formats().FmtPrice;
            text = fmtNumber(*p->Price, pattern);
        }
    }
    lblPriceOnDate->setText(text);
}

QWidget* TfrmDsbAddEdit::fieldOf(dsb::DsbField f) const
{
    switch (f) {
    case dsb::DsbField::ExDate: return edExDate;
    case dsb::DsbField::RecDate: return edRecDate;
    case dsb::DsbField::PayDate: return edPayDate;
    case dsb::DsbField::Total: return edTotal;
    case dsb::DsbField::Income: return edIncome;
    case dsb::DsbField::CapGain: return edCapGain;
    case dsb::DsbField::ReinvestPri: return edReinvestPri;
    case dsb::DsbField::SplitFactor: return edSplitFactor;
    case dsb::DsbField::None: break;
    }
    return nullptr;
}

bool TfrmDsbAddEdit::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::FocusIn) {
        for (QDateEdit* d : {edExDate, edRecDate, edPayDate})
            if (o == d && calendarField_ != d)
                bindCalendar(d);
    } else if (e->type() == QEvent::KeyPress) {
        // Enter moves to the next field.
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

void TfrmDsbAddEdit::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    InitWindowPlacement(this, objectName());
    refreshPriceOnDate();
    edExDate->setFocus();
}

void TfrmDsbAddEdit::done(int r)
{
    SaveWindowPlacement(this, objectName());
    QDialog::done(r);
}

void TfrmDsbAddEdit::bbtnSaveClick()
{
    ORVDataModule* dm = session::dataModule();
    if (!dm)
        return;
    for (QAbstractSpinBox* f : std::initializer_list<QAbstractSpinBox*>{edExDate, edRecDate, edPayDate, edTotal,
                                                                        edIncome, edCapGain, edReinvestPri,
                                                                        edSplitFactor})
        f->interpretText();
    DistributionRec r = record();
    dsb::DsbCheck c;
    {
        WaitCursor wait;
        NullProgress none;
        c = dsb::SaveDistribution(*dm, r, adding_ ? std::nullopt : std::optional<Day>(original_.ExDate),
                                  progress_ ? *progress_ : static_cast<Progress&>(none));
    }
    if (!c.ok()) {
        MessageDlgCtr(c.status.message());
        if (QWidget* w = fieldOf(c.focus))
            w->setFocus();
        return;
    }
    saved_ = r;
    edTotal->setValue(r.Total);
    const dsb::DsbAmounts amounts = dsb::DsbAmounts::of(r);
    if (appState().ActivePfID != -1 && dsb::CallsForAutoEntry(amounts)) {
        TfrmDsbAutoReinvest w(amounts, this);
        if (prepareAutoReinvest())
            prepareAutoReinvest()(w);
        w.exec();
    }
    accept();
}

}  // namespace orv
