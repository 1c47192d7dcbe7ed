#pragma once
// ORV.cfg: the program's configuration, one fixed-layout record of exactly 2544
// bytes, little-endian, read and written whole. ConfigRecord holds the fields the
// program uses as typed members; serialize() lays them out at their byte offsets
// and parse() reads them back. Bytes that no member models (padding, reserved
// areas) are kept in `raw`, so a read-modify-write keeps them as they were.

#include "core/base/Dates.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

namespace orv {

// Windows colour values: red in the low byte, then green, then blue; a high byte
// of $FF marks a system colour whose index is in the low byte.
using WinColor = quint32;

namespace wincolor {
constexpr WinColor Black = 0x000000;
constexpr WinColor Maroon = 0x000080;
constexpr WinColor Navy = 0x800000;
constexpr WinColor Gray = 0x808080;
constexpr WinColor Silver = 0xC0C0C0;
constexpr WinColor Red = 0x0000FF;
constexpr WinColor Lime = 0x00FF00;
constexpr WinColor Yellow = 0x00FFFF;
constexpr WinColor Aqua = 0xFFFF00;
constexpr WinColor White = 0xFFFFFF;
constexpr WinColor DarkGrey = 0x303030;  // RGB(48, 48, 48)
// System colours.
constexpr WinColor WindowText = 0xFF000008;
constexpr WinColor BtnFace = 0xFF00000F;
constexpr WinColor BtnShadow = 0xFF000010;
}  // namespace wincolor

// Look of the Master List grid (40 bytes in the record).
struct MLTableOptions {
    bool GridVisible = true;                           // +0
    WinColor GridColor = wincolor::BtnShadow;          // +4
    quint8 GridStyle = 0;                              // +8: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot
    WinColor TableColor = wincolor::BtnFace;           // +12
    WinColor TextColor = wincolor::WindowText;         // +16
    WinColor HighlightColor = wincolor::Yellow;        // +20: the active cell
    WinColor HighlightTextColor = wincolor::Black;     // +24
    WinColor SelectedColor = wincolor::Aqua;           // +28: cells of open accounts
    WinColor SelectedTextColor = wincolor::Black;      // +32
    bool DisplayInvStatus = false;                     // +36: display open/closed account status

    static constexpr int Size = 40;
    bool operator==(const MLTableOptions&) const = default;
};

// Look of every other grid of the program (36 bytes in the record).
struct ReportTableOptions {
    bool GridVisible = true;                           // +0
    WinColor GridColor = wincolor::Gray;               // +4
    quint8 GridStyle = 0;                              // +8
    WinColor TableColor = wincolor::White;             // +12
    WinColor TextColor = wincolor::Black;              // +16
    WinColor ActiveRowColor = wincolor::Yellow;        // +20
    WinColor ActiveRowTextColor = wincolor::Black;     // +24
    WinColor ActiveCellColor = wincolor::Navy;         // +28
    WinColor ActiveCellTextColor = wincolor::White;    // +32

    static constexpr int Size = 36;
    bool operator==(const ReportTableOptions&) const = default;
};

// Look of the graph window (556 bytes in the record).
struct GraphOptionsRecord {
    WinColor BackWallColor = wincolor::Black;          // +0   "Background"
    WinColor PanelColor = wincolor::Silver;            // +4   "Border"
    WinColor AxisColor = wincolor::Black;              // +8   "Border Text": axis labels, ticks, title
    WinColor LegendColor = wincolor::Silver;           // +12  "Header"
    WinColor LegendTextColor = wincolor::Black;        // +16  "Header Text"
    WinColor DateLinesColor = wincolor::Lime;          // +20
    WinColor FundColor = wincolor::Aqua;               // +24  selected fund
    WinColor MovAve1Color = wincolor::Yellow;          // +28
    WinColor MovAve2Color = wincolor::Maroon;          // +32
    WinColor ComparisonColor = wincolor::Red;          // +36
    bool TitleVisible = false;                         // +40
    QString TitleFontName = QStringLiteral("Arial");   // +41  string[40]
    qint32 TitleFontCharset = 1;                       // +84  low byte used
    quint8 TitleFontPitch = 0;                         // +88
    qint32 TitleFontSize = 8;                          // +92  points
    quint8 TitleFontStyle = 0;                         // +96  bold 1, italic 2, underline 4, strike-out 8
    WinColor TitleFontColor = wincolor::Black;         // +100
    quint8 TitleAlignment = 2;                         // +104 0 left, 1 right, 2 centre
    QString TitleLine1;                                // +105 string[200]
    QString TitleLine2;                                // +306 string[200]
    bool CrosshairsVisible = false;                    // +507
    WinColor CrosshairsColor = wincolor::Yellow;       // +508
    quint8 CrosshairsPenStyle = 0;                     // +512
    bool GridVisible = true;                           // +513
    WinColor GridColor = wincolor::DarkGrey;           // +516
    quint8 GridPenStyle = 2;                           // +520 dot
    // +521 is never read and always written as 1.
    bool GradientVisible = false;                      // +522
    WinColor GradientStartColor = wincolor::White;     // +524
    WinColor GradientEndColor = wincolor::Yellow;      // +528
    quint8 GradientDirection = 0;                      // +532 0 top-bottom, 1 bottom-top, 2 left-right, 3 right-left
    WinColor BuyTicColor = wincolor::Lime;             // +536
    WinColor SellTicColor = wincolor::Red;             // +540

    static constexpr int Size = 556;
    static constexpr int TitleFontNameMax = 40;
    static constexpr int TitleLineMax = 200;
    bool operator==(const GraphOptionsRecord&) const = default;
};

struct ConfigRecord {
    static constexpr int Size = 2544;

    // Field offsets in ORV.cfg.
    enum Offset : int {
        OffShowWelcome = 0,
        OffSaveWindowPositions = 1,
        OffAutoBackupEnabled = 2,
        OffAutoBackupMaxSets = 4,
        OffAutoBackupLastSet = 8,
        OffAutoBackupFrequency = 12,
        OffReserved16 = 16,
        OffManualBackupMaxSets = 24,
        OffManualBackupLastSet = 28,
        OffReserved32 = 32,
        OffMLColWidths = 40,
        OffMLLastRow = 440,
        OffMLLastCol = 444,
        OffMLTableOptionsDefault = 448,
        OffMLTableOptions = 488,
        OffRptTableOptionsDefault = 528,
        OffRptTableOptions = 564,
        OffMLDisplayInvMarkerType = 600,
        OffSelectedPortfolioShort = 601,
        OffDialDataUserID = 614,
        OffDialDataPassword = 655,
        OffTxColWidths = 984,
        OffHideFee1 = 1064,
        OffHideFee2 = 1065,
        OffFee1Heading = 1066,
        OffFee2Heading = 1083,
        OffGraphBenchmarkMLID = 1100,
        OffGraphComparisonMLID = 1104,
        OffLeftDateLineOffset = 1108,
        OffRightDateLineOffset = 1112,
        OffGraphReserved1116 = 1116,
        OffGraphOptionsDefault = 1120,
        OffGraphOptions = 1676,
        OffGraphDaily = 2232,
        OffYearsDisplayedDaily = 2236,
        OffYearsDisplayedWeekly = 2240,
        OffGraphDateFormatRegional = 2244,
        OffGraphDateFormat = 2245,
        OffMPPPeriodDays = 2260,
        OffUserIntervalsDaily = 2272,
        OffMPPPeriodWeeks = 2348,
        OffUserIntervalsWeekly = 2360,
        OffMPPWeights = 2436,
        OffGraphPrintUnits = 2456,
        OffGraphPrintMargins = 2464,
        OffTxInsertMultiplePf = 2496,
        OffGainLossBeginDate = 2504,
        OffGainLossEndDate = 2512,
    };

    // Maximum lengths of the length-prefixed strings; longer texts are cut.
    static constexpr int SelectedPortfolioShortMax = 12;
    static constexpr int DialDataMax = 40;
    static constexpr int FeeHeadingMax = 16;
    static constexpr int GraphDateFormatMax = 12;

    bool ShowWelcome = true;
    bool SaveWindowPositions = false;
    bool AutoBackupEnabled = true;
    qint32 AutoBackupMaxSets = 5;
    qint32 AutoBackupLastSet = 0;
    quint8 AutoBackupFrequency = 2;  // 0 every start-up, 1 daily, 2 weekly, 3 monthly
    double Reserved16 = -1.0;
    qint32 ManualBackupMaxSets = 5;
    qint32 ManualBackupLastSet = 0;
    qint32 Reserved32 = 5;
    std::array<qint32, 100> MLColWidths = filled<100>(80);
    qint32 MLLastRow = 1;
    qint32 MLLastCol = 0;
    MLTableOptions MLTableOptionsDefault;
    MLTableOptions MLTableOptionsCurrent;     // offset 488; +36 is MLDisplayInvMarker
    ReportTableOptions RptTableOptionsDefault;
    ReportTableOptions RptTableOptionsCurrent;
    quint8 MLDisplayInvMarkerType = 0;        // 0 none, 1 open, 2 closed, 3 both
    QString SelectedPortfolioShort;
    QString DialDataUserID;
    QString DialDataPassword;
    std::array<qint32, 20> TxColWidths = {64, 64, 85, 85, 70, 46, 100, 100, 70, 75,
                                          75, 75, 50, 200, 64, 64, 64, 64, 64, 64};
    bool HideFee1 = true;
    bool HideFee2 = true;
    QString Fee1Heading = QStringLiteral("Fee1");
    QString Fee2Heading = QStringLiteral("Fee2");
    qint32 GraphBenchmarkMLID = -1;
    qint32 GraphComparisonMLID = -1;
    qint32 LeftDateLineOffset = 300;
    qint32 RightDateLineOffset = 100;
    float GraphReserved1116 = 0.055f;          // read by the graph window and written back unchanged
    GraphOptionsRecord GraphOptionsDefault;
    GraphOptionsRecord GraphOptions;
    bool GraphDaily = true;
    qint32 YearsDisplayedDaily = 2;
    qint32 YearsDisplayedWeekly = 10;
    bool GraphDateFormatRegional = true;
    QString GraphDateFormat;                   // lower case
    std::array<qint32, 3> MPPPeriodDays = {5, 25, 100};
    std::array<qint32, 4> UserIntervalsDaily = {0, 0, 0, 0};
    std::array<qint32, 3> MPPPeriodWeeks = {1, 4, 12};
    std::array<qint32, 4> UserIntervalsWeekly = {0, 0, 0, 0};
    std::array<float, 5> MPPWeights = {5, 4, 3, 2, 1};
    qint32 GraphPrintUnits = 0;                // 0 inches, 1 centimetres
    std::array<double, 4> GraphPrintMargins = {0.75, 0.75, -0.75, 0.75};
    bool TxInsertMultiplePf = false;
    double GainLossBeginDate = 0;              // day number
    double GainLossEndDate = 0;

    // The whole record as last read (or all zero); serialize() writes the modelled
    // fields over it, so reserved bytes survive a read-modify-write.
    QByteArray raw = QByteArray(Size, '\0');

    // The factory record. `today` is the current date: the MPP user intervals count
    // from it moved back to Friday on a weekend, the gain/loss dates take it as is.
    // The graph date format is `fmtDate` in lower case.
    static ConfigRecord defaults(Day today, const QString& fmtDate = QStringLiteral("mm/dd/yyyy"));

    QByteArray serialize() const;
    // nullopt unless `bytes` is exactly Size long.
    static std::optional<ConfigRecord> parse(const QByteArray& bytes);

    // Two records are equal when they write the same bytes.
    bool operator==(const ConfigRecord& o) const { return serialize() == o.serialize(); }

private:
    template <std::size_t N>
    static constexpr std::array<qint32, N> filled(qint32 v)
    {
        std::array<qint32, N> a{};
        a.fill(v);
        return a;
    }
};

// A day moved back to Friday when it falls on a Saturday (-1) or Sunday (-2).
Day weekendBackToFriday(Day day);

}  // namespace orv
