#include "gui/prices/DispEnteredPrices.h"

#include "core/prices/AdjPrices.h"
#include "gui/prices/PriceGrid.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QVBoxLayout>

namespace orv {

TfrmDispEnteredPrices::TfrmDispEnteredPrices(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDispEnteredPrices"));
    setWindowTitle(QStringLiteral("Write Prices To Database"));
    auto makePanel = [this](const char* name, const QString& text, int width) {
        auto* l = new QLabel(text, this);
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
        l->setMinimumWidth(width);
        l->setMinimumHeight(28);
        return l;
    };
    pnlName = makePanel("pnlName", QStringLiteral("Name"), 140);
    pnlDate = makePanel("pnlDate", QStringLiteral("Date"), 100);
    pnlPrice = makePanel("pnlPrice", QStringLiteral("Price"), 100);
    status = new PriceStatusBar;
    status->build(this, 200);
    status->bar->setSizeGripEnabled(false);

    auto* row = new QHBoxLayout;
    row->addWidget(pnlName, 3);
    row->addWidget(pnlDate, 2);
    row->addWidget(pnlPrice, 2);
    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(8, 8, 8, 0);
    main->addLayout(row);
    main->addWidget(status->bar);
    setFixedSize(420, sizeHint().height());
}

TfrmDispEnteredPrices::~TfrmDispEnteredPrices() { delete status; }

void TfrmDispEnteredPrices::start()
{
    StopRequested = false;
    mayClose_ = false;
    pnlName->setText(QStringLiteral("Name"));
    pnlDate->setText(QStringLiteral("Date"));
    pnlPrice->setText(QStringLiteral("Price"));
    status->panel1->setText(holesStatusText());
    status->progress->setValue(0);
    show();
    raise();
}

void TfrmDispEnteredPrices::showEntry(const QString& name, const QString& date, const QString& price)
{
    pnlName->setText(name);
    pnlDate->setText(date);
    pnlPrice->setText(price);
}

void TfrmDispEnteredPrices::finish()
{
    mayClose_ = true;
    close();
    mayClose_ = false;
}

void TfrmDispEnteredPrices::closeEvent(QCloseEvent* e)
{
    if (mayClose_) {
        QDialog::closeEvent(e);
        return;
    }
    StopRequested = true;
    e->ignore();
}

void TfrmDispEnteredPrices::reject()
{
    if (mayClose_)
        QDialog::reject();
    else
        StopRequested = true;
}

}  // namespace orv
