#include "core/base/Dates.h"

namespace orv {

namespace {
const QDate kEpoch(1899, 12, 30);
}

Day dayFromDate(const QDate& date)
{
    if (!date.isValid())
        return kNoDay;
    return static_cast<Day>(kEpoch.daysTo(date));
}

QDate dateFromDay(Day day)
{
    return kEpoch.addDays(day);
}

Day today()
{
    return dayFromDate(QDate::currentDate());
}

}  // namespace orv
