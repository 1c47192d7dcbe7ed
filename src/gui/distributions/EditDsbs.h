#pragma once
// TfrmEditDsbs ("Edit Distributions"): the distributions of the current issue
// (CurMLID) by ex-date, opening on the newest, with a navigator and the commands
// Add, Edit, Delete and Delete All. Deleting asks first and then whether the
// "Income" and "CapGain" transactions of that ex-date should go too (every
// portfolio, holdings recomputed).

#include "core/store/Records.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <functional>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTableView;
class QToolButton;

namespace orv {

class TfrmDsbAddEdit;

class TDsbListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    void setRows(std::vector<DistributionRec> rows);
    const std::vector<DistributionRec>& rows() const { return rows_; }

private:
    std::vector<DistributionRec> rows_;
};

class TfrmEditDsbs : public QDialog {
    Q_OBJECT
public:
    explicit TfrmEditDsbs(QWidget* parent = nullptr);
    ~TfrmEditDsbs() override;

    QLabel* pnlName = nullptr;
    QTableView* OvcDbTableDistributions = nullptr;
    QWidget* DBNavigator1 = nullptr;
    QToolButton* navFirst = nullptr;
    QToolButton* navPrior = nullptr;
    QToolButton* navNext = nullptr;
    QToolButton* navLast = nullptr;
    QPushButton* bbtnAddDisbribution = nullptr;
    QPushButton* btnEditDsb = nullptr;
    QPushButton* bbtnDeleteDsb = nullptr;
    QPushButton* btnDeleteAllDsbs = nullptr;
    QPushButton* btnExit = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* stbText = nullptr;
    QProgressBar* ProgressBar1 = nullptr;

    const std::vector<DistributionRec>& rows() const { return model_->rows(); }
    // The row of the active record (-1 when the list is empty).
    int currentRow() const;
    void goToRow(int row);

    void bbtnAddDisbributionClick();
    void btnEditDsbClick();
    void bbtnDeleteDsbClick();
    void btnDeleteAllDsbsClick();

    // Lets tests reach the add/edit dialog before it runs.
    static std::function<void(TfrmDsbAddEdit&)>& prepareAddEdit();

protected:
    void showEvent(QShowEvent* e) override;
    void done(int r) override;

private:
    void reload();
    void goToExDate(Day exDate);
    void updateButtons();
    void setAllEnabled(bool on);
    void runDialog(const DistributionRec& rec, bool adding);
    TDsbListModel* model_ = nullptr;
};

}  // namespace orv
