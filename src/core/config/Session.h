#pragma once
// The running program's start-up, data path switching and shutdown, without
// windows: the main window calls these and shows the messages they return.
// State lives in appState() and in the data module the session owns.

#include "core/base/Message.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace orv {

class ORVDataModule;

namespace session {

// Message texts of start-up and data path changes.
Message templatesCreatedWarning();
Message newPathTemplatesWarning();
Message swapPositionsHint();
Message blankEntryMessage();   // "No data on blank entry."
Message noPortfolioMessage();  // "A portfolio has not been selected yet." (with a beep)

// Start-up before any table is open: folders, first start (older installation or
// example data), ORVAlias.TXT, the shared number and date formats, ORV.cfg
// (defaults when missing; a damaged file is kept aside). `warnings` receives what
// the user must be told at the first paint.
void createHandler(const QString& programPath, QList<Message>* warnings);

// Start-up with the data: creates missing table files from the templates, opens
// the tables (refused when a table file is not valid or another Orvane has the
// data path), restores the active portfolio and fills the Master List cells.
// The value says whether template files were created (warn at the first paint).
Result<bool> openDataPath();

// Opens another folder's tables for this run only: ORVAlias.TXT, the Reopen list
// and the per-path settings are left alone, and no file is created (a folder
// without its nine valid table files is refused).
Status openDataPathForRun(const QString& folder);

// Rows in each of the nine tables, in table order, of the open data path.
QList<QPair<QString, qint64>> tableRowCounts();

// The data module of the open data path, or nullptr.
ORVDataModule* dataModule();

// Shutdown: the settings record (with the active portfolio's short name) written.
// A run that never had its data open (a second Orvane on the same data path, a
// damaged table file) leaves ORV.cfg as it is, so it cannot overwrite the
// settings of the window that does work on the data.
Status closeHandler();

// Switches to another data folder (no trailing separator). `warn` is called with
// the warning shown before template files are created in an incomplete folder.
// When the new folder cannot be opened, the previous data path is opened again
// and ORVAlias.TXT keeps naming it; the refusal is returned.
Status switchDataPath(const QString& path, const std::function<void(const Message&)>& warn);

// The "Reopen" list, most recent first.
QStringList reopenList();

// "Save Size && Position of Windows": switching it off deletes ORV.ini.
void setSaveWindowPositions(bool on);

QString currentDataPathForDisplay();
QString windowIniPath();

// Closes the data module (tests, and the end of the program).
void shutdown();

}  // namespace session
}  // namespace orv
