#include "gui/masterlist/TableOptions.h"

#include "gui/base/TableStyle.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace orv {

namespace {
const QStringList kGridStyles = {QStringLiteral("Solid"), QStringLiteral("Dash"), QStringLiteral("Dot"),
                                 QStringLiteral("DashDot"), QStringLiteral("DashDotDot")};
}

TfrmEditTableOptions::TfrmEditTableOptions(const MLTableOptions& ml, const MLTableOptions& mlDefaults,
                                           const ReportTableOptions& report,
                                           const ReportTableOptions& reportDefaults, QWidget* parent)
    : QDialog(parent), mlDefaults_(mlDefaults), rptDefaults_(reportDefaults)
{
    setObjectName(QStringLiteral("frmEditTableOptions"));
    setWindowTitle(QStringLiteral("Table Options"));
    chooseColor = [this](const QColor& initial, const QString& title) {
        return QColorDialog::getColor(initial, this, title);
    };

    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("pgcTableOptions"));
    pages_->addTab(buildMLPage(), QStringLiteral("Master List"));
    pages_->addTab(buildRptPage(), QStringLiteral("All Other Tables"));

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("bbtnOK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("bbtnCancel"));
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    connect(ok, &QPushButton::clicked, this, [this] {
        btnApplyClick();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(buttons);

    loadML(ml);
    loadRpt(report);
}

void TfrmEditTableOptions::addColour(QGridLayout* grid, int row, const QString& name, const QString& caption)
{
    ColourField f;
    f.name = name;
    f.button = new QPushButton(caption, this);
    f.button->setObjectName(QStringLiteral("btn") + name);
    f.panel = new QFrame(this);
    f.panel->setObjectName(QStringLiteral("pnl") + name);
    f.panel->setFrameShape(QFrame::Panel);
    f.panel->setFrameShadow(QFrame::Sunken);
    f.panel->setFixedSize(48, 22);
    f.panel->setAutoFillBackground(true);
    grid->addWidget(f.button, row, 0);
    grid->addWidget(f.panel, row, 1);
    connect(f.button, &QPushButton::clicked, this, [this, name, caption] {
        ColourField* cf = field(name);
        const QColor chosen = chooseColor(toQColor(cf->value), caption);
        if (chosen.isValid())
            setColour(name, toWinColor(chosen));
    });
    fields_.append(f);
}

QWidget* TfrmEditTableOptions::buildMLPage()
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("tsMasterList"));
    auto* colours = new QGridLayout;
    addColour(colours, 0, QStringLiteral("TableColor"), QStringLiteral("Table Background Color ..."));
    addColour(colours, 1, QStringLiteral("TextColor"), QStringLiteral("Table Text Color ..."));
    addColour(colours, 2, QStringLiteral("HighlightColor"), QStringLiteral("Highlight Cell Color ..."));
    addColour(colours, 3, QStringLiteral("HighlightTextColor"), QStringLiteral("Highlight Text Color ..."));
    addColour(colours, 4, QStringLiteral("SelectedColor"), QStringLiteral("Selected Cell Color ..."));
    addColour(colours, 5, QStringLiteral("SelectedTextColor"), QStringLiteral("Selected Text Color ..."));

    auto* group = new QGroupBox(QStringLiteral("Grid Options"), page);
    auto* g = new QGridLayout(group);
    addColour(g, 0, QStringLiteral("GridColor"), QStringLiteral("Grid Color ..."));
    cbMLGridVisible_ = new QCheckBox(QStringLiteral("Visible"), group);
    cbMLGridVisible_->setObjectName(QStringLiteral("cbGridVisible"));
    cbxMLGridStyle_ = new QComboBox(group);
    cbxMLGridStyle_->setObjectName(QStringLiteral("cbxGridStyle"));
    cbxMLGridStyle_->addItems(kGridStyles);
    g->addWidget(cbMLGridVisible_, 1, 0);
    g->addWidget(cbxMLGridStyle_, 2, 0);

    cbDisplayInvStatus_ = new QCheckBox(QStringLiteral("Display Open/Closed Accounts Status"), page);
    cbDisplayInvStatus_->setObjectName(QStringLiteral("cbDisplayInvStatus"));
    auto* defaults = new QPushButton(QStringLiteral("Restore Defaults"), page);
    defaults->setObjectName(QStringLiteral("btnMLDefaults"));
    auto* apply = new QPushButton(QStringLiteral("Apply"), page);
    apply->setObjectName(QStringLiteral("btnApply"));
    connect(defaults, &QPushButton::clicked, this, &TfrmEditTableOptions::btnMLDefaultsClick);
    connect(apply, &QPushButton::clicked, this, &TfrmEditTableOptions::btnApplyClick);

    auto* right = new QVBoxLayout;
    right->addWidget(group);
    right->addWidget(cbDisplayInvStatus_);
    right->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(colours);
    top->addSpacing(16);
    top->addLayout(right);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(defaults);
    bottom->addStretch(1);
    bottom->addWidget(apply);
    auto* v = new QVBoxLayout(page);
    v->addLayout(top);
    v->addStretch(1);
    v->addLayout(bottom);
    return page;
}

QWidget* TfrmEditTableOptions::buildRptPage()
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("tsAllOtherTables"));
    auto* colours = new QGridLayout;
    addColour(colours, 0, QStringLiteral("rptTableColor"), QStringLiteral("Table Background Color ..."));
    addColour(colours, 1, QStringLiteral("rptTextColor"), QStringLiteral("Table Text Color ..."));
    addColour(colours, 2, QStringLiteral("rptActiveRowColor"), QStringLiteral("Active Row Color ..."));
    addColour(colours, 3, QStringLiteral("rptActiveRowTextColor"), QStringLiteral("Active Row Text Color ..."));
    addColour(colours, 4, QStringLiteral("rptActiveCellColor"), QStringLiteral("Active Cell Color ..."));
    addColour(colours, 5, QStringLiteral("rptActiveCellTextColor"), QStringLiteral("Active Cell Text Color"));

    auto* group = new QGroupBox(QStringLiteral("Grid Options"), page);
    auto* g = new QGridLayout(group);
    addColour(g, 0, QStringLiteral("rptGridColor"), QStringLiteral("Grid Color ..."));
    cbRptGridVisible_ = new QCheckBox(QStringLiteral("Visible"), group);
    cbRptGridVisible_->setObjectName(QStringLiteral("cbRptGridVisible"));
    cbxRptGridStyle_ = new QComboBox(group);
    cbxRptGridStyle_->setObjectName(QStringLiteral("cbxRptGridStyle"));
    cbxRptGridStyle_->addItems(kGridStyles);
    g->addWidget(cbRptGridVisible_, 1, 0);
    g->addWidget(cbxRptGridStyle_, 2, 0);

    auto* defaults = new QPushButton(QStringLiteral("Restore Defaults"), page);
    defaults->setObjectName(QStringLiteral("btnRptDefaults"));
    connect(defaults, &QPushButton::clicked, this, &TfrmEditTableOptions::btnRptDefaultsClick);

    auto* right = new QVBoxLayout;
    right->addWidget(group);
    right->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(colours);
    top->addSpacing(16);
    top->addLayout(right);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(defaults);
    bottom->addStretch(1);
    auto* v = new QVBoxLayout(page);
    v->addLayout(top);
    v->addStretch(1);
    v->addLayout(bottom);
    return page;
}

TfrmEditTableOptions::ColourField* TfrmEditTableOptions::field(const QString& name)
{
    for (ColourField& f : fields_)
        if (f.name == name)
            return &f;
    return nullptr;
}

const TfrmEditTableOptions::ColourField* TfrmEditTableOptions::field(const QString& name) const
{
    for (const ColourField& f : fields_)
        if (f.name == name)
            return &f;
    return nullptr;
}

void TfrmEditTableOptions::setColour(const QString& name, WinColor value)
{
    ColourField* f = field(name);
    if (!f)
        return;
    f->value = value;
    QPalette p = f->panel->palette();
    p.setColor(QPalette::Window, toQColor(value));
    f->panel->setPalette(p);
}

QColor TfrmEditTableOptions::panelColor(const QString& name) const
{
    const ColourField* f = field(name);
    return f ? f->panel->palette().color(QPalette::Window) : QColor();
}

void TfrmEditTableOptions::loadML(const MLTableOptions& o)
{
    setColour(QStringLiteral("TableColor"), o.TableColor);
    setColour(QStringLiteral("TextColor"), o.TextColor);
    setColour(QStringLiteral("HighlightColor"), o.HighlightColor);
    setColour(QStringLiteral("HighlightTextColor"), o.HighlightTextColor);
    setColour(QStringLiteral("SelectedColor"), o.SelectedColor);
    setColour(QStringLiteral("SelectedTextColor"), o.SelectedTextColor);
    setColour(QStringLiteral("GridColor"), o.GridColor);
    cbMLGridVisible_->setChecked(o.GridVisible);
    cbxMLGridStyle_->setCurrentIndex(o.GridStyle <= 4 ? o.GridStyle : 0);
    cbDisplayInvStatus_->setChecked(o.DisplayInvStatus);
}

void TfrmEditTableOptions::loadRpt(const ReportTableOptions& o)
{
    setColour(QStringLiteral("rptTableColor"), o.TableColor);
    setColour(QStringLiteral("rptTextColor"), o.TextColor);
    setColour(QStringLiteral("rptActiveRowColor"), o.ActiveRowColor);
    setColour(QStringLiteral("rptActiveRowTextColor"), o.ActiveRowTextColor);
    setColour(QStringLiteral("rptActiveCellColor"), o.ActiveCellColor);
    setColour(QStringLiteral("rptActiveCellTextColor"), o.ActiveCellTextColor);
    setColour(QStringLiteral("rptGridColor"), o.GridColor);
    cbRptGridVisible_->setChecked(o.GridVisible);
    cbxRptGridStyle_->setCurrentIndex(o.GridStyle <= 4 ? o.GridStyle : 0);
}

MLTableOptions TfrmEditTableOptions::mlOptions() const
{
    MLTableOptions o;
    o.TableColor = field(QStringLiteral("TableColor"))->value;
    o.TextColor = field(QStringLiteral("TextColor"))->value;
    o.HighlightColor = field(QStringLiteral("HighlightColor"))->value;
    o.HighlightTextColor = field(QStringLiteral("HighlightTextColor"))->value;
    o.SelectedColor = field(QStringLiteral("SelectedColor"))->value;
    o.SelectedTextColor = field(QStringLiteral("SelectedTextColor"))->value;
    o.GridColor = field(QStringLiteral("GridColor"))->value;
    o.GridVisible = cbMLGridVisible_->isChecked();
    o.GridStyle = quint8(qMax(0, cbxMLGridStyle_->currentIndex()));
    o.DisplayInvStatus = cbDisplayInvStatus_->isChecked();
    return o;
}

ReportTableOptions TfrmEditTableOptions::reportOptions() const
{
    ReportTableOptions o;
    o.TableColor = field(QStringLiteral("rptTableColor"))->value;
    o.TextColor = field(QStringLiteral("rptTextColor"))->value;
    o.ActiveRowColor = field(QStringLiteral("rptActiveRowColor"))->value;
    o.ActiveRowTextColor = field(QStringLiteral("rptActiveRowTextColor"))->value;
    o.ActiveCellColor = field(QStringLiteral("rptActiveCellColor"))->value;
    o.ActiveCellTextColor = field(QStringLiteral("rptActiveCellTextColor"))->value;
    o.GridColor = field(QStringLiteral("rptGridColor"))->value;
    o.GridVisible = cbRptGridVisible_->isChecked();
    o.GridStyle = quint8(qMax(0, cbxRptGridStyle_->currentIndex()));
    return o;
}

void TfrmEditTableOptions::btnApplyClick()
{
    if (onApply)
        onApply(mlOptions());
}

void TfrmEditTableOptions::btnMLDefaultsClick()
{
    loadML(mlDefaults_);
}

void TfrmEditTableOptions::btnRptDefaultsClick()
{
    loadRpt(rptDefaults_);
}

}  // namespace orv
