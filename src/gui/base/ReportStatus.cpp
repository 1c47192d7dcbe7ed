#include "gui/base/ReportStatus.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace orv {

TfrmReportStatus::TfrmReportStatus(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmReportStatus"));
    setWindowTitle(QStringLiteral("Report Status"));
    setModal(false);

    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setMinimumWidth(300);
    lblStatus->setTextFormat(Qt::PlainText);

    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(false);

    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });

    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    const int widths[2] = {179, 50};
    for (int i = 0; i < 2; ++i) {
        panels_[i] = new QLabel(StatusBar);
        panels_[i]->setObjectName(QStringLiteral("StatusBarPanel%1").arg(i));
        panels_[i]->setFixedWidth(widths[i]);
        panels_[i]->setFrameShape(QFrame::Panel);
        panels_[i]->setFrameShadow(QFrame::Sunken);
        StatusBar->addWidget(panels_[i], i == 1 ? 1 : 0);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnCancel);
    buttons->addStretch(1);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 12, 12, 8);
    body->addWidget(lblStatus);
    body->addWidget(ProgressBar);
    body->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(body);
    layout->addWidget(StatusBar);
    resize(360, sizeHint().height());
}

void TfrmReportStatus::setPanelText(int index, const QString& text)
{
    if (QLabel* p = panel(index))
        p->setText(text);
}

QString TfrmReportStatus::panelText(int index) const
{
    QLabel* p = panel(index);
    return p ? p->text() : QString();
}

QLabel* TfrmReportStatus::panel(int index) const
{
    return index >= 0 && index < 2 ? panels_[index] : nullptr;
}

void TfrmReportStatus::start(const QString& status, int maximum)
{
    lblStatus->setText(status);
    setPanelText(0, QString());
    setPanelText(1, QString());
    ProgressBar->setRange(0, qMax(0, maximum));
    ProgressBar->setValue(0);
    show();
    raise();
    activateWindow();
}

void TfrmReportStatus::showEvent(QShowEvent* event)
{
    // A window shown again starts without the cancel of its last run.
    Cancelled = false;
    QDialog::showEvent(event);
}

void TfrmReportStatus::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Cancelled = false;
    QDialog::changeEvent(event);
}

void TfrmReportStatus::closeEvent(QCloseEvent* event)
{
    if (!MayClose) {
        event->ignore();
        return;
    }
    ProgressBar->setValue(0);
    event->accept();
    // Ends a modal run too; the widget is hidden by the close itself.
    QDialog::done(QDialog::Rejected);
}

void TfrmReportStatus::reject()
{
    // Esc and the title bar close go through the may-close rule.
    close();
}

void TfrmReportStatus::btnCancelClick()
{
    Cancelled = true;
}

namespace {
QPointer<TfrmReportStatus>& instanceSlot()
{
    static QPointer<TfrmReportStatus> p;
    return p;
}
}  // namespace

TfrmReportStatus& frmReportStatus()
{
    QPointer<TfrmReportStatus>& p = instanceSlot();
    if (!p)
        p = new TfrmReportStatus();
    return *p;
}

void destroyReportStatus()
{
    QPointer<TfrmReportStatus>& p = instanceSlot();
    delete p.data();
    p = nullptr;
}

}  // namespace orv
