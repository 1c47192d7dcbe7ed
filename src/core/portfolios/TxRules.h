#pragma once
// Transactions: the entry rules of the add/edit dialog (types, share price on the
// date, completion of shares, amount and share price), saving and deleting with
// the holdings summary kept up to date, the four views of the Transactions window
// with their texts, bulk deletion, entry for several portfolios, the holding's
// parameters and the preconditions of the main window's command.

#include "core/base/Dates.h"
#include "core/base/Message.h"
#include "core/store/Records.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace orv {

class ORVDataModule;
class Progress;

namespace tx {

// ---- Types and settings --------------------------------------------------------

// The types as offered ("Usual", "Income", "CapGain"); "Usual" is stored as empty text.
QStringList typeChoices();
QString storedType(const QString& shown);  // "Usual" (any case) or blank -> ""
QString shownType(const QString& stored);  // "" -> "Usual"
// Parses a type name given by the user (CLI): the offered names, any case.
std::optional<QString> parseShownType(const QString& text);
// "Buy" or "Sell" from any case; nullopt otherwise.
std::optional<QString> parseBuySell(const QString& text);

// Reinvestment options of a holding and the choice an edit dialog preselects:
// "None" -> None, "CapGain" -> CapGain, anything else -> All.
QStringList reinvestChoices();  // "None", "CapGain", "All"
QString reinvestChoice(const QString& stored);
std::optional<QString> parseReinvest(const QString& text);

// A fee heading as stored: at most 16 characters.
QString feeHeading(const QString& typed);
QString feeMenuCaption(const QString& heading);      // heading + " Heading"
QString hideFeeMenuCaption(const QString& heading);  // "Hide " + heading + " field"

// The default date of the first new transaction of a window: today, moved back to
// Friday on a weekend.
Day defaultTxDate(Day today);

// ---- Price on date and completion --------------------------------------------

constexpr double kNoPriceOnDate = -10.0;

// The issue's Price on that day, or kNoPriceOnDate when no price is recorded.
double priceOnDate(ORVDataModule& dm, int mlID, Day day);
// "N/A" for kNoPriceOnDate, else the price in the pattern.
QString priceOnDateText(double remembered, const QString& pattern);
// The pattern of the price on date and the share price: FmtPrice, with "000"
// added for a variable annuity.
QString pricePattern(const QString& issueType);
// The share price after the date was left: the price on date when there is one,
// 1.0 for a money market fund without one, otherwise unchanged (nullopt).
std::optional<double> sharePriceAfterDate(double remembered, const QString& issueType);

struct TxFigures {
    double shares = 0, amount = 0, sharePrice = 0;
};
// Leaving Shares (sharesOnEntry: the value when the field was entered):
// Amount = Shares x SharePrice when Shares changed by more than 0.00009, Amount
// was not changed on its last visit and |SharePrice| > 0.0001; then SharePrice =
// Amount / Shares when both exceed 0.0001 in absolute value.
void completeAfterShares(TxFigures& f, double sharesOnEntry, bool amountChangedLastVisit);
// Leaving Amount: Shares = Amount / SharePrice when Amount changed by more than
// 0.009, Shares was not changed on its last visit and |SharePrice| > 0.0001; then
// the same SharePrice rule.
void completeAfterAmount(TxFigures& f, double amountOnEntry, bool sharesChangedLastVisit);
// Whether a visit changed the field (the thresholds used above).
bool sharesChanged(double before, double after);
bool amountChanged(double before, double after);

// ---- Preconditions -------------------------------------------------------------

QString noPortfolioQuestion();  // "You must first setup a portfolio"
// Refusals for the issue of the Transactions command: "Linear type", names with
// "[Pf]", no price at all.
Status checkIssueForTransactions(ORVDataModule& dm, const MasterListRec& issue);

// ---- Saving and deleting -------------------------------------------------------

// Saves one transaction: resolves the portfolio and issue short names to PfID and
// MLID, stores "Usual" as empty text, inserts (Sequence 0) or updates the record,
// recomputes the holding (and, on a move, the one it left) and remembers the record
// in LastTxBookmark, all in one transaction. Returns the Sequence.
Result<qint64> saveTransaction(ORVDataModule& dm, TransactionRec r, const QString& pfShortName,
                               const QString& mlShortName);

std::optional<TransactionRec> transaction(ORVDataModule& dm, qint64 sequence);

QString deleteOneQuestion(Day date);  // "Are you sure you want to delete the highlighted transaction on <date>?"
// Deletes one transaction and recomputes its holding, in one transaction.
Status deleteTransaction(ORVDataModule& dm, qint64 sequence);

// ---- Views ---------------------------------------------------------------------

enum class TxView { PortfolioAll = 0, PortfolioIssue = 1, AllPortfoliosIssue = 2, AllAll = 3 };

// The option texts of the four views from the current names ("&" doubled).
QStringList viewOptionTexts(const QString& pfShortName, const QString& mlShortName);

struct TxRow {
    qint64 Sequence = 0;
    int PfID = 0, MLID = 0;
    QString Portfolio, MLShortName;  // the lookup names
    Day Date = kNoDay;
    QString BuySell;
    double Shares = 0, Amount = 0;
    std::optional<double> SharePrice;
    double Commission = 0, Fee1 = 0, Fee2 = 0;
    QString Type, Comment;  // Type as stored
};

// The rows of a view in its index order (date, then entry order within the keys).
std::vector<TxRow> viewRows(ORVDataModule& dm, TxView view, int pfID, int mlID);
// A plain read of every transaction in date order without names (for comparison).
std::vector<TransactionRec> allTransactionsByDate(ORVDataModule& dm);

// What the window shows per view.
struct TxViewControls {
    bool portfolioPanel = false, securityPanel = false;  // change panels of the window
    bool portfolioSummary = false;                      // "Portfolio Su&mmary" enabled
    bool holdingPanels = false;                         // account, phone, reinvest (second view)
    bool totals = false;                                // total shares and value
    bool dialogChangePortfolio = false, dialogChangeSecurity = false;  // the add/edit dialog's buttons
};
TxViewControls viewControls(TxView view);

// The totals panel: shares of the holding (second view) or of every holding of
// the issue (third view), and the value at the issue's latest price.
struct TxTotals {
    bool hasHolding = false;
    QString AccountNumber, Phone, Reinvest;
    double shares = 0;
    bool hasPrice = false;
    Day priceDate = kNoDay;
    double value = 0;
    QString sharesText() const;      // FmtPrice4
    QString valueLabel() const;      // <date> + " Value:"
    QString valueText() const;       // FmtMoney
};
TxTotals viewTotals(ORVDataModule& dm, TxView view, int pfID, int mlID);

// The question of the "All" answer per view ("&" doubled in the names).
QString bulkDeleteQuestion(TxView view, const QString& pfShortName, const QString& mlShortName);
// Deletes every transaction of the view, then the matching holdings records, in
// one transaction (progress step per transaction). Returns the count deleted.
Result<int> deleteView(ORVDataModule& dm, TxView view, int pfID, int mlID, Progress& progress);

// ---- Entry for several portfolios ------------------------------------------------

QString multipleEntryQuestion();  // "Enter similar transactions for other portfolios?"
QString noPortfoliosSelectedText();  // "No portfolios selected."
// After the directory closed: unmarks the portfolio of the saved transaction and
// returns the selected portfolios in short-name order.
std::vector<PortfolioRec> multipleEntryTargets(ORVDataModule& dm, int savedPfID);
// The values copied from the saved transaction into each new one.
TransactionRec copyForPortfolio(const TransactionRec& saved);

// ---- Holding parameters ----------------------------------------------------------

QString noTransactionYetText();  // "No transaction entered yet."
// Writes AccountNumber, Phone and Reinvest of the holding; refused when the
// holding has no record.
Status setHoldingParameters(ORVDataModule& dm, int pfID, int mlID, const QString& reinvest,
                            const QString& accountNumber, const QString& phone);

}  // namespace tx
}  // namespace orv
