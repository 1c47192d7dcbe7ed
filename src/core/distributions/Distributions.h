#pragma once
// Distributions of one issue (income, capital gain, splits): the rounding rule of
// distribution amounts, the checks and the saving of a distribution with the
// adjusted prices rebuilt, the deletion of one or all distributions and of the
// "Income" and "CapGain" transactions they produced, and the automatic entry of a
// distribution as transactions of every portfolio that holds the issue.
//
// Every writer here runs in one database transaction (nested in the caller's when
// there is one) and leaves the tables as they were when a write fails.

#include "core/base/Dates.h"
#include "core/base/Message.h"
#include "core/store/Records.h"

#include <QString>
#include <optional>
#include <vector>

namespace orv {

class ORVDataModule;
class Progress;

namespace dsb {

// ---- Rounding ----------------------------------------------------------------

// Keeps the integer part i of x (toward zero); e = (x - i) * 10^digits, t its
// integer part, r = e - t; r * 10 is rounded to the nearest integer (ties to
// even) and when that is 5 or more in absolute value t moves one unit away from
// zero. Result i + t / 10^digits. Note the double rounding: 2.123446 to four
// digits gives 2.1235.
double RoundDecimals(int digits, double x);

// ---- Thresholds ----------------------------------------------------------------

constexpr double kMinSplitFactor = 0.0009;  // a record with at least this factor is a split
constexpr double kMinAmount = 0.0000009;    // least Total and ReinvestPri
constexpr double kMinHeld = 0.00009;        // least holding that receives a distribution
constexpr double kMinPart = 0.00009;        // least income or capital gain entered

// ---- Texts ---------------------------------------------------------------------

QString resettingStatusText();   // "Resetting adj prices..."
QString adjustingStatusText();   // "Adjusting for distributions..."
QString updatingSummariesText(); // "Updating transaction summaries."
QString deletingAllText();       // "Deleting all distributions."
QString deleteOneQuestion();     // "Are you sure you want to delete this distribution?"
QString deleteTxQuestion(Day exDate);  // "Delete corresponding transactions on <date>?"
QString deleteAllQuestion();     // "Are you sure you want to delete ALL distributions?"
QString deleteAllTxQuestion();   // "Delete all corresponding transactions?"
QString allDoneText();           // "All done!"

// The main window's refusals before the list opens (warnings).
Message linearTypeMessage();     // "No distributions for Linear Type."
Message noPriceMessage();        // "A closing price must first be entered."
// The refusal for an issue, or success: "Linear type" first, then no price at all.
Status checkIssueForDistributions(ORVDataModule& dm, const MasterListRec& issue);

// ---- Saving ----------------------------------------------------------------------

// The field a refusal puts the focus on.
enum class DsbField { None, ExDate, RecDate, PayDate, Total, Income, CapGain, ReinvestPri, SplitFactor };

struct DsbCheck {
    Status status;
    DsbField focus = DsbField::None;
    bool ok() const { return status.ok(); }
};

// A new record of the issue: all three dates `day`, all amounts 0.
DistributionRec newDistribution(int mlID, Day day);

// The checks of Save, in order (each refusal a warning with a beep):
// weekend ex-date; record date after the ex-date; ex-date after the issue's last
// price; for a split (factor >= 0.0009) a zero reinvest price, else Total is set to
// factor x price - price; for a cash distribution a zero Total, then a zero
// reinvest price.
DsbCheck CheckDistribution(ORVDataModule& dm, DistributionRec& r);

// "Disbritubion already exists for Ex-Date." (the program's text, spelling kept).
Message duplicateExDateMessage();

// Checks r, refuses a second distribution of the issue on the same ex-date, then
// inserts r (editedExDate empty) or replaces the issue's record of editedExDate,
// and rebuilds the adjusted prices (reset, then adjusted for every distribution),
// all in one transaction. r comes back as stored (Total of a split computed).
DsbCheck SaveDistribution(ORVDataModule& dm, DistributionRec& r, std::optional<Day> editedExDate, Progress& bar);

// ---- Deleting --------------------------------------------------------------------

// Deletes the issue's distribution of that ex-date and rebuilds the adjusted prices.
Status DeleteDistribution(ORVDataModule& dm, int mlID, Day exDate, Progress& bar);
// Deletes every distribution of the issue and resets the adjusted prices; returns
// the ex-dates deleted, oldest first.
Result<std::vector<Day>> DeleteAllDistributions(ORVDataModule& dm, int mlID, Progress& bar);

// Deletes the issue's "Income" and "CapGain" transactions dated on the ex-date(s),
// in every portfolio (other transactions stay), then recomputes the holding of
// every portfolio that lost one. Portfolio.Selected ends cleared on every
// portfolio (it marks the portfolios to recompute while this runs). Returns the
// number of transactions deleted.
Result<int> DeleteDsbTransactions(ORVDataModule& dm, int mlID, Day exDate, Progress& bar);
Result<int> DeleteAllDsbTransactions(ORVDataModule& dm, int mlID, const std::vector<Day>& exDates, Progress& bar);

// ---- Automatic reinvestment -------------------------------------------------------

// The five values a distribution hands to the automatic entry.
struct DsbAmounts {
    Day ExDate = kNoDay;
    double Income = 0, CapGain = 0, ReinvestPri = 0, SplitFactor = 0;
    static DsbAmounts of(const DistributionRec& r);
};

// After a save: whether the amounts call for the automatic entry (income, capital
// gain or split factor of 0.0009 or more). The caller also needs an active portfolio.
bool CallsForAutoEntry(const DsbAmounts& a);

// A portfolio that holds the issue (has a holdings record for it), with the
// holding's reinvest option.
struct HoldingPortfolio {
    int PfID = 0;
    QString ShortName, LongName, Reinvest;
};
// Portfolios holding the issue, in short-name order.
std::vector<HoldingPortfolio> HoldingPortfolios(ORVDataModule& dm, int mlID);
// " " + short name + " : " + long name (the automatic entry's status bar).
QString portfolioStatusText(const HoldingPortfolio& pf);

// Shares held at the ex-date: bought minus other shares of the portfolio's
// transactions in the issue dated on or before the day.
double SharesHeldAt(ORVDataModule& dm, int pfID, int mlID, Day day);

// The transactions one portfolio gets for a holding of `held` shares: an "Income"
// and a "CapGain" transaction (a buy when reinvested, else a "Sell" of 0 shares
// carrying the cash), or, with no income or capital gain, the split's buy.
// Nothing when the holding is 0.00009 or less.
std::vector<TransactionRec> ReinvestmentTransactions(int pfID, int mlID, double held, const QString& reinvest,
                                                     const DsbAmounts& a);

// Writes those transactions for one portfolio and recomputes its holding, in one
// transaction. Returns the number of transactions written.
Result<int> ReinvestForPortfolio(ORVDataModule& dm, int pfID, int mlID, const QString& reinvest,
                                 const DsbAmounts& a);
// Every holding portfolio in short-name order (one progress step each), in one
// transaction. Returns the number of transactions written.
Result<int> ReinvestAllPortfolios(ORVDataModule& dm, int mlID, const DsbAmounts& a, Progress& bar);

}  // namespace dsb
}  // namespace orv
