#pragma once
// How each subsystem puts its commands into the main window: a file of the
// subsystem registers an installer with ORV_MAIN_COMMANDS; the main window runs
// every installer once its menus exist. An installer connects the commands whose
// windows it provides and marks them available (enabled while data are open).
//
//   static void installPrices(TfrmMain& main)
//   {
//       main.provideCommand("mmPricesSelected", [&main] { ... open the window ... });
//   }
//   ORV_MAIN_COMMANDS(installPrices);

namespace orv {

class TfrmMain;
using CommandInstaller = void (*)(TfrmMain&);

struct CommandRegistrar {
    CommandRegistrar(const char* name, CommandInstaller installer);
};

// Runs every registered installer (in name order, so the result never depends
// on link order).
void installRegisteredCommands(TfrmMain& main);

}  // namespace orv

#define ORV_MAIN_COMMANDS_CAT2(a, b) a##b
#define ORV_MAIN_COMMANDS_CAT(a, b) ORV_MAIN_COMMANDS_CAT2(a, b)
#define ORV_MAIN_COMMANDS(fn) \
    static ::orv::CommandRegistrar ORV_MAIN_COMMANDS_CAT(orvMainCommands_, __LINE__)(#fn, fn)
