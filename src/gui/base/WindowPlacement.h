#pragma once
// Window size and position in ORV.ini for every window, under its object name.
// Every window calls RestoreWindowPlacement when created, InitWindowPlacement
// when activated and SaveWindowPlacement when closed.

#include <QString>

class QWidget;

namespace orv {

// With `enabled` (SaveWindowPositions) and a Status in the window's section, sets
// the geometry and state from the file (minimised, maximised); otherwise centres
// the window on the main window. Returns whether the file had the section.
bool RestoreWindowPlacement(QWidget* form, const QString& name, bool enabled);
// Writes the window's current placement when its section has no Status yet.
void InitWindowPlacement(QWidget* form, const QString& name);
// Writes Status from the window state, and the geometry only while it is normal.
void SaveWindowPlacement(QWidget* form, const QString& name);

}  // namespace orv
