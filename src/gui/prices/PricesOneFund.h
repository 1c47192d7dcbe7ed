#pragma once
// TfrmPricesOneFund ("Edit Prices"): every weekday of one year of the current
// Master List entry (CurMLID, CurMLShortName, CurMLType), with Save and Delete.

#include "core/prices/PriceEntry.h"

#include <QDialog>
#include <vector>

class QLabel;
class QPushButton;
class QSpinBox;
class QFrame;

namespace orv {

class TPriceGrid;
class TPriceGridModel;
struct PriceStatusBar;

class TfrmPricesOneFund : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPricesOneFund(QWidget* parent = nullptr);
    ~TfrmPricesOneFund() override;

    QFrame* pnlSelectedFund = nullptr;
    QLabel* lblSelectedFund = nullptr;
    QLabel* lblDataRange = nullptr;
    QSpinBox* OvcNumericFieldYearEntry = nullptr;
    QPushButton* btnDisplayPricesForYear = nullptr;
    QPushButton* bbtnSavePrices = nullptr;
    QPushButton* btnDeleteRecords = nullptr;
    QPushButton* bbtnCancel = nullptr;
    TPriceGrid* grid = nullptr;
    PriceStatusBar* status = nullptr;

    const std::vector<prices::YearRow>& rows() const { return rows_; }
    int shownYear() const { return year_; }
    bool changed() const { return changed_; }

    void btnDisplayPricesForYearClick();
    // Saves without closing; false when the database refused.
    bool Save();
    void bbtnSavePricesClick();
    void btnDeleteRecordsClick();

protected:
    void showEvent(QShowEvent* e) override;
    void done(int r) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void refreshDataRange();
    std::vector<prices::YearRow> rows_;
    TPriceGridModel* model_ = nullptr;
    int year_ = 0;
    bool changed_ = false;
    bool shown_ = false;
};

}  // namespace orv
