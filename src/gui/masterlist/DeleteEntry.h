#pragma once
// TfrmMLDeleteEntry ("Edit Master List - Delete Entry"): asks whether to delete an
// entry with all its closing prices, distributions and transactions; "OK" deletes
// everything in one transaction, ticking each step as it is done, with a progress
// bar in the status bar.

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;

namespace orv {

class ORVDataModule;

class TfrmMLDeleteEntry : public QDialog {
    Q_OBJECT
public:
    TfrmMLDeleteEntry(ORVDataModule& dm, int mlID, QWidget* parent = nullptr);

    QLabel* lblDelete;
    QLabel* lblAssociated;
    QLabel* lblTickPrices;
    QLabel* lblTickDistributions;
    QLabel* lblTickTransactions;
    QStatusBar* stbStatus;
    QProgressBar* ProgressBar;
    QPushButton* bbtnOK;
    QPushButton* bbtnCancel;

public Q_SLOTS:
    void done(int r) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void bbtnOKClick();

    ORVDataModule& dm_;
    int mlID_;
};

}  // namespace orv
