#include "core/config/DataPathsIni.h"
#include "core/config/Paths.h"

#include <QFileInfo>

namespace orv {

namespace {
const QString kLastRow = QStringLiteral("MLLastRow");
const QString kLastCol = QStringLiteral("MLLastCol");
const QString kMarker = QStringLiteral("MLDisplayInvMarker");
const QString kMarkerType = QStringLiteral("MLDisplayInvMarkerType");
const QString kPfShort = QStringLiteral("SelectedPortfolioShort");
const QString kBenchmark = QStringLiteral("GraphBenchmarkMLID");
const QString kComparison = QStringLiteral("GraphComparisonMLID");
}  // namespace

void writeDataPathSection(IniFile& ini, const QString& dataPath, const ConfigRecord& r)
{
    const QString s = withoutTrailingSeparator(dataPath);
    ini.writeInteger(s, kLastRow, r.MLLastRow);
    ini.writeInteger(s, kLastCol, r.MLLastCol);
    ini.writeBool(s, kMarker, r.MLTableOptionsCurrent.DisplayInvStatus);
    ini.writeInteger(s, kMarkerType, r.MLDisplayInvMarkerType);
    ini.writeString(s, kPfShort, r.SelectedPortfolioShort);
    ini.writeInteger(s, kBenchmark, r.GraphBenchmarkMLID);
    ini.writeInteger(s, kComparison, r.GraphComparisonMLID);
}

void readDataPathSection(const IniFile& ini, const QString& dataPath, ConfigRecord& r)
{
    const QString s = withoutTrailingSeparator(dataPath);
    r.MLLastRow = ini.readInteger(s, kLastRow, 1);
    r.MLLastCol = ini.readInteger(s, kLastCol, 0);
    r.MLTableOptionsCurrent.DisplayInvStatus = ini.readBool(s, kMarker, false);
    const int type = ini.readInteger(s, kMarkerType, 0);
    r.MLDisplayInvMarkerType = static_cast<quint8>(type >= 0 && type <= 3 ? type : 0);
    r.SelectedPortfolioShort = ini.readString(s, kPfShort).left(ConfigRecord::SelectedPortfolioShortMax);
    r.GraphBenchmarkMLID = ini.readInteger(s, kBenchmark, -1);
    r.GraphComparisonMLID = ini.readInteger(s, kComparison, -1);
}

Status writeDataPathSection(const QString& iniPath, const QString& dataPath, const ConfigRecord& record)
{
    IniFile ini(iniPath);
    ini.load();
    writeDataPathSection(ini, dataPath, record);
    const QString reason = ini.save();
    if (reason.isEmpty())
        return Status::success();
    return Message::error(QStringLiteral("The file %1 could not be written:\r%2")
                              .arg(QFileInfo(iniPath).fileName(), reason));
}

void readDataPathSection(const QString& iniPath, const QString& dataPath, ConfigRecord& record)
{
    IniFile ini(iniPath);
    ini.load();
    readDataPathSection(ini, dataPath, record);
}

void pushReopen(QStringList& list, const QString& path)
{
    const QString p = withoutTrailingSeparator(path);
    list.removeAll(p);
    list.prepend(p);
    while (list.size() > kReopenMax)
        list.removeLast();
}

QStringList reopenList(const QString& iniPath, const QString& currentDataPath)
{
    QStringList list;
    if (!QFileInfo::exists(iniPath)) {
        pushReopen(list, currentDataPath);
        return list;
    }
    IniFile ini(iniPath);
    ini.load();
    for (const QString& s : ini.sections())
        pushReopen(list, s);
    return list;
}

}  // namespace orv
