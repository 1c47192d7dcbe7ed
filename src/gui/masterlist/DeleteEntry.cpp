#include "gui/masterlist/DeleteEntry.h"

#include "core/config/AppState.h"
#include "core/masterlist/EntryDelete.h"
#include "core/store/DataModule.h"
#include "core/store/Records.h"
#include "gui/base/MessageDlg.h"
#include "gui/base/WindowPlacement.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QVBoxLayout>

namespace orv {

namespace {

// The status bar's progress bar; a step without records shows an empty bar
// rather than the busy indicator a range of 0 would give.
class DeleteProgress final : public Progress {
public:
    explicit DeleteProgress(QProgressBar* bar) : bar_(bar) {}
    void setRange(int maximum) override
    {
        bar_->setRange(0, qMax(1, maximum));
        bar_->setValue(0);
    }
    void setStatus(const QString&) override {}
    void step(int by) override
    {
        bar_->setValue(qMin(bar_->maximum(), bar_->value() + by));
        QApplication::processEvents();
    }
    bool cancelled() const override { return false; }

private:
    QProgressBar* bar_;
};

}  // namespace

TfrmMLDeleteEntry::TfrmMLDeleteEntry(ORVDataModule& dm, int mlID, QWidget* parent)
    : QDialog(parent), dm_(dm), mlID_(mlID)
{
    setObjectName(QStringLiteral("frmMLDeleteEntry"));
    setWindowTitle(QStringLiteral("Edit Master List - Delete Entry"));
    const auto entry = store::masterListEntry(dm_, mlID_);
    const QString name = entry ? entry->ShortName : appState().CurMLShortName;

    lblDelete = new QLabel(deleteEntryQuestion(name), this);
    lblDelete->setObjectName(QStringLiteral("lblDelete"));
    lblDelete->setTextFormat(Qt::PlainText);
    QFont bold = lblDelete->font();
    bold.setBold(true);
    lblDelete->setFont(bold);
    lblAssociated = new QLabel(QStringLiteral("closing prices, distributions, and transactions?"), this);
    lblAssociated->setObjectName(QStringLiteral("lblAssociated"));
    lblAssociated->setFont(bold);

    const QPixmap tick = style()->standardIcon(QStyle::SP_DialogApplyButton).pixmap(16, 16);
    auto* steps = new QGridLayout;
    steps->setColumnMinimumWidth(0, 20);
    steps->setHorizontalSpacing(8);
    auto addStep = [&](int row, const char* name, const QString& text) {
        auto* t = new QLabel(this);
        t->setObjectName(QString::fromLatin1(name));
        t->setPixmap(tick);
        t->setFixedSize(18, 18);
        t->setVisible(false);
        steps->addWidget(t, row, 0);
        steps->addWidget(new QLabel(text, this), row, 1);
        return t;
    };
    lblTickPrices = addStep(0, "lblTickPrices", QStringLiteral("Closing prices"));
    lblTickDistributions = addStep(1, "lblTickDistributions", QStringLiteral("Distributions"));
    lblTickTransactions = addStep(2, "lblTickTransactions", QStringLiteral("Transactions"));
    // The ticks keep their place while hidden.
    for (QLabel* t : {lblTickPrices, lblTickDistributions, lblTickTransactions}) {
        QSizePolicy p = t->sizePolicy();
        p.setRetainSizeWhenHidden(true);
        t->setSizePolicy(p);
    }

    bbtnOK = new QPushButton(QStringLiteral("OK"), this);
    bbtnOK->setObjectName(QStringLiteral("bbtnOK"));
    bbtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    bbtnCancel->setObjectName(QStringLiteral("bbtnCancel"));
    bbtnCancel->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bbtnOK);
    buttons->addWidget(bbtnCancel);
    buttons->addStretch();

    stbStatus = new QStatusBar(this);
    stbStatus->setObjectName(QStringLiteral("stbStatus"));
    stbStatus->setSizeGripEnabled(false);
    ProgressBar = new QProgressBar(stbStatus);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setTextVisible(false);
    ProgressBar->setRange(0, 1);
    ProgressBar->setValue(0);
    stbStatus->addWidget(ProgressBar, 1);

    auto* stepsRow = new QHBoxLayout;
    stepsRow->addStretch();
    stepsRow->addLayout(steps);
    stepsRow->addStretch();

    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(16, 14, 16, 0);
    top->addWidget(lblDelete, 0, Qt::AlignHCenter);
    top->addWidget(lblAssociated, 0, Qt::AlignHCenter);
    top->addSpacing(10);
    top->addLayout(stepsRow);
    top->addSpacing(10);
    top->addLayout(buttons);
    top->addSpacing(6);
    top->addWidget(stbStatus);
    top->setSizeConstraint(QLayout::SetFixedSize);

    connect(bbtnOK, &QPushButton::clicked, this, &TfrmMLDeleteEntry::bbtnOKClick);
    connect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    RestoreWindowPlacement(this, objectName(), appState().Config.SaveWindowPositions);
}

void TfrmMLDeleteEntry::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    InitWindowPlacement(this, objectName());
}

void TfrmMLDeleteEntry::done(int r)
{
    SaveWindowPlacement(this, objectName());
    QDialog::done(r);
}

void TfrmMLDeleteEntry::bbtnOKClick()
{
    bbtnOK->setEnabled(false);
    bbtnCancel->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    DeleteProgress progress(ProgressBar);
    const Status st = DeleteEntry(dm_, mlID_, appState().TempPath, progress, [this](DeleteEntryStep step) {
        QLabel* tick = step == DeleteEntryStep::Prices          ? lblTickPrices
                       : step == DeleteEntryStep::Distributions ? lblTickDistributions
                                                                : lblTickTransactions;
        tick->setVisible(true);
        QApplication::processEvents();
    });
    QApplication::restoreOverrideCursor();
    if (!st) {
        MessageDlgCtr(st.message());
        reject();
        return;
    }
    accept();
}

}  // namespace orv
