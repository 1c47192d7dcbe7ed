// Guards the Edit menu's price commands in the main window against: "Prices -
// Active Column" opening on an empty column instead of warning "No entries in
// that column.", "Prices - Selected Entry" opening on a blank cell, and the
// commands staying disabled (or unconnected) while data are open.
#include <QtTest>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>
#include <QTimer>

#include "core/base/Format.h"
#include "core/config/AppState.h"
#include "core/config/Session.h"
#include "core/store/DataModule.h"
#include "core/store/Records.h"
#include "gui/base/MessageDlg.h"
#include "gui/main/MainWindow.h"

using namespace orv;

class TestPriceCommands : public QObject {
    Q_OBJECT
private:
    QTemporaryDir* tmp_ = nullptr;
    QString programPath_;
    QStringList opened_;
    QTimer* closer_ = nullptr;

private Q_SLOTS:
    void init()
    {
        tmp_ = new QTemporaryDir;
        programPath_ = tmp_->filePath("program");
        QDir().mkpath(programPath_ + "/DBTemplates");
        const QDir templates(QStringLiteral(ORV_BIN_DIR "/DBTemplates"));
        for (const QString& f : templates.entryList({"*.FF2"}))
            QVERIFY(QFile::copy(templates.filePath(f), programPath_ + "/DBTemplates/" + f));
        qputenv("ORV_USER_PATH", tmp_->filePath("user").toLocal8Bit());
        appState().reset();
        initSharedFormats(QLocale(QLocale::English, QLocale::UnitedStates));
        // Modal windows are recorded by object name and closed.
        opened_.clear();
        closer_ = new QTimer(this);
        connect(closer_, &QTimer::timeout, this, [this] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                opened_ << d->objectName();
                d->reject();
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

    void commands()
    {
        RecordingMessageSink sink;
        MainWindowOptions o;
        o.programPath = programPath_;
        o.splashMinimumMs = 0;
        o.showSplash = false;
        TfrmMain w(o);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::qWait(100);
        QVERIFY(w.dataOpen());
        MasterListRec e;
        e.ShortName = "Fund";
        e.Type = "Mutual Fund";
        e.RowNum = 1;
        e.ColNum = 0;
        QVERIFY(store::insertMasterList(*session::dataModule(), e).ok());
        w.LoadGrid();
        for (const char* name : {"mmPricesSelected", "mmPricesActiveColumn", "mmPricesAll", "mmResetAdjPrices"})
            QVERIFY2(w.action(name)->isEnabled(), name);

        sink.shown.clear();
        opened_.clear();
        w.setActiveCell(1, 4);
        w.action("mmPricesActiveColumn")->trigger();
        QCOMPARE(sink.texts(), QStringList{"No entries in that column."});
        QCOMPARE(sink.shown.first().type, MsgType::Warning);
        w.action("mmPricesSelected")->trigger();
        QCOMPARE(sink.texts().size(), 2);  // the blank-entry warning
        QTest::qWait(50);
        QVERIFY(opened_.isEmpty());

        sink.shown.clear();
        w.setActiveCell(1, 0);
        w.action("mmPricesActiveColumn")->trigger();
        w.action("mmPricesSelected")->trigger();
        w.action("mmPricesAll")->trigger();
        w.action("mmResetAdjPrices")->trigger();
        QCOMPARE(opened_, (QStringList{"frmPricesActiveColumn", "frmPricesOneFund", "frmPricesAllFundsAlpha",
                                       "frmResetAdjPrices"}));
        QCOMPARE(appState().CurMLShortName.trimmed(), QStringLiteral("Fund"));
        QVERIFY(sink.shown.isEmpty());
    }
};

QTEST_MAIN(TestPriceCommands)
#include "tst_pricecommands.moc"
