#pragma once
// The main menu: every command with its caption, object name and shortcut.
// A command whose window is not part of the program yet is built disabled.

#include <QString>

namespace orv {

struct MenuCommand {
    const char* menu;        // top menu caption
    const char* submenu;     // submenu caption or nullptr
    const char* objectName;  // mm... (also the key of TfrmMain::action)
    const char* caption;
    const char* shortcut;    // QKeySequence text or nullptr
    bool checkable;
    bool available;          // false: shown disabled until its window exists
};

// In menu order; a nullptr objectName is a separator.
extern const MenuCommand kMainMenu[];
extern const int kMainMenuCount;

struct SpeedButton {
    const char* objectName;  // sbtn...
    const char* hint;
    const char* command;     // the menu command it performs
};
extern const SpeedButton kSpeedButtons[];
extern const int kSpeedButtonCount;

}  // namespace orv
