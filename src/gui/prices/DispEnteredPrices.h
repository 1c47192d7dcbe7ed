#pragma once
// TfrmDispEnteredPrices ("Write Prices To Database"): the progress window shown
// while prices are written for many entries. It shows the entry, date and price
// being written, a status text and a progress bar. The user cannot close it: the
// attempt is recorded in StopRequested, which a caller that can stop early (the
// import of prices) reads after each entry; the price entry windows ignore it.

#include <QDialog>

class QLabel;

namespace orv {

struct PriceStatusBar;

class TfrmDispEnteredPrices : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDispEnteredPrices(QWidget* parent = nullptr);
    ~TfrmDispEnteredPrices() override;

    QLabel* pnlName = nullptr;
    QLabel* pnlDate = nullptr;
    QLabel* pnlPrice = nullptr;
    PriceStatusBar* status = nullptr;

    // Set when the user tried to close the window; cleared by start().
    bool StopRequested = false;

    // Shows the window (not modal) with the initial texts.
    void start();
    void showEntry(const QString& name, const QString& date, const QString& price);
    // Closes the window (the only way it closes).
    void finish();
    // Esc: recorded as a stop request like a close.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    bool mayClose_ = false;
};

}  // namespace orv
