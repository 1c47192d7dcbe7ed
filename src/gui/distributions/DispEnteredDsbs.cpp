#include "gui/distributions/DispEnteredDsbs.h"

#include "core/config/AppState.h"
#include "gui/base/WindowPlacement.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QVBoxLayout>

namespace orv {

namespace {
QLabel* valuePanel(QWidget* owner, const char* name)
{
    auto* l = new QLabel(owner);
    l->setObjectName(QString::fromLatin1(name));
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, QColor(0, 255, 0));
    l->setPalette(p);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAlignment(Qt::AlignCenter);
    l->setMinimumHeight(24);
    l->setMinimumWidth(120);
    l->setTextFormat(Qt::PlainText);
    return l;
}
}  // namespace

TfrmDispEnteredDsbs::TfrmDispEnteredDsbs(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDispEnteredDsbs"));
    setWindowTitle(QStringLiteral("Write Distributions To Database"));
    pnlName = valuePanel(this, "pnlName");
    pnlExDate = valuePanel(this, "pnlExDate");
    pnlTotDsb = valuePanel(this, "pnlTotDsb");
    pnlIncome = valuePanel(this, "pnlIncome");
    pnlCapGain = valuePanel(this, "pnlCapGain");
    pnlReinvestPri = valuePanel(this, "pnlReinvestPri");
    pnlSplitFactor = valuePanel(this, "pnlSplitFactor");

    auto* grid = new QGridLayout;
    grid->addWidget(pnlName, 0, 0);
    grid->addWidget(pnlExDate, 0, 1);
    const std::pair<const char*, QLabel*> rows[] = {{"Total Distribution", pnlTotDsb},
                                                    {"Income", pnlIncome},
                                                    {"Capital Gain", pnlCapGain},
                                                    {"Reinvestment Price", pnlReinvestPri},
                                                    {"Split Factor", pnlSplitFactor}};
    int r = 1;
    for (const auto& [caption, panel] : rows) {
        auto* l = new QLabel(QString::fromLatin1(caption), this);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(l, r, 0);
        grid->addWidget(panel, r, 1);
        ++r;
    }

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    stbText = new QLabel(StatusBar1);
    stbText->setMinimumWidth(150);
    ProgressBar1 = new QProgressBar(StatusBar1);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar2 = new QProgressBar(StatusBar1);
    ProgressBar2->setObjectName(QStringLiteral("ProgressBar2"));
    for (QProgressBar* b : {ProgressBar1, ProgressBar2}) {
        b->setTextVisible(false);
        b->setMaximumHeight(14);
        b->setValue(0);
    }
    StatusBar1->addWidget(stbText, 2);
    StatusBar1->addWidget(ProgressBar1, 1);
    StatusBar1->addWidget(ProgressBar2, 1);

    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(8, 8, 8, 0);
    main->addLayout(grid);
    main->addWidget(StatusBar1);
    setFixedSize(460, sizeHint().height());
    RestoreWindowPlacement(this, objectName(), appState().Config.SaveWindowPositions);
}

void TfrmDispEnteredDsbs::start()
{
    StopRequested = false;
    mayClose_ = false;
    for (QLabel* l : {pnlName, pnlExDate, pnlTotDsb, pnlIncome, pnlCapGain, pnlReinvestPri, pnlSplitFactor})
        l->clear();
    stbText->clear();
    ProgressBar1->setValue(0);
    ProgressBar2->setValue(0);
    show();
    raise();
    InitWindowPlacement(this, objectName());
}

void TfrmDispEnteredDsbs::finish()
{
    SaveWindowPlacement(this, objectName());
    mayClose_ = true;
    close();
    mayClose_ = false;
}

void TfrmDispEnteredDsbs::stopRequest()
{
    StopRequested = true;
    stbText->setText(QStringLiteral("Please wait..."));
}

void TfrmDispEnteredDsbs::closeEvent(QCloseEvent* e)
{
    if (mayClose_) {
        QDialog::closeEvent(e);
        return;
    }
    stopRequest();
    e->ignore();
}

void TfrmDispEnteredDsbs::reject()
{
    if (mayClose_)
        QDialog::reject();
    else
        stopRequest();
}

}  // namespace orv
