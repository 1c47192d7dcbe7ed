#pragma once
// Window size and position kept in ORV.ini, one section per window named by its
// object name ("frmMain", "frmGraphs", ...), keys Status (0 normal, 1 minimised,
// 2 maximised), Top, Left, Height, Width. The window side (reading a QWidget's
// geometry, applying a state) lives in the GUI; these are the rules.

#include "core/base/Message.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

namespace orv {

namespace WindowStatus {
constexpr int None = -1;  // no Status in the file
constexpr int Normal = 0;
constexpr int Minimised = 1;
constexpr int Maximised = 2;
}  // namespace WindowStatus

struct WindowPlacement {
    int status = WindowStatus::None;
    int top = 0, left = 0, height = 0, width = 0;

    QRect rect() const { return QRect(left, top, width, height); }
    static WindowPlacement fromRect(const QRect& r, int status = WindowStatus::Normal)
    {
        return {status, r.top(), r.left(), r.height(), r.width()};
    }
    bool operator==(const WindowPlacement&) const = default;
};

// The section's placement when it has a Status; keys that are missing (or a size
// that is not positive) take the values of `current`. A Status other than 1 or 2
// reads as normal.
std::optional<WindowPlacement> readPlacement(const QString& iniPath, const QString& name,
                                             const WindowPlacement& current = {});

struct RestoreDecision {
    bool fromFile = false;      // the file's placement applies (the value RestoreWindowPlacement returns)
    bool centre = true;         // centre the window on the main window instead
    WindowPlacement placement;  // valid when fromFile
};

// RestoreWindowPlacement: with `enabled` (SaveWindowPositions) and a Status in the
// window's section, the file's placement; otherwise the window is centred.
RestoreDecision restorePlacement(const QString& iniPath, const QString& name, bool enabled,
                                 const WindowPlacement& current = {});

// InitWindowPlacement: when the section has no Status, writes `current` with Status 0.
Status initPlacement(const QString& iniPath, const QString& name, const QRect& current);

// SaveWindowPlacement: writes Status, and Top, Left, Height, Width from `geometry`
// only when the status is normal, so a window closed maximised or minimised keeps
// its last normal size and position.
Status savePlacement(const QString& iniPath, const QString& name, int status, const QRect& geometry);

// A window of `size` centred on `parent`: left = parent left + (parent width -
// width) / 2 with the division truncating toward zero; top likewise.
QRect centredOn(const QRect& parent, const QSize& size);

// "Save Size && Position of Windows" turned off: ORV.ini is deleted. True when the
// file is gone afterwards.
bool deleteWindowIni(const QString& iniPath);

}  // namespace orv
