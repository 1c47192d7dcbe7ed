// Guards the start-up and data path sequence: a first start must create the
// folders, the nine table files, ORVAlias.TXT and a default ORV.cfg; an
// incomplete data path gets only its missing files (existing data never
// overwritten); a damaged table file is named and left alone; switching to a
// never-used path gives the per-path defaults, and a switch that fails keeps the
// program on the path that worked; a run that never opened its data does not
// overwrite ORV.cfg.
#include <QtTest>
#include <QTemporaryDir>

#include "core/base/Format.h"
#include "core/config/AppState.h"
#include "core/config/ConfigFile.h"
#include "core/config/DataPathsIni.h"
#include "core/config/Paths.h"
#include "core/config/Session.h"
#include "core/store/DataFiles.h"
#include "core/store/DataModule.h"

using namespace orv;

namespace {
QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}
}  // namespace

class TestSession : public QObject {
    Q_OBJECT
private:
    QTemporaryDir* tmp_ = nullptr;
    QString programPath_;
    QString userPath_;

    // A program folder with the built template tables and, optionally, example data.
    void makeProgramFolder(bool withExamples)
    {
        programPath_ = tmp_->filePath(QStringLiteral("program"));
        QDir().mkpath(programPath_ + QStringLiteral("/DBTemplates"));
        const QDir templates(QStringLiteral(ORV_BIN_DIR "/DBTemplates"));
        for (const QString& f : templates.entryList({QStringLiteral("*.FF2")}, QDir::Files)) {
            QVERIFY(QFile::copy(templates.filePath(f), programPath_ + QStringLiteral("/DBTemplates/") + f));
            if (withExamples) {
                QDir().mkpath(programPath_ + QStringLiteral("/Example Data"));
                QVERIFY(QFile::copy(templates.filePath(f), programPath_ + QStringLiteral("/Example Data/") + f));
            }
        }
    }

    void start()
    {
        QList<Message> warnings;
        session::createHandler(programPath_, &warnings);
        QVERIFY2(warnings.isEmpty(), warnings.isEmpty() ? "" : qPrintable(warnings.first().text));
    }

    void addPortfolio(const QString& shortName)
    {
        ORVDataModule* dm = session::dataModule();
        QVERIFY(dm);
        QVERIFY(dm->exec(QStringLiteral("INSERT INTO %1 (Selected, ShortName) VALUES (0, ?1)")
                             .arg(ORVDataModule::qualified(store::TableId::Portfolio)),
                         {shortName}).ok());
        dm->touchAll();
    }

private Q_SLOTS:
    void init()
    {
        tmp_ = new QTemporaryDir;
        QVERIFY(tmp_->isValid());
        userPath_ = tmp_->filePath(QStringLiteral("user"));
        qputenv("ORV_USER_PATH", userPath_.toLocal8Bit());
        appState().reset();
        initSharedFormats(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void cleanup()
    {
        session::shutdown();
        appState().reset();
        delete tmp_;
        tmp_ = nullptr;
    }

    void firstStartWithTemplatesOnly()
    {
        makeProgramFolder(false);
        start();
        for (const char* d : {"DataTables", "DataTables/Backup", "Help", "Temp"})
            QVERIFY2(QFileInfo(userPath_ + QLatin1Char('/') + QLatin1String(d)).isDir(), d);
        QCOMPARE(readAll(userPath_ + QStringLiteral("/ORVAlias.TXT")).trimmed(),
                 QByteArray("ORVData;") + (userPath_ + QStringLiteral("/DataTables")).toUtf8());
        const QByteArray cfg = readAll(userPath_ + QStringLiteral("/ORV.cfg"));
        QCOMPARE(cfg.size(), ConfigRecord::Size);
        QCOMPARE(cfg, ConfigRecord::defaults(today(), formats().FmtDate).serialize());

        Result<bool> opened = session::openDataPath();
        QVERIFY(opened.ok());
        QVERIFY2(opened.value(), "template files were created, so the user is warned");
        QCOMPARE(store::countTableFiles(appState().DataPath), 9);
        QVERIFY(session::dataModule());
        QCOMPARE(session::reopenList(), QStringList{userPath_ + QStringLiteral("/DataTables")});
        QCOMPARE(appState().ActivePfID, -1);
    }

    void firstStartCopiesExampleData()
    {
        makeProgramFolder(true);
        start();
        Result<bool> opened = session::openDataPath();
        QVERIFY(opened.ok());
        QVERIFY2(!opened.value(), "example tables make a complete data path: no warning");
    }

    void incompletePathKeepsExistingData()
    {
        makeProgramFolder(false);
        start();
        QVERIFY(session::openDataPath().ok());
        addPortfolio(QStringLiteral("Keep"));
        session::shutdown();
        const QString dataPath = appState().DataPath;
        QVERIFY(QFile::remove(dataPath + QStringLiteral("Prices.FF2")));

        appState().reset();
        start();
        Result<bool> opened = session::openDataPath();
        QVERIFY(opened.ok());
        QVERIFY(opened.value());
        QCOMPARE(store::countTableFiles(dataPath), 9);
        QCOMPARE(appState().ActivePfShortName, QStringLiteral("Keep"));
    }

    void damagedTableFileIsNamedAndKept()
    {
        makeProgramFolder(false);
        start();
        QVERIFY(session::openDataPath().ok());
        session::shutdown();
        const QString prices = appState().DataPath + QStringLiteral("Prices.FF2");
        const QByteArray junk("this is not a table file, but it is somebody's file");
        writeBytes(prices, junk);

        appState().reset();
        start();
        Result<bool> opened = session::openDataPath();
        QVERIFY(!opened.ok());
        QVERIFY2(opened.message().text.contains(QStringLiteral("Prices.FF2")), qPrintable(opened.message().text));
        QCOMPARE(readAll(prices), junk);
        QVERIFY(!session::dataModule());

        // Nothing was opened, so closing must not rewrite the settings.
        const QString cfg = appState().UserPath + QStringLiteral("ORV.cfg");
        QFile::remove(cfg);
        QVERIFY(session::closeHandler().ok());
        QVERIFY(!QFile::exists(cfg));
    }

    void switchToNeverUsedPath()
    {
        makeProgramFolder(false);
        start();
        QVERIFY(session::openDataPath().ok());
        addPortfolio(QStringLiteral("Zeta"));
        QVERIFY(session::dataModule()->exec(QStringLiteral("DELETE FROM %1").arg(ORVDataModule::qualified(store::TableId::Portfolio))).ok());
        appState().Config.MLLastRow = 7;
        appState().Config.MLLastCol = 3;
        appState().Config.MLDisplayInvMarkerType = 2;
        appState().Config.GraphBenchmarkMLID = 12;

        const QString newPath = tmp_->filePath(QStringLiteral("other"));
        QDir().mkpath(newPath);
        QStringList warned;
        const Status st = session::switchDataPath(newPath, [&](const Message& m) { warned << m.text; });
        QVERIFY2(st.ok(), st.ok() ? "" : qPrintable(st.message().text));
        QCOMPARE(warned, QStringList{session::newPathTemplatesWarning().text});
        QCOMPARE(store::countTableFiles(newPath), 9);
        const ConfigRecord& c = appState().Config;
        QCOMPARE(c.MLLastRow, 1);
        QCOMPARE(c.MLLastCol, 0);
        QCOMPARE(int(c.MLDisplayInvMarkerType), 0);
        QCOMPARE(c.GraphBenchmarkMLID, -1);
        QCOMPARE(c.GraphComparisonMLID, -1);
        QCOMPARE(appState().DataPath, newPath + QLatin1Char('/'));
        QCOMPARE(session::reopenList().first(), newPath);
        QVERIFY(readAll(appState().UserPath + QStringLiteral("ORVAlias.TXT")).contains(newPath.toUtf8()));

        // The old path's values were kept in its section and come back with it.
        const QString oldPath = userPath_ + QStringLiteral("/DataTables");
        QVERIFY(session::switchDataPath(oldPath, {}).ok());
        QCOMPARE(appState().Config.MLLastRow, 7);
        QCOMPARE(appState().Config.GraphBenchmarkMLID, 12);
    }

    void firstPortfolioBecomesActive()
    {
        makeProgramFolder(false);
        start();
        QVERIFY(session::openDataPath().ok());
        addPortfolio(QStringLiteral("Beta"));
        addPortfolio(QStringLiteral("Alpha"));
        session::shutdown();
        appState().Config.SelectedPortfolioShort.clear();
        const QString data = appState().DataPath;
        const QString other = tmp_->filePath(QStringLiteral("copy"));
        QDir().mkpath(other);
        for (const QString& f : QDir(data).entryList({QStringLiteral("*.FF2")}))
            QVERIFY(QFile::copy(data + f, other + QLatin1Char('/') + f));
        appState().reset();
        start();
        QVERIFY(session::openDataPath().ok());
        QVERIFY(session::switchDataPath(other, {}).ok());
        QCOMPARE(appState().ActivePfShortName, QStringLiteral("Alpha"));
        QCOMPARE(appState().ActivePfCaption, QStringLiteral(" Alpha"));
        QVERIFY(session::closeHandler().ok());
        ConfigLoad written = ReadConfig(appState().UserPath + QStringLiteral("ORV.cfg"), formats().FmtDate);
        QCOMPARE(written.record.SelectedPortfolioShort, QStringLiteral("Alpha"));
    }

    void failedSwitchStaysOnWorkingPath()
    {
        makeProgramFolder(false);
        start();
        QVERIFY(session::openDataPath().ok());
        const QString before = appState().DataPath;
        const QByteArray alias = readAll(appState().UserPath + QStringLiteral("ORVAlias.TXT"));

        const QString bad = tmp_->filePath(QStringLiteral("bad"));
        QDir().mkpath(bad);
        for (const QString& f : QDir(before).entryList({QStringLiteral("*.FF2")}))
            QVERIFY(QFile::copy(before + f, bad + QLatin1Char('/') + f));
        writeBytes(bad + QStringLiteral("/Distributions.FF2"), QByteArray(100, 'x'));

        const Status st = session::switchDataPath(bad, {});
        QVERIFY(!st.ok());
        QVERIFY(st.message().text.contains(QStringLiteral("Distributions.FF2")));
        QCOMPARE(appState().DataPath, before);
        QVERIFY(session::dataModule());
        QCOMPARE(readAll(appState().UserPath + QStringLiteral("ORVAlias.TXT")), alias);
        QCOMPARE(readAll(bad + QStringLiteral("/Distributions.FF2")), QByteArray(100, 'x'));
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
