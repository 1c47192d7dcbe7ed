// Guards the shared string, path, file-copy, version and colour helpers:
// off-by-one positions in PosFrom, ReplaceAll looping forever when the new text
// contains the old one, RemoveBackslash stripping the root "/", an empty path
// turning into the root, a failed copy destroying the existing target, a
// folder or a missing target folder counted as a copied file, and RGB/HSL
// conversions that do not round-trip or mis-scale (closed-account colours).
#include <QtTest>

#include "OrvVersion.h"
#include "core/base/TBXSubs.h"

#include <cmath>

using namespace orv;

namespace {

void writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
    f.write(data);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll();
}

}  // namespace

class TestTBXSubs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // ---- strings ----
    void posFrom_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("sub");
        QTest::addColumn<QString>("s");
        QTest::addColumn<int>("expected");
        QTest::newRow("start 0 gives 0 even when present") << 0 << "a" << "a?a" << 0;
        QTest::newRow("negative start") << -3 << "a" << "a?a" << 0;
        QTest::newRow("from 1 finds the first") << 1 << "a" << "a?a" << 1;
        QTest::newRow("from 2 skips the first, finds 3") << 2 << "a" << "a?a" << 3;
        QTest::newRow("start at the last character") << 3 << "a" << "a?a" << 3;
        QTest::newRow("start beyond the length") << 4 << "a" << "a?a" << 0;
        QTest::newRow("not found") << 1 << "z" << "a?a" << 0;
        QTest::newRow("longer text found past start") << 2 << "ab" << "abxab" << 4;
        QTest::newRow("text running past the end") << 4 << "abc" << "abxab" << 0;
        QTest::newRow("empty text to find") << 1 << "" << "abc" << 0;
        QTest::newRow("empty string") << 1 << "a" << "" << 0;
    }
    void posFrom()
    {
        QFETCH(int, start);
        QFETCH(QString, sub);
        QFETCH(QString, s);
        QFETCH(int, expected);
        QCOMPARE(PosFrom(start, sub, s), expected);
    }

    void makeStringAndReplaceChar()
    {
        QCOMPARE(MakeString(3, QLatin1Char('-')), QStringLiteral("---"));
        QCOMPARE(MakeString(0, QLatin1Char('-')), QString());
        QCOMPARE(MakeString(-2, QLatin1Char('-')), QString());
        QString heading = QStringLiteral("Growth~Funds~");
        ReplaceChar(heading, QLatin1Char('~'), QLatin1Char('\r'));
        QCOMPARE(heading, QStringLiteral("Growth\rFunds\r"));
    }

    void replaceAll_data()
    {
        QTest::addColumn<QString>("s");
        QTest::addColumn<QString>("oldText");
        QTest::addColumn<QString>("newText");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two ampersands become four") << "&&" << "&" << "&&" << "&&&&";
        QTest::newRow("new text contains old, longer") << "aXa" << "a" << "aaa" << "aaaXaaa";
        QTest::newRow("removal") << "a--b--" << "--" << "" << "ab";
        QTest::newRow("non-overlapping left to right") << "aaa" << "aa" << "b" << "ba";
        QTest::newRow("not present") << "abc" << "x" << "y" << "abc";
        QTest::newRow("empty old changes nothing") << "abc" << "" << "y" << "abc";
        QTest::newRow("whole string") << "abc" << "abc" << "z" << "z";
    }
    void replaceAll()
    {
        QFETCH(QString, s);
        QFETCH(QString, oldText);
        QFETCH(QString, newText);
        QFETCH(QString, expected);
        ReplaceAll(s, oldText, newText);
        QCOMPARE(s, expected);
    }

    void doubleAmpersands_data()
    {
        QTest::addColumn<QString>("s");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two in a row") << "&&" << "&&&&";
        QTest::newRow("name") << "R&D & Co" << "R&&D && Co";
        QTest::newRow("at the end") << "AT&" << "AT&&";
        QTest::newRow("none") << "Plain" << "Plain";
        QTest::newRow("empty") << "" << "";
    }
    void doubleAmpersands()
    {
        QFETCH(QString, s);
        QFETCH(QString, expected);
        QCOMPARE(DoubleAmpersands(s), expected);
    }

    void rightOverlay_data()
    {
        QTest::addColumn<QString>("src");
        QTest::addColumn<QString>("dest");
        QTest::addColumn<QString>("expected");
        QTest::newRow("shorter source is right-aligned") << "12" << "abcdef" << "abcd12";
        QTest::newRow("same length replaces all") << "123" << "abc" << "123";
        QTest::newRow("longer source keeps its last characters") << "123456" << "abc" << "456";
        QTest::newRow("empty source") << "" << "abc" << "abc";
        QTest::newRow("empty destination stays empty") << "123" << "" << "";
    }
    void rightOverlay()
    {
        QFETCH(QString, src);
        QFETCH(QString, dest);
        QFETCH(QString, expected);
        QCOMPARE(RightOverlay(src, dest), expected);
    }

    // ---- paths ----
    void addBackslash_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("appended") << "/home/u/data" << "/home/u/data/";
        QTest::newRow("already there") << "/home/u/data/" << "/home/u/data/";
        QTest::newRow("trimmed first") << "  /home/u/data  " << "/home/u/data/";
        QTest::newRow("trimmed, already there") << " /data/ " << "/data/";
        QTest::newRow("root") << "/" << "/";
        QTest::newRow("relative") << "data" << "data/";
        QTest::newRow("empty does not become the root") << "" << "";
        QTest::newRow("blank does not become the root") << "   " << "";
    }
    void addBackslash()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(AddBackslash(path), expected);
    }

    void removeBackslash_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("root keeps its separator") << "/" << "/";
        QTest::newRow("top folder") << "/data/" << "/data";
        QTest::newRow("deeper folder") << "/home/u/data/" << "/home/u/data";
        QTest::newRow("no separator") << "/home/u/data" << "/home/u/data";
        QTest::newRow("short relative") << "a/" << "a";
        QTest::newRow("only one dropped") << "/data//" << "/data/";
        QTest::newRow("empty") << "" << "";
    }
    void removeBackslash()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(RemoveBackslash(path), expected);
    }

    // ---- files ----
    void countAndDeleteFiles()
    {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QString d = tmp.path();
        writeFile(d + "/a.txt", "a");
        writeFile(d + "/b.txt", "b");
        writeFile(d + "/.hidden.txt", "h");
        writeFile(d + "/c.dat", "c");
        writeFile(d + "/B.TXT", "upper");
        QVERIFY(QDir(d).mkdir("folder.txt"));  // a folder never counts as a file
        writeFile(d + "/folder.txt/inner.txt", "i");

        QCOMPARE(CountFiles(d + "/*.txt"), 3);
        QCOMPARE(CountFiles(d + "/?.txt"), 2);
        QCOMPARE(CountFiles(d + "/*"), 5);
        QCOMPARE(CountFiles(d + "/*.none"), 0);
        QCOMPARE(CountFiles(d + "/missing/*.txt"), 0);
        QCOMPARE(CountFiles(d + "/"), 0);

        int deleted = -1;
        QVERIFY(DeleteFiles(d + "/*.txt", &deleted));
        QCOMPARE(deleted, 3);
        QVERIFY(!QFile::exists(d + "/a.txt"));
        QVERIFY(!QFile::exists(d + "/.hidden.txt"));
        QVERIFY(QFile::exists(d + "/c.dat"));
        QVERIFY(QFile::exists(d + "/B.TXT"));
        QVERIFY(QFile::exists(d + "/folder.txt/inner.txt"));

        QVERIFY(DeleteFiles(d + "/*.none", &deleted));  // nothing to delete is no failure
        QCOMPARE(deleted, 0);
    }

    void copyOneFile()
    {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QString d = tmp.path();
        writeFile(d + "/src.db", "new contents");
        writeFile(d + "/dst.db", "old contents that are longer");
        const QDateTime stamp = QDateTime(QDate(2020, 5, 6), QTime(7, 8, 9), Qt::UTC);
        {
            QFile f(d + "/src.db");
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(stamp, QFileDevice::FileModificationTime));
        }

        QVERIFY(CopyOneFile(d + "/src.db", d + "/dst.db"));
        QCOMPARE(readFile(d + "/dst.db"), QByteArray("new contents"));
        QCOMPARE(QFileInfo(d + "/dst.db").lastModified().toUTC(), stamp);

        QVERIFY(CopyOneFile(d + "/src.db", d + "/fresh.db"));
        QCOMPARE(readFile(d + "/fresh.db"), QByteArray("new contents"));

        // Copying a file onto itself keeps it intact.
        QVERIFY(CopyOneFile(d + "/src.db", d + "/src.db"));
        QCOMPARE(readFile(d + "/src.db"), QByteArray("new contents"));

        // A missing source fails and leaves the target alone.
        writeFile(d + "/keep.db", "keep");
        QVERIFY(!CopyOneFile(d + "/nothing.db", d + "/keep.db"));
        QCOMPARE(readFile(d + "/keep.db"), QByteArray("keep"));
        // A folder is no source; a missing target folder fails.
        QVERIFY(!CopyOneFile(d, d + "/x.db"));
        QVERIFY(!CopyOneFile(d + "/src.db", d + "/no/such/dir/x.db"));
        // A folder in the target's place is not replaced.
        QVERIFY(QDir(d).mkdir("occupied"));
        QVERIFY(!CopyOneFile(d + "/src.db", d + "/occupied"));
        QVERIFY(QFileInfo(d + "/occupied").isDir());
    }

    void copyFiles_data()
    {
        QTest::addColumn<bool>("trailingSeparator");
        QTest::newRow("target folder ends in /") << true;
        QTest::newRow("target folder without /") << false;
    }
    void copyFiles()
    {
        QFETCH(bool, trailingSeparator);
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QString d = tmp.path();
        QVERIFY(QDir(d).mkdir("from"));
        QVERIFY(QDir(d).mkdir("to"));
        writeFile(d + "/from/prices.db", "p");
        writeFile(d + "/from/dsbs.db", "d");
        writeFile(d + "/from/notes.txt", "n");
        QVERIFY(QDir(d).mkdir("from/sub.db"));
        writeFile(d + "/to/prices.db", "stale");

        int copied = -1;
        const QString target = d + (trailingSeparator ? "/to/" : "/to");
        QVERIFY(CopyFiles(d + "/from/*.db", target, &copied));
        QCOMPARE(copied, 2);
        QCOMPARE(readFile(d + "/to/prices.db"), QByteArray("p"));
        QCOMPARE(readFile(d + "/to/dsbs.db"), QByteArray("d"));
        QVERIFY(!QFile::exists(d + "/to/notes.txt"));
        QVERIFY(!QFileInfo::exists(d + "/to/sub.db"));

        QVERIFY(!CopyFiles(d + "/from/*.db", d + "/missing/", &copied));
        QCOMPARE(copied, 0);
        QVERIFY(!QFileInfo::exists(d + "/missing"));
        QVERIFY(!CopyFiles(d + "/from/*.db", QString(), &copied));
    }

    // ---- version ----
    void fileVersion()
    {
        QString major, minor, release, build;
        GetFileVersion(major, minor, release, build);
        QCOMPARE(major, QString::number(ORV_VERSION_MAJOR));
        QCOMPARE(minor, QString::number(ORV_VERSION_MINOR));
        QCOMPARE(release, QString::number(ORV_VERSION_RELEASE));
        QCOMPARE(build, QString::number(ORV_VERSION_BUILD));
        QCOMPARE(versionString(), QStringLiteral(ORV_VERSION_STRING));
        QVERIFY(!releaseDate().isEmpty());
    }

    // ---- numbers and colours ----
    void sign_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("expected");
        QTest::newRow("negative") << -3.5 << -1;
        QTest::newRow("tiny negative") << -1e-300 << -1;
        QTest::newRow("zero") << 0.0 << 0;
        QTest::newRow("negative zero") << -0.0 << 0;
        QTest::newRow("positive") << 42.0 << 1;
        QTest::newRow("not a number") << std::nan("") << 0;
    }
    void sign()
    {
        QFETCH(double, x);
        QFETCH(int, expected);
        QCOMPARE(Sign(x), expected);
    }

    void colourParts()
    {
        const quint32 c = rgbColor(0x12, 0x34, 0x56);
        QCOMPARE(c, 0x563412u);  // red in the low byte
        QCOMPARE(redOf(c), 0x12);
        QCOMPARE(greenOf(c), 0x34);
        QCOMPARE(blueOf(c), 0x56);
        QVERIFY(!isSystemColor(c));
        QVERIFY(!isSystemColor(0x00FFFFFFu));  // white is a plain colour
        QVERIFY(isSystemColor(0xFF00000Fu));
        QCOMPARE(systemColorIndex(0xFF00000Fu), 15);
        QCOMPARE(systemColor(15), 0xFF00000Fu);
    }

    void rgbToHsl_data()
    {
        QTest::addColumn<quint32>("colour");
        QTest::addColumn<double>("h");
        QTest::addColumn<double>("s");
        QTest::addColumn<double>("l");
        QTest::newRow("red") << rgbColor(255, 0, 0) << 0.0 << 1.0 << 0.5;
        QTest::newRow("green") << rgbColor(0, 255, 0) << 1.0 / 3 << 1.0 << 0.5;
        QTest::newRow("blue") << rgbColor(0, 0, 255) << 2.0 / 3 << 1.0 << 0.5;
        QTest::newRow("aqua") << rgbColor(0, 255, 255) << 0.5 << 1.0 << 0.5;
        QTest::newRow("magenta, hue wraps below 1") << rgbColor(255, 0, 255) << 5.0 / 6 << 1.0 << 0.5;
        QTest::newRow("light pink, l above half") << rgbColor(255, 128, 128) << 0.0 << 1.0 << (255 + 128) / 510.0;
        QTest::newRow("dark olive") << rgbColor(128, 128, 0) << 1.0 / 6 << 1.0 << 128 / 510.0;
        QTest::newRow("grey has hue 0") << rgbColor(128, 128, 128) << 0.0 << 0.0 << 128 / 255.0;
        QTest::newRow("white") << rgbColor(255, 255, 255) << 0.0 << 0.0 << 1.0;
        QTest::newRow("black") << rgbColor(0, 0, 0) << 0.0 << 0.0 << 0.0;
        QTest::newRow("system flag ignored") << (0xFF000000u | rgbColor(255, 0, 0)) << 0.0 << 1.0 << 0.5;
    }
    void rgbToHsl()
    {
        QFETCH(quint32, colour);
        QFETCH(double, h);
        QFETCH(double, s);
        QFETCH(double, l);
        double hh = -1, ss = -1, ll = -1;
        RGBToHSL(colour, hh, ss, ll);
        QVERIFY2(std::fabs(hh - h) < 1e-9, qPrintable(QString::number(hh)));
        QVERIFY2(std::fabs(ss - s) < 1e-9, qPrintable(QString::number(ss)));
        QVERIFY2(std::fabs(ll - l) < 1e-9, qPrintable(QString::number(ll)));
    }

    void hslToRgb_data()
    {
        QTest::addColumn<double>("h");
        QTest::addColumn<double>("s");
        QTest::addColumn<double>("l");
        QTest::addColumn<quint32>("expected");
        QTest::newRow("grey rounds l*255 half up") << 0.7 << 0.0 << 0.5 << rgbColor(128, 128, 128);
        QTest::newRow("grey ignores hue") << 0.3 << 0.0 << 0.2 << rgbColor(51, 51, 51);
        QTest::newRow("red") << 0.0 << 1.0 << 0.5 << rgbColor(255, 0, 0);
        QTest::newRow("hue 1 is red again") << 1.0 << 1.0 << 0.5 << rgbColor(255, 0, 0);
        QTest::newRow("aqua") << 0.5 << 1.0 << 0.5 << rgbColor(0, 255, 255);
        QTest::newRow("half-saturated aqua") << 0.5 << 0.5 << 0.5 << rgbColor(64, 191, 191);
        QTest::newRow("saturation above 1 is clamped") << 0.0 << 3.0 << 0.5 << rgbColor(255, 0, 0);
        QTest::newRow("lightness above 1 is white") << 0.2 << 1.0 << 1.5 << rgbColor(255, 255, 255);
    }
    void hslToRgb()
    {
        QFETCH(double, h);
        QFETCH(double, s);
        QFETCH(double, l);
        QFETCH(quint32, expected);
        QCOMPARE(HSLToRGB(h, s, l), expected);
    }

    void hslRoundTripsEveryColourOfAGrid()
    {
        for (int r = 0; r <= 255; r += 15)
            for (int g = 0; g <= 255; g += 15)
                for (int b = 0; b <= 255; b += 15) {
                    const quint32 c = rgbColor(r, g, b);
                    double h, s, l;
                    RGBToHSL(c, h, s, l);
                    QVERIFY2(h >= 0 && h < 1 && s >= 0 && s <= 1 && l >= 0 && l <= 1,
                             qPrintable(QStringLiteral("%1,%2,%3").arg(r).arg(g).arg(b)));
                    QVERIFY2(HSLToRGB(h, s, l) == c, qPrintable(QStringLiteral("%1,%2,%3").arg(r).arg(g).arg(b)));
                }
    }

    void scaled()
    {
        // Aqua at scale 240: hue 0.5 of 239 rounds to 120, saturation and
        // lightness full and half of 240.
        int h = -1, s = -1, l = -1;
        RGBToHSLScaled(rgbColor(0, 255, 255), 240, h, s, l);
        QCOMPARE(h, 120);
        QCOMPARE(s, 240);
        QCOMPARE(l, 120);
        // Halving the saturation (as for closed accounts): the hue is divided
        // by 239, so it comes back a little past 0.5 and green drops to 190.
        QCOMPARE(HSLToRGBScaled(240, h, s / 2, l), rgbColor(64, 190, 191));
        QCOMPARE(HSLToRGBScaled(240, h, s, l), rgbColor(0, 252, 255));

        RGBToHSLScaled(rgbColor(255, 0, 0), 240, h, s, l);
        QCOMPARE(h, 0);
        QCOMPARE(s, 240);
        QCOMPARE(l, 120);
        QCOMPARE(HSLToRGBScaled(240, h, s, l), rgbColor(255, 0, 0));
        RGBToHSLScaled(rgbColor(255, 255, 255), 240, h, s, l);
        QCOMPARE(l, 240);
        QCOMPARE(HSLToRGBScaled(240, 0, 0, 240), rgbColor(255, 255, 255));

        // Degenerate scales do not divide by zero.
        QCOMPARE(HSLToRGBScaled(1, 5, 1, 1), rgbColor(255, 255, 255));
        QCOMPARE(HSLToRGBScaled(0, 5, 5, 5), rgbColor(0, 0, 0));
    }
};

QTEST_GUILESS_MAIN(TestTBXSubs)
#include "tst_tbxsubs.moc"
