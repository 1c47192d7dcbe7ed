#pragma once
// The active portfolio: every change of it goes through SelectActivePortfolio.

#include <QString>
#include <optional>

namespace orv {

class ORVDataModule;
struct AppState;
struct PortfolioNames;

// Locates the portfolio by ShortName, ignoring case; found: sets the ActivePf
// values of the state; not found: ActivePfID -1 and the other values cleared.
// Returns whether it was found.
bool SelectActivePortfolio(ORVDataModule& dm, AppState& state, const QString& shortName);

// The first portfolio in ShortName order, if any.
std::optional<PortfolioNames> firstPortfolio(ORVDataModule& dm);

}  // namespace orv
