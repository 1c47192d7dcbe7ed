#pragma once
// ORVDataPaths.ini: the settings kept per data path (one section per path, named
// by the path without trailing separator), and the "Reopen" list of recent paths.

#include "core/base/Message.h"
#include "core/config/ConfigRecord.h"
#include "core/config/IniFile.h"

#include <QString>
#include <QStringList>

namespace orv {

constexpr int kReopenMax = 10;

// Stores the record's per-path values in the section of `dataPath`: MLLastRow,
// MLLastCol, MLDisplayInvMarker (the current Master List options' display-status
// flag), MLDisplayInvMarkerType, SelectedPortfolioShort, GraphBenchmarkMLID,
// GraphComparisonMLID.
void writeDataPathSection(IniFile& ini, const QString& dataPath, const ConfigRecord& record);
// Reads them back into `record`; a missing section or key gives 1, 0, false, 0,
// empty, -1, -1.
void readDataPathSection(const IniFile& ini, const QString& dataPath, ConfigRecord& record);

// The same on the file itself (written atomically).
Status writeDataPathSection(const QString& iniPath, const QString& dataPath, const ConfigRecord& record);
void readDataPathSection(const QString& iniPath, const QString& dataPath, ConfigRecord& record);

// The "Reopen" list, most recent first, at most 10 entries: with no file, the
// current data path (without trailing separator); otherwise every section name of
// the file, in file order, each put at the top.
QStringList reopenList(const QString& iniPath, const QString& currentDataPath);

// Puts `path` (without trailing separator) at the top, removing an earlier entry
// of the same path and keeping at most 10.
void pushReopen(QStringList& list, const QString& path);

}  // namespace orv
