#include "gui/distributions/DsbAutoReinvest.h"

#include "core/base/Format.h"
#include "core/config/AppState.h"
#include "core/config/Session.h"
#include "core/store/DataModule.h"
#include "gui/base/GuiProgress.h"
#include "gui/base/MessageDlg.h"
#include "gui/base/WindowPlacement.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace orv {

namespace {
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

QLabel* readOnlyPanel(QWidget* owner, const char* name, const QString& text)
{
    auto* l = new QLabel(text + QStringLiteral(" "), owner);
    l->setObjectName(QString::fromLatin1(name));
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setTextFormat(Qt::PlainText);
    l->setMinimumWidth(130);
    l->setMinimumHeight(22);
    return l;
}
}  // namespace

TfrmDsbAutoReinvest::TfrmDsbAutoReinvest(const dsb::DsbAmounts& amounts, QWidget* parent)
    : QDialog(parent), amounts_(amounts)
{
    setObjectName(QStringLiteral("frmDsbAutoReinvest"));
    setWindowTitle(QStringLiteral("Automatic Transaction Entry"));
    const AppState& s = appState();

    lblQuestion = new QLabel(QStringLiteral("Enter distribution as a portfolio transaction?"), this);
    lblQuestion->setObjectName(QStringLiteral("lblQuestion"));
    QFont bold = lblQuestion->font();
    bold.setBold(true);
    lblQuestion->setFont(bold);
    lblQuestion->setAlignment(Qt::AlignCenter);

    pnlSecurity = readOnlyPanel(this, "pnlSecurity", s.CurMLShortName.trimmed());
    pnlSecurity->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    pnlExDate = readOnlyPanel(this, "pnlExDate", fmtDate(amounts.ExDate));
    pnlIncome = readOnlyPanel(this, "pnlIncome", fmtPrice5(amounts.Income));
    pnlCapGain = readOnlyPanel(this, "pnlCapGain", fmtPrice5(amounts.CapGain));
    pnlSplitFactor = readOnlyPanel(this, "pnlSplitFactor", fmtPrice5(amounts.SplitFactor));
    pnlReinvestPri = readOnlyPanel(this, "pnlReinvestPri", fmtPrice(amounts.ReinvestPri));

    auto* fields = new QGridLayout;
    const std::pair<const char*, QLabel*> rows[] = {{"Security", pnlSecurity},       {"Ex-Date", pnlExDate},
                                                    {"Income", pnlIncome},           {"Capital Gain", pnlCapGain},
                                                    {"Split Factor", pnlSplitFactor}, {"Reinvest Price", pnlReinvestPri}};
    int r = 0;
    for (const auto& [caption, panel] : rows) {
        auto* l = new QLabel(QString::fromLatin1(caption), this);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        fields->addWidget(l, r, 0);
        fields->addWidget(panel, r, 1);
        ++r;
    }

    rgEntryOptions = new QGroupBox(QStringLiteral("Entry Options"), this);
    rgEntryOptions->setObjectName(QStringLiteral("rgEntryOptions"));
    rbAutomatic = new QRadioButton(QStringLiteral("Automatic entry - all portfolios"), rgEntryOptions);
    rbConfirm = new QRadioButton(QStringLiteral("Confirm for each portfolio"), rgEntryOptions);
    rbAutomatic->setChecked(true);
    auto* rg = new QVBoxLayout(rgEntryOptions);
    rg->addWidget(rbAutomatic);
    rg->addWidget(rbConfirm);

    bbtnOk = new QPushButton(QStringLiteral("OK"), this);
    bbtnOk->setObjectName(QStringLiteral("bbtnOk"));
    bbtnOk->setDefault(true);
    bbtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    bbtnCancel->setObjectName(QStringLiteral("bbtnCancel"));
    btnAccept = new QPushButton(QStringLiteral("&Accept"), this);
    btnAccept->setObjectName(QStringLiteral("btnAccept"));
    btnSkip = new QPushButton(QStringLiteral("&Skip"), this);
    btnSkip->setObjectName(QStringLiteral("btnSkip"));
    btnAccept->hide();
    btnSkip->hide();
    for (QPushButton* b : {bbtnOk, bbtnCancel, btnAccept, btnSkip})
        b->setMinimumWidth(90);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setMaximumHeight(14);
    ProgressBar1->setValue(0);

    stbPortfolio = new QStatusBar(this);
    stbPortfolio->setObjectName(QStringLiteral("stbPortfolio"));
    stbPortfolio->setSizeGripEnabled(false);
    stbPortfolioText = new QLabel(stbPortfolio);
    stbPortfolioText->setTextFormat(Qt::PlainText);
    stbPortfolio->addWidget(stbPortfolioText, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(bbtnOk);
    buttons->addWidget(btnAccept);
    buttons->addWidget(btnSkip);
    buttons->addWidget(bbtnCancel);
    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(10, 10, 10, 0);
    main->addWidget(lblQuestion);
    main->addLayout(fields);
    main->addWidget(rgEntryOptions);
    main->addWidget(ProgressBar1);
    main->addLayout(buttons);
    main->addWidget(stbPortfolio);

    connect(bbtnOk, &QPushButton::clicked, this, [this] { bbtnOkClick(); });
    connect(btnAccept, &QPushButton::clicked, this, [this] { btnAcceptClick(); });
    connect(btnSkip, &QPushButton::clicked, this, [this] { btnSkipClick(); });
    connect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);

    resize(380, sizeHint().height());
    RestoreWindowPlacement(this, objectName(), appState().Config.SaveWindowPositions);
}

int TfrmDsbAutoReinvest::currentPfID() const
{
    return pos_ >= 0 && pos_ < int(holders_.size()) ? holders_[size_t(pos_)].PfID : -1;
}

void TfrmDsbAutoReinvest::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    InitWindowPlacement(this, objectName());
}

void TfrmDsbAutoReinvest::done(int r)
{
    SaveWindowPlacement(this, objectName());
    QDialog::done(r);
}

void TfrmDsbAutoReinvest::bbtnOkClick()
{
    ORVDataModule* dm = session::dataModule();
    if (!dm) {
        reject();
        return;
    }
    const int mlID = appState().CurMLID;
    if (rbAutomatic->isChecked()) {
        WaitCursor wait;
        bbtnOk->setEnabled(false);
        GuiProgress progress(ProgressBar1, stbPortfolioText);
        const auto n = dsb::ReinvestAllPortfolios(*dm, mlID, amounts_, progress);
        if (!n) {
            MessageDlgCtr(n.message());
            reject();
            return;
        }
        written_ += *n;
        accept();
        return;
    }
    // Confirmation mode: stop at each holding portfolio in turn.
    const auto all = store::portfolios(*dm);
    portfolioCount_ = int(all.size());
    holders_ = dsb::HoldingPortfolios(*dm, mlID);
    // The bar counts every portfolio examined: a holder's place among all portfolios.
    examined_.clear();
    for (const auto& h : holders_)
        for (size_t i = 0; i < all.size(); ++i)
            if (all[i].PfID == h.PfID)
                examined_.push_back(int(i) + 1);
    ProgressBar1->setRange(0, std::max(1, portfolioCount_));
    ProgressBar1->setValue(0);
    bbtnOk->hide();
    rgEntryOptions->setEnabled(false);
    btnAccept->show();
    btnSkip->show();
    btnAccept->setDefault(true);
    pos_ = -1;
    advance();
}

void TfrmDsbAutoReinvest::advance()
{
    ++pos_;
    if (pos_ >= int(holders_.size())) {
        ProgressBar1->setValue(ProgressBar1->maximum());
        accept();
        return;
    }
    ProgressBar1->setValue(std::min(ProgressBar1->maximum(), examined_.at(size_t(pos_))));
    stbPortfolioText->setText(dsb::portfolioStatusText(holders_[size_t(pos_)]));
    btnAccept->setFocus();
}

void TfrmDsbAutoReinvest::btnAcceptClick()
{
    ORVDataModule* dm = session::dataModule();
    if (!dm || pos_ < 0 || pos_ >= int(holders_.size()))
        return;
    {
        WaitCursor wait;
        const auto& h = holders_[size_t(pos_)];
        const auto n = dsb::ReinvestForPortfolio(*dm, h.PfID, appState().CurMLID, h.Reinvest, amounts_);
        if (!n) {
            MessageDlgCtr(n.message());
            return;
        }
        written_ += *n;
    }
    advance();
}

void TfrmDsbAutoReinvest::btnSkipClick()
{
    if (pos_ >= 0)
        advance();
}

}  // namespace orv
