// The Orvane program: one main window on the shared core.
#include "gui/base/ReportStatus.h"
#include "gui/main/MainWindow.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ORV"));
    QApplication::setOrganizationName(QStringLiteral("Quorrin Software"));

    // The main window first, then the progress window every long computation
    // shares for the whole run.
    orv::TfrmMain main;
    orv::frmReportStatus();
    main.show();
    const int rc = app.exec();
    orv::destroyReportStatus();
    return rc;
}
