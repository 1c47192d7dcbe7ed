// The Edit menu's price commands of the main window.
#include "gui/base/MessageDlg.h"
#include "gui/main/Commands.h"
#include "gui/main/MainWindow.h"
#include "gui/prices/PricesDateWindows.h"
#include "gui/prices/PricesOneFund.h"
#include "gui/prices/ResetAdjPrices.h"

#include <QApplication>

namespace orv {

namespace {

void installPriceCommands(TfrmMain& main)
{
    main.provideCommand(QStringLiteral("mmPricesSelected"), [&main] {
        if (!main.requireEntry())
            return;
        TfrmPricesOneFund w(&main);
        w.exec();
    });
    main.provideCommand(QStringLiteral("mmPricesActiveColumn"), [&main] {
        const int col = main.activeCol();
        if (!columnHasEntries(col)) {
            QApplication::beep();
            MessageDlgCtr(QStringLiteral("No entries in that column."), MsgType::Warning, Btn::OK);
            return;
        }
        TfrmPricesActiveColumn w(col, &main);
        w.exec();
    });
    main.provideCommand(QStringLiteral("mmPricesAll"), [&main] {
        TfrmPricesAllFundsAlpha w(&main);
        w.exec();
    });
    main.provideCommand(QStringLiteral("mmResetAdjPrices"), [&main] {
        TfrmResetAdjPrices w(&main);
        w.exec();
    });
}

}  // namespace

ORV_MAIN_COMMANDS(installPriceCommands);

}  // namespace orv
