#pragma once
// TfrmDispEnteredDsbs ("Write Distributions To Database"): the progress window of
// callers that write many distributions (import, download). The callers fill the
// panels (issue, ex-date and the five amounts), the status text and the two
// progress bars. The user cannot close it: the attempt is recorded in
// StopRequested, which the callers poll, and "Please wait..." is shown.

#include <QDialog>

class QLabel;
class QProgressBar;
class QStatusBar;

namespace orv {

class TfrmDispEnteredDsbs : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDispEnteredDsbs(QWidget* parent = nullptr);

    QLabel* pnlName = nullptr;
    QLabel* pnlExDate = nullptr;
    QLabel* pnlTotDsb = nullptr;
    QLabel* pnlIncome = nullptr;
    QLabel* pnlCapGain = nullptr;
    QLabel* pnlReinvestPri = nullptr;
    QLabel* pnlSplitFactor = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* stbText = nullptr;         // first status panel
    QProgressBar* ProgressBar1 = nullptr;  // second panel
    QProgressBar* ProgressBar2 = nullptr;  // third panel

    // Set when the user tried to close the window; cleared by start().
    bool StopRequested = false;

    // Shows the window (not modal) with empty panels.
    void start();
    // Closes the window (the only way it closes).
    void finish();

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

private:
    void stopRequest();
    bool mayClose_ = false;
};

}  // namespace orv
