// Edit > Master List: New Entry, Edit Table Entries, Delete Entry, Column
// Headings and Asset Allocation Titles && Assignments.
#include "core/config/AppState.h"
#include "core/config/Session.h"
#include "core/masterlist/EntryRules.h"
#include "core/store/DataModule.h"
#include "core/store/Records.h"
#include "gui/base/MessageDlg.h"
#include "gui/main/Commands.h"
#include "gui/main/MainWindow.h"
#include "gui/masterlist/AssetAllocation.h"
#include "gui/masterlist/ColumnHeadings.h"
#include "gui/masterlist/DeleteEntry.h"
#include "gui/masterlist/EditTableEntries.h"
#include "gui/masterlist/NewEntry.h"

namespace orv {

static void installEntryCommands(TfrmMain& main)
{
    main.provideCommand(QStringLiteral("mmNewEntry"), [&main] {
        ORVDataModule* dm = session::dataModule();
        if (!dm)
            return;
        const int row = main.activeRow();
        const int col = main.activeCol();
        if (row < 1 || col < 0 ||
            store::countInRange(*dm, store::TableId::MasterList, QStringLiteral("IndxColRow"), {col, row}) > 0) {
            MessageDlgCtr(blankCellMessage());
            return;
        }
        runNewEntry(*dm, row, col, &main);
        main.LoadGrid();
    });

    main.provideCommand(QStringLiteral("mmEditTableEntries"), [&main] {
        ORVDataModule* dm = session::dataModule();
        if (!dm)
            return;
        if (dm->fftblMasterList().recordCount() == 0) {
            MessageDlgCtr(emptyTableMessage());
            return;
        }
        int mlID = -1;
        if (main.SetCurrentEntryFromActiveCell())
            mlID = appState().CurMLID;
        {
            TfrmMLEditTableEntries w(*dm, mlID, &main);
            w.exec();
        }
        main.LoadGrid();
    });

    main.provideCommand(QStringLiteral("mmDeleteEntry"), [&main] {
        ORVDataModule* dm = session::dataModule();
        if (!dm)
            return;
        if (!main.SetCurrentEntryFromActiveCell()) {
            MessageDlgCtr(blankDeleteMessage());
            return;
        }
        {
            TfrmMLDeleteEntry w(*dm, appState().CurMLID, &main);
            w.exec();
        }
        main.LoadGrid();
    });

    main.provideCommand(QStringLiteral("mmColumnHeadings"), [&main] {
        ORVDataModule* dm = session::dataModule();
        if (!dm)
            return;
        main.LoadHeadings();  // the 100 heading rows exist before they are edited
        {
            TfrmMLEditColHd w(*dm, &main);
            w.exec();
        }
        main.LoadHeadings();
    });

    main.provideCommand(QStringLiteral("mmAssetAllocation"), [&main] {
        ORVDataModule* dm = session::dataModule();
        if (!dm || !main.requireEntry(QStringLiteral("Can't edit allocations for a blank entry.")))
            return;
        TfrmMLEditAllocations w(*dm, appState().CurMLID, appState().CurMLShortName, &main);
        w.exec();
    });
}
ORV_MAIN_COMMANDS(installEntryCommands);

}  // namespace orv
