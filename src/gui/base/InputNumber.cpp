#include "gui/base/InputNumber.h"

#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

TfrmInputNumber::TfrmInputNumber(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmInputNumber"));
    setWindowTitle(QStringLiteral("Input Number"));

    lblCaption = new QLabel(QStringLiteral("Try a different IRR"), this);
    lblCaption->setObjectName(QStringLiteral("lblCaption"));
    edtNumber = new QDoubleSpinBox(this);
    edtNumber->setObjectName(QStringLiteral("edtNumber"));
    // "###,###.#": up to six digits with grouping and one decimal.
    edtNumber->setDecimals(1);
    edtNumber->setRange(-999999.9, 999999.9);
    edtNumber->setGroupSeparatorShown(true);
    edtNumber->setButtonSymbols(QAbstractSpinBox::NoButtons);
    edtNumber->setAlignment(Qt::AlignRight);
    edtNumber->setMinimumWidth(110);
    lblCaption->setBuddy(edtNumber);

    bbtnOK = new QPushButton(QStringLiteral("OK"), this);
    bbtnOK->setObjectName(QStringLiteral("bbtnOK"));
    bbtnOK->setDefault(true);
    bbtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    bbtnCancel->setObjectName(QStringLiteral("bbtnCancel"));
    connect(bbtnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(lblCaption, 1);
    row->addWidget(edtNumber);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(bbtnOK);
    buttons->addWidget(bbtnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(280, 0)));
}

void TfrmInputNumber::setCaptionText(const QString& text)
{
    lblCaption->setText(text);
}

void TfrmInputNumber::setValue(double v)
{
    edtNumber->setValue(v);
    edtNumber->selectAll();
}

double TfrmInputNumber::value() const
{
    return edtNumber->value();
}

}  // namespace orv
