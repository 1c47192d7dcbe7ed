#pragma once
// The run-time state every window shares: the folders, the alias name, the
// configuration record held in memory for the whole run, the active portfolio and
// the current Master List entry. One instance, reached through appState().

#include "core/config/ConfigRecord.h"
#include "core/config/Paths.h"

#include <QString>
#include <optional>

namespace orv {

// The names of a portfolio as the Portfolio table holds them.
struct PortfolioNames {
    int PfID = -1;
    QString ShortName;
    QString LongName;
    QString TaxID;
};

struct AppState {
    // Folders, each with a trailing separator.
    QString ProgramPath;
    QString UserPath;
    QString DataPath;
    QString BackupPath;
    QString TempPath;
    QString HelpPath;

    QString AliasName = QString::fromLatin1(kDefaultAliasName);
    ConfigRecord Config;

    // The active portfolio; ActivePfID is -1 when there is none.
    int ActivePfID = -1;
    QString ActivePfShortName;
    QString ActivePfLongName;
    QString ActivePfTaxID;
    QString ActivePfTitle;
    QString ActivePfCaption;

    // The current Master List entry, set before a window about one entry opens.
    int CurMLID = -1;
    QString CurMLShortName;
    QString CurMLLongName;
    QString CurMLType;

    Folders folders() const;
    void setFolders(const Folders& f);
    // Back to a freshly started state (tests).
    void reset() { *this = AppState{}; }
};

AppState& appState();

// Fills the active portfolio from `pf`, or clears it (ActivePfID -1, empty texts)
// when there is none. Title: the trimmed long name, or the trimmed short name when
// the long name is blank. Caption: a blank and the trimmed short name, then " : "
// and the long name without trailing blanks when the long name is not blank.
void setActivePortfolio(AppState& state, const std::optional<PortfolioNames>& pf);

}  // namespace orv
