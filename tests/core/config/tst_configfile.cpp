// Guards reading and writing ORV.cfg: a missing file must give the defaults on
// disk; a short, long or unreadable file must never be half-read, never be lost
// (it is kept as ORV.cfg.bad, an older .bad is not overwritten) and must give the
// user a warning; the read fix-ups (regional date format, tic colours that would
// vanish into the chart background) must apply; a write must be atomic and a
// failed write must be reported, not passed off as success.
#include <QtTest>

#include "core/config/ConfigFile.h"

using namespace orv;

namespace {
const QString kFmt = QStringLiteral("MM/dd/yyyy");
Day someDay() { return dayFromDate(QDate(2026, 12, 9)); }

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
void writeAll(const QString& path, const QByteArray& b)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(b);
}
}  // namespace

class TestConfigFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void missingFileGetsDefaults()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("ORV.cfg");
        const ConfigLoad load = ReadConfig(path, kFmt, someDay());
        QVERIFY(!load.warning);
        QVERIFY(load.wroteDefaults);
        const QByteArray onDisk = readAll(path);
        QCOMPARE(onDisk.size(), 2544);
        QCOMPARE(onDisk, ConfigRecord::defaults(someDay(), kFmt).serialize());
        QCOMPARE(load.record, ConfigRecord::defaults(someDay(), kFmt));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"ORV.cfg"});
    }

    void damagedFileIsKeptAside_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("empty") << 0;
        QTest::newRow("short") << 1000;
        QTest::newRow("one byte short") << 2543;
        QTest::newRow("one byte long") << 2545;
        QTest::newRow("much too long") << 100000;
    }
    void damagedFileIsKeptAside()
    {
        QFETCH(int, size);
        QTemporaryDir dir;
        const QString path = dir.filePath("ORV.cfg");
        QByteArray damaged(size, '\0');
        for (int i = 0; i < size; ++i)
            damaged[i] = char(i * 7);
        writeAll(path, damaged);

        const ConfigLoad load = ReadConfig(path, kFmt, someDay());
        QVERIFY(load.warning);
        QCOMPARE(load.warning->text,
                 QStringLiteral("The settings file ORV.cfg could not be read.\r\rIt was kept as ORV.cfg.bad and "
                                "default settings are used."));
        QCOMPARE(load.keptAs, dir.filePath("ORV.cfg.bad"));
        QCOMPARE(readAll(dir.filePath("ORV.cfg.bad")), damaged);
        QCOMPARE(readAll(path), ConfigRecord::defaults(someDay(), kFmt).serialize());
        // Nothing of the damaged bytes reached the record.
        QCOMPARE(load.record, ConfigRecord::defaults(someDay(), kFmt));
    }

    void unreadableFileIsKeptAside()
    {
        // A folder in the file's place cannot be read as a record.
        QTemporaryDir dir;
        const QString path = dir.filePath("ORV.cfg");
        QVERIFY(QDir().mkpath(path + "/inside"));
        const ConfigLoad load = ReadConfig(path, kFmt, someDay());
        QVERIFY(load.warning);
        QVERIFY(QFileInfo(dir.filePath("ORV.cfg.bad/inside")).isDir());
        QCOMPARE(readAll(path).size(), 2544);
    }

    void olderBadFileIsNotOverwritten()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("ORV.cfg");
        writeAll(dir.filePath("ORV.cfg.bad"), "first");
        writeAll(dir.filePath("ORV.cfg.bad1"), "second");
        writeAll(path, "third");
        const ConfigLoad load = ReadConfig(path, kFmt, someDay());
        QVERIFY(load.warning);
        QVERIFY(load.warning->text.contains("It was kept as ORV.cfg.bad2 "));
        QCOMPARE(readAll(dir.filePath("ORV.cfg.bad")), QByteArray("first"));
        QCOMPARE(readAll(dir.filePath("ORV.cfg.bad1")), QByteArray("second"));
        QCOMPARE(readAll(dir.filePath("ORV.cfg.bad2")), QByteArray("third"));
    }

    void writtenRecordReadsBack()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("ORV.cfg");
        ConfigRecord c = ConfigRecord::defaults(someDay(), kFmt);
        c.MLLastRow = 17;
        c.SelectedPortfolioShort = "Roth";
        c.raw[2530] = char(9);  // a reserved byte written by some other version
        QVERIFY(WriteConfig(path, c).ok());
        const ConfigLoad load = ReadConfig(path, kFmt, someDay());
        QVERIFY(!load.warning);
        QVERIFY(!load.wroteDefaults);
        QCOMPARE(load.record.MLLastRow, 17);
        QCOMPARE(load.record.SelectedPortfolioShort, QStringLiteral("Roth"));
        QCOMPARE(load.record.serialize().at(2530), char(9));
    }

    void writeIsAtomicAndLeavesNoTemporaryFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("ORV.cfg");
        QVERIFY(WriteDefaultConfig(path, someDay(), kFmt).ok());
        ConfigRecord c = ConfigRecord::defaults(someDay(), kFmt);
        c.ShowWelcome = false;
        QVERIFY(WriteConfig(path, c).ok());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{"ORV.cfg"});
        QCOMPARE(readAll(path).at(0), char(0));
    }

    void failedWriteIsReported()
    {
        QTemporaryDir dir;
        const Status st = WriteConfig(dir.filePath("missing-folder/ORV.cfg"), ConfigRecord{});
        QVERIFY(!st.ok());
        QVERIFY(st.message().text.startsWith("The settings file ORV.cfg could not be written"));
        // ReadConfig in a folder that cannot hold the file still gives usable defaults and a warning.
        const ConfigLoad load = ReadConfig(dir.filePath("missing-folder/ORV.cfg"), kFmt, someDay());
        QVERIFY(load.warning);
        QVERIFY(!load.wroteDefaults);
        QCOMPARE(load.record.AutoBackupMaxSets, 5);
    }

    void fixups_data()
    {
        QTest::addColumn<bool>("regional");
        QTest::addColumn<quint32>("background");
        QTest::addColumn<quint32>("buy");
        QTest::addColumn<quint32>("sell");
        QTest::addColumn<QString>("expectedFormat");
        QTest::addColumn<quint32>("expectedBuy");
        QTest::addColumn<quint32>("expectedSell");
        QTest::newRow("regional format follows the locale")
            << true << 0x000000u << 0x111111u << 0x222222u << "dd.mm.yyyy" << 0x111111u << 0x222222u;
        QTest::newRow("own format kept") << false << 0x000000u << 0x111111u << 0x222222u << "yy-mmm-d" << 0x111111u
                                         << 0x222222u;
        QTest::newRow("buy tic on background reset to lime")
            << true << 0x00FF00u << 0x00FF00u << 0x222222u << "dd.mm.yyyy" << 0x00FF00u << 0x222222u;
        QTest::newRow("buy tic equal to white background")
            << true << 0xFFFFFFu << 0xFFFFFFu << 0x222222u << "dd.mm.yyyy" << 0x00FF00u << 0x222222u;
        QTest::newRow("sell tic equal to background reset to red")
            << true << 0x333333u << 0x111111u << 0x333333u << "dd.mm.yyyy" << 0x111111u << 0x0000FFu;
        QTest::newRow("both on background")
            << true << 0x333333u << 0x333333u << 0x333333u << "dd.mm.yyyy" << 0x00FF00u << 0x0000FFu;
    }
    void fixups()
    {
        QFETCH(bool, regional);
        QFETCH(quint32, background);
        QFETCH(quint32, buy);
        QFETCH(quint32, sell);
        QFETCH(QString, expectedFormat);
        QFETCH(quint32, expectedBuy);
        QFETCH(quint32, expectedSell);
        QTemporaryDir dir;
        const QString path = dir.filePath("ORV.cfg");
        ConfigRecord c = ConfigRecord::defaults(someDay(), kFmt);
        c.GraphDateFormatRegional = regional;
        c.GraphDateFormat = "yy-mmm-d";
        c.GraphOptions.BackWallColor = background;
        c.GraphOptions.BuyTicColor = buy;
        c.GraphOptions.SellTicColor = sell;
        c.GraphOptionsDefault.BuyTicColor = 0x444444;
        c.GraphOptionsDefault.SellTicColor = 0x555555;
        QVERIFY(WriteConfig(path, c).ok());
        const ConfigLoad load = ReadConfig(path, QStringLiteral("dd.MM.yyyy"), someDay());
        QCOMPARE(load.record.GraphDateFormat, expectedFormat);
        QCOMPARE(load.record.GraphOptions.BuyTicColor, expectedBuy);
        QCOMPARE(load.record.GraphOptions.SellTicColor, expectedSell);
        QCOMPARE(load.record.GraphOptionsDefault.BuyTicColor, 0x00FF00u);
        QCOMPARE(load.record.GraphOptionsDefault.SellTicColor, 0x0000FFu);
    }
};

QTEST_GUILESS_MAIN(TestConfigFile)
#include "tst_configfile.moc"
