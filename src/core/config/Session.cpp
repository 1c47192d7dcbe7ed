#include "core/config/Session.h"

#include "core/base/Format.h"
#include "core/base/TBXSubs.h"
#include "core/config/AppState.h"
#include "core/config/ConfigFile.h"
#include "core/config/DataPathsIni.h"
#include "core/config/Paths.h"
#include "core/config/WindowPlacement.h"
#include "core/portfolios/ActivePortfolio.h"
#include "core/store/DataFiles.h"
#include "core/store/DataModule.h"
#include "core/store/MLDisplay.h"

#include <QDir>
#include <QFileInfo>
#include <memory>

namespace orv::session {

namespace {

std::unique_ptr<ORVDataModule> g_dm;
QStringList g_reopen;

QString userFile(const char* name)
{
    return appState().UserPath + QString::fromLatin1(name);
}

QString templateDir()
{
    return appState().ProgramPath + QStringLiteral("DBTemplates");
}

// Completes a data folder from the templates; the value says whether any file
// was created. Existing files are never replaced.
Result<bool> completeDataPath(const QString& dataPath)
{
    if (store::countTableFiles(dataPath) == store::kTableCount)
        return false;
    Result<QStringList> created = store::createMissingTables(dataPath, templateDir());
    if (!created.ok())
        return created.message();
    return !created.value().isEmpty();
}

// Show-handler steps 5 and 6 (and switch step 8): the active portfolio, then the
// Master List cells.
void loadActivePortfolioAndCells(ORVDataModule& dm)
{
    AppState& s = appState();
    if (s.Config.SelectedPortfolioShort.trimmed().isEmpty()) {
        if (auto first = firstPortfolio(dm))
            s.Config.SelectedPortfolioShort = first->ShortName.left(12);
    }
    SelectActivePortfolio(dm, s, s.Config.SelectedPortfolioShort);
    fillMLDisplay(dm, dm.MLDisplay);
}

Status openModuleOn(const QString& dataPath)
{
    if (g_dm)
        g_dm->close();
    else
        g_dm = std::make_unique<ORVDataModule>();
    ORVDataModule::setInstance(g_dm.get());
    return g_dm->open(dataPath);
}

}  // namespace

Message templatesCreatedWarning()
{
    return Message::warning(QStringLiteral("Necessary data tables not found on data path.\r\r"
                                           "Template data files created.\r\r"
                                           "Use Backup/Restore to restore an old data set."));
}

Message newPathTemplatesWarning()
{
    Message m = Message::warning(QStringLiteral("Not all data tables found on new data path.\r\r"
                                                "Creating template data files on new data path."));
    m.beep = true;
    return m;
}

Message swapPositionsHint()
{
    return Message::info(QStringLiteral("Use the Left mouse button to drag-and-drop from one position to another."));
}

Message blankEntryMessage()
{
    return Message::warning(QStringLiteral("No data on blank entry."));
}

Message noPortfolioMessage()
{
    Message m = Message::warning(QStringLiteral("A portfolio has not been selected yet."));
    m.beep = true;
    return m;
}

void createHandler(const QString& programPath, QList<Message>* warnings)
{
    auto warn = [&](const Message& m) {
        if (warnings)
            warnings->append(m);
    };
    AppState& s = appState();
    Folders f = buildFolders(withTrailingSeparator(QDir(programPath).absolutePath()), defaultUserPath());
    if (Status st = createUserFolders(f); !st.ok())
        warn(st.message());
    s.setFolders(f);
    QDir::setCurrent(withoutTrailingSeparator(f.UserPath));

    s.AliasName = QString::fromLatin1(kDefaultAliasName);
    Result<FirstStartReport> first = FirstStart(f, s.AliasName);
    if (!first.ok())
        warn(first.message());

    if (auto alias = readAliasFile(userFile(kAliasFileName))) {
        if (!alias->aliasName.isEmpty())
            s.AliasName = alias->aliasName;
        if (!alias->dataPath.trimmed().isEmpty())
            setDataPath(f, alias->dataPath.trimmed());
    }
    s.setFolders(f);
    QDir().mkpath(f.BackupPath);

    initSharedFormats();
    ConfigLoad cfg = ReadConfig(userFile(kConfigFileName), formats().FmtDate);
    s.Config = cfg.record;
    if (cfg.warning)
        warn(*cfg.warning);
}

Result<bool> openDataPath()
{
    AppState& s = appState();
    Result<bool> completed = completeDataPath(s.DataPath);
    if (!completed.ok())
        return completed.message();
    if (Status st = openModuleOn(s.DataPath); !st.ok())
        return st.message();
    loadActivePortfolioAndCells(*g_dm);
    g_reopen = orv::reopenList(userFile(kDataPathsIniFileName), s.DataPath);
    return completed.value();
}

Status openDataPathForRun(const QString& folder)
{
    AppState& s = appState();
    const QString path = withoutTrailingSeparator(QDir(folder).absolutePath());
    if (store::countTableFiles(path) != store::kTableCount)
        return Message::error(QStringLiteral("The folder %1 does not hold the nine table files of a data path.")
                                  .arg(QDir::toNativeSeparators(path)));
    if (Status st = openModuleOn(path); !st.ok())
        return st;
    Folders f = s.folders();
    setDataPath(f, path);
    s.setFolders(f);
    loadActivePortfolioAndCells(*g_dm);
    return Status::success();
}

QList<QPair<QString, qint64>> tableRowCounts()
{
    QList<QPair<QString, qint64>> counts;
    ORVDataModule* dm = dataModule();
    if (!dm)
        return counts;
    for (int i = 0; i < store::kTableCount; ++i) {
        const auto id = store::TableId(i);
        Query q = dm->query(QStringLiteral("SELECT count(*) FROM %1").arg(ORVDataModule::qualified(id)));
        counts.append({store::tableDef(id).name, q.next() ? q.int64(0) : 0});
    }
    return counts;
}

ORVDataModule* dataModule()
{
    return g_dm && g_dm->isOpen() ? g_dm.get() : nullptr;
}

Status closeHandler()
{
    AppState& s = appState();
    if (!dataModule())
        return Status::success();
    s.Config.SelectedPortfolioShort = s.ActivePfShortName.left(12);
    return WriteConfig(userFile(kConfigFileName), s.Config);
}

Status switchDataPath(const QString& rawPath, const std::function<void(const Message&)>& warn)
{
    AppState& s = appState();
    const QString path = withoutTrailingSeparator(QDir(rawPath).absolutePath());
    const QString iniPath = userFile(kDataPathsIniFileName);
    const QString oldPath = s.DataPath;

    // 1. The current path's settings are kept in its own section.
    if (dataModule()) {
        s.Config.SelectedPortfolioShort = s.ActivePfShortName.left(12);
        if (Status st = writeDataPathSection(iniPath, oldPath, s.Config); !st.ok())
            return st;
    }

    // 3-5. The tables are closed, the new folder completed from the templates
    // (after the warning) and opened.
    Folders f = s.folders();
    setDataPath(f, path);
    QDir().mkpath(f.BackupPath);
    if (g_dm)
        g_dm->close();
    Status opened;
    if (store::countTableFiles(f.DataPath) != store::kTableCount) {
        if (warn)
            warn(newPathTemplatesWarning());
        Result<QStringList> created = store::createMissingTables(f.DataPath, templateDir());
        if (!created.ok())
            opened = created.message();
    }
    if (opened.ok())
        opened = openModuleOn(f.DataPath);
    if (!opened.ok()) {
        // The folder cannot be used: go back to the data path that worked.
        if (!oldPath.isEmpty() && openModuleOn(oldPath).ok())
            loadActivePortfolioAndCells(*g_dm);
        return opened;
    }

    // 2. ORVAlias.TXT names the new path once it has opened.
    s.setFolders(f);
    if (Status st = writeAliasFile(userFile(kAliasFileName), s.AliasName, path); !st.ok())
        return st;

    // 6-8. Reopen list, the new path's settings, active portfolio and cells.
    pushReopen(g_reopen, path);
    readDataPathSection(iniPath, f.DataPath, s.Config);
    loadActivePortfolioAndCells(*g_dm);
    return Status::success();
}

QStringList reopenList()
{
    return g_reopen;
}

void setSaveWindowPositions(bool on)
{
    appState().Config.SaveWindowPositions = on;
    if (!on)
        deleteWindowIni(windowIniPath());
}

QString currentDataPathForDisplay()
{
    return orv::withoutTrailingSeparator(appState().DataPath);
}

QString windowIniPath()
{
    return userFile(kWindowIniFileName);
}

void shutdown()
{
    if (g_dm)
        g_dm->close();
    ORVDataModule::setInstance(nullptr);
    g_dm.reset();
    g_reopen.clear();
}

}  // namespace orv::session
