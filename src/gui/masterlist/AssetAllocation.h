#pragma once
// TfrmMLEditAllocations ("Edit Master List - Asset Allocation"): the ten
// allocation categories with their sub-categories as a tree (renamed in place,
// titles cut to 24 and sub-category titles to 16 characters) and, for the current
// entry, the ten percentages of the selected category (0 to 100 each) with their
// total.

#include <QAbstractTableModel>
#include <QDialog>

#include "core/store/Records.h"

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace orv {

class ORVDataModule;
class EntryTableView;

// The assignment table: ten rows (sub-category label, percentage) of one
// category of one issue; a percentage is stored when its edit ends.
class AllocValuesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    AllocValuesModel(ORVDataModule& dm, int mlID, QObject* parent = nullptr);
    void setCategory(int allocID, const AssetAllocHdrRec& hdr);
    int category() const { return allocID_; }
    double total() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

Q_SIGNALS:
    void totalChanged();

private:
    ORVDataModule& dm_;
    int mlID_;
    int allocID_ = 0;
    AssetAllocHdrRec hdr_;
    AssetAllocValueRec values_;
};

class TfrmMLEditAllocations : public QDialog {
    Q_OBJECT
public:
    // The entry is the current one (CurMLID, CurMLShortName).
    TfrmMLEditAllocations(ORVDataModule& dm, int mlID, const QString& shortName, QWidget* parent = nullptr);

    AllocValuesModel* model() const { return model_; }
    QLabel* lblEditCategories;
    QTreeWidget* tvCategories;
    QPushButton* btnEdit;
    QLabel* lblEditAssignments;
    EntryTableView* OvcTableAssignments;
    QLabel* pnlTotalCaption;
    QLabel* pnlTotal;
    QLabel* pnlCaption;
    QPushButton* btnExit;

public Q_SLOTS:
    void done(int r) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fillTree();
    void showCategoryOf(QTreeWidgetItem* item);
    void itemChanged(QTreeWidgetItem* item, int column);
    void refreshTotal();

    ORVDataModule& dm_;
    AllocValuesModel* model_;
    std::vector<AssetAllocHdrRec> hdrs_;
    bool filling_ = false;
};

}  // namespace orv
