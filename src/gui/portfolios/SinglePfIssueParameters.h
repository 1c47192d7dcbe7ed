#pragma once
// TfrmSinglePfIssueParameters ("Edit Parameters"): a holding's account number,
// phone and reinvestment option.

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;

namespace orv {

class TfrmSinglePfIssueParameters : public QDialog {
    Q_OBJECT
public:
    enum class Focus { AccountNumber, Phone, Reinvest };
    explicit TfrmSinglePfIssueParameters(QWidget* parent = nullptr);

    // Fills the dialog; reinvest as stored ("None", "CapGain", anything else is All).
    void setValues(const QString& portfolio, const QString& security, const QString& accountNumber,
                   const QString& phone, const QString& reinvest);
    void setFocusField(Focus f);

    QString accountNumber() const;
    QString phone() const;
    QString reinvest() const;

    QLabel* lblPortfolio = nullptr;
    QLabel* lblSecurity = nullptr;
    QLineEdit* edtAccount = nullptr;
    QLineEdit* edtPhone = nullptr;
    QComboBox* cbxReinvest = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    Focus focus_ = Focus::AccountNumber;
};

}  // namespace orv
