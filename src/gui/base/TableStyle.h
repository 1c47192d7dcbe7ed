#pragma once
// The look of the program's grids, from the table options of the settings
// record: the main sheet takes the Master List block, every other grid the report
// block ("All Other Tables"). Also the conversion of the record's Windows-style
// colour values (RGB in the low three bytes, or a system colour index marked by a
// high byte of $FF) to QColor and back.

#include "core/config/ConfigRecord.h"

#include <QColor>
#include <QPalette>

class QTableView;

namespace orv {

// Windows system colour indexes that the settings record can name.
namespace syscolor {
enum : int {
    ScrollBar = 0, Background = 1, ActiveCaption = 2, InactiveCaption = 3, Menu = 4, Window = 5,
    WindowFrame = 6, MenuText = 7, WindowText = 8, CaptionText = 9, ActiveBorder = 10,
    InactiveBorder = 11, AppWorkspace = 12, Highlight = 13, HighlightText = 14, BtnFace = 15,
    BtnShadow = 16, GrayText = 17, BtnText = 18, InactiveCaptionText = 19, BtnHighlight = 20,
    DkShadow3D = 21, Light3D = 22, InfoText = 23, InfoBk = 24, HotLight = 26,
    GradientActiveCaption = 27, GradientInactiveCaption = 28, MenuHilight = 29, MenuBar = 30,
};
}

// The colour of a settings value. System colours are taken from `palette` (the
// application's palette when none is given): button face -> Button, button shadow
// -> Mid, window text -> WindowText, window -> Base, highlight -> Highlight, and so
// on. An unknown system index gives the palette's window text colour.
QColor toQColor(WinColor c);
QColor toQColor(WinColor c, const QPalette& palette);
// The settings value of an RGB colour (never a system colour).
WinColor toWinColor(const QColor& c);

// The pen style of a grid style byte: 0 solid, 1 dash, 2 dot, 3 dash-dot,
// 4 dash-dot-dot; anything else solid.
Qt::PenStyle gridPenStyle(int style);

// Applies a table options block to a grid (QTableWidget included): background of
// the cells and of the area beyond the last column, text colour, grid lines (shown
// in both directions or not at all, colour, style) and the colours of the active
// cell (Master List: highlight colours) or active row (report tables), focused and
// unfocused alike. The report block's active cell colours are kept on the view as
// the properties "activeCellColor" and "activeCellTextColor" for grids that mark a
// single cell (see activeCellColors).
void ApplyTableOptions(QTableView* grid, const MLTableOptions& options);
void ApplyTableOptions(QTableView* grid, const ReportTableOptions& options);
// The current report block of the settings record (the usual call of every
// window other than the main window).
void ApplyReportTableOptions(QTableView* grid);

struct CellColors {
    QColor background;
    QColor text;
};
// The active cell colours a report grid was given (highlight colours when none).
CellColors activeCellColors(const QTableView* grid);

// The grid line colour the view draws with (set by ApplyTableOptions).
QColor gridLineColor(const QTableView* grid);

}  // namespace orv
