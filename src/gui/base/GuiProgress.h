#pragma once
// GuiProgress: the window side of orv::Progress. It steps a progress bar,
// shows the status text in a label, processes pending events after each step
// (so that a Cancel or Stop button is seen) and reads a cancel flag.
//
//   TfrmReportStatus& rs = frmReportStatus();
//   rs.start("Building daily values for:  " + name, 0);
//   GuiProgress progress(rs);
//   RunLongOperation(..., progress);   // stops at progress.cancelled()
//   rs.close();

#include "core/base/Progress.h"

#include <QPointer>
#include <functional>

class QLabel;
class QProgressBar;

namespace orv {

class TfrmReportStatus;

class GuiProgress final : public Progress {
public:
    // On the report status window: its ProgressBar, its lblStatus, its
    // Cancelled flag.
    explicit GuiProgress(TfrmReportStatus& window);
    // On any progress bar; status goes to `status` when given, and
    // `isCancelled` (e.g. reading a Stop button's flag) answers cancelled().
    explicit GuiProgress(QProgressBar* bar, QLabel* status = nullptr, std::function<bool()> isCancelled = {});

    void setRange(int maximum) override;
    void setStatus(const QString& text) override;
    void step(int by = 1) override;
    bool cancelled() const override;

private:
    QPointer<QProgressBar> bar_;
    QPointer<QLabel> status_;
    std::function<bool()> isCancelled_;
};

}  // namespace orv
