#include "gui/portfolios/SinglePfIssueParameters.h"

#include "core/config/AppState.h"
#include "core/portfolios/TxRules.h"
#include "gui/base/WindowPlacement.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

TfrmSinglePfIssueParameters::TfrmSinglePfIssueParameters(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSinglePfIssueParameters"));
    setWindowTitle(QStringLiteral("Edit Parameters"));
    auto* form = new QFormLayout;
    lblPortfolio = new QLabel(this);
    lblSecurity = new QLabel(this);
    edtAccount = new QLineEdit(this);
    edtAccount->setObjectName(QStringLiteral("edtAccount"));
    edtAccount->setMaxLength(20);
    edtPhone = new QLineEdit(this);
    edtPhone->setObjectName(QStringLiteral("edtPhone"));
    edtPhone->setMaxLength(25);
    cbxReinvest = new QComboBox(this);
    cbxReinvest->setObjectName(QStringLiteral("cbxReinvest"));
    cbxReinvest->addItems(tx::reinvestChoices());
    form->addRow(QStringLiteral("Portfolio:"), lblPortfolio);
    form->addRow(QStringLiteral("Security:"), lblSecurity);
    form->addRow(QStringLiteral("Account #"), edtAccount);
    form->addRow(QStringLiteral("Phone"), edtPhone);
    form->addRow(QStringLiteral("Reinvest"), cbxReinvest);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* v = new QVBoxLayout(this);
    v->addLayout(form);
    v->addWidget(box);
    setMinimumWidth(320);
    RestoreWindowPlacement(this, objectName(), appState().Config.SaveWindowPositions);
}

void TfrmSinglePfIssueParameters::setValues(const QString& portfolio, const QString& security,
                                            const QString& accountNumber, const QString& phone,
                                            const QString& reinvest)
{
    lblPortfolio->setText(portfolio);
    lblSecurity->setText(security);
    edtAccount->setText(accountNumber);
    edtPhone->setText(phone);
    cbxReinvest->setCurrentText(tx::reinvestChoice(reinvest));
}

void TfrmSinglePfIssueParameters::setFocusField(Focus f) { focus_ = f; }

QString TfrmSinglePfIssueParameters::accountNumber() const { return edtAccount->text(); }
QString TfrmSinglePfIssueParameters::phone() const { return edtPhone->text(); }
QString TfrmSinglePfIssueParameters::reinvest() const { return cbxReinvest->currentText(); }

void TfrmSinglePfIssueParameters::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    InitWindowPlacement(this, objectName());
    switch (focus_) {
    case Focus::AccountNumber: edtAccount->setFocus(); break;
    case Focus::Phone: edtPhone->setFocus(); break;
    case Focus::Reinvest: cbxReinvest->setFocus(); break;
    }
}

}  // namespace orv
