// Guards the captions every message dialog takes from its type: a wrong caption
// would tell the user an error is only a warning.
#include <QtTest>
#include "core/base/Message.h"

using namespace orv;

class TestMessage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void caption_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("caption");
        QTest::newRow("warning") << 0 << "Warning";
        QTest::newRow("error") << 1 << "Error";
        QTest::newRow("information") << 2 << "Information";
        QTest::newRow("confirmation") << 3 << "Confirmation";
        QTest::newRow("custom shows the application title") << 4 << "ORV";
    }
    void caption()
    {
        QFETCH(int, type);
        QFETCH(QString, caption);
        QCOMPARE(msgCaption(static_cast<MsgType>(type)), caption);
    }
    void buttonSetsAndResults()
    {
        QCOMPARE(Btn::YesNo, 3);
        QCOMPARE(Btn::OKCancel, 12);
        QCOMPARE(Btn::YesNoAll, 131);
        Result<int> r(Message::error(QStringLiteral("x")));
        QVERIFY(!r.ok());
        QVERIFY(r.message().beep);
        QCOMPARE(Result<int>(5).value(), 5);
    }
};

QTEST_GUILESS_MAIN(TestMessage)
#include "tst_message.moc"
