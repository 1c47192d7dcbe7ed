#include "gui/base/WindowPlacement.h"

#include "core/config/Session.h"
#include "core/config/WindowPlacement.h"

#include <QApplication>
#include <QMainWindow>
#include <QWidget>

namespace orv {

namespace {
QWidget* mainWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("frmMain"))
            return w;
    return nullptr;
}

// The normal geometry of a window: while minimised or maximised, the one it
// returns to.
QRect normalRect(QWidget* form)
{
    if (form->isMaximized() || form->isMinimized())
        return form->normalGeometry();
    return form->geometry();
}
}  // namespace

bool RestoreWindowPlacement(QWidget* form, const QString& name, bool enabled)
{
    const RestoreDecision d = restorePlacement(session::windowIniPath(), name, enabled,
                                               WindowPlacement::fromRect(form->geometry()));
    if (d.fromFile) {
        form->setGeometry(d.placement.rect());
        if (d.placement.status == WindowStatus::Maximised)
            form->setWindowState(form->windowState() | Qt::WindowMaximized);
        else if (d.placement.status == WindowStatus::Minimised)
            form->setWindowState(form->windowState() | Qt::WindowMinimized);
        return true;
    }
    QWidget* main = mainWindow();
    if (d.centre && main && main != form) {
        const QRect r = centredOn(main->frameGeometry(), form->size());
        form->move(r.topLeft());
    }
    return false;
}

void InitWindowPlacement(QWidget* form, const QString& name)
{
    initPlacement(session::windowIniPath(), name, normalRect(form));
}

void SaveWindowPlacement(QWidget* form, const QString& name)
{
    int status = WindowStatus::Normal;
    if (form->isMinimized())
        status = WindowStatus::Minimised;
    else if (form->isMaximized())
        status = WindowStatus::Maximised;
    savePlacement(session::windowIniPath(), name, status, normalRect(form));
}

}  // namespace orv
