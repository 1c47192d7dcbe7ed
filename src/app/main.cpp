// The Orvane program: one main window on the shared core.
#include "gui/main/MainWindow.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ORV"));
    QApplication::setOrganizationName(QStringLiteral("Quorrin Software"));

    orv::TfrmMain main;
    main.show();
    return app.exec();
}
