#pragma once
// TfrmErrorLog ("Error Log"): the problems a pass over many records found, one
// line each, with "Print..." and "OK". The caller adds lines and shows it.

#include <QDialog>
#include <QStringList>

class QListWidget;
class QPainter;
class QPrinter;
class QPushButton;

namespace orv {

class TfrmErrorLog : public QDialog {
    Q_OBJECT
public:
    explicit TfrmErrorLog(QWidget* parent = nullptr);

    QListWidget* lbErrors = nullptr;
    QPushButton* btnPrint = nullptr;
    QPushButton* bbtnOK = nullptr;

    void addLine(const QString& line);
    void addLines(const QStringList& lines);
    QStringList lines() const;

    // "Print...": with no printer installed, the message "No printers
    // installed!"; otherwise the print dialog and, when confirmed, every line.
    void btnPrintClick();
    // Prints every line in order, one line each, in the list's font, starting a
    // new page when a page is full. Returns the number of pages.
    int printLines(QPrinter& printer) const;
};

// The text shown when the system lists no printer.
QString noPrintersText();

}  // namespace orv
