#include "gui/base/Calendar.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

TfrmCalendar::TfrmCalendar(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCalendar"));
    setWindowTitle(QStringLiteral("Choose Date"));

    Calendar = new QCalendarWidget(this);
    Calendar->setObjectName(QStringLiteral("Calendar"));
    Calendar->setGridVisible(true);
    Calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    // activated: a double-click on a day, or Enter.
    connect(Calendar, &QCalendarWidget::activated, this, [this] { accept(); });

    bbtnOK = new QPushButton(QStringLiteral("OK"), this);
    bbtnOK->setObjectName(QStringLiteral("bbtnOK"));
    bbtnOK->setDefault(true);
    bbtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    bbtnCancel->setObjectName(QStringLiteral("bbtnCancel"));
    connect(bbtnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(bbtnOK);
    buttons->addWidget(bbtnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Calendar);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

void TfrmCalendar::setDate(Day day)
{
    Calendar->setSelectedDate(day == kNoDay ? QDate::currentDate() : dateFromDay(day));
}

Day TfrmCalendar::date() const
{
    return dayFromDate(Calendar->selectedDate());
}

}  // namespace orv
