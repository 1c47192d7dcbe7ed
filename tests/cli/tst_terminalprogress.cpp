// Guards the terminal progress bar of orvane-cli: it must write nothing when
// its stream is not a terminal (so piped output and logs stay clean), draw the
// bar and percentage in place with "\r", redraw only when the percentage or
// status changes (not once per record of a long pass), never pass 100%, and
// end its line when finished.
#include <QtTest>
#include <cstdio>

// The adapter lives in the orvane-cli sources; the test builds it in.
#include "cli/TerminalProgress.cpp"

using orv::cli::TerminalProgress;

namespace {
QByteArray readAll(std::FILE* f)
{
    std::fflush(f);
    std::rewind(f);
    QByteArray out;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        out.append(buf, qsizetype(n));
    return out;
}
}  // namespace

class TestTerminalProgress : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void line_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<QString>("expected");
        QTest::newRow("start") << "Rebuilding" << 0 << 10 << "Rebuilding [..........]   0%";
        QTest::newRow("half") << "" << 5 << 10 << "[#####.....]  50%";
        QTest::newRow("past the end") << "x" << 15 << 10 << "x [##########] 100%";
        QTest::newRow("no range") << "x" << 3 << 0 << "x [..........]   0%";
    }
    void line()
    {
        QFETCH(QString, status);
        QFETCH(int, value);
        QFETCH(int, maximum);
        QFETCH(QString, expected);
        QCOMPARE(TerminalProgress::line(status, value, maximum, 10), expected);
    }

    void quietWhenNotATerminal()
    {
        std::FILE* f = std::tmpfile();
        {
            TerminalProgress p(f);  // a file is not a terminal
            p.setRange(100);
            p.setStatus(QStringLiteral("Working"));
            for (int i = 0; i < 100; ++i)
                p.step();
        }
        QVERIFY(readAll(f).isEmpty());
        std::fclose(f);
    }

    void drawsOnlyOnChange()
    {
        std::FILE* f = std::tmpfile();
        {
            TerminalProgress p(f, 1);
            p.setRange(1000);
            for (int i = 0; i < 1000; ++i)
                p.step();
            QVERIFY(!p.cancelled());
        }
        const QByteArray out = readAll(f);
        std::fclose(f);
        // One draw for the range, then one per percent: 101, not 1000.
        QCOMPARE(out.count('\r'), 101);
        QVERIFY(out.contains("100%"));
        QVERIFY(out.endsWith('\n'));
        QCOMPARE(out.count('\n'), 1);
    }
};

QTEST_GUILESS_MAIN(TestTerminalProgress)
#include "tst_terminalprogress.moc"
