// The View menu's "&Quick Report" and "&Find" (and the "Find Master List
// Entry" speed button, which runs the same command).
#include "gui/main/Commands.h"
#include "gui/main/MainWindow.h"
#include "gui/select/FindMasterListEntry.h"
#include "gui/select/QuickMLReport.h"

namespace orv {

static void installSelectCommands(TfrmMain& main)
{
    main.provideCommand(QStringLiteral("mmQuickReport"), [&main] {
        if (main.requireEntry())
            showQuickMLReport(&main);
    });
    main.provideCommand(QStringLiteral("mmFind"), [&main] {
        if (auto cell = runFind(&main))
            main.setActiveCell(cell->row, cell->col);
    });
}
ORV_MAIN_COMMANDS(installSelectCommands);

}  // namespace orv
