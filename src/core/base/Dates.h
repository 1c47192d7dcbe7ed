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

}  // namespace orv
