#pragma once
// TfrmCalendar ("Choose Date"): a month calendar; a double-click on a day (or
// Enter) or "OK" returns Accepted, and the caller reads date().

#include "core/base/Dates.h"

#include <QDialog>

class QCalendarWidget;
class QPushButton;

namespace orv {

class TfrmCalendar : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCalendar(QWidget* parent = nullptr);

    QCalendarWidget* Calendar = nullptr;
    QPushButton* bbtnOK = nullptr;
    QPushButton* bbtnCancel = nullptr;

    void setDate(Day day);  // kNoDay: today
    Day date() const;
};

}  // namespace orv
