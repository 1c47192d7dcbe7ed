#pragma once
// The two price entry windows that edit one date for many entries:
// TfrmPricesActiveColumn ("Edit Prices - By Master List Column", the entries of
// one Master List column) and TfrmPricesAllFundsAlpha ("Edit Prices -
// Alphabetical Display", every entry by short name). They share the calendar,
// the grid, Display, Save and Delete (TPricesDateWindow).

#include "core/prices/PriceEntry.h"

#include <QDialog>
#include <vector>

class QCalendarWidget;
class QComboBox;
class QLabel;
class QPushButton;

namespace orv {

class TPriceGrid;
class TPriceGridModel;
class TfrmDispEnteredPrices;
struct PriceStatusBar;

class TPricesDateWindow : public QDialog {
    Q_OBJECT
public:
    ~TPricesDateWindow() override;

    QCalendarWidget* OvcCalendar = nullptr;
    QLabel* pnlSelectedDate = nullptr;
    QPushButton* btnDisplayPricesForDate = nullptr;
    QPushButton* bbtnSavePrices = nullptr;
    QPushButton* btnDeleteRecords = nullptr;
    TPriceGrid* grid = nullptr;
    PriceStatusBar* status = nullptr;
    // The progress window of the last save (kept so tests can look at it).
    TfrmDispEnteredPrices* frmDispEnteredPrices = nullptr;

    std::vector<prices::DateRow>& rows() { return rows_; }
    // The displayed date, or kNoDay before the first display.
    Day shownDate() const { return date_; }
    Day calendarDay() const;
    void setCalendarDay(Day d);

    void btnDisplayPricesForDateClick();
    // Saves the changed rows; false when the database refused.
    bool Save();
    void btnDeleteRecordsClick();

protected:
    TPricesDateWindow(const QString& objectName, const QString& caption, QWidget* parent);
    // Builds the layout; `extra` goes under the date panel (column switch).
    void buildLayout(QWidget* extra, QPushButton* closeButton);
    virtual void afterSave() = 0;
    void setRowsFrom(std::vector<prices::DateRow> rows);
    void showEvent(QShowEvent* e) override;
    void done(int r) override;
    bool eventFilter(QObject* o, QEvent* e) override;

    std::vector<prices::DateRow> rows_;
    TPriceGridModel* model_ = nullptr;
    Day date_ = kNoDay;
};

class TfrmPricesActiveColumn : public TPricesDateWindow {
    Q_OBJECT
public:
    // colNum: the column of the main grid's active cell (0-based, the ColNum of its
    // entries).
    explicit TfrmPricesActiveColumn(int colNum, QWidget* parent = nullptr);

    QComboBox* cbMLColumns = nullptr;
    QPushButton* btnClose = nullptr;
    int column() const { return col_; }
    // Switch Column to position k of the list.
    void cbMLColumnsChange(int k);

protected:
    void afterSave() override;

private:
    int col_ = 0;
};

class TfrmPricesAllFundsAlpha : public TPricesDateWindow {
    Q_OBJECT
public:
    explicit TfrmPricesAllFundsAlpha(QWidget* parent = nullptr);
    QPushButton* bbtnCancel = nullptr;

protected:
    void afterSave() override;
};

// True when some Master List entry has the given ColNum.
bool columnHasEntries(int colNum);

}  // namespace orv
