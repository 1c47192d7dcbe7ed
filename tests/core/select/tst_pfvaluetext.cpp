// Guards the reading of PfValue.TXT for its viewer: rows split at the double
// blanks into date, value and transactions (single blanks inside a cell stay),
// cells cut to 20 characters, the caption from the first line, a file with
// only its first line giving no rows, Windows line ends, and a missing file.
#include <QtTest>
#include <QTemporaryDir>

#include "core/select/PfValueText.h"

using namespace orv;

class TestPfValueText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void splitLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("cells");
        QTest::newRow("three cells") << "03/02/2026  $1,234.56  $100.00" << QStringList{"03/02/2026", "$1,234.56", "$100.00"};
        QTest::newRow("single blanks stay") << "03/02/2026  $1 234  Buy 3 shares" << QStringList{"03/02/2026", "$1 234", "Buy 3 shares"};
        QTest::newRow("rest keeps later doubles") << "d  v  t1  t2" << QStringList{"d", "v", "t1  t2"};
        QTest::newRow("two cells") << "d  v" << QStringList{"d", "v", ""};
        QTest::newRow("one cell") << "just text" << QStringList{"just text", "", ""};
        QTest::newRow("empty value") << "d    t" << QStringList{"d", "", "t"};
        QTest::newRow("cut to 20") << "123456789012345678901234  v  abcdefghijklmnopqrstuvwxyz"
                                   << QStringList{"12345678901234567890", "v", "abcdefghijklmnopqrst"};
    }
    void splitLine()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, cells);
        const PfValueRow row = splitPfValueLine(line);
        QCOMPARE((QStringList{row[0], row[1], row[2]}), cells);
    }

    void wholeFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("rows");
        QTest::newRow("only the first line") << QByteArray("[Pf]Main\r\n") << "View Values of: [Pf]Main" << 0;
        QTest::newRow("first line without end") << QByteArray("[Pf]Main") << "View Values of: [Pf]Main" << 0;
        QTest::newRow("rows, CRLF") << QByteArray("[Pf]Multiple0002\r\n01/05/2026  $1.00  $0.00\r\n01/06/2026  $2.00  $0.00\r\n")
                                    << "View Values of: [Pf]Multiple0002" << 2;
        QTest::newRow("empty file") << QByteArray() << "View Values of: " << 0;
    }
    void wholeFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, caption);
        QFETCH(int, rows);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("PfValue.TXT"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        auto t = readPfValueFile(path);
        QVERIFY(t);
        QCOMPARE(t->caption(), caption);
        QCOMPARE(int(t->rows.size()), rows);
        if (rows > 0)
            QCOMPARE(t->rows[1][1], QStringLiteral("$2.00"));
        QVERIFY(!readPfValueFile(dir.filePath(QStringLiteral("missing.TXT"))));
    }
};

QTEST_GUILESS_MAIN(TestPfValueText)
#include "tst_pfvaluetext.moc"
