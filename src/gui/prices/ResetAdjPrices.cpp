#include "gui/prices/ResetAdjPrices.h"

#include "core/config/AppState.h"
#include "core/config/Session.h"
#include "core/prices/AdjPrices.h"
#include "core/store/DataModule.h"
#include "core/store/Records.h"
#include "gui/base/GuiProgress.h"
#include "gui/base/MessageDlg.h"
#include "gui/base/WindowPlacement.h"
#include "gui/prices/PriceGrid.h"
#include "gui/select/SelectFunds.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace orv {

TfrmResetAdjPrices::TfrmResetAdjPrices(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmResetAdjPrices"));
    setWindowTitle(QStringLiteral("Reset Adjusted Prices"));

    btnSelectFunds = new QPushButton(QStringLiteral("Select Funds..."), this);
    btnSelectFunds->setObjectName(QStringLiteral("btnSelectFunds"));
    lbSelectedFunds = new QListWidget(this);
    lbSelectedFunds->setObjectName(QStringLiteral("lbSelectedFunds"));
    bbtnOK = new QPushButton(QStringLiteral("OK"), this);
    bbtnOK->setObjectName(QStringLiteral("bbtnOK"));
    bbtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    bbtnCancel->setObjectName(QStringLiteral("bbtnCancel"));
    for (QPushButton* b : {btnSelectFunds, bbtnOK, bbtnCancel}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(110);
    }
    lblStopping = new QLabel(QStringLiteral("Stopping..."), this);
    lblStopping->setObjectName(QStringLiteral("lblStopping"));
    QFont bold = lblStopping->font();
    bold.setBold(true);
    lblStopping->setFont(bold);
    lblStopping->setAlignment(Qt::AlignCenter);
    lblStopping->hide();
    status = new PriceStatusBar;
    status->build(this, 260);

    auto* right = new QVBoxLayout;
    right->addWidget(btnSelectFunds);
    right->addStretch(1);
    right->addWidget(lblStopping);
    right->addWidget(bbtnOK);
    right->addWidget(bbtnCancel);
    auto* middle = new QHBoxLayout;
    middle->addWidget(lbSelectedFunds, 1);
    middle->addLayout(right);
    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(8, 8, 8, 0);
    main->addLayout(middle, 1);
    main->addWidget(status->bar);

    connect(btnSelectFunds, &QPushButton::clicked, this, [this] { btnSelectFundsClick(); });
    connect(bbtnOK, &QPushButton::clicked, this, [this] { bbtnOKClick(); });
    connect(bbtnCancel, &QPushButton::clicked, this, [this] { bbtnCancelClick(); });

    resize(440, 340);
    RestoreWindowPlacement(this, objectName(), appState().Config.SaveWindowPositions);
}

TfrmResetAdjPrices::~TfrmResetAdjPrices() { delete status; }

void TfrmResetAdjPrices::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    InitWindowPlacement(this, objectName());
}

void TfrmResetAdjPrices::done(int r)
{
    SaveWindowPlacement(this, objectName());
    QDialog::done(r);
}

void TfrmResetAdjPrices::btnSelectFundsClick()
{
    TfrmSelectFunds w(this);
    w.hideAccountButtons();
    if (w.exec() == QDialog::Accepted)
        fillSelectedList();
}

bool TfrmResetAdjPrices::fillSelectedList()
{
    lbSelectedFunds->clear();
    if (ORVDataModule* dm = session::dataModule())
        for (const MasterListRec& e : store::masterList(*dm))
            if (e.Selected)
                lbSelectedFunds->addItem(e.ShortName.trimmed());
    if (lbSelectedFunds->count() == 0) {
        QApplication::beep();
        MessageDlgCtr(QStringLiteral("No securities selected!"), MsgType::Error, Btn::OK);
        return false;
    }
    return true;
}

void TfrmResetAdjPrices::bbtnOKClick()
{
    if (running_)
        return;
    ORVDataModule* dm = session::dataModule();
    if (lbSelectedFunds->count() == 0 || !dm) {
        QApplication::beep();
        MessageDlgCtr(QStringLiteral("No Issues Selected!"), MsgType::Custom, Btn::OK);
        btnSelectFunds->setFocus();
        return;
    }
    running_ = true;
    stopRequested_ = false;
    done_ = 0;
    bbtnCancel->setText(QStringLiteral("Stop"));
    bbtnOK->setEnabled(false);
    btnSelectFunds->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    GuiProgress bar(status->progress, status->panel1);
    Status failed;
    int item = 0;
    for (const MasterListRec& e : store::masterList(*dm)) {
        if (!e.Selected)
            continue;
        if (item < lbSelectedFunds->count())
            lbSelectedFunds->setCurrentRow(item);
        ++item;
        failed = RebuildIssue(*dm, e.MLID, bar);
        status->clear();
        if (!failed)
            break;
        ++done_;
        QApplication::processEvents();
        if (stopRequested_)
            break;
    }
    QApplication::restoreOverrideCursor();
    running_ = false;
    if (!failed)
        MessageDlgCtr(failed.message());
    accept();
}

void TfrmResetAdjPrices::bbtnCancelClick()
{
    if (running_) {
        stopRequested_ = true;
        lblStopping->show();
        return;
    }
    QDialog::reject();
}

void TfrmResetAdjPrices::reject()
{
    // Esc during a run asks to stop, like the Stop button.
    bbtnCancelClick();
}

void TfrmResetAdjPrices::closeEvent(QCloseEvent* e)
{
    if (running_) {
        bbtnCancelClick();
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

}  // namespace orv
