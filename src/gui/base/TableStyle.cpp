#include "gui/base/TableStyle.h"

#include "core/base/TBXSubs.h"
#include "core/config/AppState.h"

#include <QApplication>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>

namespace orv {

namespace {

// Palette role standing for each system colour index.
bool systemRole(int index, QPalette::ColorRole* role)
{
    switch (index) {
    case syscolor::ScrollBar: *role = QPalette::Button; return true;
    case syscolor::Background: *role = QPalette::Dark; return true;
    case syscolor::ActiveCaption:
    case syscolor::GradientActiveCaption: *role = QPalette::Highlight; return true;
    case syscolor::InactiveCaption:
    case syscolor::GradientInactiveCaption: *role = QPalette::Mid; return true;
    case syscolor::Menu:
    case syscolor::MenuBar: *role = QPalette::Window; return true;
    case syscolor::Window: *role = QPalette::Base; return true;
    case syscolor::WindowFrame: *role = QPalette::Shadow; return true;
    case syscolor::MenuText: *role = QPalette::WindowText; return true;
    case syscolor::WindowText: *role = QPalette::WindowText; return true;
    case syscolor::CaptionText: *role = QPalette::HighlightedText; return true;
    case syscolor::ActiveBorder:
    case syscolor::InactiveBorder: *role = QPalette::Button; return true;
    case syscolor::AppWorkspace: *role = QPalette::Mid; return true;
    case syscolor::Highlight:
    case syscolor::MenuHilight: *role = QPalette::Highlight; return true;
    case syscolor::HighlightText: *role = QPalette::HighlightedText; return true;
    case syscolor::BtnFace: *role = QPalette::Button; return true;
    case syscolor::BtnShadow: *role = QPalette::Mid; return true;
    case syscolor::GrayText: *role = QPalette::PlaceholderText; return true;
    case syscolor::BtnText: *role = QPalette::ButtonText; return true;
    case syscolor::InactiveCaptionText: *role = QPalette::Text; return true;
    case syscolor::BtnHighlight: *role = QPalette::Light; return true;
    case syscolor::DkShadow3D: *role = QPalette::Shadow; return true;
    case syscolor::Light3D: *role = QPalette::Midlight; return true;
    case syscolor::InfoText: *role = QPalette::ToolTipText; return true;
    case syscolor::InfoBk: *role = QPalette::ToolTipBase; return true;
    case syscolor::HotLight: *role = QPalette::Link; return true;
    default: return false;
    }
}

void setBoth(QPalette& p, QPalette::ColorRole role, const QColor& c)
{
    // Focused and unfocused grids look the same.
    p.setColor(QPalette::Active, role, c);
    p.setColor(QPalette::Inactive, role, c);
    p.setColor(QPalette::Disabled, role, c);
}

struct Look {
    bool gridVisible;
    WinColor grid;
    int style;
    WinColor table, text, highlight, highlightText;
};

void applyLook(QTableView* grid, const Look& look)
{
    if (!grid)
        return;
    const QPalette base = QApplication::palette(grid);
    QPalette p = grid->palette();
    setBoth(p, QPalette::Base, toQColor(look.table, base));
    setBoth(p, QPalette::Window, toQColor(look.table, base));
    setBoth(p, QPalette::Text, toQColor(look.text, base));
    setBoth(p, QPalette::Highlight, toQColor(look.highlight, base));
    setBoth(p, QPalette::HighlightedText, toQColor(look.highlightText, base));
    // The table view draws its grid lines in the style's grid colour, which only
    // a style sheet sets; as a style sheet also rebuilds the view's palette when
    // the view is polished, it names every colour of the palette as well.
    auto hex = [&](WinColor c) { return toQColor(c, base).name(QColor::HexRgb); };
    grid->setStyleSheet(QStringLiteral("QTableView { gridline-color: %1; background-color: %2; color: %3; "
                                       "selection-background-color: %4; selection-color: %5; }")
                            .arg(hex(look.grid), hex(look.table), hex(look.text), hex(look.highlight),
                                 hex(look.highlightText)));
    grid->setPalette(p);
    grid->setShowGrid(look.gridVisible);
    grid->setGridStyle(gridPenStyle(look.style));
    grid->viewport()->update();
}

}  // namespace

QColor toQColor(WinColor c)
{
    return toQColor(c, QApplication::palette());
}

QColor toQColor(WinColor c, const QPalette& palette)
{
    if (isSystemColor(c)) {
        QPalette::ColorRole role;
        if (!systemRole(systemColorIndex(c), &role))
            role = QPalette::WindowText;
        return palette.color(QPalette::Active, role);
    }
    return QColor(redOf(c), greenOf(c), blueOf(c));
}

WinColor toWinColor(const QColor& c)
{
    const QColor rgb = c.toRgb();
    return rgbColor(rgb.red(), rgb.green(), rgb.blue());
}

Qt::PenStyle gridPenStyle(int style)
{
    switch (style) {
    case 1: return Qt::DashLine;
    case 2: return Qt::DotLine;
    case 3: return Qt::DashDotLine;
    case 4: return Qt::DashDotDotLine;
    default: return Qt::SolidLine;
    }
}

void ApplyTableOptions(QTableView* grid, const MLTableOptions& o)
{
    applyLook(grid, {o.GridVisible, o.GridColor, o.GridStyle, o.TableColor, o.TextColor, o.HighlightColor,
                     o.HighlightTextColor});
    if (grid) {
        grid->setProperty("activeCellColor", QVariant());
        grid->setProperty("activeCellTextColor", QVariant());
    }
}

void ApplyTableOptions(QTableView* grid, const ReportTableOptions& o)
{
    applyLook(grid, {o.GridVisible, o.GridColor, o.GridStyle, o.TableColor, o.TextColor, o.ActiveRowColor,
                     o.ActiveRowTextColor});
    if (grid) {
        const QPalette base = QApplication::palette(grid);
        grid->setProperty("activeCellColor", toQColor(o.ActiveCellColor, base));
        grid->setProperty("activeCellTextColor", toQColor(o.ActiveCellTextColor, base));
    }
}

void ApplyReportTableOptions(QTableView* grid)
{
    ApplyTableOptions(grid, appState().Config.RptTableOptionsCurrent);
}

CellColors activeCellColors(const QTableView* grid)
{
    CellColors c;
    if (!grid)
        return c;
    const QVariant bg = grid->property("activeCellColor");
    const QVariant fg = grid->property("activeCellTextColor");
    c.background = bg.isValid() ? bg.value<QColor>() : grid->palette().color(QPalette::Highlight);
    c.text = fg.isValid() ? fg.value<QColor>() : grid->palette().color(QPalette::HighlightedText);
    return c;
}

QColor gridLineColor(const QTableView* grid)
{
    if (!grid)
        return {};
    QStyleOptionViewItem opt;
    opt.initFrom(grid);
    const int rgb = grid->style()->styleHint(QStyle::SH_Table_GridLineColor, &opt, grid);
    return rgb == -1 ? QColor() : QColor::fromRgba(QRgb(rgb));
}

}  // namespace orv
