#include "gui/masterlist/NewEntry.h"

#include "core/config/AppState.h"
#include "core/masterlist/EntryRules.h"
#include "core/store/DataModule.h"
#include "gui/base/MessageDlg.h"
#include "gui/base/WindowPlacement.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace orv {

namespace {

QSpinBox* movAveBox(QWidget* parent, int value)
{
    auto* b = new QSpinBox(parent);
    b->setRange(kMovAveMin, kMovAveMax);
    b->setValue(value);
    b->setButtonSymbols(QAbstractSpinBox::NoButtons);
    b->setAlignment(Qt::AlignRight);
    b->setFixedWidth(60);
    return b;
}

QLineEdit* textBox(QWidget* parent, const QString& name, int maxLen, int width)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMaxLength(maxLen);
    e->setMinimumWidth(width);
    return e;
}

}  // namespace

TfrmMLEditNewEntry::TfrmMLEditNewEntry(ORVDataModule& dm, int rowNum, int colNum, QWidget* parent)
    : QDialog(parent), dm_(dm), rowNum_(rowNum), colNum_(colNum)
{
    setObjectName(QStringLiteral("frmMLEditNewEntry"));
    setWindowTitle(QStringLiteral("Edit Master List - New Entry"));
    dm_.MLValidationOn = true;

    const MasterListRec d = newEntryDefaults(rowNum, colNum);
    edShortName = textBox(this, QStringLiteral("edShortName"), kShortNameLen, 140);
    edLongName = textBox(this, QStringLiteral("edLongName"), kLongNameLen, 300);
    cbxType = new QComboBox(this);
    cbxType->setObjectName(QStringLiteral("cbxType"));
    cbxType->addItems(issueTypes());
    cbxType->setCurrentText(d.Type);
    edTicker = textBox(this, QStringLiteral("edTicker"), kTickerLen, 80);
    edICDINumber = textBox(this, QStringLiteral("edICDINumber"), kICDITypedLen, 80);
    edCUSIP = textBox(this, QStringLiteral("edCUSIP"), kCUSIPLen, 110);
    edMovAveDaily1 = movAveBox(this, d.MovAveDaily1);
    edMovAveDaily1->setObjectName(QStringLiteral("edMovAveDaily1"));
    edMovAveDaily2 = movAveBox(this, d.MovAveDaily2);
    edMovAveDaily2->setObjectName(QStringLiteral("edMovAveDaily2"));
    edMovAveWeekly1 = movAveBox(this, d.MovAveWeekly1);
    edMovAveWeekly1->setObjectName(QStringLiteral("edMovAveWeekly1"));
    edMovAveWeekly2 = movAveBox(this, d.MovAveWeekly2);
    edMovAveWeekly2->setObjectName(QStringLiteral("edMovAveWeekly2"));

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->addRow(QStringLiteral("Short Name"), edShortName);
    form->addRow(QStringLiteral("Long Name"), edLongName);
    form->addRow(QStringLiteral("Type"), cbxType);
    form->addRow(QStringLiteral("Ticker"), edTicker);
    form->addRow(QStringLiteral("ICDI Number"), edICDINumber);
    form->addRow(QStringLiteral("CUSIP"), edCUSIP);
    form->addRow(QStringLiteral("Daily Moving Average #1"), edMovAveDaily1);
    form->addRow(QStringLiteral("Daily Moving Average #2"), edMovAveDaily2);
    form->addRow(QStringLiteral("Weekly Moving Average #1"), edMovAveWeekly1);
    form->addRow(QStringLiteral("Weekly Moving Average #2"), edMovAveWeekly2);

    bbtnOK = new QPushButton(QStringLiteral("OK"), this);
    bbtnOK->setObjectName(QStringLiteral("bbtnOK"));
    bbtnOK->setDefault(true);
    bbtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    bbtnCancel->setObjectName(QStringLiteral("bbtnCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bbtnOK);
    buttons->addWidget(bbtnCancel);

    auto* top = new QVBoxLayout(this);
    top->addLayout(form);
    top->addSpacing(8);
    top->addLayout(buttons);
    top->setSizeConstraint(QLayout::SetFixedSize);

    connect(bbtnOK, &QPushButton::clicked, this, &TfrmMLEditNewEntry::bbtnOKClick);
    connect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);

    RestoreWindowPlacement(this, objectName(), appState().Config.SaveWindowPositions);
}

TfrmMLEditNewEntry::~TfrmMLEditNewEntry() { dm_.MLValidationOn = false; }

void TfrmMLEditNewEntry::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    InitWindowPlacement(this, objectName());
    edShortName->setFocus();
}

void TfrmMLEditNewEntry::done(int r)
{
    SaveWindowPlacement(this, objectName());
    QDialog::done(r);
}

void TfrmMLEditNewEntry::bbtnOKClick()
{
    MasterListRec typed = newEntryDefaults(rowNum_, colNum_);
    typed.ShortName = edShortName->text();
    typed.LongName = edLongName->text();
    typed.Type = cbxType->currentText();
    typed.Ticker = edTicker->text();
    typed.ICDINumber = edICDINumber->text();
    typed.CUSIP = edCUSIP->text();
    typed.MovAveDaily1 = edMovAveDaily1->value();
    typed.MovAveDaily2 = edMovAveDaily2->value();
    typed.MovAveWeekly1 = edMovAveWeekly1->value();
    typed.MovAveWeekly2 = edMovAveWeekly2->value();

    const Result<int> id = addNewEntry(dm_, typed);
    if (!id) {
        MessageDlgCtr(id.message());
        if (typed.ShortName.trimmed().isEmpty())
            edShortName->setFocus();
        return;
    }
    newMLID_ = id.value();
    accept();
}

int runNewEntry(ORVDataModule& dm, int rowNum, int colNum, QWidget* parent)
{
    TfrmMLEditNewEntry w(dm, rowNum, colNum, parent);
    w.exec();
    return w.newMLID();
}

}  // namespace orv
