#pragma once
// TfrmMasterListSelectSingle: a compact chooser of one Master List entry, an
// "Auto Search:" edit above a table of short name, ticker and ICDI number.
//
//   TfrmMasterListSelectSingle w(parent);
//   w.move(...);                                   // the caller positions it
//   w.setSearchText(CurMLShortName);               // located on show
//   w.setFilter(TfrmMasterListSelectSingle::notLinearTypeFilter());
//   if (w.exec() == QDialog::Accepted) {
//       // fftblMasterList() is on the chosen record; w.chosen() has it too
//   }
//
// Typing in the edit locates the first entry whose value in the table's active
// column starts with the text (case-insensitive); moving in the table copies the
// active column's value into the edit; Up and Down in the edit move to the
// table's previous or next record; a double-click or OK chooses.

#include "core/store/Records.h"

#include <QDialog>
#include <optional>
#include <vector>

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace orv {

class ORVDataModule;

class TfrmMasterListSelectSingle : public QDialog {
    Q_OBJECT
public:
    explicit TfrmMasterListSelectSingle(QWidget* parent = nullptr);

    // The transaction windows' filter: Type <> "Linear type".
    static QString notLinearTypeFilter();

    // A filter on MasterList in the table's filter syntax (Field <> "value", =,
    // <, >, <=, >=); empty for none. Set before showing.
    void setFilter(const QString& expression);
    // The starting text of "Auto Search:"; the entry with this short name is
    // located on show.
    void setSearchText(const QString& text);
    QString searchText() const;

    // The entry chosen by OK (also the current record of fftblMasterList).
    std::optional<MasterListRec> chosen() const { return chosen_; }
    // The entry at the table's current row.
    std::optional<MasterListRec> current() const;

    QLineEdit* edtAutoSearch = nullptr;
    QTableWidget* OvcTableML = nullptr;
    QPushButton* bbtnOK = nullptr;

    // What typing does: locate by prefix in the active column.
    bool autoSearch(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void load();
    void currentCellChanged(int row, int col);
    void bbtnOKClick();

    ORVDataModule* dm_ = nullptr;
    QString filter_;
    std::vector<MasterListRec> rows_;
    std::optional<MasterListRec> chosen_;
    bool copying_ = false;
};

}  // namespace orv
