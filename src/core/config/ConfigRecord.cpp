#include "core/config/ConfigRecord.h"

#include <QtEndian>
#include <cstring>

namespace orv {

namespace {

// Little-endian writer over a fixed buffer; every field lands at its own offset.
class Writer {
public:
    explicit Writer(QByteArray& buf) : p_(reinterpret_cast<uchar*>(buf.data())) {}

    void boolean(int off, bool v) { p_[off] = v ? 1 : 0; }
    void byte(int off, quint8 v) { p_[off] = v; }
    void i32(int off, qint32 v) { qToLittleEndian<qint32>(v, p_ + off); }
    void u32(int off, quint32 v) { qToLittleEndian<quint32>(v, p_ + off); }
    void f32(int off, float v)
    {
        quint32 bits;
        std::memcpy(&bits, &v, 4);
        u32(off, bits);
    }
    void f64(int off, double v)
    {
        quint64 bits;
        std::memcpy(&bits, &v, 8);
        qToLittleEndian<quint64>(bits, p_ + off);
    }
    // string[max]: a length byte then `max` bytes, Latin-1; the text is cut at
    // `max` characters and the bytes after it are zeroed.
    void str(int off, const QString& s, int max)
    {
        const QByteArray b = s.left(max).toLatin1();
        const int n = static_cast<int>(qMin<qsizetype>(b.size(), max));
        p_[off] = static_cast<uchar>(n);
        std::memset(p_ + off + 1, 0, max);
        std::memcpy(p_ + off + 1, b.constData(), n);
    }

private:
    uchar* p_;
};

class Reader {
public:
    explicit Reader(const QByteArray& buf) : p_(reinterpret_cast<const uchar*>(buf.constData())) {}

    // Any non-zero byte counts as true.
    bool boolean(int off) const { return p_[off] != 0; }
    quint8 byte(int off) const { return p_[off]; }
    qint32 i32(int off) const { return qFromLittleEndian<qint32>(p_ + off); }
    quint32 u32(int off) const { return qFromLittleEndian<quint32>(p_ + off); }
    float f32(int off) const
    {
        const quint32 bits = u32(off);
        float v;
        std::memcpy(&v, &bits, 4);
        return v;
    }
    double f64(int off) const
    {
        const quint64 bits = qFromLittleEndian<quint64>(p_ + off);
        double v;
        std::memcpy(&v, &bits, 8);
        return v;
    }
    // A length byte beyond the field's size (a damaged record) is clamped to it.
    QString str(int off, int max) const
    {
        const int n = qMin<int>(p_[off], max);
        return QString::fromLatin1(reinterpret_cast<const char*>(p_ + off + 1), n);
    }

private:
    const uchar* p_;
};

void writeML(Writer& w, int base, const MLTableOptions& o)
{
    w.boolean(base + 0, o.GridVisible);
    w.u32(base + 4, o.GridColor);
    w.byte(base + 8, o.GridStyle);
    w.u32(base + 12, o.TableColor);
    w.u32(base + 16, o.TextColor);
    w.u32(base + 20, o.HighlightColor);
    w.u32(base + 24, o.HighlightTextColor);
    w.u32(base + 28, o.SelectedColor);
    w.u32(base + 32, o.SelectedTextColor);
    w.boolean(base + 36, o.DisplayInvStatus);
}

MLTableOptions readML(const Reader& r, int base)
{
    MLTableOptions o;
    o.GridVisible = r.boolean(base + 0);
    o.GridColor = r.u32(base + 4);
    o.GridStyle = r.byte(base + 8);
    o.TableColor = r.u32(base + 12);
    o.TextColor = r.u32(base + 16);
    o.HighlightColor = r.u32(base + 20);
    o.HighlightTextColor = r.u32(base + 24);
    o.SelectedColor = r.u32(base + 28);
    o.SelectedTextColor = r.u32(base + 32);
    o.DisplayInvStatus = r.boolean(base + 36);
    return o;
}

void writeRpt(Writer& w, int base, const ReportTableOptions& o)
{
    w.boolean(base + 0, o.GridVisible);
    w.u32(base + 4, o.GridColor);
    w.byte(base + 8, o.GridStyle);
    w.u32(base + 12, o.TableColor);
    w.u32(base + 16, o.TextColor);
    w.u32(base + 20, o.ActiveRowColor);
    w.u32(base + 24, o.ActiveRowTextColor);
    w.u32(base + 28, o.ActiveCellColor);
    w.u32(base + 32, o.ActiveCellTextColor);
}

ReportTableOptions readRpt(const Reader& r, int base)
{
    ReportTableOptions o;
    o.GridVisible = r.boolean(base + 0);
    o.GridColor = r.u32(base + 4);
    o.GridStyle = r.byte(base + 8);
    o.TableColor = r.u32(base + 12);
    o.TextColor = r.u32(base + 16);
    o.ActiveRowColor = r.u32(base + 20);
    o.ActiveRowTextColor = r.u32(base + 24);
    o.ActiveCellColor = r.u32(base + 28);
    o.ActiveCellTextColor = r.u32(base + 32);
    return o;
}

void writeGraph(Writer& w, int base, const GraphOptionsRecord& g)
{
    w.u32(base + 0, g.BackWallColor);
    w.u32(base + 4, g.PanelColor);
    w.u32(base + 8, g.AxisColor);
    w.u32(base + 12, g.LegendColor);
    w.u32(base + 16, g.LegendTextColor);
    w.u32(base + 20, g.DateLinesColor);
    w.u32(base + 24, g.FundColor);
    w.u32(base + 28, g.MovAve1Color);
    w.u32(base + 32, g.MovAve2Color);
    w.u32(base + 36, g.ComparisonColor);
    w.boolean(base + 40, g.TitleVisible);
    w.str(base + 41, g.TitleFontName, GraphOptionsRecord::TitleFontNameMax);
    w.i32(base + 84, g.TitleFontCharset);
    w.byte(base + 88, g.TitleFontPitch);
    w.i32(base + 92, g.TitleFontSize);
    w.byte(base + 96, g.TitleFontStyle);
    w.u32(base + 100, g.TitleFontColor);
    w.byte(base + 104, g.TitleAlignment);
    w.str(base + 105, g.TitleLine1, GraphOptionsRecord::TitleLineMax);
    w.str(base + 306, g.TitleLine2, GraphOptionsRecord::TitleLineMax);
    w.boolean(base + 507, g.CrosshairsVisible);
    w.u32(base + 508, g.CrosshairsColor);
    w.byte(base + 512, g.CrosshairsPenStyle);
    w.boolean(base + 513, g.GridVisible);
    w.u32(base + 516, g.GridColor);
    w.byte(base + 520, g.GridPenStyle);
    w.byte(base + 521, 1);
    w.boolean(base + 522, g.GradientVisible);
    w.u32(base + 524, g.GradientStartColor);
    w.u32(base + 528, g.GradientEndColor);
    w.byte(base + 532, g.GradientDirection);
    w.u32(base + 536, g.BuyTicColor);
    w.u32(base + 540, g.SellTicColor);
}

GraphOptionsRecord readGraph(const Reader& r, int base)
{
    GraphOptionsRecord g;
    g.BackWallColor = r.u32(base + 0);
    g.PanelColor = r.u32(base + 4);
    g.AxisColor = r.u32(base + 8);
    g.LegendColor = r.u32(base + 12);
    g.LegendTextColor = r.u32(base + 16);
    g.DateLinesColor = r.u32(base + 20);
    g.FundColor = r.u32(base + 24);
    g.MovAve1Color = r.u32(base + 28);
    g.MovAve2Color = r.u32(base + 32);
    g.ComparisonColor = r.u32(base + 36);
    g.TitleVisible = r.boolean(base + 40);
    g.TitleFontName = r.str(base + 41, GraphOptionsRecord::TitleFontNameMax);
    g.TitleFontCharset = r.i32(base + 84);
    g.TitleFontPitch = r.byte(base + 88);
    g.TitleFontSize = r.i32(base + 92);
    g.TitleFontStyle = r.byte(base + 96);
    g.TitleFontColor = r.u32(base + 100);
    g.TitleAlignment = r.byte(base + 104);
    g.TitleLine1 = r.str(base + 105, GraphOptionsRecord::TitleLineMax);
    g.TitleLine2 = r.str(base + 306, GraphOptionsRecord::TitleLineMax);
    g.CrosshairsVisible = r.boolean(base + 507);
    g.CrosshairsColor = r.u32(base + 508);
    g.CrosshairsPenStyle = r.byte(base + 512);
    g.GridVisible = r.boolean(base + 513);
    g.GridColor = r.u32(base + 516);
    g.GridPenStyle = r.byte(base + 520);
    g.GradientVisible = r.boolean(base + 522);
    g.GradientStartColor = r.u32(base + 524);
    g.GradientEndColor = r.u32(base + 528);
    g.GradientDirection = r.byte(base + 532);
    g.BuyTicColor = r.u32(base + 536);
    g.SellTicColor = r.u32(base + 540);
    return g;
}

template <std::size_t N>
void writeI32s(Writer& w, int off, const std::array<qint32, N>& a)
{
    for (std::size_t i = 0; i < N; ++i)
        w.i32(off + 4 * static_cast<int>(i), a[i]);
}

template <std::size_t N>
void readI32s(const Reader& r, int off, std::array<qint32, N>& a)
{
    for (std::size_t i = 0; i < N; ++i)
        a[i] = r.i32(off + 4 * static_cast<int>(i));
}

}  // namespace

Day weekendBackToFriday(Day day)
{
    // day mod 7: 0 Saturday, 1 Sunday (days before 1899-12-30 do not occur here).
    const int wd = ((day % 7) + 7) % 7;
    if (wd == 0)
        return day - 1;
    if (wd == 1)
        return day - 2;
    return day;
}

ConfigRecord ConfigRecord::defaults(Day today, const QString& fmtDate)
{
    ConfigRecord c;
    const Day t = weekendBackToFriday(today);
    c.UserIntervalsDaily = {t - 14, t, t - 70, t};
    c.UserIntervalsWeekly = {t - 14, t, t - 70, t};
    c.GainLossBeginDate = today;
    c.GainLossEndDate = today;
    c.GraphDateFormat = fmtDate.toLower();
    return c;
}

QByteArray ConfigRecord::serialize() const
{
    QByteArray out = raw.size() == Size ? raw : QByteArray(Size, '\0');
    out.detach();
    Writer w(out);
    w.boolean(OffShowWelcome, ShowWelcome);
    w.boolean(OffSaveWindowPositions, SaveWindowPositions);
    w.boolean(OffAutoBackupEnabled, AutoBackupEnabled);
    w.i32(OffAutoBackupMaxSets, AutoBackupMaxSets);
    w.i32(OffAutoBackupLastSet, AutoBackupLastSet);
    w.byte(OffAutoBackupFrequency, AutoBackupFrequency);
    w.f64(OffReserved16, Reserved16);
    w.i32(OffManualBackupMaxSets, ManualBackupMaxSets);
    w.i32(OffManualBackupLastSet, ManualBackupLastSet);
    w.i32(OffReserved32, Reserved32);
    writeI32s(w, OffMLColWidths, MLColWidths);
    w.i32(OffMLLastRow, MLLastRow);
    w.i32(OffMLLastCol, MLLastCol);
    writeML(w, OffMLTableOptionsDefault, MLTableOptionsDefault);
    writeML(w, OffMLTableOptions, MLTableOptionsCurrent);
    writeRpt(w, OffRptTableOptionsDefault, RptTableOptionsDefault);
    writeRpt(w, OffRptTableOptions, RptTableOptionsCurrent);
    w.byte(OffMLDisplayInvMarkerType, MLDisplayInvMarkerType);
    w.str(OffSelectedPortfolioShort, SelectedPortfolioShort, SelectedPortfolioShortMax);
    w.str(OffDialDataUserID, DialDataUserID, DialDataMax);
    w.str(OffDialDataPassword, DialDataPassword, DialDataMax);
    writeI32s(w, OffTxColWidths, TxColWidths);
    w.boolean(OffHideFee1, HideFee1);
    w.boolean(OffHideFee2, HideFee2);
    w.str(OffFee1Heading, Fee1Heading, FeeHeadingMax);
    w.str(OffFee2Heading, Fee2Heading, FeeHeadingMax);
    w.i32(OffGraphBenchmarkMLID, GraphBenchmarkMLID);
    w.i32(OffGraphComparisonMLID, GraphComparisonMLID);
    w.i32(OffLeftDateLineOffset, LeftDateLineOffset);
    w.i32(OffRightDateLineOffset, RightDateLineOffset);
    w.f32(OffGraphReserved1116, GraphReserved1116);
    writeGraph(w, OffGraphOptionsDefault, GraphOptionsDefault);
    writeGraph(w, OffGraphOptions, GraphOptions);
    w.boolean(OffGraphDaily, GraphDaily);
    w.i32(OffYearsDisplayedDaily, YearsDisplayedDaily);
    w.i32(OffYearsDisplayedWeekly, YearsDisplayedWeekly);
    w.boolean(OffGraphDateFormatRegional, GraphDateFormatRegional);
    w.str(OffGraphDateFormat, GraphDateFormat, GraphDateFormatMax);
    writeI32s(w, OffMPPPeriodDays, MPPPeriodDays);
    writeI32s(w, OffUserIntervalsDaily, UserIntervalsDaily);
    writeI32s(w, OffMPPPeriodWeeks, MPPPeriodWeeks);
    writeI32s(w, OffUserIntervalsWeekly, UserIntervalsWeekly);
    for (int i = 0; i < 5; ++i)
        w.f32(OffMPPWeights + 4 * i, MPPWeights[i]);
    w.i32(OffGraphPrintUnits, GraphPrintUnits);
    for (int i = 0; i < 4; ++i)
        w.f64(OffGraphPrintMargins + 8 * i, GraphPrintMargins[i]);
    w.boolean(OffTxInsertMultiplePf, TxInsertMultiplePf);
    w.f64(OffGainLossBeginDate, GainLossBeginDate);
    w.f64(OffGainLossEndDate, GainLossEndDate);
    return out;
}

std::optional<ConfigRecord> ConfigRecord::parse(const QByteArray& bytes)
{
    if (bytes.size() != Size)
        return std::nullopt;
    const Reader r(bytes);
    ConfigRecord c;
    c.raw = bytes;
    c.ShowWelcome = r.boolean(OffShowWelcome);
    c.SaveWindowPositions = r.boolean(OffSaveWindowPositions);
    c.AutoBackupEnabled = r.boolean(OffAutoBackupEnabled);
    c.AutoBackupMaxSets = r.i32(OffAutoBackupMaxSets);
    c.AutoBackupLastSet = r.i32(OffAutoBackupLastSet);
    c.AutoBackupFrequency = r.byte(OffAutoBackupFrequency);
    c.Reserved16 = r.f64(OffReserved16);
    c.ManualBackupMaxSets = r.i32(OffManualBackupMaxSets);
    c.ManualBackupLastSet = r.i32(OffManualBackupLastSet);
    c.Reserved32 = r.i32(OffReserved32);
    readI32s(r, OffMLColWidths, c.MLColWidths);
    c.MLLastRow = r.i32(OffMLLastRow);
    c.MLLastCol = r.i32(OffMLLastCol);
    c.MLTableOptionsDefault = readML(r, OffMLTableOptionsDefault);
    c.MLTableOptionsCurrent = readML(r, OffMLTableOptions);
    c.RptTableOptionsDefault = readRpt(r, OffRptTableOptionsDefault);
    c.RptTableOptionsCurrent = readRpt(r, OffRptTableOptions);
    c.MLDisplayInvMarkerType = r.byte(OffMLDisplayInvMarkerType);
    c.SelectedPortfolioShort = r.str(OffSelectedPortfolioShort, SelectedPortfolioShortMax);
    c.DialDataUserID = r.str(OffDialDataUserID, DialDataMax);
    c.DialDataPassword = r.str(OffDialDataPassword, DialDataMax);
    readI32s(r, OffTxColWidths, c.TxColWidths);
    c.HideFee1 = r.boolean(OffHideFee1);
    c.HideFee2 = r.boolean(OffHideFee2);
    c.Fee1Heading = r.str(OffFee1Heading, FeeHeadingMax);
    c.Fee2Heading = r.str(OffFee2Heading, FeeHeadingMax);
    c.GraphBenchmarkMLID = r.i32(OffGraphBenchmarkMLID);
    c.GraphComparisonMLID = r.i32(OffGraphComparisonMLID);
    c.LeftDateLineOffset = r.i32(OffLeftDateLineOffset);
    c.RightDateLineOffset = r.i32(OffRightDateLineOffset);
    c.GraphReserved1116 = r.f32(OffGraphReserved1116);
    c.GraphOptionsDefault = readGraph(r, OffGraphOptionsDefault);
    c.GraphOptions = readGraph(r, OffGraphOptions);
    c.GraphDaily = r.boolean(OffGraphDaily);
    c.YearsDisplayedDaily = r.i32(OffYearsDisplayedDaily);
    c.YearsDisplayedWeekly = r.i32(OffYearsDisplayedWeekly);
    c.GraphDateFormatRegional = r.boolean(OffGraphDateFormatRegional);
    c.GraphDateFormat = r.str(OffGraphDateFormat, GraphDateFormatMax);
    readI32s(r, OffMPPPeriodDays, c.MPPPeriodDays);
    readI32s(r, OffUserIntervalsDaily, c.UserIntervalsDaily);
    readI32s(r, OffMPPPeriodWeeks, c.MPPPeriodWeeks);
    readI32s(r, OffUserIntervalsWeekly, c.UserIntervalsWeekly);
    for (int i = 0; i < 5; ++i)
        c.MPPWeights[i] = r.f32(OffMPPWeights + 4 * i);
    c.GraphPrintUnits = r.i32(OffGraphPrintUnits);
    for (int i = 0; i < 4; ++i)
        c.GraphPrintMargins[i] = r.f64(OffGraphPrintMargins + 8 * i);
    c.TxInsertMultiplePf = r.boolean(OffTxInsertMultiplePf);
    c.GainLossBeginDate = r.f64(OffGainLossBeginDate);
    c.GainLossEndDate = r.f64(OffGainLossEndDate);
    return c;
}

}  // namespace orv
