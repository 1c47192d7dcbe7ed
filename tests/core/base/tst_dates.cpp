// Guards the weekday arithmetic behind every price series and weekly chart:
// a wrong weekday numbering, FridayOnOrBefore landing on the wrong Friday, and
// AddWeekdays miscounting across weekends (Friday+1, Monday-1, several weeks,
// negative steps) — any slip shifts every later price position.
#include <QtTest>

#include "core/base/Dates.h"

using namespace orv;

namespace {

Day d(int y, int m, int dd)
{
    return dayFromDate(QDate(y, m, dd));
}

// Reference: step one calendar day at a time, counting only Monday-Friday.
Day walkWeekdays(Day day, int n)
{
    const int step = n >= 0 ? 1 : -1;
    for (int left = std::abs(n); left > 0;) {
        day += step;
        if (!isWeekend(day))
            --left;
    }
    return day;
}

}  // namespace

class TestDates : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void weekday_data()
    {
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("expected");
        QTest::newRow("day 0 is a Saturday") << 0 << int(Wd::Saturday);
        QTest::newRow("day 1 is a Sunday") << 1 << int(Wd::Sunday);
        QTest::newRow("2026-12-28 Monday") << d(2026, 12, 28) << int(Wd::Monday);
        QTest::newRow("2026-12-31 Thursday") << d(2026, 12, 31) << int(Wd::Thursday);
        QTest::newRow("2027-01-01 Friday") << d(2027, 1, 1) << int(Wd::Friday);
        QTest::newRow("1899-12-29 (day -1) Friday") << -1 << int(Wd::Friday);
    }
    void weekday()
    {
        QFETCH(int, day);
        QFETCH(int, expected);
        QCOMPARE(orv::weekday(day), expected);
        QCOMPARE(isWeekend(day), expected == Wd::Saturday || expected == Wd::Sunday);
        // Matches the calendar: Qt counts Monday 1 .. Sunday 7.
        QCOMPARE((dateFromDay(day).dayOfWeek() + 1) % 7, expected);
    }

    void fridayOnOrBefore_data()
    {
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("back");
        // The week from Friday 2026-12-25 to Thursday 2026-12-31.
        const char* names[] = {"Friday", "Saturday", "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday"};
        for (int i = 0; i < 7; ++i)
            QTest::newRow(names[i]) << d(2026, 12, 25) + i << i;
    }
    void fridayOnOrBefore()
    {
        QFETCH(int, day);
        QFETCH(int, back);
        QCOMPARE(FridayOnOrBefore(day), day - back);
        QCOMPARE(orv::weekday(FridayOnOrBefore(day)), int(Wd::Friday));
    }

    void weekendToFriday_data()
    {
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("expected");
        QTest::newRow("Saturday back one") << d(2026, 12, 26) << d(2026, 12, 25);
        QTest::newRow("Sunday back two") << d(2026, 12, 27) << d(2026, 12, 25);
        QTest::newRow("Monday unchanged") << d(2026, 12, 28) << d(2026, 12, 28);
        QTest::newRow("Thursday unchanged") << d(2026, 12, 31) << d(2026, 12, 31);
        QTest::newRow("Friday unchanged") << d(2027, 1, 1) << d(2027, 1, 1);
    }
    void weekendToFriday()
    {
        QFETCH(int, day);
        QFETCH(int, expected);
        QCOMPARE(WeekendToFriday(day), expected);
    }

    void addWeekdays_data()
    {
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("expected");
        QTest::newRow("Friday + 1 is Monday") << d(2026, 12, 25) << 1 << d(2026, 12, 28);
        QTest::newRow("Monday - 1 is Friday") << d(2026, 12, 28) << -1 << d(2026, 12, 25);
        QTest::newRow("Friday + 0 stays") << d(2026, 12, 25) << 0 << d(2026, 12, 25);
        QTest::newRow("Monday + 4 is Friday") << d(2026, 12, 28) << 4 << d(2027, 1, 1);
        QTest::newRow("Monday + 5 is next Monday") << d(2026, 12, 28) << 5 << d(2027, 1, 4);
        QTest::newRow("Thursday + 3 is Tuesday") << d(2026, 12, 31) << 3 << d(2027, 1, 5);
        QTest::newRow("Wednesday + 12 across two weekends") << d(2026, 12, 30) << 12 << d(2027, 1, 15);
        QTest::newRow("Friday - 5 is the Friday before") << d(2027, 1, 1) << -5 << d(2026, 12, 25);
        QTest::newRow("Tuesday - 7 across a weekend") << d(2027, 1, 5) << -7 << d(2026, 12, 25);
        QTest::newRow("Monday - 260 is a year of weekdays") << d(2026, 12, 28) << -260 << d(2025, 12, 29);
    }
    void addWeekdays()
    {
        QFETCH(int, day);
        QFETCH(int, n);
        QFETCH(int, expected);
        QCOMPARE(AddWeekdays(day, n), expected);
    }

    void addWeekdaysMatchesADayByDayWalk()
    {
        // Every weekday start over ten weeks, every step from -20 to 20.
        const Day first = d(2026, 11, 2);
        for (Day start = first; start < first + 70; ++start) {
            if (isWeekend(start))
                continue;
            for (int n = -20; n <= 20; ++n) {
                const Day got = AddWeekdays(start, n);
                const Day want = walkWeekdays(start, n);
                QVERIFY2(got == want, qPrintable(QStringLiteral("start %1 (%2), n %3: got %4, want %5")
                                                     .arg(dateFromDay(start).toString(Qt::ISODate))
                                                     .arg(orv::weekday(start))
                                                     .arg(n)
                                                     .arg(dateFromDay(got).toString(Qt::ISODate))
                                                     .arg(dateFromDay(want).toString(Qt::ISODate))));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestDates)
#include "tst_dates.moc"
