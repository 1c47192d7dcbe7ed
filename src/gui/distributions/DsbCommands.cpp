// The Edit menu's "&Distributions" command of the main window.
#include "core/config/AppState.h"
#include "core/config/Session.h"
#include "core/distributions/Distributions.h"
#include "core/store/DataModule.h"
#include "gui/base/MessageDlg.h"
#include "gui/distributions/EditDsbs.h"
#include "gui/main/Commands.h"
#include "gui/main/MainWindow.h"

namespace orv {

namespace {

void installDistributionCommands(TfrmMain& main)
{
    main.provideCommand(QStringLiteral("mmDistributions"), [&main] {
        if (!main.requireEntry())
            return;
        ORVDataModule* dm = session::dataModule();
        if (!dm)
            return;
        const auto issue = store::masterListEntry(*dm, appState().CurMLID);
        if (!issue)
            return;
        if (const Status st = dsb::checkIssueForDistributions(*dm, *issue); !st) {
            MessageDlgCtr(st.message());
            return;
        }
        TfrmEditDsbs w(&main);
        w.exec();
        // Reinvestments and deleted transactions change holdings.
        main.RefreshAccountView();
    });
}

}  // namespace

ORV_MAIN_COMMANDS(installDistributionCommands);

}  // namespace orv
