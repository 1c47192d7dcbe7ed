#pragma once
// The portfolio directory: the multiple-portfolio selection kept in
// Portfolio.Selected (select all, clear, by family of names, by holdings of one
// issue), the short-name rules, saving a portfolio and deleting one together with
// its transactions and holdings.

#include "core/base/Message.h"
#include "core/store/Records.h"

#include <QString>
#include <vector>

namespace orv {

class ORVDataModule;
class Progress;

// Share balances below this are treated as zero (closed account).
constexpr double kPfSharesTolerance = 0.00005;
// Longest short name of a portfolio.
constexpr int kPfShortNameMax = 12;

// ---- Selection ----------------------------------------------------------------

enum class PfFamilyRule { StartsWith, Contains, Equals };

// Whether a portfolio named shortName belongs to the family given by text:
// StartsWith / Contains compare upper-cased texts, Equals is exact (case matters).
// An empty text matches nothing.
bool familyMatches(PfFamilyRule rule, const QString& text, const QString& shortName);

enum class PfIssueSelection { TransactionExists, OpenAccounts, ClosedAccounts };

// The test on a holding's share balance for the issue-based selections: any
// balance; |shares| > 0.00005; |shares| < 0.00005.
bool issueSelectionMatches(PfIssueSelection kind, double shares);

// Sets Selected to false on every portfolio, in one transaction.
Status ClearPfSelections(ORVDataModule& dm);
// Sets Selected on every portfolio, in one transaction, one progress step each.
Status SelectAllPortfolios(ORVDataModule& dm, Progress& progress);
// Adds the portfolios of the family to the selection (others keep their mark);
// returns how many matched.
Result<int> SelectPfFamily(ORVDataModule& dm, PfFamilyRule rule, const QString& text, Progress& progress);
// Adds the portfolios whose holding of mlID passes the test to the selection;
// returns how many matched.
Result<int> SelectPfByIssue(ORVDataModule& dm, int mlID, PfIssueSelection kind, Progress& progress);
// Sets or clears the mark of one portfolio.
Status setPfSelected(ORVDataModule& dm, int pfID, bool selected);
// The selected portfolios in short-name order.
std::vector<PortfolioRec> selectedPortfolios(ORVDataModule& dm);

// ---- Editing ------------------------------------------------------------------

// What the Short Name field accepts of a typed text: printable characters from
// "!" to "~" only (no blank), forced to upper case, at most 12 characters.
QString filterShortNameInput(const QString& typed);

// The directory's refusal for a blank short name.
QString shortNameBlankText();  // "Short Name must not be blank."

// Checks a portfolio before it is saved: a short name that is not blank, made of
// the accepted characters, not used by another portfolio (ignoring case), and
// every field within its width.
Status checkPortfolio(ORVDataModule& dm, const PortfolioRec& r);

// Adds (PfID 0) or updates a portfolio after checkPortfolio; the short name is
// trimmed and upper-cased first. Returns the PfID.
Result<int> savePortfolio(ORVDataModule& dm, PortfolioRec r);

// The question asked before deleting a portfolio.
QString deletePortfolioQuestion();  // "Delete this portfolio and all associated transactions?"
// The status shown by the progress window during the deletion.
QString deletingTransactionsText();  // "Deleting transactions..."

// Deletes the portfolio's holdings records, its transactions (one progress step
// each) and the portfolio itself in one transaction: nothing is deleted when any
// part fails. Returns the number of transactions deleted.
Result<int> deletePortfolio(ORVDataModule& dm, int pfID, Progress& progress);

// The portfolio with that short name (ignoring case), if any.
std::optional<PortfolioRec> portfolioByShortName(ORVDataModule& dm, const QString& shortName);

}  // namespace orv
