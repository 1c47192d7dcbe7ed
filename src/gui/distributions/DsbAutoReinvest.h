#pragma once
// TfrmDsbAutoReinvest ("Automatic Transaction Entry"): enters one distribution of
// the current issue (CurMLID) as transactions of every portfolio that holds it,
// either automatically for all of them or confirming each portfolio (Accept or
// Skip). Portfolios are visited in short-name order; those without a holdings
// record are passed over. Cancel closes the window; portfolios already handled
// keep their transactions.

#include "core/distributions/Distributions.h"

#include <QDialog>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QGroupBox;
class QStatusBar;

namespace orv {

class TfrmDsbAutoReinvest : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDsbAutoReinvest(const dsb::DsbAmounts& amounts, QWidget* parent = nullptr);

    QLabel* lblQuestion = nullptr;
    QLabel* pnlSecurity = nullptr;
    QLabel* pnlExDate = nullptr;
    QLabel* pnlIncome = nullptr;
    QLabel* pnlCapGain = nullptr;
    QLabel* pnlSplitFactor = nullptr;
    QLabel* pnlReinvestPri = nullptr;
    QGroupBox* rgEntryOptions = nullptr;
    QRadioButton* rbAutomatic = nullptr;
    QRadioButton* rbConfirm = nullptr;
    QStatusBar* stbPortfolio = nullptr;
    QLabel* stbPortfolioText = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* bbtnOk = nullptr;
    QPushButton* bbtnCancel = nullptr;
    QPushButton* btnAccept = nullptr;
    QPushButton* btnSkip = nullptr;

    // Transactions written so far.
    int written() const { return written_; }
    // The portfolio confirmation mode stopped at (-1 when none).
    int currentPfID() const;

    void bbtnOkClick();
    void btnAcceptClick();
    void btnSkipClick();

protected:
    void showEvent(QShowEvent* e) override;
    void done(int r) override;

private:
    // Moves to the next holding portfolio from position pos_; closes when none is left.
    void advance();
    dsb::DsbAmounts amounts_;
    std::vector<dsb::HoldingPortfolio> holders_;  // holding portfolios, short-name order
    std::vector<int> examined_;  // per holder: portfolios examined when it is reached
    int portfolioCount_ = 0;
    int pos_ = -1;
    int written_ = 0;
};

}  // namespace orv
