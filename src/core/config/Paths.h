#pragma once
// The program's folders and ORVAlias.TXT. Every folder value keeps a trailing
// separator ("/"). The user folder is Documents + "Quorrin Software/ORV/", or the
// folder named by the environment variable ORV_USER_PATH when it is set.

#include "core/base/Message.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace orv {

struct Folders {
    QString ProgramPath;  // folder of the program file
    QString UserPath;     // settings files
    QString DataPath;     // the current data path
    QString BackupPath;   // DataPath + "Backup/"
    QString TempPath;     // UserPath + "Temp/"
    QString HelpPath;     // UserPath + "Help/"
};

inline constexpr const char* kAliasFileName = "ORVAlias.TXT";
inline constexpr const char* kDefaultAliasName = "ORVData";
inline constexpr const char* kConfigFileName = "ORV.cfg";
inline constexpr const char* kWindowIniFileName = "ORV.ini";
inline constexpr const char* kDataPathsIniFileName = "ORVDataPaths.ini";

// `path` with exactly one trailing "/" (an empty path stays empty).
QString withTrailingSeparator(const QString& path);
// `path` without trailing separators ("/" itself is kept).
QString withoutTrailingSeparator(const QString& path);

// The user folder: $ORV_USER_PATH when set and not empty, else the Documents
// location + "Quorrin Software/ORV/"; with a trailing separator.
QString defaultUserPath();

// The folder values for a program folder and a user folder, with the data path at
// its first-start value UserPath + "DataTables/".
Folders buildFolders(const QString& programPath, const QString& userPath);

// Points DataPath (and BackupPath = DataPath + "Backup/") at `path`.
void setDataPath(Folders& folders, const QString& path);

// Creates the missing folders: UserPath with its parents, UserPath + "DataTables",
// "DataTables/Backup", "Help" and "Temp". Fails with a message naming the folder
// that could not be created.
Status createUserFolders(const Folders& folders);

// One line of ORVAlias.TXT: the alias name, ";" and the data path.
struct AliasLine {
    QString aliasName;
    QString dataPath;  // as written, without trailing separator
};

// nullopt when the file cannot be read; a line without ";" gives an empty path.
std::optional<AliasLine> readAliasFile(const QString& filePath);
// Writes aliasName + ";" + dataPath (without trailing separator), atomically.
Status writeAliasFile(const QString& filePath, const QString& aliasName, const QString& dataPath);

// What the first start did.
struct FirstStartReport {
    bool ran = false;            // UserPath had no ORVAlias.TXT
    bool migrated = false;       // files came from an older installation beside the program
    QStringList copied;          // target paths of the files copied
    QStringList skipped;         // target paths left alone because they already existed
    QStringList failed;          // target paths whose copy failed
};

// First start: when UserPath has no ORVAlias.TXT, fills the new user folder.
// If ProgramPath has an ORVAlias.TXT (an older installation kept its files beside
// the program), copies that data path's *.FF2 into UserPath/DataTables,
// ProgramPath/Backup/*.zip into the new backup folder and ORV.ini, ORV.cfg and
// ORVDataPaths.ini into UserPath; otherwise copies ProgramPath/"Example Data"/*.FF2
// into UserPath/DataTables. Files that already exist in the target are never
// overwritten. Then writes ORVAlias.TXT = aliasName + ";" + the new data path.
// `folders` must come from buildFolders() (DataPath at its first-start value).
Result<FirstStartReport> FirstStart(const Folders& folders, const QString& aliasName = QString::fromLatin1(kDefaultAliasName));

}  // namespace orv
