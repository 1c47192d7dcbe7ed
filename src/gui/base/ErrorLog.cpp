#include "gui/base/ErrorLog.h"

#include "gui/base/MessageDlg.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

QString noPrintersText()
{
    return QStringLiteral("No printers installed!");
}

TfrmErrorLog::TfrmErrorLog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmErrorLog"));
    setWindowTitle(QStringLiteral("Error Log"));

    lbErrors = new QListWidget(this);
    lbErrors->setObjectName(QStringLiteral("lbErrors"));
    lbErrors->setSelectionMode(QAbstractItemView::SingleSelection);

    btnPrint = new QPushButton(QStringLiteral("Print..."), this);
    btnPrint->setObjectName(QStringLiteral("btnPrint"));
    btnPrint->setAutoDefault(false);
    bbtnOK = new QPushButton(QStringLiteral("OK"), this);
    bbtnOK->setObjectName(QStringLiteral("bbtnOK"));
    bbtnOK->setDefault(true);
    connect(btnPrint, &QPushButton::clicked, this, [this] { btnPrintClick(); });
    connect(bbtnOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnPrint);
    buttons->addWidget(bbtnOK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbErrors, 1);
    layout->addLayout(buttons);
    resize(520, 340);
}

void TfrmErrorLog::addLine(const QString& line)
{
    lbErrors->addItem(line);
}

void TfrmErrorLog::addLines(const QStringList& lines)
{
    lbErrors->addItems(lines);
}

QStringList TfrmErrorLog::lines() const
{
    QStringList out;
    for (int i = 0; i < lbErrors->count(); ++i)
        out << lbErrors->item(i)->text();
    return out;
}

void TfrmErrorLog::btnPrintClick()
{
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        MessageDlgCtr(noPrintersText(), MsgType::Information, Btn::OK);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Print"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    printLines(printer);
}

int TfrmErrorLog::printLines(QPrinter& printer) const
{
    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    QFont font = lbErrors->font();
    painter.setFont(QFont(font, painter.device()));
    const QFontMetrics fm(painter.font(), painter.device());
    const QRect page = painter.viewport();
    const int lineHeight = fm.lineSpacing();
    int pages = 1;
    int y = fm.ascent();
    for (const QString& line : lines()) {
        if (y + fm.descent() > page.height()) {
            printer.newPage();
            ++pages;
            y = fm.ascent();
        }
        painter.drawText(0, y, line);
        y += lineHeight;
    }
    painter.end();
    return pages;
}

}  // namespace orv
