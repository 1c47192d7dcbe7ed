#include "gui/base/GuiProgress.h"

#include "gui/base/ReportStatus.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>

namespace orv {

GuiProgress::GuiProgress(TfrmReportStatus& window)
    : bar_(window.ProgressBar), status_(window.lblStatus)
{
    QPointer<TfrmReportStatus> w(&window);
    isCancelled_ = [w] { return w && w->Cancelled; };
}

GuiProgress::GuiProgress(QProgressBar* bar, QLabel* status, std::function<bool()> isCancelled)
    : bar_(bar), status_(status), isCancelled_(std::move(isCancelled))
{
}

void GuiProgress::setRange(int maximum)
{
    if (bar_) {
        bar_->setRange(0, qMax(0, maximum));
        bar_->setValue(0);
    }
}

void GuiProgress::setStatus(const QString& text)
{
    if (status_)
        status_->setText(text);
    QCoreApplication::processEvents();
}

void GuiProgress::step(int by)
{
    if (bar_)
        bar_->setValue(qMin(bar_->maximum(), bar_->value() + by));
    QCoreApplication::processEvents();
}

bool GuiProgress::cancelled() const
{
    return isCancelled_ ? isCancelled_() : false;
}

}  // namespace orv
