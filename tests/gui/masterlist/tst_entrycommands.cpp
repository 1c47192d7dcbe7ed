// Guards the Edit > Master List commands of the main window: each refuses with
// its exact message where the documents say (an occupied cell for New Entry, an
// empty table for Edit Table Entries, a blank cell for Delete Entry and Asset
// Allocation) and otherwise opens its window; Edit Table Entries leaves the
// Master List back on its grid order with the post rule switched off.
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

class TestEntryCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void commands_data()
    {
        QTest::addColumn<bool>("withEntry");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("message");  // empty: the window opens
        QTest::addColumn<QString>("window");
        QTest::newRow("new entry on an entry") << true << 1 << "mmNewEntry"
                                               << "First place the highlight over a blank area on the Master List." << "";
        QTest::newRow("new entry on a blank cell") << true << 2 << "mmNewEntry" << "" << "frmMLEditNewEntry";
        QTest::newRow("edit an empty table") << false << 1 << "mmEditTableEntries"
                                             << "Can't edit an empty table.  Choose New Entry." << "";
        QTest::newRow("edit table entries") << true << 3 << "mmEditTableEntries" << "" << "frmMLEditTableEntries";
        QTest::newRow("delete a blank cell") << true << 2 << "mmDeleteEntry" << "Can't delete a blank entry." << "";
        QTest::newRow("delete an entry") << true << 1 << "mmDeleteEntry" << "" << "frmMLDeleteEntry";
        QTest::newRow("allocations of a blank cell") << true << 2 << "mmAssetAllocation"
                                                     << "Can't edit allocations for a blank entry." << "";
        QTest::newRow("allocations of an entry") << true << 1 << "mmAssetAllocation" << "" << "frmMLEditAllocations";
        QTest::newRow("column headings") << false << 1 << "mmColumnHeadings" << "" << "frmMLEditColHd";
    }
    void commands()
    {
        QFETCH(bool, withEntry);
        QFETCH(int, row);
        QFETCH(QString, command);
        QFETCH(QString, message);
        QFETCH(QString, window);

        QTemporaryDir tmp;
        const QString programPath = tmp.filePath("program");
        QDir().mkpath(programPath + "/DBTemplates");
        const QDir templates(QStringLiteral(ORV_BIN_DIR "/DBTemplates"));
        for (const QString& f : templates.entryList({"*.FF2"}))
            QVERIFY(QFile::copy(templates.filePath(f), programPath + "/DBTemplates/" + f));
        qputenv("ORV_USER_PATH", tmp.filePath("user").toLocal8Bit());
        appState().reset();
        initSharedFormats(QLocale(QLocale::English, QLocale::UnitedStates));

        QStringList opened;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                opened << d->objectName();
                d->done(QDialog::Rejected);
            }
        });
        closer.start(20);
        RecordingMessageSink sink;
        {
            MainWindowOptions o;
            o.programPath = programPath;
            o.splashMinimumMs = 0;
            o.showSplash = false;
            TfrmMain w(o);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QTest::qWait(200);
            ORVDataModule* dm = session::dataModule();
            QVERIFY(dm);
            if (withEntry) {
                MasterListRec e;
                e.ShortName = "Alpha";
                e.Type = "Mutual Fund";
                e.RowNum = 1;
                e.ColNum = 0;
                QVERIFY(store::insertMasterList(*dm, e).ok());
                w.LoadGrid();
            }
            opened.clear();
            sink.shown.clear();
            w.setActiveCell(row, 0);
            QAction* a = w.action(command);
            QVERIFY(a && a->isEnabled());
            a->trigger();
            QTest::qWait(50);
            if (message.isEmpty()) {
                QVERIFY2(sink.shown.isEmpty(), qPrintable(sink.texts().join('|')));
                QCOMPARE(opened, QStringList{window});
            } else {
                QCOMPARE(sink.texts(), QStringList{message});
                QVERIFY(opened.isEmpty());
            }
            QVERIFY(!dm->MLValidationOn);
            QCOMPARE(dm->fftblMasterList().indexName(), QString("IndxColRow"));
            QCOMPARE(int(store::masterList(*dm).size()), withEntry ? 1 : 0);
            w.close();
        }
        closer.stop();
        session::shutdown();
        appState().reset();
    }
};

QTEST_MAIN(TestEntryCommands)
#include "tst_entrycommands.moc"
