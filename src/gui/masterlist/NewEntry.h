#pragma once
// TfrmMLEditNewEntry ("Edit Master List - New Entry"): the fields of one new
// Master List entry for a blank cell. "OK" checks and stores it with its ten
// allocation rows (refusals keep the window open); "Cancel" stores nothing.

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace orv {

class ORVDataModule;

class TfrmMLEditNewEntry : public QDialog {
    Q_OBJECT
public:
    // The entry goes into the cell (row 1-based, column 0-based).
    TfrmMLEditNewEntry(ORVDataModule& dm, int rowNum, int colNum, QWidget* parent = nullptr);
    ~TfrmMLEditNewEntry() override;

    // The new entry's MLID after "OK", else -1.
    int newMLID() const { return newMLID_; }

    QLineEdit* edShortName;
    QLineEdit* edLongName;
    QComboBox* cbxType;
    QLineEdit* edTicker;
    QLineEdit* edICDINumber;
    QLineEdit* edCUSIP;
    QSpinBox* edMovAveDaily1;
    QSpinBox* edMovAveDaily2;
    QSpinBox* edMovAveWeekly1;
    QSpinBox* edMovAveWeekly2;
    QPushButton* bbtnOK;
    QPushButton* bbtnCancel;

public Q_SLOTS:
    void done(int r) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void bbtnOKClick();

    ORVDataModule& dm_;
    int rowNum_;
    int colNum_;
    int newMLID_ = -1;
};

// Opens the window on a blank cell; the new MLID, or -1 when cancelled.
int runNewEntry(ORVDataModule& dm, int rowNum, int colNum, QWidget* parent);

}  // namespace orv
