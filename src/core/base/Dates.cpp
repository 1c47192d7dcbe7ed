#include "core/base/Dates.h"

namespace orv {

namespace {
// Julian day of 1899-12-30. A plain constant (not a static QDate) so that
// conversions work during other files' static initialisation too.
constexpr qint64 kEpochJulianDay = 2415019;
}

Day dayFromDate(const QDate& date)
{
    if (!date.isValid())
        return kNoDay;
    return static_cast<Day>(date.toJulianDay() - kEpochJulianDay);
}

QDate dateFromDay(Day day)
{
    return QDate::fromJulianDay(kEpochJulianDay + day);
}

Day today()
{
    return dayFromDate(QDate::currentDate());
}

int weekday(Day day)
{
    const int w = day % 7;
    return w < 0 ? w + 7 : w;
}

bool isWeekend(Day day)
{
    const int w = weekday(day);
    return w == Wd::Saturday || w == Wd::Sunday;
}

Day FridayOnOrBefore(Day day)
{
    // Friday -> 0, Saturday -> 1, Sunday -> 2, ..., Thursday -> 6 days back.
    return day - (weekday(day) + 1) % 7;
}

Day AddWeekdays(Day day, int n)
{
    const int d = day + (n / 5) * 7 + (n % 5);
    const int w = (n % 5) + (day % 7);
    if (n > 0)
        return w > 6 ? d + 2 : d;
    return w < 2 ? d - 2 : d;
}

Day WeekendToFriday(Day day)
{
    switch (weekday(day)) {
    case Wd::Saturday:
        return day - 1;
    case Wd::Sunday:
        return day - 2;
    default:
        return day;
    }
}

}  // namespace orv
