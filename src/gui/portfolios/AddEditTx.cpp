#include "gui/portfolios/AddEditTx.h"

#include "core/base/Format.h"
#include "core/config/AppState.h"
#include "core/config/Session.h"
#include "core/portfolios/TxRules.h"
#include "core/store/DataModule.h"
#include "gui/base/MessageDlg.h"
#include "gui/base/WindowPlacement.h"
#include "gui/portfolios/PortfolioSelect.h"
#include "gui/select/MasterListSelectSingle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleValidator>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

namespace {
QString qtDatePattern()
{
    QString f = formats().FmtDate;  // d, dd, m, mm, yyyy with "/"
    f.replace(QLatin1Char('m'), QLatin1Char('M'));
    return f;
}
QString fixed(double v, int decimals) { return QString::number(v, 'f', decimals); }
}  // namespace

TfrmAddEditTx::TfrmAddEditTx(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAddEditTx"));
    setWindowTitle(QStringLiteral("Add Transaction"));
    const ConfigRecord& cfg = appState().Config;

    auto* top = new QGridLayout;
    lblPortfolio = new QLabel(this);
    lblPortfolio->setObjectName(QStringLiteral("lblPortfolio"));
    lblMLName = new QLabel(this);
    lblMLName->setObjectName(QStringLiteral("lblMLName"));
    for (auto* l : {lblPortfolio, lblMLName}) {
        l->setFrameShape(QFrame::StyledPanel);
        l->setMinimumWidth(140);
        l->setAutoFillBackground(true);
    }
    btnChangePortfolio = new QPushButton(QStringLiteral("..."), this);
    btnChangePortfolio->setToolTip(QStringLiteral("Change Portfolio"));
    btnChangeSecurity = new QPushButton(QStringLiteral("..."), this);
    btnChangeSecurity->setToolTip(QStringLiteral("Change Security"));
    for (QPushButton* b : {btnChangePortfolio, btnChangeSecurity}) {
        b->setFixedWidth(32);
        b->setAutoDefault(false);
    }
    top->setColumnStretch(1, 1);
    top->addWidget(new QLabel(QStringLiteral("Portfolio"), this), 0, 0);
    top->addWidget(lblPortfolio, 0, 1);
    top->addWidget(btnChangePortfolio, 0, 2);
    top->addWidget(new QLabel(QStringLiteral("Security"), this), 1, 0);
    top->addWidget(lblMLName, 1, 1);
    top->addWidget(btnChangeSecurity, 1, 2);

    auto* g = new QGridLayout;
    edDate = new QDateEdit(this);
    edDate->setCalendarPopup(true);
    edDate->setDisplayFormat(qtDatePattern());
    cbxBuySell = new QComboBox(this);
    cbxBuySell->addItems({QStringLiteral("Buy"), QStringLiteral("Sell")});
    const auto number = [this](QLineEdit*& e, const QString& name) {
        e = new QLineEdit(this);
        e->setObjectName(name);
        e->setValidator(new QDoubleValidator(-1e12, 1e12, 6, e));
        e->setAlignment(Qt::AlignRight);
        e->installEventFilter(this);
    };
    number(edShares, QStringLiteral("edShares"));
    number(edAmount, QStringLiteral("edAmount"));
    number(edSharePrice, QStringLiteral("edSharePrice"));
    number(edCommission, QStringLiteral("edCommission"));
    number(edFee1, QStringLiteral("edFee1"));
    number(edFee2, QStringLiteral("edFee2"));
    cbxType = new QComboBox(this);
    cbxType->addItems(tx::typeChoices());
    edComment = new QLineEdit(this);
    edComment->setMaxLength(40);
    lblFee1 = new QLabel(cfg.Fee1Heading, this);
    lblFee2 = new QLabel(cfg.Fee2Heading, this);
    lblPriceOnDate = new QLabel(this);
    lblPriceOnDate->setObjectName(QStringLiteral("lblPriceOnDate"));
    int r = 0;
    const auto row = [&](const QString& label, QWidget* w, QLabel* l = nullptr) {
        g->addWidget(l ? l : new QLabel(label, this), r, 0);
        g->addWidget(w, r, 1);
        ++r;
    };
    row(QStringLiteral("Date"), edDate);
    g->addWidget(new QLabel(QStringLiteral("Price on date:"), this), 0, 2);
    g->addWidget(lblPriceOnDate, 0, 3);
    row(QStringLiteral("Buy/Sell"), cbxBuySell);
    row(QStringLiteral("Shares"), edShares);
    row(QStringLiteral("Amount"), edAmount);
    row(QStringLiteral("Share Price"), edSharePrice);
    row(QStringLiteral("Commission"), edCommission);
    row(QString(), edFee1, lblFee1);
    row(QString(), edFee2, lblFee2);
    row(QStringLiteral("Type"), cbxType);
    row(QStringLiteral("Comment"), edComment);
    lblFee1->setVisible(!cfg.HideFee1);
    edFee1->setVisible(!cfg.HideFee1);
    lblFee2->setVisible(!cfg.HideFee2);
    edFee2->setVisible(!cfg.HideFee2);

    cbAutoComplete = new QCheckBox(QStringLiteral("Auto complete Shares/Amount"), this);
    cbAutoComplete->setChecked(true);
    cbMultiple = new QCheckBox(QStringLiteral("Enable entry of similar transactions for multiple portfolios"), this);
    cbMultiple->setChecked(cfg.TxInsertMultiplePf);
    connect(cbMultiple, &QCheckBox::clicked, this, [](bool on) { appState().Config.TxInsertMultiplePf = on; });

    bbtnSave = new QPushButton(QStringLiteral("Save"), this);
    bbtnSave->setDefault(true);
    bbtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    bbtnAbort = new QPushButton(QStringLiteral("Abort Multiple Transactions"), this);
    bbtnAbort->hide();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(bbtnAbort);
    buttons->addStretch();
    buttons->addWidget(bbtnSave);
    buttons->addWidget(bbtnCancel);

    auto* v = new QVBoxLayout(this);
    v->addLayout(top);
    v->addLayout(g);
    v->addWidget(cbAutoComplete);
    v->addWidget(cbMultiple);
    v->addLayout(buttons);

    for (QWidget* w : std::initializer_list<QWidget*>{edDate, cbxBuySell, cbxType, edComment})
        w->installEventFilter(this);
    connect(edDate, &QDateEdit::dateChanged, this, [this] {
        if (!loading_)
            leaveDate();
    });
    connect(edShares, &QLineEdit::textEdited, this, [this] { shares_ = parse(edShares); });
    connect(edAmount, &QLineEdit::textEdited, this, [this] { amount_ = parse(edAmount); });
    connect(edSharePrice, &QLineEdit::textEdited, this, [this] { sharePrice_ = parse(edSharePrice); });
    connect(bbtnSave, &QPushButton::clicked, this, &TfrmAddEditTx::bbtnSaveClick);
    connect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(bbtnAbort, &QPushButton::clicked, this, [this] { done(kAborted); });
    connect(btnChangePortfolio, &QPushButton::clicked, this, &TfrmAddEditTx::btnChangePortfolioClick);
    connect(btnChangeSecurity, &QPushButton::clicked, this, &TfrmAddEditTx::btnChangeSecurityClick);
    RestoreWindowPlacement(this, objectName(), cfg.SaveWindowPositions);
}

double TfrmAddEditTx::parse(QLineEdit* e) const
{
    QString t = e->text().trimmed();
    t.remove(formatsLocale().groupSeparator());
    bool ok = false;
    double v = formatsLocale().toDouble(t, &ok);
    if (!ok)
        v = t.toDouble(&ok);
    return ok ? v : 0.0;
}

void TfrmAddEditTx::setRecord(const TransactionRec& r, const QString& pfShortName, const QString& mlShortName)
{
    loading_ = true;
    rec_ = r;
    pfName_ = pfShortName.trimmed();
    mlName_ = mlShortName.trimmed();
    lblPortfolio->setText(pfName_);
    lblMLName->setText(mlName_);
    edDate->setDate(dateFromDay(r.Date));
    cbxBuySell->setCurrentText(r.BuySell == QLatin1String("Sell") ? QStringLiteral("Sell") : QStringLiteral("Buy"));
    shares_ = r.Shares;
    amount_ = r.Amount;
    sharePrice_ = r.SharePrice.value_or(0.0);
    edCommission->setText(fixed(r.Commission, 2));
    edFee1->setText(fixed(r.Fee1, 2));
    edFee2->setText(fixed(r.Fee2, 2));
    cbxType->setCurrentText(tx::shownType(r.Type));
    edComment->setText(r.Comment);
    readIssue();
    showFigures();
    loading_ = false;
}

void TfrmAddEditTx::readIssue()
{
    mlID_ = -1;
    mlType_.clear();
    if (ORVDataModule* dm = session::dataModule())
        if (const auto e = store::masterListByShortName(*dm, mlName_)) {
            mlID_ = e->MLID;
            mlType_ = e->Type;
        }
    pricePattern_ = tx::pricePattern(mlType_);
    refreshPriceOnDate();
}

void TfrmAddEditTx::refreshPriceOnDate()
{
    ORVDataModule* dm = session::dataModule();
    priceOnDate_ = dm && mlID_ >= 0 ? tx::priceOnDate(*dm, mlID_, dayFromDate(edDate->date())) : tx::kNoPriceOnDate;
    lblPriceOnDate->setText(tx::priceOnDateText(priceOnDate_, pricePattern_));
}

QString TfrmAddEditTx::priceOnDateText() const { return lblPriceOnDate->text(); }

void TfrmAddEditTx::showFigures()
{
    edShares->setText(fixed(shares_, 4));
    edAmount->setText(fixed(amount_, 2));
    edSharePrice->setText(fixed(sharePrice_, mlType_.trimmed() == QLatin1String("Variable Annuity") ? 6 : 3));
}

void TfrmAddEditTx::setChangeButtons(bool portfolio, bool security)
{
    changePf_ = portfolio;
    changeMl_ = security;
    btnChangePortfolio->setEnabled(portfolio);
    btnChangeSecurity->setEnabled(security);
}

void TfrmAddEditTx::setAdding(bool adding) { cbMultiple->setVisible(adding); }

void TfrmAddEditTx::setMultipleMode(bool on)
{
    cbMultiple->setVisible(!on && cbMultiple->isVisible());
    bbtnAbort->setVisible(on);
    bbtnCancel->setText(on ? QStringLiteral("Skip") : QStringLiteral("Cancel"));
    if (on)
        setChangeButtons(false, false);
}

void TfrmAddEditTx::leaveDate()
{
    refreshPriceOnDate();
    if (const auto p = tx::sharePriceAfterDate(priceOnDate_, mlType_)) {
        sharePrice_ = *p;
        showFigures();
    }
}

void TfrmAddEditTx::enterShares() { sharesOnEntry_ = shares_ = parse(edShares); }
void TfrmAddEditTx::enterAmount() { amountOnEntry_ = amount_ = parse(edAmount); }

void TfrmAddEditTx::leaveShares()
{
    shares_ = parse(edShares);
    sharesChangedLast_ = tx::sharesChanged(sharesOnEntry_, shares_);
    if (cbAutoComplete->isChecked()) {
        tx::TxFigures f{shares_, amount_, sharePrice_};
        tx::completeAfterShares(f, sharesOnEntry_, amountChangedLast_);
        shares_ = f.shares;
        amount_ = f.amount;
        sharePrice_ = f.sharePrice;
    }
    showFigures();
}

void TfrmAddEditTx::leaveAmount()
{
    amount_ = parse(edAmount);
    amountChangedLast_ = tx::amountChanged(amountOnEntry_, amount_);
    if (cbAutoComplete->isChecked()) {
        tx::TxFigures f{shares_, amount_, sharePrice_};
        tx::completeAfterAmount(f, amountOnEntry_, sharesChangedLast_);
        shares_ = f.shares;
        amount_ = f.amount;
        sharePrice_ = f.sharePrice;
    }
    showFigures();
}

bool TfrmAddEditTx::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == edShares)
            enterShares();
        else if (watched == edAmount)
            enterAmount();
    } else if (event->type() == QEvent::FocusOut) {
        if (watched == edShares)
            leaveShares();
        else if (watched == edAmount)
            leaveAmount();
        else if (watched == edSharePrice)
            sharePrice_ = parse(edSharePrice);
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            focusNextChild();  // Enter moves to the next field
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmAddEditTx::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    InitWindowPlacement(this, objectName());
    const QHash<QString, QWidget*> byName{{"Portfolio", btnChangePortfolio}, {"Security", btnChangeSecurity},
                                          {"Date", edDate},         {"BuySell", cbxBuySell},
                                          {"Shares", edShares},     {"Amount", edAmount},
                                          {"SharePrice", edSharePrice}, {"Commission", edCommission},
                                          {"Fee1", edFee1},         {"Fee2", edFee2},
                                          {"Type", cbxType},        {"Comment", edComment}};
    QWidget* w = byName.value(focusField_, edDate);
    if (!w->isEnabled() || !w->isVisible())
        w = edDate;
    w->setFocus();
}

void TfrmAddEditTx::setChoosing(bool on)
{
    for (QWidget* w : std::initializer_list<QWidget*>{cbAutoComplete, edShares, edAmount, lblPriceOnDate})
        w->setVisible(!on);
    if (!on)
        cbMultiple->setVisible(cbMultiple->property("wasVisible").toBool());
    else {
        cbMultiple->setProperty("wasVisible", cbMultiple->isVisible());
        cbMultiple->hide();
    }
    for (QPushButton* b : {bbtnSave, bbtnCancel, bbtnAbort})
        b->setEnabled(!on);
    btnChangePortfolio->setEnabled(!on && changePf_);
    btnChangeSecurity->setEnabled(!on && changeMl_);
}

void TfrmAddEditTx::btnChangePortfolioClick()
{
    TfrmPortfolioSelect chooser(this);
    chooser.setSearchText(pfName_);
    chooser.move(lblPortfolio->mapToGlobal(QPoint(0, lblPortfolio->height())));
    setChoosing(true);
    const bool ok = chooser.exec() == QDialog::Accepted && chooser.chosen();
    setChoosing(false);
    if (ok) {
        pfName_ = chooser.chosen()->ShortName;
        lblPortfolio->setText(pfName_);
    }
}

void TfrmAddEditTx::btnChangeSecurityClick()
{
    TfrmMasterListSelectSingle chooser(this);
    chooser.setFilter(TfrmMasterListSelectSingle::notLinearTypeFilter());
    chooser.setSearchText(mlName_);
    chooser.move(lblMLName->mapToGlobal(QPoint(0, lblMLName->height())));
    setChoosing(true);
    const bool ok = chooser.exec() == QDialog::Accepted && chooser.chosen();
    setChoosing(false);
    if (ok) {
        mlName_ = chooser.chosen()->ShortName;
        lblMLName->setText(mlName_);
        readIssue();
        showFigures();
    }
}

void TfrmAddEditTx::bbtnSaveClick()
{
    ORVDataModule* dm = session::dataModule();
    if (!dm)
        return;
    // Values typed but not yet left count as typed.
    if (edShares->hasFocus())
        leaveShares();
    if (edAmount->hasFocus())
        leaveAmount();
    if (edSharePrice->hasFocus())
        sharePrice_ = parse(edSharePrice);
    TransactionRec r = rec_;
    r.Date = dayFromDate(edDate->date());
    r.BuySell = cbxBuySell->currentText();
    r.Shares = shares_;
    r.Amount = amount_;
    r.SharePrice = sharePrice_;
    r.Commission = parse(edCommission);
    r.Fee1 = parse(edFee1);
    r.Fee2 = parse(edFee2);
    r.Type = tx::storedType(cbxType->currentText());
    r.Comment = edComment->text();
    const auto seq = tx::saveTransaction(*dm, r, pfName_, mlName_);
    if (!seq) {
        MessageDlgCtr(seq.message());
        return;
    }
    rec_ = *tx::transaction(*dm, *seq);
    SaveWindowPlacement(this, objectName());
    accept();
}

}  // namespace orv
