#pragma once
// TfrmReportStatus ("Report Status"): the one progress window of long
// computations, created once and shown and hidden as needed.
//
// A caller sets lblStatus and the two status bar panels, shows the window,
// steps ProgressBar once per unit of work (GuiProgress does this and processes
// pending events so that Cancel works) and tests Cancelled after each unit;
// it closes the window when done. Showing or activating the window clears
// Cancelled; closing it sets the progress bar back to 0; a close (by the
// user or by the caller) is allowed only while MayClose is set.

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;

namespace orv {

class TfrmReportStatus : public QDialog {
    Q_OBJECT
public:
    explicit TfrmReportStatus(QWidget* parent = nullptr);

    QLabel* lblStatus = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QPushButton* btnCancel = nullptr;
    QStatusBar* StatusBar = nullptr;

    // True after "Cancel" until the window is shown or activated again.
    bool Cancelled = false;
    // A close is refused while this is false (true from creation on).
    bool MayClose = true;

    // The two status bar panels (179 and 50 pixels wide).
    void setPanelText(int panel, const QString& text);
    QString panelText(int panel) const;
    QLabel* panel(int index) const;

    // Sets the status label, empties the panels, resets the bar to 0..maximum
    // and shows the window (not modal) in front. Returns the window.
    void start(const QString& status, int maximum);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void reject() override;  // Esc closes like the title bar's close button

private:
    void btnCancelClick();
    QLabel* panels_[2] = {nullptr, nullptr};
};

// The program's report status window, created on first use and kept for the
// whole run (the start-up sequence creates it).
TfrmReportStatus& frmReportStatus();
// Destroys it (end of the run; tests).
void destroyReportStatus();

}  // namespace orv
