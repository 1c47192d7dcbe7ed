#pragma once
// TfrmResetAdjPrices ("Reset Adjusted Prices"): the user picks issues with the
// issue selection dialog and rebuilds their holes and adjusted prices, one issue
// after the other; "Stop" ends the run after the issue in progress.

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace orv {

struct PriceStatusBar;

class TfrmResetAdjPrices : public QDialog {
    Q_OBJECT
public:
    explicit TfrmResetAdjPrices(QWidget* parent = nullptr);
    ~TfrmResetAdjPrices() override;

    QPushButton* btnSelectFunds = nullptr;
    QListWidget* lbSelectedFunds = nullptr;
    QPushButton* bbtnOK = nullptr;
    QPushButton* bbtnCancel = nullptr;
    QLabel* lblStopping = nullptr;
    PriceStatusBar* status = nullptr;

    bool running() const { return running_; }
    int issuesDone() const { return done_; }

    void btnSelectFundsClick();
    // Fills the list with the selected entries; beeps and says "No securities
    // selected!" when there is none. Returns whether the list has entries.
    bool fillSelectedList();
    void bbtnOKClick();
    void bbtnCancelClick();

protected:
    void showEvent(QShowEvent* e) override;
    void done(int r) override;
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

private:
    bool running_ = false;
    bool stopRequested_ = false;
    int done_ = 0;
};

}  // namespace orv
