// Guards the number and date patterns every report, grid and chart shows:
// wrong rounding (binary artefacts, half-way cases, carries into a new group),
// "#" and "0" positions shown or dropped wrongly, a "-0.000", separators not
// taken from the locale, wrong date tokens or separators, the shared formats
// (FmtPrice, FmtMoney, FmtDate with a four-digit year), and a date reader that
// accepts impossible dates or trailing text.
#include <QtTest>

#include "core/base/Format.h"

#include <cmath>

using namespace orv;

namespace {

const QString kPrice = QStringLiteral("#,###,###,##0.##0");
const QString kPrice4 = QStringLiteral("#,###,###,##0.##00");
const QString kPrice5 = QStringLiteral("#,###,###,##0.##000");
const QString kMoney = QStringLiteral("$#,###,###,##0.#0");

QLocale us() { return QLocale(QLocale::English, QLocale::UnitedStates); }
QLocale de() { return QLocale(QLocale::German, QLocale::Germany); }

QLocale byName(const QString& name)
{
    return name == QLatin1String("de") ? de() : (name == QLatin1String("us") ? us() : QLocale(name));
}

Day d(int y, int m, int dd)
{
    return dayFromDate(QDate(y, m, dd));
}

}  // namespace

class TestFormat : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void formatNumber_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");

        QTest::newRow("price, # after a 0 keeps its zero") << "us" << kPrice << 1234.5 << "1,234.500";
        QTest::newRow("price rounds tiny value to zero") << "us" << kPrice << 0.0004 << "0.000";
        QTest::newRow("price half rounds away from zero") << "us" << kPrice << 0.0005 << "0.001";
        QTest::newRow("negative half rounds away from zero") << "us" << kPrice << -0.0005 << "-0.001";
        QTest::newRow("negative rounding to zero has no sign") << "us" << kPrice << -0.0004 << "0.000";
        QTest::newRow("negative grouped") << "us" << kPrice << -1234.5678 << "-1,234.568";
        QTest::newRow("zero") << "us" << kPrice << 0.0 << "0.000";
        QTest::newRow("carry into a new group") << "us" << kPrice << 999.9996 << "1,000.000";
        QTest::newRow("billions") << "us" << kPrice << 1234567890.1234 << "1,234,567,890.123";
        QTest::newRow("more digits than placeholders")
            << "us" << kPrice << 12345678901234.0 << "12,345,678,901,234.000";
        QTest::newRow("price4") << "us" << kPrice4 << 1.23456 << "1.2346";
        QTest::newRow("price5") << "us" << kPrice5 << 0.1 << "0.10000";
        QTest::newRow("money") << "us" << kMoney << 1234567.891 << "$1,234,567.89";
        QTest::newRow("money negative: sign before the dollar") << "us" << kMoney << -5.0 << "-$5.00";
        QTest::newRow("money rounds the decimal value 2.675 up") << "us" << kMoney << 2.675 << "$2.68";
        QTest::newRow("money rounds 1.005 up") << "us" << kMoney << 1.005 << "$1.01";
        QTest::newRow("#,##0.##0 keeps three decimals") << "us" << "#,##0.##0" << 2.1 << "2.100";
        QTest::newRow("0.###0 always four decimals") << "us" << "0.###0" << 1.5 << "1.5000";
        QTest::newRow("0.###0 rounds at four") << "us" << "0.###0" << 1.23456 << "1.2346";
        QTest::newRow("0.0## drops trailing # zeros") << "us" << "0.0##" << 1.5 << "1.5";
        QTest::newRow("0.0## keeps the 0 place") << "us" << "0.0##" << 1.0 << "1.0";
        QTest::newRow("0.0## rounds at three") << "us" << "0.0##" << 1.2345 << "1.235";
        QTest::newRow("#.## drops the integer zero") << "us" << "#.##" << 0.5 << ".5";
        QTest::newRow("#.## whole number shows no point") << "us" << "#.##" << 3.0 << "3";
        QTest::newRow("chart labels ###,##0.#0") << "us" << "###,##0.#0" << 1234.5 << "1,234.50";
        QTest::newRow("leading zeros") << "us" << "0000" << 42.0 << "0042";
        QTest::newRow("integer half rounds up") << "us" << "0" << 2.5 << "3";
        QTest::newRow("negative integer half rounds down") << "us" << "0" << -2.5 << "-3";
        QTest::newRow("no grouping without a comma") << "us" << "0.00" << 1234567.0 << "1234567.00";
        QTest::newRow("literal suffix") << "us" << "0.00%" << 12.345 << "12.35%";
        QTest::newRow("point inside trailing text is text") << "us" << "0 pts." << 5.0 << "5 pts.";
        QTest::newRow("quoted text is copied") << "us" << "'#'0 \"units\"" << 5.0 << "#5 units";
        QTest::newRow("not a number") << "us" << kPrice << std::nan("") << "NAN";

        QTest::newRow("de price") << "de" << kPrice << 1234.5 << "1.234,500";
        QTest::newRow("de money") << "de" << kMoney << 1234567.891 << "$1.234.567,89";
        QTest::newRow("de negative fraction") << "de" << "0.00" << -0.5 << "-0,50";
        QTest::newRow("de millions") << "de" << "#,##0" << 1234567.0 << "1.234.567";
    }
    void formatNumber()
    {
        QFETCH(QString, locale);
        QFETCH(QString, pattern);
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(orv::formatNumber(value, pattern, byName(locale)), expected);
    }

    void formatDate_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("day");
        QTest::addColumn<QString>("expected");
        QTest::newRow("mm/dd/yyyy") << "us" << "mm/dd/yyyy" << d(2026, 12, 31) << "12/31/2026";
        QTest::newRow("single digits m/d/yy") << "us" << "m/d/yy" << d(2026, 1, 5) << "1/5/26";
        QTest::newRow("padded dd mm") << "us" << "dd-mm-yyyy" << d(2026, 1, 5) << "05-01-2026";
        QTest::newRow("month abbreviation") << "us" << "d mmm yyyy" << d(2026, 1, 5) << "5 Jan 2026";
        QTest::newRow("weekday abbreviation") << "us" << "ddd mmm d" << d(2026, 12, 31) << "Thu Dec 31";
        QTest::newRow("upper-case tokens") << "us" << "DD-MMM-YYYY" << d(2026, 12, 31) << "31-Dec-2026";
        QTest::newRow("long names") << "us" << "dddd, mmmm d" << d(2026, 12, 31) << "Thursday, December 31";
        QTest::newRow("year 2000 as yy") << "us" << "yy" << d(2000, 6, 1) << "00";
        QTest::newRow("quoted text stays") << "us" << "'Week of' m/d" << d(2026, 12, 31) << "Week of 12/31";
        QTest::newRow("de slash is the dot separator") << "de" << "dd/mm/yyyy" << d(2026, 12, 31) << "31.12.2026";
        QTest::newRow("de names") << "de" << "ddd d mmm" << d(2026, 12, 31) << "Do. 31 Dez.";
    }
    void formatDate()
    {
        QFETCH(QString, locale);
        QFETCH(QString, pattern);
        QFETCH(int, day);
        QFETCH(QString, expected);
        QCOMPARE(orv::formatDate(day, pattern, byName(locale)), expected);
    }

    void parseDate_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("expected");  // invalid: refused
        const QDate none;
        QTest::newRow("m/d/yyyy") << "us" << "m/d/yyyy" << "12/31/2026" << QDate(2026, 12, 31);
        QTest::newRow("single digits") << "us" << "m/d/yyyy" << "1/5/2026" << QDate(2026, 1, 5);
        QTest::newRow("padded digits in m/d") << "us" << "m/d/yyyy" << "01/05/2026" << QDate(2026, 1, 5);
        QTest::newRow("single digits in mm/dd") << "us" << "mm/dd/yyyy" << "1/5/2026" << QDate(2026, 1, 5);
        QTest::newRow("blanks around") << "us" << "m/d/yyyy" << "  12/31/2026 " << QDate(2026, 12, 31);
        QTest::newRow("leap day") << "us" << "m/d/yyyy" << "2/29/2028" << QDate(2028, 2, 29);
        QTest::newRow("no leap day in 2027") << "us" << "m/d/yyyy" << "2/29/2027" << none;
        QTest::newRow("31 April") << "us" << "m/d/yyyy" << "4/31/2026" << none;
        QTest::newRow("month 13") << "us" << "m/d/yyyy" << "13/1/2026" << none;
        QTest::newRow("day 0") << "us" << "m/d/yyyy" << "1/0/2026" << none;
        QTest::newRow("missing year") << "us" << "m/d/yyyy" << "12/31" << none;
        QTest::newRow("trailing text") << "us" << "m/d/yyyy" << "12/31/2026x" << none;
        QTest::newRow("three-digit day") << "us" << "m/d/yyyy" << "12/031/2026" << none;
        QTest::newRow("three-digit year") << "us" << "m/d/yyyy" << "12/31/202" << none;
        QTest::newRow("wrong separator") << "us" << "m/d/yyyy" << "12-31-2026" << none;
        QTest::newRow("empty") << "us" << "m/d/yyyy" << "" << none;
        QTest::newRow("two-digit year, recent") << "us" << "m/d/yy" << "12/31/26" << QDate(2026, 12, 31);
        QTest::newRow("two-digit year, last century") << "us" << "m/d/yy" << "12/31/99" << QDate(1999, 12, 31);
        QTest::newRow("two-digit year in yyyy field") << "us" << "m/d/yyyy" << "1/5/05" << QDate(2005, 1, 5);
        QTest::newRow("four-digit year in yy field") << "us" << "m/d/yy" << "1/5/1987" << QDate(1987, 1, 5);
        QTest::newRow("packed yyyymmdd") << "us" << "yyyymmdd" << "20261231" << QDate(2026, 12, 31);
        QTest::newRow("packed, bad month") << "us" << "yyyymmdd" << "20261331" << none;
        QTest::newRow("packed, too short") << "us" << "yyyymmdd" << "2026123" << none;
        QTest::newRow("month abbreviation") << "us" << "d-mmm-yyyy" << "5-Jan-2026" << QDate(2026, 1, 5);
        QTest::newRow("month abbreviation, any case") << "us" << "d-mmm-yyyy" << "5-JAN-2026" << QDate(2026, 1, 5);
        QTest::newRow("full month name") << "us" << "d-mmm-yyyy" << "5-January-2026" << QDate(2026, 1, 5);
        QTest::newRow("unknown month name") << "us" << "d-mmm-yyyy" << "5-Jab-2026" << none;
        QTest::newRow("weekday agrees") << "us" << "ddd m/d/yyyy" << "Thu 12/31/2026" << QDate(2026, 12, 31);
        QTest::newRow("weekday disagrees") << "us" << "ddd m/d/yyyy" << "Fri 12/31/2026" << none;
        QTest::newRow("de dot separator") << "de" << "dd/mm/yyyy" << "31.12.2026" << QDate(2026, 12, 31);
        QTest::newRow("de also takes a slash") << "de" << "dd/mm/yyyy" << "31/12/2026" << QDate(2026, 12, 31);
        QTest::newRow("de month without its dot") << "de" << "d mmm yyyy" << "31 Dez 2026" << QDate(2026, 12, 31);
    }
    void parseDate()
    {
        QFETCH(QString, locale);
        QFETCH(QString, pattern);
        QFETCH(QString, text);
        QFETCH(QDate, expected);
        const std::optional<Day> got = orv::parseDate(text, pattern, byName(locale), 1976);
        if (!expected.isValid()) {
            QVERIFY2(!got, qPrintable(got ? dateFromDay(*got).toString(Qt::ISODate) : QString()));
        } else {
            QVERIFY(got.has_value());
            QCOMPARE(dateFromDay(*got), expected);
        }
    }

    void parseReadsWhatFormatWrites_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("us m/d/yyyy") << "us" << "m/d/yyyy";
        QTest::newRow("us dd-mmm-yy") << "us" << "dd-mmm-yy";
        QTest::newRow("us ddd mmm d yyyy") << "us" << "ddd mmm d yyyy";
        QTest::newRow("us yyyymmdd") << "us" << "yyyymmdd";
        QTest::newRow("de FmtDate") << "de" << "dd/mm/yyyy";
        QTest::newRow("de d mmm yyyy") << "de" << "d mmm yyyy";
    }
    void parseReadsWhatFormatWrites()
    {
        QFETCH(QString, locale);
        QFETCH(QString, pattern);
        const QLocale loc = byName(locale);
        for (Day day = d(1980, 1, 1); day < d(2040, 1, 1); day += 37) {
            const QString text = orv::formatDate(day, pattern, loc);
            const std::optional<Day> back = orv::parseDate(text, pattern, loc, 1976);
            QVERIFY2(back && *back == day, qPrintable(text));
        }
    }

    void sharedFormats_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("fmtDate");
        QTest::addColumn<QString>("shown");  // 2026-12-31 in FmtDate
        QTest::newRow("en_US widens yy") << "us" << "m/d/yyyy" << "12/31/2026";
        QTest::newRow("de_DE") << "de" << "dd/mm/yyyy" << "31.12.2026";
        QTest::newRow("en_GB already four digits") << "en_GB" << "dd/mm/yyyy" << "31/12/2026";
        QTest::newRow("sv_SE dashes") << "sv_SE" << "yyyy/mm/dd" << "2026-12-31";
    }
    void sharedFormats()
    {
        QFETCH(QString, locale);
        QFETCH(QString, fmtDate);
        QFETCH(QString, shown);
        const SharedFormats f = buildSharedFormats(byName(locale));
        QCOMPARE(f.FmtPrice, kPrice);
        QCOMPARE(f.FmtPrice4, kPrice4);
        QCOMPARE(f.FmtPrice5, kPrice5);
        QCOMPARE(f.FmtMoney, kMoney);
        QCOMPARE(f.FmtDate, fmtDate);
        QCOMPARE(orv::formatDate(d(2026, 12, 31), f.FmtDate, byName(locale)), shown);
    }

    void fmtDateMatchesTheLocaleShortDateWithFourDigitYear_data()
    {
        QTest::addColumn<QString>("locale");
        for (const char* n : {"en_US", "de_DE", "en_GB", "fr_FR", "hu_HU", "ko_KR", "bg_BG", "ja_JP", "nl_NL",
                              "sv_SE", "fi_FI", "ru_RU", "C"})
            QTest::newRow(n) << QString::fromLatin1(n);
    }
    void fmtDateMatchesTheLocaleShortDateWithFourDigitYear()
    {
        QFETCH(QString, locale);
        const QLocale loc(locale);
        QString qtFormat = loc.dateFormat(QLocale::ShortFormat);
        if (!qtFormat.contains(QLatin1String("yyyy")))
            qtFormat.replace(QLatin1String("yy"), QLatin1String("yyyy"));
        const QString ours = buildSharedFormats(loc).FmtDate;
        for (const QDate& date : {QDate(2026, 12, 31), QDate(2001, 2, 3), QDate(1999, 10, 9)}) {
            QCOMPARE(orv::formatDate(dayFromDate(date), ours, loc), loc.toString(date, qtFormat));
            const std::optional<Day> back = orv::parseDate(loc.toString(date, qtFormat), ours, loc);
            QVERIFY2(back && *back == dayFromDate(date), qPrintable(ours));
        }
    }

    void processWideFormats()
    {
        initSharedFormats(us());
        QCOMPARE(formats().FmtDate, QStringLiteral("m/d/yyyy"));
        QCOMPARE(fmtPrice(1234.5), QStringLiteral("1,234.500"));
        QCOMPARE(fmtPrice4(0.00005), QStringLiteral("0.0001"));
        QCOMPARE(fmtPrice5(-2.0), QStringLiteral("-2.00000"));
        QCOMPARE(fmtMoney(1234567.891), QStringLiteral("$1,234,567.89"));
        QCOMPARE(fmtDate(d(2026, 12, 31)), QStringLiteral("12/31/2026"));
        QCOMPARE(fmtNumber(1.5, formats().FmtPrice + QStringLiteral("000")), QStringLiteral("1.500000"));

        setSharedFormats(buildSharedFormats(de()), de());
        QCOMPARE(fmtPrice(1234.5), QStringLiteral("1.234,500"));
        QCOMPARE(fmtDate(d(2026, 12, 31)), QStringLiteral("31.12.2026"));

        SharedFormats custom = buildSharedFormats(us());
        custom.FmtDate = QStringLiteral("yyyy-mm-dd");
        setSharedFormats(custom, us());
        QCOMPARE(fmtDate(d(2026, 1, 5)), QStringLiteral("2026-01-05"));
        QCOMPARE(fmtDatePattern(d(2026, 1, 5), QStringLiteral("mmm d")), QStringLiteral("Jan 5"));
    }
};

QTEST_GUILESS_MAIN(TestFormat)
#include "tst_format.moc"
