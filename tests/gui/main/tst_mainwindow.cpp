// Guards the main window shell: every menu command with its caption and
// shortcut, the speed buttons with their hints, the first start (template
// warning at the first paint, Welcome window), closing writes ORV.cfg and the
// window's placement, switching window saving off deletes ORV.ini, and a data
// path already used by another Orvane window is refused without losing the
// other window's settings.
#include <QtTest>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>

#include "core/base/Format.h"
#include "core/config/AppState.h"
#include "core/config/ConfigFile.h"
#include "core/config/Session.h"
#include "core/store/DataModule.h"
#include "gui/base/MessageDlg.h"
#include "gui/main/MainWindow.h"
#include "gui/main/MenuTable.h"
#include "gui/main/StartupWindows.h"

using namespace orv;

class TestMainWindow : public QObject {
    Q_OBJECT
private:
    QTemporaryDir* tmp_ = nullptr;
    QString programPath_;
    QString userPath_;
    QStringList dialogsSeen_;
    QTimer* closer_ = nullptr;

    MainWindowOptions options() const
    {
        MainWindowOptions o;
        o.programPath = programPath_;
        o.splashMinimumMs = 0;
        o.showSplash = false;
        return o;
    }

    // Shows the window and lets the first paint run its messages and windows.
    void showAndSettle(TfrmMain& w)
    {
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::qWait(100);
    }

private Q_SLOTS:
    void init()
    {
        tmp_ = new QTemporaryDir;
        programPath_ = tmp_->filePath(QStringLiteral("program"));
        userPath_ = tmp_->filePath(QStringLiteral("user"));
        QDir().mkpath(programPath_ + QStringLiteral("/DBTemplates"));
        const QDir templates(QStringLiteral(ORV_BIN_DIR "/DBTemplates"));
        for (const QString& f : templates.entryList({QStringLiteral("*.FF2")}))
            QVERIFY(QFile::copy(templates.filePath(f), programPath_ + QStringLiteral("/DBTemplates/") + f));
        qputenv("ORV_USER_PATH", userPath_.toLocal8Bit());
        appState().reset();
        initSharedFormats(QLocale(QLocale::English, QLocale::UnitedStates));
        // Modal windows (Welcome, About) are recorded and closed.
        dialogsSeen_.clear();
        closer_ = new QTimer(this);
        connect(closer_, &QTimer::timeout, this, [this] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                dialogsSeen_ << d->objectName();
                d->accept();
            }
        });
        closer_->start(20);
    }
    void cleanup()
    {
        delete closer_;
        session::shutdown();
        appState().reset();
        delete tmp_;
    }

    void menuTree()
    {
        RecordingMessageSink sink;
        TfrmMain w(options());
        QCOMPARE(w.windowTitle(), QStringLiteral("Orvane"));
        QCOMPARE(w.objectName(), QStringLiteral("frmMain"));
        QStringList tops;
        for (QAction* a : w.menuBar()->actions())
            tops << a->text();
        QCOMPARE(tops, (QStringList{"&File", "&Edit", "&View", "&Modem", "&Graphs", "&Reports", "&Help"}));
        for (int i = 0; i < kMainMenuCount; ++i) {
            const MenuCommand& c = kMainMenu[i];
            if (!c.objectName)
                continue;
            QAction* a = w.action(QString::fromLatin1(c.objectName));
            QVERIFY2(a, c.objectName);
            QCOMPARE(a->text(), QString::fromLatin1(c.caption));
            QCOMPARE(a->shortcut(), c.shortcut ? QKeySequence(QString::fromLatin1(c.shortcut)) : QKeySequence());
        }
        QCOMPARE(w.action(QStringLiteral("mmTransactions"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));
        QCOMPARE(w.action(QStringLiteral("mmNewEntry"))->shortcut(), QKeySequence(Qt::Key_Insert));
        QVERIFY(w.reopenMenu());
        QCOMPARE(w.reopenMenu()->title(), QStringLiteral("&Reopen"));

        QStringList hints;
        for (QAction* a : w.speedBar()->actions())
            if (!a->isSeparator())
                hints << a->toolTip();
        QCOMPARE(hints.size(), 12);
        QCOMPARE(hints.first(), QStringLiteral("Backup/Restore Data"));
        QCOMPARE(hints.last(), QStringLiteral("Find Master List Entry"));
    }

    void firstStart()
    {
        RecordingMessageSink sink;
        TfrmMain w(options());
        showAndSettle(w);
        QVERIFY(w.dataOpen());
        QTRY_COMPARE(sink.texts(), QStringList{session::templatesCreatedWarning().text});
        QTRY_COMPARE(dialogsSeen_, QStringList{QStringLiteral("frmWelcome")});
        QCOMPARE(w.statusPanel(0)->text(), QStringLiteral(" Col:Row  1:1"));
        QVERIFY(w.action(QStringLiteral("mmExit"))->isEnabled());
        QVERIFY2(!w.action(QStringLiteral("mmBackupRestore"))->isEnabled(), "its window is not there yet");
        QVERIFY(!w.action(QStringLiteral("sbtnBackupRestore"))->isEnabled());
        QCOMPARE(w.reopenMenu()->actions().size(), 1);
        QCOMPARE(w.reopenMenu()->actions().first()->text(), userPath_ + QStringLiteral("/DataTables"));
    }

    void closeWritesSettings()
    {
        RecordingMessageSink sink;
        {
            TfrmMain w(options());
            showAndSettle(w);
            appState().Config.ShowWelcome = false;
            appState().Config.MLLastCol = 6;
            w.close();
        }
        ConfigLoad cfg = ReadConfig(userPath_ + QStringLiteral("/ORV.cfg"), formats().FmtDate);
        QVERIFY(!cfg.warning);
        QCOMPARE(cfg.record.MLLastCol, 6);
        QVERIFY(!cfg.record.ShowWelcome);
        QFile ini(userPath_ + QStringLiteral("/ORV.ini"));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QVERIFY(ini.readAll().contains("[frmMain]"));
    }

    void saveWindowPositionsOffDeletesIni()
    {
        RecordingMessageSink sink;
        TfrmMain w(options());
        showAndSettle(w);
        const QString ini = userPath_ + QStringLiteral("/ORV.ini");
        QVERIFY(QFile::exists(ini));
        QAction* toggle = w.action(QStringLiteral("mmSaveWindowPositions"));
        QVERIFY(!toggle->isChecked());
        toggle->trigger();
        QVERIFY(appState().Config.SaveWindowPositions);
        toggle->trigger();
        QVERIFY(!appState().Config.SaveWindowPositions);
        QVERIFY(!QFile::exists(ini));
    }

    void swapPositionsExplains()
    {
        RecordingMessageSink sink;
        TfrmMain w(options());
        showAndSettle(w);
        sink.shown.clear();
        w.action(QStringLiteral("mmSwapPositions"))->trigger();
        QCOMPARE(sink.texts(),
                 QStringList{QStringLiteral("Use the Left mouse button to drag-and-drop from one position to another.")});
    }

    void aboutCutsLongPaths()
    {
        const QString longPath = QStringLiteral("/Home/") + QString(60, QLatin1Char('x')) + QStringLiteral("/DataTables/");
        TfrmAbout about(QStringLiteral("/Opt/Orvane/"), longPath);
        QCOMPARE(about.programLabel()->text(), QStringLiteral("/opt/orvane"));
        QVERIFY(about.programLabel()->toolTip().isEmpty());
        QVERIFY(about.dataLabel()->text().endsWith(QChar(0x2026)));
        QCOMPARE(about.dataLabel()->toolTip(), longPath.toLower().chopped(1));
        QVERIFY(about.dataLabel()->maximumWidth() <= TfrmAbout::kPathLabelWidth);
    }

    void dataPathInUseIsRefused()
    {
        // Another window has the data path: this one must say so, keep away from
        // the tables and leave ORV.cfg to the window that works on the data.
        {
            RecordingMessageSink sink;
            TfrmMain first(options());
            showAndSettle(first);
            first.close();
        }
        session::shutdown();
        appState().reset();
        ORVDataModule other;
        QVERIFY(other.open(userPath_ + QStringLiteral("/DataTables")).ok());
        const QString cfg = userPath_ + QStringLiteral("/ORV.cfg");
        QFile f(cfg);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray before = f.readAll();
        f.close();

        RecordingMessageSink sink;
        {
            TfrmMain second(options());
            showAndSettle(second);
            QVERIFY(!second.dataOpen());
            QTRY_VERIFY(!sink.texts().isEmpty());
            QVERIFY2(sink.texts().first().contains(QStringLiteral("already in use")), qPrintable(sink.texts().first()));
            QVERIFY(!second.action(QStringLiteral("mmSwapPositions"))->isEnabled());
            QVERIFY(second.action(QStringLiteral("mmSetNewDataPath"))->isEnabled());
            appState().Config.MLLastCol = 42;
            second.close();
        }
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
        QVERIFY(other.isOpen());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
