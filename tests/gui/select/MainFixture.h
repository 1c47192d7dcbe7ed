#pragma once
// The main window on a fresh data path for the selection window tests: a
// temporary user folder and program folder with the template tables, the window
// shown offscreen (no splash), entries written straight into the tables and the
// sheet reloaded. Modal dialogs opened by a command are handed to `onDialog`,
// which must close them.

#include <QtTest>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QPointer>
#include <QTimer>
#include <functional>

#include "core/base/Format.h"
#include "core/config/AppState.h"
#include "core/config/Session.h"
#include "core/store/DataModule.h"
#include "core/store/Records.h"
#include "gui/main/MainWindow.h"

namespace orv::testing {

class MainFixture {
public:
    MainFixture()
    {
        const QString program = tmp_.filePath(QStringLiteral("program"));
        QDir().mkpath(program + QStringLiteral("/DBTemplates"));
        const QDir templates(QStringLiteral(ORV_BIN_DIR "/DBTemplates"));
        for (const QString& f : templates.entryList({QStringLiteral("*.FF2")}))
            QFile::copy(templates.filePath(f), program + QStringLiteral("/DBTemplates/") + f);
        qputenv("ORV_USER_PATH", tmp_.filePath(QStringLiteral("user")).toLocal8Bit());
        appState().reset();
        initSharedFormats(QLocale(QLocale::English, QLocale::UnitedStates));
        MainWindowOptions o;
        o.programPath = program;
        o.splashMinimumMs = 0;
        o.showSplash = false;
        // Dialogs of the first start (Welcome) are accepted until a test asks
        // for its own handling.
        closer_.setInterval(20);
        QObject::connect(&closer_, &QTimer::timeout, [this] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!d || d == lastSeen_)
                return;
            lastSeen_ = d;
            seen << d->objectName();
            if (onDialog)
                onDialog(d);
            else
                d->reject();
        });
        closer_.start();
        main = new TfrmMain(o);
        main->show();
        QTest::qWaitForWindowExposed(main);
        QTest::qWait(100);
        seen.clear();
    }
    ~MainFixture()
    {
        closer_.stop();
        delete main;
        session::shutdown();
        appState().reset();
    }
    bool ok() const { return main && session::dataModule() && main->dataOpen(); }
    ORVDataModule& dm() const { return *session::dataModule(); }

    int addEntry(const QString& name, int col, int row, const QString& ticker = {},
                 const QString& type = QStringLiteral("Mutual fund"))
    {
        MasterListRec r;
        r.ShortName = name;
        r.LongName = name + QStringLiteral(" long");
        r.Type = type;
        r.Ticker = ticker;
        r.ColNum = col;
        r.RowNum = row;
        auto id = store::insertMasterList(dm(), r);
        return id.ok() ? int(id.value()) : -1;
    }

    TfrmMain* main = nullptr;
    QStringList seen;  // object names of the modal dialogs that opened
    std::function<void(QDialog*)> onDialog;

private:
    QTemporaryDir tmp_;
    QTimer closer_;
    QPointer<QDialog> lastSeen_;
};

}  // namespace orv::testing
