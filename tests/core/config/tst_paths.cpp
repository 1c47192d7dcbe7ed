// Guards the folders and the first start: a wrong folder value or a missing
// trailing separator sends files to the wrong place; ORV_USER_PATH must keep the
// program (and these tests) out of the real Documents folder; ORVAlias.TXT must
// read back what was written; the first start must copy example data or migrate an
// older installation without ever overwriting a file already in the target.
#include <QtTest>

#include "core/config/Paths.h"

using namespace orv;

namespace {
void writeAll(const QString& path, const QByteArray& b)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(b);
}
QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}
}  // namespace

class TestPaths : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void separators_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("with");
        QTest::addColumn<QString>("without");
        QTest::newRow("bare") << "/a/b" << "/a/b/" << "/a/b";
        QTest::newRow("trailing") << "/a/b/" << "/a/b/" << "/a/b";
        QTest::newRow("doubled") << "/a/b//" << "/a/b/" << "/a/b";
        QTest::newRow("root") << "/" << "/" << "/";
        QTest::newRow("empty") << "" << "" << "";
    }
    void separators()
    {
        QFETCH(QString, in);
        QFETCH(QString, with);
        QFETCH(QString, without);
        QCOMPARE(withTrailingSeparator(in), with);
        QCOMPARE(withoutTrailingSeparator(in), without);
    }

    void userPathFollowsEnvironment()
    {
        const QByteArray saved = qgetenv("ORV_USER_PATH");
        qputenv("ORV_USER_PATH", "/tmp/some/orv");
        QCOMPARE(defaultUserPath(), QStringLiteral("/tmp/some/orv/"));
        qunsetenv("ORV_USER_PATH");
        QVERIFY(defaultUserPath().endsWith("/Quorrin Software/ORV/"));
        if (!saved.isNull())
            qputenv("ORV_USER_PATH", saved);
    }

    void foldersAndCreation()
    {
        QTemporaryDir tmp;
        const Folders f = buildFolders(tmp.filePath("prog"), tmp.filePath("docs/Quorrin Software/ORV"));
        QCOMPARE(f.ProgramPath, tmp.filePath("prog/"));
        QCOMPARE(f.UserPath, tmp.filePath("docs/Quorrin Software/ORV/"));
        QCOMPARE(f.DataPath, f.UserPath + "DataTables/");
        QCOMPARE(f.BackupPath, f.UserPath + "DataTables/Backup/");
        QCOMPARE(f.TempPath, f.UserPath + "Temp/");
        QCOMPARE(f.HelpPath, f.UserPath + "Help/");
        QVERIFY(createUserFolders(f).ok());
        for (const char* d : {"DataTables", "DataTables/Backup", "Help", "Temp"})
            QVERIFY2(QFileInfo(f.UserPath + d).isDir(), d);

        Folders g = f;
        setDataPath(g, "/data/elsewhere");
        QCOMPARE(g.DataPath, QStringLiteral("/data/elsewhere/"));
        QCOMPARE(g.BackupPath, QStringLiteral("/data/elsewhere/Backup/"));

        // A file where a folder must go is reported.
        writeAll(tmp.filePath("blocked"), "x");
        const Status st = createUserFolders(buildFolders(tmp.path(), tmp.filePath("blocked")));
        QVERIFY(!st.ok());
        QVERIFY(st.message().text.startsWith("The folder "));
    }

    void aliasFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("alias");
        QTest::addColumn<QString>("path");
        QTest::newRow("plain") << QByteArray("ORVData;/home/u/data\n") << "ORVData" << "/home/u/data";
        QTest::newRow("windows line end") << QByteArray("ORVData;/d\r\n") << "ORVData" << "/d";
        QTest::newRow("no line end") << QByteArray("X;/d") << "X" << "/d";
        QTest::newRow("semicolon in path") << QByteArray("ORVData;/a;b\n") << "ORVData" << "/a;b";
        QTest::newRow("no semicolon") << QByteArray("ORVData\n") << "ORVData" << "";
        QTest::newRow("latin-1 from an older installation") << QByteArray("ORVData;/d/Caf\xe9\n") << "ORVData"
                                                            << "/d/Caf\u00e9";
        QTest::newRow("utf-8") << QByteArray("ORVData;/d/Caf\xc3\xa9\n") << "ORVData" << "/d/Caf\u00e9";
        QTest::newRow("only first line") << QByteArray("A;/one\nB;/two\n") << "A" << "/one";
    }
    void aliasFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, alias);
        QFETCH(QString, path);
        QTemporaryDir tmp;
        writeAll(tmp.filePath("ORVAlias.TXT"), content);
        const auto a = readAliasFile(tmp.filePath("ORVAlias.TXT"));
        QVERIFY(a);
        QCOMPARE(a->aliasName, alias);
        QCOMPARE(a->dataPath, path);
    }

    void aliasFileWrite()
    {
        QTemporaryDir tmp;
        const QString file = tmp.filePath("ORVAlias.TXT");
        QVERIFY(!readAliasFile(file));
        QVERIFY(writeAliasFile(file, "ORVData", "/data/Mine/").ok());
        QCOMPARE(readAll(file), QByteArray("ORVData;/data/Mine\n"));
        QCOMPARE(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"ORVAlias.TXT"});
        QVERIFY(!writeAliasFile(tmp.filePath("no/such/ORVAlias.TXT"), "ORVData", "/x").ok());
    }

    void firstStartCopiesExampleData()
    {
        QTemporaryDir tmp;
        const Folders f = buildFolders(tmp.filePath("prog"), tmp.filePath("user"));
        writeAll(f.ProgramPath + "Example Data/MasterList.FF2", "example ML");
        writeAll(f.ProgramPath + "Example Data/Prices.FF2", "example prices");
        writeAll(f.ProgramPath + "Example Data/readme.txt", "not a table");
        QVERIFY(createUserFolders(f).ok());
        // The user already has a Prices table: it must stay.
        writeAll(f.UserPath + "DataTables/Prices.FF2", "user prices");

        const auto r = FirstStart(f);
        QVERIFY(r.ok());
        QVERIFY(r->ran);
        QVERIFY(!r->migrated);
        QCOMPARE(readAll(f.UserPath + "DataTables/MasterList.FF2"), QByteArray("example ML"));
        QCOMPARE(readAll(f.UserPath + "DataTables/Prices.FF2"), QByteArray("user prices"));
        QVERIFY(!QFileInfo::exists(f.UserPath + "DataTables/readme.txt"));
        QCOMPARE(r->skipped, QStringList{f.UserPath + "DataTables/Prices.FF2"});
        QVERIFY(QFileInfo(f.UserPath + "DataTables/MasterList.FF2").isWritable());
        const auto alias = readAliasFile(f.UserPath + "ORVAlias.TXT");
        QVERIFY(alias);
        QCOMPARE(alias->aliasName, QStringLiteral("ORVData"));
        QCOMPARE(alias->dataPath, f.UserPath + "DataTables");

        // Once ORVAlias.TXT exists nothing is copied again.
        QFile::remove(f.UserPath + "DataTables/MasterList.FF2");
        const auto again = FirstStart(f);
        QVERIFY(again.ok());
        QVERIFY(!again->ran);
        QVERIFY(!QFileInfo::exists(f.UserPath + "DataTables/MasterList.FF2"));
    }

    void firstStartMigratesOlderInstallation()
    {
        QTemporaryDir tmp;
        const Folders f = buildFolders(tmp.filePath("prog"), tmp.filePath("user"));
        const QString oldData = tmp.filePath("olddata");
        writeAll(f.ProgramPath + "ORVAlias.TXT", ("ORVData;" + oldData + "\r\n").toUtf8());
        writeAll(oldData + "/MasterList.FF2", "old ML");
        writeAll(oldData + "/Transactions.ff2", "old tx");
        writeAll(f.ProgramPath + "Example Data/MasterList.FF2", "example ML");
        writeAll(f.ProgramPath + "Backup/ORVDataBackupAuto01.zip", "zip1");
        writeAll(f.ProgramPath + "Backup/notes.txt", "not a backup");
        writeAll(f.ProgramPath + "ORV.cfg", "old cfg");
        writeAll(f.ProgramPath + "ORV.ini", "old ini");
        writeAll(f.ProgramPath + "ORVDataPaths.ini", "old paths");
        QVERIFY(createUserFolders(f).ok());
        writeAll(f.UserPath + "ORV.ini", "user ini");  // already there: kept

        const auto r = FirstStart(f);
        QVERIFY(r.ok());
        QVERIFY(r->ran);
        QVERIFY(r->migrated);
        QCOMPARE(readAll(f.UserPath + "DataTables/MasterList.FF2"), QByteArray("old ML"));
        QCOMPARE(readAll(f.UserPath + "DataTables/Transactions.ff2"), QByteArray("old tx"));
        QCOMPARE(readAll(f.UserPath + "DataTables/Backup/ORVDataBackupAuto01.zip"), QByteArray("zip1"));
        QVERIFY(!QFileInfo::exists(f.UserPath + "DataTables/Backup/notes.txt"));
        QCOMPARE(readAll(f.UserPath + "ORV.cfg"), QByteArray("old cfg"));
        QCOMPARE(readAll(f.UserPath + "ORVDataPaths.ini"), QByteArray("old paths"));
        QCOMPARE(readAll(f.UserPath + "ORV.ini"), QByteArray("user ini"));
        // The new alias points at the new data folder, not the old one.
        QCOMPARE(readAliasFile(f.UserPath + "ORVAlias.TXT")->dataPath, f.UserPath + "DataTables");
        // The old installation is left as it was.
        QCOMPARE(readAll(oldData + "/MasterList.FF2"), QByteArray("old ML"));
    }

    void firstStartWithBrokenOldAlias()
    {
        // An old alias naming no folder (or one that is gone) copies no tables but still migrates the rest.
        QTemporaryDir tmp;
        const Folders f = buildFolders(tmp.filePath("prog"), tmp.filePath("user"));
        writeAll(f.ProgramPath + "ORVAlias.TXT", "ORVData;" + tmp.filePath("gone").toUtf8());
        writeAll(f.ProgramPath + "ORV.cfg", "old cfg");
        QVERIFY(createUserFolders(f).ok());
        const auto r = FirstStart(f);
        QVERIFY(r.ok());
        QVERIFY(r->migrated);
        QCOMPARE(r->copied, QStringList{f.UserPath + "ORV.cfg"});
        QVERIFY(QFileInfo::exists(f.UserPath + "ORVAlias.TXT"));
    }
};

QTEST_GUILESS_MAIN(TestPaths)
#include "tst_paths.moc"
