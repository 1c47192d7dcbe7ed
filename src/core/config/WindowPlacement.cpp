#include "core/config/WindowPlacement.h"
#include "core/config/IniFile.h"

#include <QFile>
#include <QFileInfo>

namespace orv {

namespace {
const QString kStatus = QStringLiteral("Status");
const QString kTop = QStringLiteral("Top");
const QString kLeft = QStringLiteral("Left");
const QString kHeight = QStringLiteral("Height");
const QString kWidth = QStringLiteral("Width");

Status iniWriteFailed(const QString& iniPath, const QString& reason)
{
    return Message::error(QStringLiteral("The file %1 could not be written:\r%2")
                              .arg(QFileInfo(iniPath).fileName(), reason));
}
}  // namespace

std::optional<WindowPlacement> readPlacement(const QString& iniPath, const QString& name,
                                             const WindowPlacement& current)
{
    IniFile ini(iniPath);
    ini.load();
    const int status = ini.readInteger(name, kStatus, WindowStatus::None);
    if (status == WindowStatus::None)
        return std::nullopt;
    WindowPlacement p;
    p.status = (status == WindowStatus::Minimised || status == WindowStatus::Maximised) ? status
                                                                                        : WindowStatus::Normal;
    p.top = ini.readInteger(name, kTop, current.top);
    p.left = ini.readInteger(name, kLeft, current.left);
    p.height = ini.readInteger(name, kHeight, current.height);
    p.width = ini.readInteger(name, kWidth, current.width);
    if (p.height <= 0)
        p.height = current.height;
    if (p.width <= 0)
        p.width = current.width;
    return p;
}

RestoreDecision restorePlacement(const QString& iniPath, const QString& name, bool enabled,
                                 const WindowPlacement& current)
{
    RestoreDecision d;
    if (enabled) {
        if (const auto p = readPlacement(iniPath, name, current)) {
            d.fromFile = true;
            d.centre = false;
            d.placement = *p;
        }
    }
    return d;
}

Status initPlacement(const QString& iniPath, const QString& name, const QRect& current)
{
    IniFile ini(iniPath);
    ini.load();
    if (ini.hasKey(name, kStatus))
        return Status::success();
    ini.writeInteger(name, kTop, current.top());
    ini.writeInteger(name, kLeft, current.left());
    ini.writeInteger(name, kHeight, current.height());
    ini.writeInteger(name, kWidth, current.width());
    ini.writeInteger(name, kStatus, WindowStatus::Normal);
    const QString reason = ini.save();
    return reason.isEmpty() ? Status::success() : iniWriteFailed(iniPath, reason);
}

Status savePlacement(const QString& iniPath, const QString& name, int status, const QRect& geometry)
{
    if (status != WindowStatus::Minimised && status != WindowStatus::Maximised)
        status = WindowStatus::Normal;
    IniFile ini(iniPath);
    ini.load();
    ini.writeInteger(name, kStatus, status);
    if (status == WindowStatus::Normal) {
        ini.writeInteger(name, kTop, geometry.top());
        ini.writeInteger(name, kLeft, geometry.left());
        ini.writeInteger(name, kHeight, geometry.height());
        ini.writeInteger(name, kWidth, geometry.width());
    }
    const QString reason = ini.save();
    return reason.isEmpty() ? Status::success() : iniWriteFailed(iniPath, reason);
}

QRect centredOn(const QRect& parent, const QSize& size)
{
    // C++ integer division truncates toward zero, as the rule asks.
    const int left = parent.left() + (parent.width() - size.width()) / 2;
    const int top = parent.top() + (parent.height() - size.height()) / 2;
    return QRect(QPoint(left, top), size);
}

bool deleteWindowIni(const QString& iniPath)
{
    if (!QFileInfo::exists(iniPath))
        return true;
    return QFile::remove(iniPath);
}

}  // namespace orv
