// The main window's "&Portfolio Directory" and "&Transactions" commands (and
// their speed buttons), with the preconditions of the transactions command.
#include "core/config/AppState.h"
#include "core/config/Session.h"
#include "core/portfolios/TxRules.h"
#include "core/store/DataModule.h"
#include "gui/base/MessageDlg.h"
#include "gui/main/Commands.h"
#include "gui/main/MainWindow.h"
#include "gui/portfolios/EditTransactions.h"
#include "gui/portfolios/PfDirectory.h"

#include <QAction>
#include <QApplication>

namespace orv {

static void installPortfolioCommands(TfrmMain& main)
{
    main.openPortfolioDirectory = [&main] {
        TfrmPfDirectory dlg(TfrmPfDirectory::Mode::Directory, &main);
        dlg.exec();
        main.RefreshAccountView();
    };
    main.provideCommand(QStringLiteral("mmPortfolioDirectory"), [&main] {
        if (!main.SetCurrentEntryFromActiveCell()) {
            AppState& s = appState();
            s.CurMLID = -1;
            s.CurMLShortName.clear();
            s.CurMLLongName.clear();
            s.CurMLType.clear();
        }
        main.openPortfolioDirectory();
    });
    main.provideCommand(QStringLiteral("mmTransactions"), [&main] {
        ORVDataModule* dm = session::dataModule();
        if (!dm)
            return;
        if (appState().ActivePfID < 0) {
            QApplication::beep();
            if (MessageDlgCtr(tx::noPortfolioQuestion(), MsgType::Information, Btn::OKCancel) != MR::OK)
                return;
            main.openPortfolioDirectory();
            if (appState().ActivePfID < 0)
                return;
        }
        if (!main.requireEntry())
            return;
        const auto entry = store::masterListEntry(*dm, appState().CurMLID);
        if (!entry)
            return;
        if (const Status st = tx::checkIssueForTransactions(*dm, *entry); !st) {
            MessageDlgCtr(st.message());
            return;
        }
        {
            TfrmEditTransactions w(&main);
            w.openPortfolioSummary = [&main] {
                if (QAction* a = main.action(QStringLiteral("mmRptPortfolioSummary")); a && a->isEnabled())
                    a->trigger();
            };
            w.exec();
        }
        main.LoadGrid();
        main.RefreshAccountView();
    });
}
ORV_MAIN_COMMANDS(installPortfolioCommands);

}  // namespace orv
