// Guards the table files of a data path: templates that lack a named index or a
// field, a foreign or damaged file taken for a table, an existing table file
// overwritten (its data lost) while "completing" a folder, and an erase that
// replaces files still open.
#include "StoreFixture.h"

#include <QFile>
#include <sqlite3.h>

using namespace orv;
using namespace orv::store;
using namespace orvtest;

namespace {
QStringList sqliteNames(const QString& file, const char* type)
{
    QStringList out;
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    const QByteArray sql = QByteArray("SELECT name FROM sqlite_master WHERE type='") + type + "' ORDER BY name";
    sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW)
        out << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    sqlite3_close(db);
    return out;
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

class TestDataFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void templatesHoldTableAndNamedIndexes_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("indexes");
        QTest::newRow("MasterList") << "MasterList" << QStringList{"IndxColRow", "IndxRowCol", "IndxShortName"};
        QTest::newRow("MasterListColHdrs") << "MasterListColHdrs" << QStringList{"IndxColNum"};
        QTest::newRow("AssetAllocHdrs") << "AssetAllocHdrs" << QStringList{"IndxAllocID"};
        QTest::newRow("AssetAllocValues") << "AssetAllocValues" << QStringList{"IndxMLIDAllocID"};
        QTest::newRow("Prices") << "Prices" << QStringList{"IndxPri"};
        QTest::newRow("Distributions") << "Distributions" << QStringList{"IndxDsbDescDat", "IndxDsbMLID"};
        QTest::newRow("Portfolio") << "Portfolio" << QStringList{"IndxSelected", "IndxShortName"};
        QTest::newRow("Transactions") << "Transactions"
                                      << QStringList{"IndxDate", "IndxMLID", "IndxPfIDDate", "IndxPfIDMLID"};
        QTest::newRow("TransxSummary") << "TransxSummary" << QStringList{"IndxMLID", "IndxPfID"};
    }
    void templatesHoldTableAndNamedIndexes()
    {
        QFETCH(QString, table);
        QFETCH(QStringList, indexes);
        StoreFolders f;
        const QString file = QDir(f.templates).filePath(table + ".FF2");
        QCOMPARE(sqliteNames(file, "table"), QStringList{table});
        QCOMPARE(sqliteNames(file, "index"), indexes);
        QVERIFY(validateTableFile(file, table).ok());
        // The file of one table is not accepted as another table.
        const QString other = table == "Prices" ? "MasterList" : "Prices";
        const Status wrong = validateTableFile(file, other);
        QVERIFY(!wrong.ok());
        QVERIFY(wrong.message().text.contains(QDir::toNativeSeparators(file)));
    }

    void builtTemplatesAreValid()
    {
        const QDir dir(QStringLiteral(ORV_BIN_DIR "/DBTemplates"));
        // The test target depends on the generator, so the templates are there.
        QCOMPARE(countTableFiles(dir.path()), 9);
        for (const QString& t : tableNames())
            QVERIFY2(validateTableFile(dir.filePath(t + ".FF2"), t).ok(), qPrintable(t));
    }

    void foreignOrDamagedFileIsRefusedByName_data()
    {
        QTest::addColumn<QByteArray>("kind");
        QTest::newRow("text file") << QByteArray("text");
        QTest::newRow("empty file") << QByteArray("empty");
        QTest::newRow("foreign database") << QByteArray("foreign");
        QTest::newRow("right table, index dropped") << QByteArray("noindex");
        QTest::newRow("truncated table file") << QByteArray("truncated");
    }
    void foreignOrDamagedFileIsRefusedByName()
    {
        QFETCH(QByteArray, kind);
        StoreFolders f;
        const QString file = f.dataFile("Prices");
        if (kind == "text") {
            writeBytes(file, "MLID,Date,Price\n1,2,3\n");
        } else if (kind == "empty") {
            writeBytes(file, QByteArray());
        } else if (kind == "foreign") {
            QFile::remove(file);
            sqlite3* db = nullptr;
            sqlite3_open(QFile::encodeName(file).constData(), &db);
            sqlite3_exec(db, "CREATE TABLE Prices (MLID INTEGER, Date REAL, Price REAL, AdjPrice REAL)", nullptr,
                         nullptr, nullptr);
            sqlite3_close(db);
        } else if (kind == "noindex") {
            sqlite3* db = nullptr;
            sqlite3_open(QFile::encodeName(file).constData(), &db);
            sqlite3_exec(db, "DROP INDEX IndxPri", nullptr, nullptr, nullptr);
            sqlite3_close(db);
        } else {
            writeBytes(file, readBytes(file).left(1500));
        }
        const Status st = validateTableFile(file, "Prices");
        QVERIFY(!st.ok());
        QVERIFY2(st.message().text.contains(QDir::toNativeSeparators(file)), qPrintable(st.message().text));

        // The module refuses the data path and names the file.
        ORVDataModule dm;
        const Status op = dm.open(f.data);
        QVERIFY(!op.ok());
        QVERIFY(op.message().text.contains(QDir::toNativeSeparators(file)));
        QVERIFY(!dm.isOpen());
    }

    void createMissingTablesNeverOverwrites()
    {
        StoreFolders f;
        // Data in an existing table must survive.
        {
            ORVDataModule dm;
            QVERIFY(dm.open(f.data).ok());
            addML(dm, "Keep Me", 1, 0);
        }
        QFile::remove(f.dataFile("Prices"));
        QFile::remove(f.dataFile("Portfolio"));
        QCOMPARE(countTableFiles(f.data), 7);
        const auto made = createMissingTables(f.data, f.templates);
        QVERIFY(made.ok());
        QCOMPARE(made.value(), (QStringList{"Prices", "Portfolio"}));
        QCOMPARE(countTableFiles(f.data), 9);
        ORVDataModule dm;
        QVERIFY(dm.open(f.data).ok());
        QVERIFY(store::masterListByShortName(dm, "Keep Me").has_value());
    }

    void createMissingTablesReportsInvalidFileAndLeavesIt()
    {
        StoreFolders f;
        const QString bad = f.dataFile("Distributions");
        const QByteArray junk("not a table at all");
        writeBytes(bad, junk);
        QFile::remove(f.dataFile("Prices"));
        const auto made = createMissingTables(f.data, f.templates);
        QVERIFY(!made.ok());
        QVERIFY(made.message().text.contains(QDir::toNativeSeparators(bad)));
        QCOMPARE(readBytes(bad), junk);                       // not replaced
        QVERIFY(validateTableFile(f.dataFile("Prices"), "Prices").ok());  // the missing one was made
    }

    void createMissingTablesNeedsValidTemplates()
    {
        StoreFolders f;
        QFile::remove(f.dataFile("Prices"));
        writeBytes(QDir(f.templates).filePath("Prices.FF2"), "junk");
        const auto made = createMissingTables(f.data, f.templates);
        QVERIFY(!made.ok());
        QVERIFY(!QFile::exists(f.dataFile("Prices")));
    }

    void countTableFilesCountsOnlyFF2()
    {
        StoreFolders f;
        writeBytes(QDir(f.data).filePath("notes.txt"), "x");
        writeBytes(QDir(f.data).filePath("Prices.FF2-journal"), "x");
        QCOMPARE(countTableFiles(f.data), 9);
        QCOMPARE(countTableFiles(f.tmp.filePath("nowhere")), 0);
    }

    void copyAllTemplatesOnlyWhenClosed()
    {
        StoreFolders f;
        ORVDataModule dm;
        QVERIFY(dm.open(f.data).ok());
        addML(dm, "Erase Me", 1, 0);
        const Status refused = copyAllTemplates(f.data, f.templates);
        QVERIFY(!refused.ok());
        QVERIFY(store::masterListByShortName(dm, "Erase Me").has_value());

        dm.SetTablesActive(false);
        dm.closeDatabase();
        QVERIFY(copyAllTemplates(f.data, f.templates).ok());
        QVERIFY(dm.openDatabase().ok());
        QVERIFY(dm.SetTablesActive(true).ok());
        QCOMPARE(dm.fftblMasterList().recordCount(), 0);
        QCOMPARE(countTableFiles(f.data), 9);
    }

    void copyAllTemplatesKeepsOldFilesWhenATemplateIsBad()
    {
        StoreFolders f;
        {
            ORVDataModule dm;
            QVERIFY(dm.open(f.data).ok());
            addML(dm, "Still Here", 1, 0);
        }
        writeBytes(QDir(f.templates).filePath("TransxSummary.FF2"), "junk");
        QVERIFY(!copyAllTemplates(f.data, f.templates).ok());
        ORVDataModule dm;
        QVERIFY(dm.open(f.data).ok());
        QVERIFY(store::masterListByShortName(dm, "Still Here").has_value());
        QCOMPARE(QDir(f.data).entryList({"*.new"}, QDir::Files).size(), 0);
    }
};

QTEST_GUILESS_MAIN(TestDataFiles)
#include "tst_datafiles.moc"
