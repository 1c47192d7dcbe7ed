#include "gui/portfolios/PfSelectFamily.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

TfrmPfSelectFamily::TfrmPfSelectFamily(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPfSelectFamily"));
    setWindowTitle(QStringLiteral("Select Portfolio Family"));
    auto* v = new QVBoxLayout(this);
    v->addWidget(new QLabel(QStringLiteral("Enter characters used to match the portfolio name."), this));
    edtFamily = new QLineEdit(this);
    edtFamily->setObjectName(QStringLiteral("edtFamily"));
    edtFamily->setMaxLength(12);
    v->addWidget(edtFamily);
    auto* h = new QHBoxLayout;
    btnStartsWith = new QPushButton(QStringLiteral("&Starts with"), this);
    btnContains = new QPushButton(QStringLiteral("&Contains"), this);
    btnEquals = new QPushButton(QStringLiteral("&Equals"), this);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    for (auto* b : {btnStartsWith, btnContains, btnEquals, btnCancel})
        h->addWidget(b);
    v->addLayout(h);
    const auto choose = [this](PfFamilyRule r) {
        rule_ = r;
        accept();
    };
    connect(btnStartsWith, &QPushButton::clicked, this, [choose] { choose(PfFamilyRule::StartsWith); });
    connect(btnContains, &QPushButton::clicked, this, [choose] { choose(PfFamilyRule::Contains); });
    connect(btnEquals, &QPushButton::clicked, this, [choose] { choose(PfFamilyRule::Equals); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    btnStartsWith->setDefault(true);
}

QString TfrmPfSelectFamily::text() const { return edtFamily->text(); }

}  // namespace orv
