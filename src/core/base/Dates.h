#pragma once
// The program's date type: whole day numbers counted from 1899-12-30 (day 0, a
// Saturday). day mod 7 gives the weekday: 0 Saturday, 1 Sunday, 2 Monday ... 6 Friday.

#include <QDate>

namespace orv {

using Day = int;

constexpr Day kNoDay = 0;  // an unset date

// Conversions to and from QDate (an invalid QDate maps to kNoDay and back).
Day dayFromDate(const QDate& date);
QDate dateFromDay(Day day);
Day today();

// Weekday of a day number: 0 Saturday, 1 Sunday, 2 Monday ... 6 Friday.
namespace Wd {
constexpr int Saturday = 0, Sunday = 1, Monday = 2, Tuesday = 3, Wednesday = 4, Thursday = 5, Friday = 6;
}
int weekday(Day day);
bool isWeekend(Day day);

// The day itself when it is a Friday, else the Friday before it (Saturday -1,
// Sunday -2, ..., Thursday -6). Weekly data are keyed by this Friday.
Day FridayOnOrBefore(Day day);

// Moves a Monday-to-Friday day by n business days (n may be negative):
// d = day + (n div 5)*7 + (n mod 5), w = (n mod 5) + (day mod 7) with
// truncating div/mod; for n > 0 the result is d + 2 when w > 6, else d; for
// n <= 0 it is d - 2 when w < 2, else d. Meant for weekday starts only (a
// weekend start with n = 0 moves back to Thursday or Friday).
Day AddWeekdays(Day day, int n);

// A Saturday moved back one day, a Sunday two; other days unchanged.
Day WeekendToFriday(Day day);

}  // namespace orv
