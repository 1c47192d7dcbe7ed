// Guards the main window's Master List sheet: entries, headings, row limit, row
// height and column widths shown or stored wrongly; the active cell not reaching
// the status bar or the current entry; a drop that does not move (or swap)
// entries or accepts cells of another grid; the missing message for a right click
// on a blank cell; account marks shown in the wrong colours or panels, or view
// commands that work without a portfolio; Table Options whose Cancel keeps report
// colours or whose Apply does not reach the grid; and Erase Table that erases on
// Cancel or leaves data or settings behind on OK.
#include <QtTest>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "core/base/Format.h"
#include "core/base/TBXSubs.h"
#include "core/config/AppState.h"
#include "core/config/ConfigFile.h"
#include "core/config/Session.h"
#include "core/masterlist/Grid.h"
#include "core/portfolios/ActivePortfolio.h"
#include "core/store/DataModule.h"
#include "core/store/Records.h"
#include "gui/base/MessageDlg.h"
#include "gui/base/TableStyle.h"
#include "gui/main/MainWindow.h"
#include "gui/masterlist/MasterListGrid.h"
#include "gui/masterlist/TableOptions.h"

using namespace orv;

class TestGridWindow : public QObject {
    Q_OBJECT
private:
    QTemporaryDir* tmp_ = nullptr;
    QString programPath_;
    QString userPath_;
    QTimer* welcomeCloser_ = nullptr;

    MainWindowOptions options() const
    {
        MainWindowOptions o;
        o.programPath = programPath_;
        o.splashMinimumMs = 0;
        o.showSplash = false;
        return o;
    }

    void showAndSettle(TfrmMain& w)
    {
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::qWait(100);
        // The first start's template warning is not what these tests look at.
        if (auto* sink = dynamic_cast<RecordingMessageSink*>(setMessageSink(nullptr))) {
            sink->shown.clear();
            setMessageSink(sink);
        }
    }

    static ORVDataModule& dm() { return *session::dataModule(); }

    static int addEntry(const QString& name, int col, int row)
    {
        MasterListRec r;
        r.ShortName = name;
        r.LongName = name + QStringLiteral(" long");
        r.Type = QStringLiteral("Mutual Fund");
        r.ColNum = col;
        r.RowNum = row;
        auto id = store::insertMasterList(dm(), r);
        return id.ok() ? int(id.value()) : -1;
    }

    static QPair<int, int> cellOf(int mlID)
    {
        auto e = store::masterListEntry(dm(), mlID);
        return e ? qMakePair(e->ColNum, e->RowNum) : qMakePair(-1, -1);
    }

    // Centre of a sheet cell (row 1-based) in the grid's viewport.
    static QPoint cellPos(OvcTableMasterList* g, int row, int col)
    {
        return g->visualRect(g->model()->index(row - 1, col)).center();
    }

    static void drop(OvcTableMasterList* g, quintptr from, int srcCol, int srcRow, int dstRow, int dstCol)
    {
        QMimeData mime;
        mime.setData(QString::fromLatin1(kMLCellMimeType),
                     QStringLiteral("%1;%2;%3").arg(from).arg(srcCol).arg(srcRow).toLatin1());
        // Synthesized drop events are not delivered without a drag in progress;
        // the grid's drop handler is called as its drop event calls it.
        g->dropCell(&mime, cellPos(g, dstRow, dstCol));
    }

    // Runs `inside` on the Table Options window once it is up.
    static void whenTableOptionsOpen(std::function<void(TfrmEditTableOptions&)> inside)
    {
        auto* timer = new QTimer;
        QObject::connect(timer, &QTimer::timeout, timer, [timer, inside] {
            if (auto* w = qobject_cast<TfrmEditTableOptions*>(QApplication::activeModalWidget())) {
                timer->stop();
                timer->deleteLater();
                inside(*w);
            }
        });
        timer->start(20);
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
        welcomeCloser_ = new QTimer(this);
        connect(welcomeCloser_, &QTimer::timeout, this, [] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                if (d->objectName() == QLatin1String("frmWelcome"))
                    d->accept();
        });
        welcomeCloser_->start(20);
    }
    void cleanup()
    {
        delete welcomeCloser_;
        session::shutdown();
        appState().reset();
        delete tmp_;
    }

    void showsEntriesAndHeadings()
    {
        RecordingMessageSink sink;
        TfrmMain w(options());
        showAndSettle(w);
        OvcTableMasterList* g = w.masterListGrid();
        QCOMPARE(g->objectName(), QStringLiteral("OvcTableMasterList"));
        QCOMPARE(g->gridModel()->rowLimit(), 16);  // empty list

        addEntry(QStringLiteral("Alpha"), 0, 1);
        addEntry(QStringLiteral("AVeryLongShortNm"), 2, 30);
        QVERIFY(dm().exec(QStringLiteral("UPDATE %1 SET Heading = 'Aggressive' WHERE ColNum = 1")
                              .arg(ORVDataModule::qualified(store::TableId::MasterListColHdrs)))
                    .ok());
        dm().touch(store::TableId::MasterListColHdrs);
        w.LoadHeadings();
        w.LoadGrid();
        QCOMPARE(g->gridModel()->rowLimit(), 41);
        QCOMPARE(g->model()->rowCount(), 40);  // data rows 1..40 under the heading row
        QCOMPARE(g->model()->columnCount(), 100);
        QCOMPARE(g->model()->index(0, 0).data().toString(), QStringLiteral("Alpha"));
        QCOMPARE(g->model()->index(29, 2).data().toString(), QStringLiteral("AVeryLongShortNm"));
        QCOMPARE(g->model()->index(39, 99).data().toString(), QString());
        QCOMPARE(g->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Aggressive"));
        QCOMPARE(g->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Column 2"));
        QCOMPARE(g->model()->headerData(99, Qt::Horizontal).toString(), QStringLiteral("Column 100"));
        QVERIFY(g->model()->headerData(0, Qt::Horizontal, Qt::FontRole).value<QFont>().bold());
        QCOMPARE(store::countInRange(dm(), store::TableId::MasterListColHdrs, QStringLiteral("IndxColNum"), {}), 100);
        QCOMPARE(g->rowHeight(5), 20);
    }

    void columnWidthsReadAndStored()
    {
        RecordingMessageSink sink;
        {
            TfrmMain w(options());
            showAndSettle(w);
            OvcTableMasterList* g = w.masterListGrid();
            QCOMPARE(g->columnWidth(0), 80);
            g->setColumnWidth(3, 140);
            w.storeColumnWidths();
            QCOMPARE(appState().Config.MLColWidths[3], 140);
            w.close();
        }
        // The width reached ORV.cfg and comes back in the next run.
        const ConfigLoad cfg = ReadConfig(userPath_ + QStringLiteral("/ORV.cfg"), formats().FmtDate);
        QCOMPARE(cfg.record.MLColWidths[3], 140);
        session::shutdown();
        appState().reset();
        TfrmMain again(options());
        QCOMPARE(again.masterListGrid()->columnWidth(3), 140);
    }

    void activeCellReachesStatusAndCurrentEntry()
    {
        RecordingMessageSink sink;
        TfrmMain w(options());
        showAndSettle(w);
        addEntry(QStringLiteral("Beta"), 2, 4);
        w.LoadGrid();
        OvcTableMasterList* g = w.masterListGrid();
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cellPos(g, 4, 2));
        QCOMPARE(w.activeRow(), 4);
        QCOMPARE(w.activeCol(), 2);
        QCOMPARE(appState().Config.MLLastRow, 4);
        QCOMPARE(w.statusPanel(0)->text(), QStringLiteral(" Col:Row  3:4"));
        QVERIFY(w.SetCurrentEntryFromActiveCell());
        QCOMPARE(appState().CurMLShortName, QStringLiteral("Beta"));
        w.setActiveCell(2, 2);
        QCOMPARE(g->activeRow(), 2);
        QVERIFY(!w.SetCurrentEntryFromActiveCell());
    }

    void dropMovesEntries()
    {
        RecordingMessageSink sink;
        TfrmMain w(options());
        showAndSettle(w);
        const int a = addEntry(QStringLiteral("A"), 0, 1);
        const int b = addEntry(QStringLiteral("B"), 1, 2);
        w.LoadGrid();
        OvcTableMasterList* g = w.masterListGrid();

        drop(g, quintptr(g), 0, 1, 2, 1);  // A onto B: swap
        QVERIFY2(sink.texts().isEmpty(), qPrintable(sink.texts().join('|')));
        QCOMPARE(cellOf(a), qMakePair(1, 2));
        QCOMPARE(cellOf(b), qMakePair(0, 1));
        QCOMPARE(g->model()->index(0, 0).data().toString(), QStringLiteral("B"));
        QCOMPARE(g->model()->index(1, 1).data().toString(), QStringLiteral("A"));

        drop(g, quintptr(g), 1, 2, 5, 3);  // A to a blank cell
        QCOMPARE(cellOf(a), qMakePair(3, 5));
        QCOMPARE(g->model()->index(4, 3).data().toString(), QStringLiteral("A"));

        drop(g, quintptr(&w), 3, 5, 1, 0);  // a cell of another grid is not taken
        QCOMPARE(cellOf(a), qMakePair(3, 5));
        QCOMPARE(cellOf(b), qMakePair(0, 1));
        QVERIFY(sink.texts().isEmpty());
    }

    void rightClickOnBlankCell()
    {
        RecordingMessageSink sink;
        TfrmMain w(options());
        showAndSettle(w);
        OvcTableMasterList* g = w.masterListGrid();
        QTest::mouseClick(g->viewport(), Qt::RightButton, {}, cellPos(g, 3, 2));
        QCOMPARE(sink.texts(), QStringList{QStringLiteral("No data on blank entry.")});
        QCOMPARE(sink.shown.first().type, MsgType::Warning);
        QCOMPARE(w.activeRow(), 3);
    }

    void accountMarks()
    {
        RecordingMessageSink sink;
        TfrmMain w(options());
        showAndSettle(w);
        const int open = addEntry(QStringLiteral("Open"), 0, 1);
        const int closed = addEntry(QStringLiteral("Closed"), 1, 1);
        w.LoadGrid();
        QAction* display = w.action(QStringLiteral("mmDisplayAccountStatus"));
        QAction* openView = w.action(QStringLiteral("mmOpenAccounts"));
        QAction* bothView = w.action(QStringLiteral("mmBothAccounts"));
        QVERIFY(display->isEnabled());
        QVERIFY2(!openView->isEnabled(), "views need the account status displayed");
        int directoryOpened = 0;
        w.openPortfolioDirectory = [&directoryOpened] { ++directoryOpened; };

        display->trigger();
        QVERIFY(appState().Config.MLTableOptionsCurrent.DisplayInvStatus);
        QVERIFY(openView->isEnabled());
        // Without a portfolio a view is refused.
        openView->trigger();
        QCOMPARE(sink.texts(), QStringList{QStringLiteral("A portfolio has not been selected yet.")});
        QCOMPARE(directoryOpened, 1);
        QCOMPARE(int(appState().Config.MLDisplayInvMarkerType), 0);
        QVERIFY(!openView->isChecked());

        PortfolioRec pf;
        pf.ShortName = QStringLiteral("IRA");
        const int pfID = int(store::insertPortfolio(dm(), pf).value());
        for (auto [ml, shares] : {std::pair{open, 12.5}, std::pair{closed, 0.0}}) {
            TransxSummaryRec h{pfID, ml, shares, QStringLiteral("All"), {}, {}};
            QVERIFY(store::insertRow(dm(), store::TableId::TransxSummary, store::toFields(h)).ok());
        }
        QVERIFY(SelectActivePortfolio(dm(), appState(), QStringLiteral("IRA")));
        w.RefreshAccountView();
        QCOMPARE(w.statusPanel(3)->text(), QStringLiteral(" IRA"));

        OvcTableMasterList* g = w.masterListGrid();
        const QColor aqua = toQColor(appState().Config.MLTableOptionsCurrent.SelectedColor);
        openView->trigger();
        QCOMPARE(int(appState().Config.MLDisplayInvMarkerType), 1);
        QCOMPARE(g->model()->index(0, 0).data(Qt::BackgroundRole).value<QColor>(), aqua);
        QVERIFY(!g->model()->index(0, 1).data(Qt::BackgroundRole).isValid());
        QVERIFY(w.statusPanel(1)->isVisible());
        QVERIFY(!w.statusPanel(2)->isVisible());

        bothView->trigger();
        QVERIFY(bothView->isChecked());
        QCOMPARE(g->model()->index(0, 1).data(Qt::BackgroundRole).value<QColor>(), w.ClosedAccountColor());
        QVERIFY(w.ClosedAccountColor() != aqua);
        QVERIFY(w.statusPanel(1)->isVisible());
        QVERIFY(w.statusPanel(2)->isVisible());
        QCOMPARE(w.statusPanel(2)->palette().color(QPalette::Window), w.ClosedAccountColor());

        // Display off: no marks shown, panels hidden, views disabled.
        display->trigger();
        QVERIFY(!g->model()->index(0, 0).data(Qt::BackgroundRole).isValid());
        QVERIFY(!w.statusPanel(1)->isVisible());
        QVERIFY(!w.statusPanel(2)->isVisible());
        QVERIFY(!bothView->isEnabled());
    }

    void tableOptions_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("Apply then Cancel") << false;
        QTest::newRow("OK") << true;
    }
    void tableOptions()
    {
        QFETCH(bool, ok);
        RecordingMessageSink sink;
        TfrmMain w(options());
        showAndSettle(w);
        const ReportTableOptions reportBefore = appState().Config.RptTableOptionsCurrent;
        whenTableOptionsOpen([ok](TfrmEditTableOptions& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Table Options"));
            d.chooseColor = [](const QColor&, const QString&) { return QColor(200, 10, 10); };
            d.findChild<QPushButton*>(QStringLiteral("btnTableColor"))->click();
            d.findChild<QPushButton*>(QStringLiteral("btnrptTableColor"))->click();
            d.findChild<QCheckBox*>(QStringLiteral("cbGridVisible"))->setChecked(false);
            if (!ok)
                d.findChild<QPushButton*>(QStringLiteral("btnApply"))->click();
            d.findChild<QPushButton*>(ok ? QStringLiteral("bbtnOK") : QStringLiteral("bbtnCancel"))->click();
        });
        w.action(QStringLiteral("mmTableOptions"))->trigger();
        const ConfigRecord& c = appState().Config;
        // The Master List block was applied either way and reached the grid.
        QCOMPARE(c.MLTableOptionsCurrent.TableColor, rgbColor(200, 10, 10));
        QVERIFY(!c.MLTableOptionsCurrent.GridVisible);
        QCOMPARE(w.masterListGrid()->palette().color(QPalette::Base), QColor(200, 10, 10));
        QVERIFY(!w.masterListGrid()->showGrid());
        // The report block changes only with OK.
        if (ok)
            QCOMPARE(c.RptTableOptionsCurrent.TableColor, rgbColor(200, 10, 10));
        else
            QVERIFY(c.RptTableOptionsCurrent == reportBefore);
    }

    void tableOptionsRestoreDefaults()
    {
        MLTableOptions changed;
        changed.TableColor = rgbColor(1, 2, 3);
        changed.GridStyle = 3;
        ReportTableOptions rptChanged;
        rptChanged.ActiveCellColor = rgbColor(9, 9, 9);
        TfrmEditTableOptions d(changed, MLTableOptions{}, rptChanged, ReportTableOptions{});
        QCOMPARE(d.mlOptions(), changed);
        QCOMPARE(d.panelColor(QStringLiteral("TableColor")), QColor(1, 2, 3));
        d.btnMLDefaultsClick();
        QCOMPARE(d.mlOptions(), MLTableOptions{});
        QCOMPARE(d.reportOptions(), rptChanged);  // the other page keeps its controls
        d.btnRptDefaultsClick();
        QCOMPARE(d.reportOptions(), ReportTableOptions{});
    }

    void reportTableOptionsApplied()
    {
        QTableView view;
        ReportTableOptions o;
        o.GridVisible = true;
        o.GridColor = rgbColor(10, 200, 30);
        o.GridStyle = 2;
        ApplyTableOptions(&view, o);
        QCOMPARE(view.palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(view.palette().color(QPalette::Inactive, QPalette::Highlight), QColor(Qt::yellow));
        QCOMPARE(gridLineColor(&view), QColor(10, 200, 30));
        QCOMPARE(view.gridStyle(), Qt::DotLine);
        QCOMPARE(activeCellColors(&view).background, QColor(0, 0, 128));
        // System colours come from the palette.
        QCOMPARE(toQColor(wincolor::BtnFace, view.palette()), view.palette().color(QPalette::Button));
    }

    void eraseTable_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("Cancel keeps everything") << int(MR::Cancel);
        QTest::newRow("OK erases") << int(MR::OK);
    }
    void eraseTable()
    {
        QFETCH(int, answer);
        RecordingMessageSink sink;
        TfrmMain w(options());
        showAndSettle(w);
        addEntry(QStringLiteral("A"), 0, 30);
        w.LoadGrid();
        w.setActiveCell(7, 3);
        appState().Config.MLTableOptionsCurrent.TableColor = rgbColor(5, 5, 5);
        sink.answers = {answer};
        w.action(QStringLiteral("mmEraseTable"))->trigger();
        QCOMPARE(sink.texts().value(0), grid::eraseTableQuestion().text);
        QCOMPARE(sink.shown.value(0).type, MsgType::Warning);
        QCOMPARE(sink.shown.value(0).buttons, Btn::OK | Btn::Cancel);
        if (answer == MR::Cancel) {
            QCOMPARE(int(store::masterList(dm()).size()), 1);
            QCOMPARE(w.masterListGrid()->gridModel()->rowLimit(), 41);
            QCOMPARE(appState().Config.MLTableOptionsCurrent.TableColor, rgbColor(5, 5, 5));
        } else {
            QVERIFY(store::masterList(dm()).empty());
            QCOMPARE(w.masterListGrid()->gridModel()->rowLimit(), 16);
            QCOMPARE(w.masterListGrid()->model()->index(0, 0).data().toString(), QString());
            QCOMPARE(appState().Config.MLTableOptionsCurrent, MLTableOptions{});
            QCOMPARE(w.activeRow(), 1);
            QCOMPARE(w.statusPanel(0)->text(), QStringLiteral(" Col:Row  1:1"));
            QCOMPARE(sink.texts().size(), 1);
            // New entries can be made at once.
            QVERIFY(addEntry(QStringLiteral("New"), 0, 1) > 0);
        }
    }
};

QTEST_MAIN(TestGridWindow)
#include "tst_gridwindow.moc"
