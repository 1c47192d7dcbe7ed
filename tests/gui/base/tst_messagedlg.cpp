// Guards the one message dialog every window uses: its caption by type, the
// button set and the results it returns, its centring on the active window,
// and the sink
// that lets tests answer messages without a modal box.
#include <QtTest>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "gui/base/MessageDlg.h"

using namespace orv;

class TestMessageDlg : public QObject {
    Q_OBJECT
private:
    // Answers the next modal message box by clicking the button with the given text.
    void clickLater(const QString& buttonText, QString* caption = nullptr, QPoint* pos = nullptr,
                    QSize* size = nullptr)
    {
        QTimer::singleShot(50, this, [=] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            if (caption) *caption = box->windowTitle();
            if (pos) *pos = box->pos();
            if (size) *size = box->size();
            for (QAbstractButton* b : box->buttons()) {
                if (b->text().remove(QLatin1Char('&')) == buttonText) {
                    b->click();
                    return;
                }
            }
            QFAIL(qPrintable(QStringLiteral("no button ") + buttonText));
        });
    }

private Q_SLOTS:
    void resultsOfRealBox_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QString>("click");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("result");
        QTest::newRow("error OK") << 1 << Btn::OK << "OK" << "Error" << MR::OK;
        QTest::newRow("confirmation no") << 3 << Btn::YesNo << "No" << "Confirmation" << MR::No;
        QTest::newRow("warning cancel") << 0 << Btn::OKCancel << "Cancel" << "Warning" << MR::Cancel;
        QTest::newRow("yes no all: all") << 3 << Btn::YesNoAll << "All" << "Confirmation" << MR::All;
        QTest::newRow("custom shows title") << 4 << Btn::OK << "OK" << "ORV" << MR::OK;
    }
    void resultsOfRealBox()
    {
        QFETCH(int, type);
        QFETCH(int, buttons);
        QFETCH(QString, click);
        QFETCH(QString, caption);
        QFETCH(int, result);
        QString seen;
        clickLater(click, &seen);
        QCOMPARE(MessageDlgCtr(QStringLiteral("Statement.\r\rTry again."), static_cast<MsgType>(type), buttons), result);
        QCOMPARE(seen, caption);
    }

    void centredOnActiveWindow()
    {
        QWidget w;
        w.setGeometry(200, 150, 700, 500);
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QPoint pos;
        QSize size;
        clickLater(QStringLiteral("OK"), nullptr, &pos, &size);
        MessageDlgCtr(QStringLiteral("Centred?"), MsgType::Information, Btn::OK);
        const QRect frame = w.frameGeometry();
        QVERIFY2(qAbs(pos.x() - (frame.left() + (frame.width() - size.width()) / 2)) <= 2,
                 qPrintable(QStringLiteral("x=%1").arg(pos.x())));
        QVERIFY(qAbs(pos.y() - (frame.top() + (frame.height() - size.height()) / 2)) <= 2);
    }

    void sinkRecordsAndAnswers()
    {
        RecordingMessageSink sink;
        sink.answers << MR::No;
        QCOMPARE(MessageDlgCtr(QStringLiteral("First?"), MsgType::Confirmation, Btn::YesNo), MR::No);
        // With no answer queued the sink takes the first of OK, Yes, Cancel, No.
        QCOMPARE(MessageDlgCtr(Message::error(QStringLiteral("Bad."))), MR::OK);
        QCOMPARE(MessageDlgCtr(QStringLiteral("Sure?"), MsgType::Warning, Btn::OKCancel), MR::OK);
        QCOMPARE(sink.texts(), (QStringList{"First?", "Bad.", "Sure?"}));
        QCOMPARE(sink.shown[1].type, MsgType::Error);
        QCOMPARE(sink.shown[2].buttons, Btn::OKCancel);
    }
};

QTEST_MAIN(TestMessageDlg)
#include "tst_messagedlg.moc"
