// Guards the small shared dialogs: the error log prints every line in order,
// breaking pages when full, and with no printer installed says so instead of
// failing silently; the number input's default caption, one-decimal value and
// OK/Cancel results; the date chooser's double-click on a day and OK both
// accept with that day; the PfValue.TXT viewer's caption, rows, fixed width,
// and an empty table for a file holding only its first line.
#include <QtTest>
#include <QCalendarWidget>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QListWidget>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>

#include "core/config/AppState.h"
#include "gui/base/Calendar.h"
#include "gui/base/ErrorLog.h"
#include "gui/base/InputNumber.h"
#include "gui/base/MessageDlg.h"
#include "gui/base/TextViewerPfValue.h"

using namespace orv;

class TestSmallDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void errorLogPrintsEveryLine_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("severalPages");
        QTest::newRow("none") << 0 << false;
        QTest::newRow("three") << 3 << false;
        QTest::newRow("many") << 400 << true;
    }
    void errorLogPrintsEveryLine()
    {
        QFETCH(int, lines);
        QFETCH(bool, severalPages);
        TfrmErrorLog w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Error Log"));
        QCOMPARE(w.btnPrint->text(), QStringLiteral("Print..."));
        QStringList text;
        for (int i = 0; i < lines; ++i)
            text << QStringLiteral("Line %1: price missing").arg(i + 1);
        w.addLines(text);
        QCOMPARE(w.lines(), text);
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("log.pdf")));
        const int pages = w.printLines(printer);
        QVERIFY(pages >= 1);
        QCOMPARE(pages > 1, severalPages);
        QVERIFY(QFileInfo(printer.outputFileName()).size() > 0);
    }

    void errorLogWithoutPrinter()
    {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("a printer is installed on this machine");
        TfrmErrorLog w;
        w.addLine(QStringLiteral("one"));
        RecordingMessageSink sink;
        w.btnPrint->click();
        QCOMPARE(sink.texts(), QStringList{QStringLiteral("No printers installed!")});
    }

    void inputNumber()
    {
        TfrmInputNumber w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Input Number"));
        QCOMPARE(w.lblCaption->text(), QStringLiteral("Try a different IRR"));
        w.setCaptionText(QStringLiteral("Guess"));
        QCOMPARE(w.lblCaption->text(), QStringLiteral("Guess"));
        w.setValue(12.34);
        QCOMPARE(w.value(), 12.3);
        QTimer::singleShot(0, &w, [&w] {
            w.edtNumber->selectAll();
            QTest::keyClicks(w.edtNumber, QStringLiteral("-7.5"));
            w.bbtnOK->click();
        });
        QCOMPARE(w.exec(), int(QDialog::Accepted));
        QCOMPARE(w.value(), -7.5);
        QTimer::singleShot(0, &w, [&w] { w.bbtnCancel->click(); });
        QCOMPARE(w.exec(), int(QDialog::Rejected));
    }

    void calendar_data()
    {
        QTest::addColumn<bool>("byDoubleClick");
        QTest::newRow("double-click on a day") << true;
        QTest::newRow("OK") << false;
    }
    void calendar()
    {
        QFETCH(bool, byDoubleClick);
        TfrmCalendar w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Choose Date"));
        const Day day = dayFromDate(QDate(2026, 7, 15));
        w.setDate(day);
        QCOMPARE(w.date(), day);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        if (byDoubleClick) {
            auto* view = w.Calendar->findChild<QTableView*>();
            QVERIFY(view);
            // The cell of the 16th: one column right of the selected 15th.
            const QModelIndex sel = view->currentIndex();
            const QModelIndex next = view->model()->index(sel.row(), sel.column() + 1);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(next).center());
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(next).center());
            QCOMPARE(w.result(), int(QDialog::Accepted));
            QCOMPARE(w.date(), day + 1);
        } else {
            w.bbtnOK->click();
            QCOMPARE(w.result(), int(QDialog::Accepted));
            QCOMPARE(w.date(), day);
        }
        QVERIFY(!w.isVisible());
    }

    void pfValueViewer_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("rows");
        QTest::newRow("only the first line") << QByteArray("[Pf]Retire\r\n") << 0;
        QTest::newRow("two rows") << QByteArray("[Pf]Retire\r\n1/5/2026  $1,000.00  $0.00\r\n1/6/2026  $1,010.00  $500.00\r\n")
                                  << 2;
    }
    void pfValueViewer()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, rows);
        QTemporaryDir dir;
        appState().TempPath = dir.path() + QLatin1Char('/');
        QFile f(pfValueFilePath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        TfrmTextViewerPfValue w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("View Values of: [Pf]Retire"));
        QCOMPARE(w.width(), 363);
        QCOMPARE(w.OvcTablePfValue->rowCount(), rows);
        QStringList heads;
        for (int c = 0; c < 3; ++c)
            heads << w.OvcTablePfValue->horizontalHeaderItem(c)->text();
        QCOMPARE(heads, (QStringList{"Date", "Value", "Transactions"}));
        if (rows == 2) {
            QCOMPARE(w.OvcTablePfValue->item(1, 0)->text(), QStringLiteral("1/6/2026"));
            QCOMPARE(w.OvcTablePfValue->item(1, 1)->text(), QStringLiteral("$1,010.00"));
            QCOMPARE(w.OvcTablePfValue->item(1, 2)->text(), QStringLiteral("$500.00"));
        }
        w.bbtnOK->click();
        QCOMPARE(w.result(), int(QDialog::Accepted));
        appState().reset();
    }
};

QTEST_MAIN(TestSmallDialogs)
#include "tst_smalldialogs.moc"
