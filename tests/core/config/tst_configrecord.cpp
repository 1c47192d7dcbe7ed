// Guards the byte layout of ORV.cfg: a field written at a wrong offset, with a
// wrong size, byte order or default (in either copy of the table, report and
// graph option blocks) would corrupt every setting read back; also guards that
// bytes the program does not model survive a read-modify-write, that strings are
// cut at their maximum instead of spilling into the next field, and that a record
// of the wrong size is refused instead of half-read.
#include <QtTest>
#include <cstring>
#include <vector>

#include "core/config/ConfigRecord.h"

using namespace orv;

namespace {

QByteArray i32(qint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian<qint32>(v, b.data());
    return b;
}
QByteArray u32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian<quint32>(v, b.data());
    return b;
}
QByteArray f32(float v)
{
    quint32 bits;
    std::memcpy(&bits, &v, 4);
    return u32(bits);
}
QByteArray f64(double v)
{
    quint64 bits;
    std::memcpy(&bits, &v, 8);
    QByteArray b(8, '\0');
    qToLittleEndian<quint64>(bits, b.data());
    return b;
}
QByteArray byte(int v) { return QByteArray(1, static_cast<char>(v)); }
QByteArray pstr(const QByteArray& s, int max)
{
    QByteArray b = byte(s.size()) + s;
    return b + QByteArray(max + 1 - b.size(), '\0');
}
QByteArray ints(std::initializer_list<qint32> vs)
{
    QByteArray b;
    for (qint32 v : vs)
        b += i32(v);
    return b;
}

struct Row {
    QString name;
    int offset;
    QByteArray bytes;
};

// Saturday 2026-12-12: the MPP intervals count from Friday the 11th, the gain/loss
// dates keep the Saturday.
// (Computed when called, not at static initialisation: day numbers depend on
// another translation unit's statics.)
Day saturday() { return dayFromDate(QDate(2026, 12, 12)); }

std::vector<Row> defaultRows()
{
    const Day kSaturday = saturday();
    const Day kFriday = kSaturday - 1;
    std::vector<Row> rows = {
        {"ShowWelcome", 0, byte(1)},
        {"SaveWindowPositions", 1, byte(0)},
        {"AutoBackupEnabled", 2, byte(1)},
        {"AutoBackupMaxSets", 4, i32(5)},
        {"AutoBackupLastSet", 8, i32(0)},
        {"AutoBackupFrequency", 12, byte(2)},
        {"reserved double", 16, f64(-1.0)},
        {"ManualBackupMaxSets", 24, i32(5)},
        {"ManualBackupLastSet", 28, i32(0)},
        {"reserved int", 32, i32(5)},
        {"MLLastRow", 440, i32(1)},
        {"MLLastCol", 444, i32(0)},
        {"MLDisplayInvMarkerType", 600, byte(0)},
        {"SelectedPortfolioShort", 601, pstr("", 12)},
        {"Dial Data user", 614, pstr("", 40)},
        {"Dial Data password", 655, pstr("", 40)},
        {"transaction list widths", 984,
         ints({64, 64, 85, 85, 70, 46, 100, 100, 70, 75, 75, 75, 50, 200, 64, 64, 64, 64, 64, 64})},
        {"HideFee1", 1064, byte(1)},
        {"HideFee2", 1065, byte(1)},
        {"Fee1Heading", 1066, pstr("Fee1", 16)},
        {"Fee2Heading", 1083, pstr("Fee2", 16)},
        {"GraphBenchmarkMLID", 1100, i32(-1)},
        {"GraphComparisonMLID", 1104, i32(-1)},
        {"LeftDateLineOffset", 1108, i32(300)},
        {"RightDateLineOffset", 1112, i32(100)},
        {"graph reserved single", 1116, f32(0.055f)},
        {"GraphDaily", 2232, byte(1)},
        {"YearsDisplayedDaily", 2236, i32(2)},
        {"YearsDisplayedWeekly", 2240, i32(10)},
        {"GraphDateFormatRegional", 2244, byte(1)},
        {"GraphDateFormat lower case", 2245, pstr("mm/dd/yyyy", 12)},
        {"MPPPeriodDays", 2260, ints({5, 25, 100})},
        {"UserIntervalsDaily from Friday", 2272, ints({kFriday - 14, kFriday, kFriday - 70, kFriday})},
        {"MPPPeriodWeeks", 2348, ints({1, 4, 12})},
        {"UserIntervalsWeekly from Friday", 2360, ints({kFriday - 14, kFriday, kFriday - 70, kFriday})},
        {"MPPWeights", 2436, f32(5) + f32(4) + f32(3) + f32(2) + f32(1)},
        {"graph print units", 2456, i32(0)},
        {"graph print margins", 2464, f64(0.75) + f64(0.75) + f64(-0.75) + f64(0.75)},
        {"insert into multiple portfolios", 2496, byte(0)},
        {"gain/loss begin date unmoved", 2504, f64(kSaturday)},
        {"gain/loss end date unmoved", 2512, f64(kSaturday)},
    };
    QByteArray widths;
    for (int i = 0; i < 100; ++i)
        widths += i32(80);
    rows.push_back({"MLColWidths", 40, widths});

    for (int base : {448, 488}) {
        const QString b = QStringLiteral("ML@%1 ").arg(base);
        rows.push_back({b + "grid visible", base + 0, byte(1)});
        rows.push_back({b + "grid colour", base + 4, u32(0xFF000010)});
        rows.push_back({b + "grid style", base + 8, byte(0)});
        rows.push_back({b + "table colour", base + 12, u32(0xFF00000F)});
        rows.push_back({b + "text colour", base + 16, u32(0xFF000008)});
        rows.push_back({b + "highlight", base + 20, u32(0x0000FFFF)});
        rows.push_back({b + "highlight text", base + 24, u32(0)});
        rows.push_back({b + "selected", base + 28, u32(0x00FFFF00)});
        rows.push_back({b + "selected text", base + 32, u32(0)});
        rows.push_back({b + "display status", base + 36, byte(0)});
    }
    for (int base : {528, 564}) {
        const QString b = QStringLiteral("report@%1 ").arg(base);
        rows.push_back({b + "grid visible", base + 0, byte(1)});
        rows.push_back({b + "grid colour", base + 4, u32(0x00808080)});
        rows.push_back({b + "grid style", base + 8, byte(0)});
        rows.push_back({b + "background", base + 12, u32(0x00FFFFFF)});
        rows.push_back({b + "text", base + 16, u32(0)});
        rows.push_back({b + "active row", base + 20, u32(0x0000FFFF)});
        rows.push_back({b + "active row text", base + 24, u32(0)});
        rows.push_back({b + "active cell", base + 28, u32(0x00800000)});
        rows.push_back({b + "active cell text", base + 32, u32(0x00FFFFFF)});
    }
    for (int base : {1120, 1676}) {
        const QString b = QStringLiteral("graph@%1 ").arg(base);
        rows.push_back({b + "back wall black", base + 0, u32(0x000000)});
        rows.push_back({b + "panel silver", base + 4, u32(0xC0C0C0)});
        rows.push_back({b + "axis black", base + 8, u32(0x000000)});
        rows.push_back({b + "legend silver", base + 12, u32(0xC0C0C0)});
        rows.push_back({b + "legend text black", base + 16, u32(0x000000)});
        rows.push_back({b + "date lines lime", base + 20, u32(0x00FF00)});
        rows.push_back({b + "fund aqua", base + 24, u32(0xFFFF00)});
        rows.push_back({b + "MA1 yellow", base + 28, u32(0x00FFFF)});
        rows.push_back({b + "MA2 maroon", base + 32, u32(0x000080)});
        rows.push_back({b + "comparison red", base + 36, u32(0x0000FF)});
        rows.push_back({b + "title visible", base + 40, byte(0)});
        rows.push_back({b + "title font name", base + 41, pstr("Arial", 40)});
        rows.push_back({b + "charset", base + 84, i32(1)});
        rows.push_back({b + "pitch", base + 88, byte(0)});
        rows.push_back({b + "font size", base + 92, i32(8)});
        rows.push_back({b + "font style", base + 96, byte(0)});
        rows.push_back({b + "font colour", base + 100, u32(0)});
        rows.push_back({b + "alignment centre", base + 104, byte(2)});
        rows.push_back({b + "title line 1", base + 105, pstr("", 200)});
        rows.push_back({b + "title line 2", base + 306, pstr("", 200)});
        rows.push_back({b + "crosshairs visible", base + 507, byte(0)});
        rows.push_back({b + "crosshairs yellow", base + 508, u32(0x00FFFF)});
        rows.push_back({b + "crosshairs pen", base + 512, byte(0)});
        rows.push_back({b + "grid visible", base + 513, byte(1)});
        rows.push_back({b + "grid dark grey", base + 516, u32(0x303030)});
        rows.push_back({b + "grid pen dot", base + 520, byte(2)});
        rows.push_back({b + "written as 1", base + 521, byte(1)});
        rows.push_back({b + "gradient visible", base + 522, byte(0)});
        rows.push_back({b + "gradient start white", base + 524, u32(0xFFFFFF)});
        rows.push_back({b + "gradient end yellow", base + 528, u32(0x00FFFF)});
        rows.push_back({b + "gradient direction", base + 532, byte(0)});
        rows.push_back({b + "buy tic lime", base + 536, u32(0x00FF00)});
        rows.push_back({b + "sell tic red", base + 540, u32(0x0000FF)});
    }
    return rows;
}

ConfigRecord sample()
{
    return ConfigRecord::defaults(saturday(), QStringLiteral("MM/dd/yyyy"));
}

}  // namespace

class TestConfigRecord : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaultBytes_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("expected");
        for (const Row& r : defaultRows())
            QTest::newRow(qPrintable(r.name)) << r.offset << r.bytes;
    }
    void defaultBytes()
    {
        QFETCH(int, offset);
        QFETCH(QByteArray, expected);
        const QByteArray bytes = sample().serialize();
        QCOMPARE(bytes.size(), 2544);
        QCOMPARE(bytes.mid(offset, expected.size()).toHex(' '), expected.toHex(' '));
    }

    // Every byte no field covers is reserved and must be written as zero.
    void reservedBytesAreZero()
    {
        std::vector<bool> covered(2544, false);
        for (const Row& r : defaultRows()) {
            for (int i = 0; i < r.bytes.size(); ++i) {
                QVERIFY2(!covered[r.offset + i], qPrintable(r.name + " overlaps another field"));
                covered[r.offset + i] = true;
            }
        }
        const QByteArray bytes = sample().serialize();
        for (int i = 0; i < 2544; ++i)
            if (!covered[i])
                QVERIFY2(bytes.at(i) == 0, qPrintable(QStringLiteral("reserved byte %1 is not zero").arg(i)));
    }

    void defaultConstructedMatchesFactoryExceptDates()
    {
        // The in-memory record before any file is read must already hold sane values.
        ConfigRecord c;
        QCOMPARE(c.MLColWidths[99], 80);
        QCOMPARE(c.GraphOptions, c.GraphOptionsDefault);
        QCOMPARE(c.MLTableOptionsCurrent, c.MLTableOptionsDefault);
        QCOMPARE(c.GraphBenchmarkMLID, -1);
    }

    void weekdayTodayIsNotMoved_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QDate>("anchor");
        QTest::newRow("friday") << QDate(2026, 12, 11) << QDate(2026, 12, 11);
        QTest::newRow("saturday") << QDate(2026, 12, 12) << QDate(2026, 12, 11);
        QTest::newRow("sunday") << QDate(2026, 12, 13) << QDate(2026, 12, 11);
        QTest::newRow("monday") << QDate(2026, 12, 14) << QDate(2026, 12, 14);
    }
    void weekdayTodayIsNotMoved()
    {
        QFETCH(QDate, today);
        QFETCH(QDate, anchor);
        const ConfigRecord c = ConfigRecord::defaults(dayFromDate(today));
        QCOMPARE(dateFromDay(c.UserIntervalsDaily[1]), anchor);
        QCOMPARE(dateFromDay(c.UserIntervalsWeekly[3]), anchor);
        QCOMPARE(dateFromDay(c.UserIntervalsDaily[0]), anchor.addDays(-14));
        QCOMPARE(dateFromDay(c.UserIntervalsWeekly[2]), anchor.addDays(-70));
        QCOMPARE(c.GainLossEndDate, double(dayFromDate(today)));
    }

    void roundTripKeepsEveryField()
    {
        ConfigRecord c = sample();
        c.ShowWelcome = false;
        c.AutoBackupFrequency = 3;
        c.MLColWidths[0] = 123;
        c.MLColWidths[99] = -7;
        c.MLTableOptionsCurrent.DisplayInvStatus = true;
        c.MLTableOptionsCurrent.SelectedColor = 0x123456;
        c.RptTableOptionsCurrent.ActiveCellColor = 0xFF00000D;
        c.SelectedPortfolioShort = QStringLiteral("IRA");
        c.DialDataPassword = QStringLiteral("s\u00e9cret");  // Latin-1 character
        c.GraphOptions.TitleLine2 = QString(200, QLatin1Char('x'));
        c.GraphOptions.TitleFontStyle = 5;
        c.GraphOptions.SellTicColor = 0xABCDEF;
        c.GraphOptionsDefault.GridPenStyle = 4;
        c.MPPWeights[4] = 0.25f;
        c.GraphPrintMargins[2] = 1.5;
        c.GainLossBeginDate = 45000;
        const QByteArray bytes = c.serialize();
        const auto back = ConfigRecord::parse(bytes);
        QVERIFY(back);
        QCOMPARE(back->serialize(), bytes);
        QCOMPARE(back->MLColWidths[99], -7);
        QCOMPARE(back->MLTableOptionsCurrent.DisplayInvStatus, true);
        QCOMPARE(bytes.at(524), char(1));  // the per-path marker flag lives at 488 + 36
        QCOMPARE(back->RptTableOptionsCurrent.ActiveCellColor, 0xFF00000Du);
        QCOMPARE(back->DialDataPassword, QStringLiteral("s\u00e9cret"));
        QCOMPARE(back->GraphOptions.TitleLine2.size(), 200);
        QCOMPARE(back->GraphOptions.SellTicColor, 0xABCDEFu);
        QCOMPARE(back->GraphOptionsDefault.GridPenStyle, quint8(4));
        QCOMPARE(back->MPPWeights[4], 0.25f);
        QCOMPARE(back->GraphPrintMargins[2], 1.5);
        QCOMPARE(back->GainLossBeginDate, 45000.0);
    }

    void unmodelledBytesSurviveReadModifyWrite()
    {
        QByteArray bytes = sample().serialize();
        // Reserved strings, padding and the record's tail, as another version may use them.
        const int spots[] = {3, 13, 38, 700, 800, 983, 1120 + 82, 1676 + 550, 2290, 2380, 2500, 2543};
        for (int s : spots)
            bytes[s] = char(0x5A);
        auto c = ConfigRecord::parse(bytes);
        QVERIFY(c);
        c->MLLastRow = 42;
        const QByteArray out = c->serialize();
        for (int s : spots)
            QCOMPARE(out.at(s), char(0x5A));
        QCOMPARE(out.mid(440, 4), i32(42));
    }

    void stringsAreCutAtTheirMaximum_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("max");
        QTest::newRow("SelectedPortfolioShort") << 0 << 601 << 12;
        QTest::newRow("Fee1Heading") << 1 << 1066 << 16;
        QTest::newRow("GraphDateFormat") << 2 << 2245 << 12;
        QTest::newRow("title font") << 3 << 1676 + 41 << 40;
        QTest::newRow("title line 1") << 4 << 1676 + 105 << 200;
    }
    void stringsAreCutAtTheirMaximum()
    {
        QFETCH(int, field);
        QFETCH(int, offset);
        QFETCH(int, max);
        ConfigRecord c = sample();
        const QString longText = QString(max + 30, QLatin1Char('A'));
        switch (field) {
        case 0: c.SelectedPortfolioShort = longText; break;
        case 1: c.Fee1Heading = longText; break;
        case 2: c.GraphDateFormat = longText; break;
        case 3: c.GraphOptions.TitleFontName = longText; break;
        case 4: c.GraphOptions.TitleLine1 = longText; break;
        }
        const QByteArray clean = sample().serialize();
        const QByteArray bytes = c.serialize();
        QCOMPARE(bytes.size(), 2544);
        QCOMPARE(int(quint8(bytes.at(offset))), max);
        QCOMPARE(bytes.mid(offset + 1, max), QByteArray(max, 'A'));
        // Nothing after the field changed.
        QCOMPARE(bytes.mid(offset + 1 + max), clean.mid(offset + 1 + max));
    }

    void damagedLengthByteIsClamped()
    {
        QByteArray bytes = sample().serialize();
        bytes[601] = char(200);  // SelectedPortfolioShort claims 200 characters
        const auto c = ConfigRecord::parse(bytes);
        QVERIFY(c);
        QCOMPARE(c->SelectedPortfolioShort.size(), 12);
    }

    void wrongSizeIsRefused_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("empty") << 0;
        QTest::newRow("one short") << 2543;
        QTest::newRow("one long") << 2545;
        QTest::newRow("half") << 1272;
    }
    void wrongSizeIsRefused()
    {
        QFETCH(int, size);
        QVERIFY(!ConfigRecord::parse(QByteArray(size, '\1')));
    }
};

QTEST_GUILESS_MAIN(TestConfigRecord)
#include "tst_configrecord.moc"
