#include "core/config/ConfigFile.h"
#include "core/config/AtomicWrite.h"

#include <QFile>
#include <QFileInfo>

namespace orv {

QString configDamagedText(const QString& fileName, const QString& keptAsName)
{
    return QStringLiteral("The settings file %1 could not be read.\r\rIt was kept as %2 and default settings are used.")
        .arg(fileName, keptAsName);
}

QString configNotMovedText(const QString& fileName)
{
    return QStringLiteral("The settings file %1 could not be read and could not be renamed.\r\r"
                          "Default settings are used for this session.")
        .arg(fileName);
}

QString configWriteFailedText(const QString& fileName, const QString& reason)
{
    return QStringLiteral("The settings file %1 could not be written:\r%2\r\rCheck that the folder is writable.")
        .arg(fileName, reason);
}

QString freeBadFileName(const QString& path)
{
    QString candidate = path + QStringLiteral(".bad");
    for (int n = 1; QFileInfo::exists(candidate) || QFileInfo(candidate).isSymLink(); ++n)
        candidate = path + QStringLiteral(".bad") + QString::number(n);
    return candidate;
}

void applyConfigFixups(ConfigRecord& c, const QString& fmtDate)
{
    if (c.GraphDateFormatRegional)
        c.GraphDateFormat = fmtDate.toLower();
    c.GraphOptionsDefault.BuyTicColor = wincolor::Lime;
    c.GraphOptionsDefault.SellTicColor = wincolor::Red;
    if (c.GraphOptions.BuyTicColor == c.GraphOptions.BackWallColor)
        c.GraphOptions.BuyTicColor = c.GraphOptionsDefault.BuyTicColor;
    if (c.GraphOptions.SellTicColor == c.GraphOptions.BackWallColor)
        c.GraphOptions.SellTicColor = c.GraphOptionsDefault.SellTicColor;
}

Status WriteConfig(const QString& path, const ConfigRecord& record)
{
    const QString reason = writeFileAtomic(path, record.serialize());
    if (reason.isEmpty())
        return Status::success();
    return Message::error(configWriteFailedText(QFileInfo(path).fileName(), reason));
}

Status WriteDefaultConfig(const QString& path, Day today, const QString& fmtDate)
{
    return WriteConfig(path, ConfigRecord::defaults(today, fmtDate));
}

namespace {

// The file's record, or nullopt when it cannot be opened or is not exactly one
// record long. At most one byte more than a record is read, whatever the size.
std::optional<ConfigRecord> readRecord(const QString& path)
{
    QFile f(path);
    if (!QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = f.read(ConfigRecord::Size + 1);
    if (f.error() != QFileDevice::NoError)
        return std::nullopt;
    return ConfigRecord::parse(bytes);
}

}  // namespace

ConfigLoad ReadConfig(const QString& path, const QString& fmtDate, Day today)
{
    ConfigLoad out;
    const QFileInfo info(path);
    const bool present = info.exists() || info.isSymLink();

    std::optional<ConfigRecord> rec = present ? readRecord(path) : std::nullopt;
    if (rec) {
        out.record = std::move(*rec);
    } else {
        out.record = ConfigRecord::defaults(today, fmtDate);
        bool mayWrite = true;
        if (present) {
            // Damaged: keep it aside before anything is written in its place.
            const QString bad = freeBadFileName(path);
            if (QFile::rename(path, bad)) {
                out.keptAs = bad;
                out.warning = Message::warning(configDamagedText(info.fileName(), QFileInfo(bad).fileName()));
            } else {
                mayWrite = false;
                out.warning = Message::warning(configNotMovedText(info.fileName()));
            }
        }
        if (mayWrite) {
            const Status st = WriteConfig(path, out.record);
            if (st.ok())
                out.wroteDefaults = true;
            else if (!out.warning)
                out.warning = st.message();
            else
                out.warning->text += QStringLiteral("\r\r") + st.message().text;
        }
    }
    applyConfigFixups(out.record, fmtDate);
    return out;
}

}  // namespace orv
