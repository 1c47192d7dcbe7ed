#pragma once
// TfrmDsbAddEdit: the add/edit dialog of one distribution of the current issue.
// Caption "Add Distribution: " or "Edit Distribution: " and the name. The
// calendar follows whichever date field last had the focus (Ex-Date at first) and
// writes a clicked day back to it; "Price:" shows the price on the
// calendar's day. Save runs the checks in their order (a refusal beeps, warns and
// focuses its field; the dialog stays open), stores the record with the adjusted
// prices rebuilt and, when a portfolio is active and the amounts call for it,
// opens "Automatic Transaction Entry".

#include "core/distributions/Distributions.h"

#include <QDialog>
#include <functional>
#include <optional>

class QCalendarWidget;
class QDateEdit;
class QDoubleSpinBox;
class QLabel;
class QPushButton;

namespace orv {

class Progress;
class TfrmDsbAutoReinvest;

class TfrmDsbAddEdit : public QDialog {
    Q_OBJECT
public:
    // rec: the record to edit, or a new one (adding); progress: where the rebuild
    // of the adjusted prices reports (the list window's status bar), may be null.
    TfrmDsbAddEdit(const DistributionRec& rec, bool adding, Progress* progress, QWidget* parent = nullptr);

    QLabel* pnlName = nullptr;
    QDateEdit* edExDate = nullptr;
    QDateEdit* edRecDate = nullptr;
    QDateEdit* edPayDate = nullptr;
    QDoubleSpinBox* edTotal = nullptr;
    QDoubleSpinBox* edIncome = nullptr;
    QDoubleSpinBox* edCapGain = nullptr;
    QDoubleSpinBox* edReinvestPri = nullptr;
    QDoubleSpinBox* edSplitFactor = nullptr;
    QCalendarWidget* OvcDbCalendar = nullptr;
    QLabel* lblPriceOnDate = nullptr;
    QPushButton* bbtnSave = nullptr;
    QPushButton* bbtnCancel = nullptr;

    // The record as typed, and as saved after a successful Save.
    DistributionRec record() const;
    const DistributionRec& saved() const { return saved_; }
    // The date field the calendar is bound to.
    QDateEdit* calendarField() const { return calendarField_; }

    // Lets tests and callers reach the automatic entry window before it runs.
    static std::function<void(TfrmDsbAutoReinvest&)>& prepareAutoReinvest();

    void bbtnSaveClick();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void done(int r) override;

private:
    void bindCalendar(QDateEdit* field);
    void refreshPriceOnDate();
    QWidget* fieldOf(dsb::DsbField f) const;

    DistributionRec original_;
    DistributionRec saved_;
    bool adding_;
    Progress* progress_;
    QDateEdit* calendarField_ = nullptr;
};

}  // namespace orv
