#pragma once
// TfrmQuickMLReport: facts about one Master List entry (ticker, ICDI number,
// first and last price dates, last price, last ex-date) and the portfolios that
// hold or held it, by value at the last price or by share balance ("$/shares").
// Its caption is the entry's short name.

#include "core/select/QuickReport.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace orv {

class ORVDataModule;

class TfrmQuickMLReport : public QDialog {
    Q_OBJECT
public:
    // The report of entry mlID (normally CurMLID).
    TfrmQuickMLReport(ORVDataModule& dm, int mlID, QWidget* parent = nullptr);

    QLabel* lblTicker = nullptr;
    QLabel* lblICDI = nullptr;
    QLabel* lblBeginDate = nullptr;
    QLabel* lblEndDate = nullptr;
    QLabel* lblLastPrice = nullptr;
    QLabel* lblLastDsbDate = nullptr;
    QTableWidget* gridPortfolios = nullptr;
    QPushButton* btnValueShares = nullptr;  // "$/shares"
    QPushButton* bbtnOK = nullptr;

    QuickReportMode mode() const { return mode_; }
    void setMode(QuickReportMode mode);
    const QuickMLReportData& data() const { return data_; }

private:
    void fillList();

    QuickMLReportData data_;
    QuickReportMode mode_ = QuickReportMode::Value;
};

// Opens the Quick Report for the current entry (CurMLID, set by the caller).
void showQuickMLReport(QWidget* parent);

// For a sheet cell (column 0-based, row 1-based): sets the current entry from
// the cell and opens the Quick Report, or shows "No data on blank entry." for
// a blank cell. Used by the right-button release over a cell.
void showQuickMLReportForCell(QWidget* parent, int col, int row);

}  // namespace orv
