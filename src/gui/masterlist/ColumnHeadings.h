#pragma once
// TfrmMLEditColHd ("Edit Master List - Column Headings"): the 100 headings of the
// Master List sheet as a two-column table ("Column", "Heading" of at most 16
// characters). An edited heading is stored when the cell edit ends; closing the
// window stores a pending edit.

#include <QAbstractTableModel>
#include <QDialog>
#include <QVector>

class QLabel;
class QPushButton;
class QToolButton;

namespace orv {

class ORVDataModule;
class EntryTableView;

class ColHdrsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ColHdrsModel(ORVDataModule& dm, QObject* parent = nullptr);
    void reload();
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    ORVDataModule& dm_;
    QVector<int> colNums_;
    QStringList headings_;
};

class TfrmMLEditColHd : public QDialog {
    Q_OBJECT
public:
    explicit TfrmMLEditColHd(ORVDataModule& dm, QWidget* parent = nullptr);

    ColHdrsModel* model() const { return model_; }
    QLabel* lblCaption;
    EntryTableView* OvcTableColHdrs;
    QToolButton* navFirst;
    QToolButton* navPrior;
    QToolButton* navNext;
    QToolButton* navLast;
    QPushButton* bbtnOK;

public Q_SLOTS:
    void done(int r) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void goToRow(int row);
    ColHdrsModel* model_;
};

}  // namespace orv
