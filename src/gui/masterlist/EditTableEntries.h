#pragma once
// TfrmMLEditTableEntries ("Edit Master List - Table Entries"): every Master List
// entry as an editable table in short-name order. A record enters edit state with
// its first changed cell and is posted when the cursor leaves the row, by "&OK"
// or the navigator; the Master List post rule judges every post and a refusal
// keeps the record in edit. Closing is refused while a record is in edit.

#include <QAbstractTableModel>
#include <QDialog>
#include <QVector>
#include <functional>

class QLabel;
class QPushButton;
class QStatusBar;
class QToolButton;

namespace orv {

class ORVDataModule;
class Table;
class EntryTableView;

// The Master List cursor as a table model: the ten visible columns of the editor
// then MLID, RowNum, ColNum and Selected (hidden in the window).
class MLEntriesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kVisibleColumns = 10;
    explicit MLEntriesModel(ORVDataModule& dm, QObject* parent = nullptr);

    // Reads every entry again (IndxShortName order), keeping the cursor's record.
    void reload();
    int rowOfMLID(int mlID) const;
    int mlIDAt(int row) const;
    QString fieldAt(int column) const;

    // The row in edit state, or -1.
    int editRow() const { return editRow_; }
    // Posts the record in edit; a refusal is shown and leaves it in edit (false).
    bool postEdit();
    void cancelEdit();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

Q_SIGNALS:
    void editStateChanged();

private:
    Table& table() const;
    ORVDataModule& dm_;
    QStringList fields_;
    QVector<qint64> bookmarks_;
    QVector<QVariantList> rows_;
    int editRow_ = -1;
};

class TfrmMLEditTableEntries : public QDialog {
    Q_OBJECT
public:
    // Opens on the entry mlID (the first entry when -1 or not found).
    TfrmMLEditTableEntries(ORVDataModule& dm, int mlID, QWidget* parent = nullptr);
    ~TfrmMLEditTableEntries() override;

    MLEntriesModel* model() const { return model_; }
    EntryTableView* OvcTableMasterList;
    QPushButton* bbtnOK;
    QPushButton* bbtnCancel;
    QPushButton* bbtnDeleteRecord;
    QStatusBar* stbStatus;
    QToolButton* navFirst;
    QToolButton* navPrior;
    QToolButton* navNext;
    QToolButton* navLast;
    QToolButton* navPost;
    QToolButton* navCancel;

    // Opens the Delete Entry window; replaced by tests.
    std::function<bool(int mlID)> openDeleteEntry;

public Q_SLOTS:
    void done(int r) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void bbtnOKClick();
    void bbtnCancelClick();
    void bbtnDeleteRecordClick();
    void goToRow(int row);
    void currentRowChanged(const QModelIndex& current, const QModelIndex& previous);
    void refreshStatus();

    ORVDataModule& dm_;
    MLEntriesModel* model_;
    QString oldIndex_;
    bool returning_ = false;  // moving back to a row whose post was refused
};

}  // namespace orv
