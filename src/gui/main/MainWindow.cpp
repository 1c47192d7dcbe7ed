#include "gui/main/MainWindow.h"

#include "core/base/Format.h"
#include "core/config/AppState.h"
#include "core/masterlist/Grid.h"
#include "core/portfolios/ActivePortfolio.h"
#include "core/config/Paths.h"
#include "core/config/Session.h"
#include "core/store/DataModule.h"
#include "core/store/MLDisplay.h"
#include "gui/base/MessageDlg.h"
#include "gui/base/TableStyle.h"
#include "gui/base/WindowPlacement.h"
#include "gui/main/Commands.h"
#include "gui/main/MenuTable.h"
#include "gui/main/StartupWindows.h"
#include "gui/masterlist/MasterListGrid.h"
#include "gui/masterlist/TableOptions.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QThread>
#include <QTimer>
#include <QToolBar>

namespace orv {

TfrmMain::TfrmMain(const MainWindowOptions& options, QWidget* parent)
    : QMainWindow(parent), options_(options)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Orvane"));
    if (options_.programPath.isEmpty())
        options_.programPath = QCoreApplication::applicationDirPath();
    buildMenus();
    buildSpeedBar();
    buildStatusBar();

    grid_ = new OvcTableMasterList(this);
    setCentralWidget(grid_);
    connect(grid_, &OvcTableMasterList::activeCellChanged, this, [this](int row, int col) {
        appState().Config.MLLastRow = row;
        appState().Config.MLLastCol = col;
        refreshStatusBar();
    });
    connect(grid_, &OvcTableMasterList::cellDropped, this, &TfrmMain::moveCell);
    connect(grid_, &OvcTableMasterList::cellDoubleClicked, this, &TfrmMain::gridDoubleClicked);
    connect(grid_, &OvcTableMasterList::cellRightReleased, this, &TfrmMain::gridRightReleased);

    // The sheet's own commands.
    provideCommand(QStringLiteral("mmDisplayAccountStatus"), [this] {
        mmDisplayAccountStatusClick(action(QStringLiteral("mmDisplayAccountStatus"))->isChecked());
    });
    provideCommand(QStringLiteral("mmOpenAccounts"), [this] { setAccountView(grid::ViewOpen); });
    provideCommand(QStringLiteral("mmClosedAccounts"), [this] { setAccountView(grid::ViewClosed); });
    provideCommand(QStringLiteral("mmBothAccounts"), [this] { setAccountView(grid::ViewBoth); });
    provideCommand(QStringLiteral("mmClearAccounts"), [this] { setAccountView(grid::ViewNone); });
    provideCommand(QStringLiteral("mmEraseTable"), [this] { mmEraseTableClick(); });
    provideCommand(QStringLiteral("mmTableOptions"), [this] { mmTableOptionsClick(); });

    installRegisteredCommands(*this);
    resize(1024, 720);
    runCreateHandler();
}

TfrmMain::~TfrmMain()
{
    if (splash_)
        delete splash_;
}

QAction* TfrmMain::action(const QString& objectName) const
{
    return actions_.value(objectName, nullptr);
}

QList<QAction*> TfrmMain::menuActions() const
{
    return actions_.values();
}

void TfrmMain::provideCommand(const QString& objectName, std::function<void()> run)
{
    QAction* a = action(objectName);
    Q_ASSERT_X(a, "provideCommand", qPrintable(objectName));
    if (!a)
        return;
    a->setProperty("available", true);
    connect(a, &QAction::triggered, this, [run = std::move(run)] { run(); });
    updateCommandStates();
}

QLabel* TfrmMain::statusPanel(int index) const
{
    return panels_.value(index, nullptr);
}

void TfrmMain::buildMenus()
{
    QHash<QString, QMenu*> menus;
    auto menuFor = [&](const char* top, const char* sub) {
        const QString topName = QString::fromLatin1(top);
        QMenu* m = menus.value(topName);
        if (!m) {
            m = menuBar()->addMenu(topName);
            menus.insert(topName, m);
        }
        if (!sub)
            return m;
        const QString key = topName + QLatin1Char('>') + QString::fromLatin1(sub);
        QMenu* s = menus.value(key);
        if (!s) {
            s = m->addMenu(QString::fromLatin1(sub));
            menus.insert(key, s);
        }
        return s;
    };

    for (int i = 0; i < kMainMenuCount; ++i) {
        const MenuCommand& c = kMainMenu[i];
        QMenu* m = menuFor(c.menu, c.submenu);
        if (!c.objectName) {
            m->addSeparator();
            continue;
        }
        QAction* a = m->addAction(QString::fromLatin1(c.caption));
        a->setObjectName(QString::fromLatin1(c.objectName));
        if (c.shortcut)
            a->setShortcut(QKeySequence(QString::fromLatin1(c.shortcut)));
        a->setCheckable(c.checkable);
        a->setEnabled(c.available);
        a->setProperty("available", c.available);
        actions_.insert(a->objectName(), a);
        if (a->objectName() == QLatin1String("mmSetNewDataPath")) {
            reopenMenu_ = m->addMenu(QStringLiteral("&Reopen"));
            reopenMenu_->setObjectName(QStringLiteral("mmReopen"));
        }
    }

    connect(action(QStringLiteral("mmSaveWindowPositions")), &QAction::toggled, this,
            &TfrmMain::mmSaveWindowPositionsClick);
    connect(action(QStringLiteral("mmSetNewDataPath")), &QAction::triggered, this, &TfrmMain::mmSetNewDataPathClick);
    connect(action(QStringLiteral("mmExit")), &QAction::triggered, this, &QWidget::close);
    connect(action(QStringLiteral("mmSwapPositions")), &QAction::triggered, this, &TfrmMain::mmSwapPositionsClick);
    connect(action(QStringLiteral("mmWelcome")), &QAction::triggered, this, &TfrmMain::mmWelcomeClick);
    connect(action(QStringLiteral("mmAboutWindows")), &QAction::triggered, this, &TfrmMain::mmAboutWindowsClick);
    connect(action(QStringLiteral("mmAboutORV")), &QAction::triggered, this, &TfrmMain::mmAboutORVClick);
}

void TfrmMain::buildSpeedBar()
{
    speedBar_ = addToolBar(QStringLiteral("Speed Buttons"));
    speedBar_->setObjectName(QStringLiteral("pnlSpeedButtons"));
    speedBar_->setMovable(false);
    speedBar_->setIconSize(QSize(22, 22));
    const QStyle::StandardPixmap icons[] = {
        QStyle::SP_DriveHDIcon,          QStyle::SP_DirHomeIcon,        QStyle::SP_ArrowDown,
        QStyle::SP_FileDialogContentsView, QStyle::SP_FileDialogDetailedView, QStyle::SP_FileDialogInfoView,
        QStyle::SP_FileDialogListView,   QStyle::SP_FileDialogNewFolder, QStyle::SP_FileIcon,
        QStyle::SP_DialogSaveButton,     QStyle::SP_BrowserReload,      QStyle::SP_FileDialogStart,
    };
    for (int i = 0; i < kSpeedButtonCount; ++i) {
        const SpeedButton& b = kSpeedButtons[i];
        if (i == 1 || i == 4 || i == 10)
            speedBar_->addSeparator();
        QAction* command = action(QString::fromLatin1(b.command));
        QAction* a = speedBar_->addAction(style()->standardIcon(icons[i]), QString::fromLatin1(b.hint));
        a->setObjectName(QString::fromLatin1(b.objectName));
        a->setToolTip(QString::fromLatin1(b.hint));
        a->setEnabled(command->isEnabled());
        connect(a, &QAction::triggered, command, &QAction::trigger);
        connect(command, &QAction::changed, a, [a, command] { a->setEnabled(command->isEnabled()); });
        actions_.insert(a->objectName(), a);
    }
}

void TfrmMain::buildStatusBar()
{
    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("stbMain"));
    setStatusBar(bar);
    const int widths[] = {100, 90, 97, 50};
    const char* names[] = {"pnlColRow", "pnlOpenAccounts", "pnlClosedAccounts", "pnlPortfolio"};
    for (int i = 0; i < 4; ++i) {
        auto* l = new QLabel(bar);
        l->setObjectName(QString::fromLatin1(names[i]));
        l->setMinimumWidth(widths[i]);
        if (i < 3)
            l->setFixedWidth(widths[i]);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        bar->addWidget(l, i == 3 ? 1 : 0);
        panels_.append(l);
    }
    panels_[1]->setText(QStringLiteral("Open Accounts"));
    panels_[2]->setText(QStringLiteral("Closed Accounts"));
    panels_[1]->setAlignment(Qt::AlignCenter);
    panels_[2]->setAlignment(Qt::AlignCenter);
    panels_[1]->hide();
    panels_[2]->hide();
}

void TfrmMain::refreshStatusBar()
{
    const AppState& s = appState();
    panels_[0]->setText(grid::colRowText(s.Config.MLLastCol, s.Config.MLLastRow));
    panels_[3]->setText(s.ActivePfCaption);
}

int TfrmMain::activeRow() const
{
    return appState().Config.MLLastRow;
}

int TfrmMain::activeCol() const
{
    return appState().Config.MLLastCol;
}

void TfrmMain::setActiveCell(int row, int col)
{
    appState().Config.MLLastRow = row;
    appState().Config.MLLastCol = col;
    if (grid_)
        grid_->setActiveCell(row, col);  // the sheet reports the cell it could take
    refreshStatusBar();
}

bool TfrmMain::SetCurrentEntryFromActiveCell()
{
    ORVDataModule* dm = session::dataModule();
    if (!dm)
        return false;
    Table& ml = dm->fftblMasterList();
    if (!ml.locate(QStringLiteral("ColNum;RowNum"), {activeCol(), activeRow()}))
        return false;
    AppState& s = appState();
    s.CurMLID = int(ml.intValue(QStringLiteral("MLID")));
    s.CurMLShortName = ml.stringValue(QStringLiteral("ShortName"));
    s.CurMLLongName = ml.stringValue(QStringLiteral("LongName"));
    s.CurMLType = ml.stringValue(QStringLiteral("Type"));
    return true;
}

bool TfrmMain::requireEntry(const QString& blankMessage)
{
    if (SetCurrentEntryFromActiveCell())
        return true;
    MessageDlgCtr(Message::warning(blankMessage.isEmpty() ? session::blankEntryMessage().text : blankMessage));
    return false;
}

bool TfrmMain::requirePortfolio()
{
    if (appState().ActivePfID != -1)
        return true;
    MessageDlgCtr(session::noPortfolioMessage());
    if (openPortfolioDirectory)
        openPortfolioDirectory();
    return false;
}

void TfrmMain::LoadHeadings()
{
    ORVDataModule* dm = session::dataModule();
    if (!dm) {
        grid_->gridModel()->setHeadings({});
        return;
    }
    if (Status st = grid::ensureHeadingRows(*dm); !st.ok())
        MessageDlgCtr(st.message());
    grid_->gridModel()->setHeadings(grid::loadHeadings(*dm));
}

void TfrmMain::LoadGrid()
{
    AppState& s = appState();
    const int row = s.Config.MLLastRow, col = s.Config.MLLastCol;
    if (ORVDataModule* dm = session::dataModule()) {
        const grid::LoadResult r = grid::LoadGrid(*dm, dm->MLDisplay, s.ActivePfID, s.Config.MLDisplayInvMarkerType);
        grid_->gridModel()->setDisplay(&dm->MLDisplay, r.rowLimit);
    } else {
        grid_->gridModel()->setDisplay(nullptr, grid::rowLimit(5));
    }
    grid_->setActiveCell(row, col);
    updateAccountPanels();
    refreshStatusBar();
}

void TfrmMain::ClearMarks()
{
    if (ORVDataModule* dm = session::dataModule())
        grid::ClearMarks(dm->MLDisplay);
    grid_->gridModel()->refreshCells();
}

void TfrmMain::MarkAccounts(int pfID)
{
    if (ORVDataModule* dm = session::dataModule())
        grid::MarkAccounts(*dm, dm->MLDisplay, pfID, appState().Config.MLDisplayInvMarkerType);
    applyMasterListOptions();  // the closed-account colour follows the options
}

void TfrmMain::RefreshAccountView()
{
    AppState& s = appState();
    if (s.Config.MLTableOptionsCurrent.DisplayInvStatus) {
        if (s.ActivePfID == -1)
            s.Config.MLDisplayInvMarkerType = grid::ViewNone;
        ClearMarks();
        MarkAccounts(s.ActivePfID);
    }
    updateAccountPanels();
    refreshStatusBar();
}

void TfrmMain::storeColumnWidths()
{
    grid_->storeColumnWidths(appState().Config.MLColWidths);
}

QColor TfrmMain::ClosedAccountColor() const
{
    const QColor selected = toQColor(appState().Config.MLTableOptionsCurrent.SelectedColor);
    return toQColor(grid::ClosedAccountColor(toWinColor(selected)));
}

void TfrmMain::applyMasterListOptions()
{
    const MLTableOptions& o = appState().Config.MLTableOptionsCurrent;
    ApplyTableOptions(grid_, o);
    const QColor open = toQColor(o.SelectedColor);
    const QColor closed = ClosedAccountColor();
    const QColor text = toQColor(o.SelectedTextColor);
    grid_->gridModel()->setAccountColors(o.DisplayInvStatus, open, closed, text);
    auto paint = [&](QLabel* l, const QColor& bg) {
        QPalette p = l->palette();
        p.setColor(QPalette::Window, bg);
        p.setColor(QPalette::WindowText, text);
        l->setPalette(p);
        l->setAutoFillBackground(true);
    };
    paint(panels_[1], open);
    paint(panels_[2], closed);
}

void TfrmMain::updateAccountPanels()
{
    const ConfigRecord& c = appState().Config;
    const bool on = c.MLTableOptionsCurrent.DisplayInvStatus;
    const int view = c.MLDisplayInvMarkerType;
    panels_[1]->setVisible(on && (view == grid::ViewOpen || view == grid::ViewBoth));
    panels_[2]->setVisible(on && (view == grid::ViewClosed || view == grid::ViewBoth));
    auto check = [this](const char* name, bool on) {
        QAction* a = action(QString::fromLatin1(name));
        QSignalBlocker block(a);
        a->setChecked(on);
    };
    check("mmDisplayAccountStatus", on);
    check("mmOpenAccounts", view == grid::ViewOpen);
    check("mmClosedAccounts", view == grid::ViewClosed);
    check("mmBothAccounts", view == grid::ViewBoth);
    updateCommandStates();
    grid_->gridModel()->refreshCells();
}

void TfrmMain::setAccountView(int view)
{
    AppState& s = appState();
    if (view != grid::ViewNone && !requirePortfolio()) {
        updateAccountPanels();  // the command's check goes back
        return;
    }
    ClearMarks();
    s.Config.MLDisplayInvMarkerType = quint8(view);
    MarkAccounts(s.ActivePfID);
    updateAccountPanels();
    grid_->setFocus();
}

void TfrmMain::mmDisplayAccountStatusClick(bool checked)
{
    appState().Config.MLTableOptionsCurrent.DisplayInvStatus = checked;
    applyMasterListOptions();
    RefreshAccountView();
}

void TfrmMain::moveCell(int srcCol, int srcRow, int dstCol, int dstRow)
{
    ORVDataModule* dm = session::dataModule();
    if (!dm)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Result<grid::MoveResult> moved = grid::moveEntry(*dm, srcCol, srcRow, dstCol, dstRow);
    QApplication::restoreOverrideCursor();
    if (!moved.ok()) {
        MessageDlgCtr(moved.message());
        return;
    }
    if (!moved.value().changed)
        return;
    appState().Config.MLLastRow = dstRow;
    appState().Config.MLLastCol = dstCol;
    LoadGrid();
}

void TfrmMain::gridDoubleClicked(int, int)
{
    QAction* graph = action(QStringLiteral("mmGraphSelected"));
    if (graph && graph->isEnabled())
        graph->trigger();
}

void TfrmMain::gridRightReleased(int row, int col)
{
    if (grid_->gridModel()->shortNameAt(row, col).trimmed().isEmpty()) {
        MessageDlgCtr(grid::blankQuickReportMessage());
        return;
    }
    QAction* report = action(QStringLiteral("mmQuickReport"));
    if (report && report->isEnabled())
        report->trigger();
}

void TfrmMain::mmEraseTableClick()
{
    ORVDataModule* dm = session::dataModule();
    if (!dm)
        return;
    if (MessageDlgCtr(grid::eraseTableQuestion()) != MR::OK)
        return;
    AppState& s = appState();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Status erased = grid::eraseAllData(*dm, s.ProgramPath + QStringLiteral("DBTemplates"),
                                             s.UserPath + QString::fromLatin1(kConfigFileName), formats().FmtDate,
                                             s.Config);
    reloadAfterTableExchange();
    QApplication::restoreOverrideCursor();
    if (!erased.ok())
        MessageDlgCtr(erased.message());
}

void TfrmMain::reloadAfterTableExchange()
{
    AppState& s = appState();
    {
        QAction* save = action(QStringLiteral("mmSaveWindowPositions"));
        QSignalBlocker block(save);
        save->setChecked(s.Config.SaveWindowPositions);
    }
    grid_->setColumnWidths(s.Config.MLColWidths);
    applyMasterListOptions();
    if (ORVDataModule* dm = session::dataModule()) {
        if (s.Config.SelectedPortfolioShort.trimmed().isEmpty()) {
            if (auto first = firstPortfolio(*dm))
                s.Config.SelectedPortfolioShort = first->ShortName.left(12);
        }
        SelectActivePortfolio(*dm, s, s.Config.SelectedPortfolioShort);
    }
    LoadHeadings();
    LoadGrid();
    RefreshAccountView();
    update();
}

void TfrmMain::mmTableOptionsClick()
{
    AppState& s = appState();
    TfrmEditTableOptions w(s.Config.MLTableOptionsCurrent, s.Config.MLTableOptionsDefault,
                           s.Config.RptTableOptionsCurrent, s.Config.RptTableOptionsDefault, this);
    w.onApply = [this](const MLTableOptions& o) {
        appState().Config.MLTableOptionsCurrent = o;
        applyMasterListOptions();
        RefreshAccountView();
    };
    RestoreWindowPlacement(&w, w.objectName(), s.Config.SaveWindowPositions);
    InitWindowPlacement(&w, w.objectName());
    const int result = w.exec();
    SaveWindowPlacement(&w, w.objectName());
    if (result == QDialog::Accepted)
        s.Config.RptTableOptionsCurrent = w.reportOptions();
}

void TfrmMain::runCreateHandler()
{
    // 1. Splash screen first, and the time it went up.
    QElapsedTimer clock;
    clock.start();
    splashStartMs_ = QDateTime::currentMSecsSinceEpoch();
    if (options_.showSplash) {
        splash_ = new SplashScreen();
        splash_->show();
        QCoreApplication::processEvents();
    }

    // 2-6. Folders, first start, alias, shared formats and the settings record.
    QList<Message> warnings;
    session::createHandler(options_.programPath, &warnings);
    pendingWarnings_.append(warnings);

    // 7. Menu check and the main window's own placement.
    AppState& s = appState();
    {
        QSignalBlocker block(action(QStringLiteral("mmSaveWindowPositions")));
        action(QStringLiteral("mmSaveWindowPositions"))->setChecked(s.Config.SaveWindowPositions);
    }
    grid_->setColumnWidths(s.Config.MLColWidths);
    applyMasterListOptions();
    RestoreWindowPlacement(this, QStringLiteral("frmMain"), s.Config.SaveWindowPositions);
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!showHandled_) {
        showHandled_ = true;
        runShowHandler();
    }
}

void TfrmMain::runShowHandler()
{
    showHandled_ = true;
    auto opened = session::openDataPath();
    if (!opened.ok()) {
        dataOpen_ = false;
        pendingWarnings_.append(opened.message());
    } else {
        dataOpen_ = true;
        warnTemplates_ = opened.value();
    }
    // Headings, sheet and account display (show steps 5 and 6).
    reloadAfterTableExchange();
    updateCommandStates();
    refreshStatusBar();

    // Keep the splash screen up for its minimum time, counted from its start.
    if (splash_) {
        const qint64 elapsed = QDateTime::currentMSecsSinceEpoch() - splashStartMs_;
        const qint64 rest = options_.splashMinimumMs - elapsed;
        if (rest > 0) {
            QElapsedTimer wait;
            wait.start();
            while (wait.elapsed() < rest) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
                QThread::msleep(20);
            }
        }
        splash_->close();
        delete splash_;
    }
    fillReopenMenu();
    InitWindowPlacement(this, QStringLiteral("frmMain"));
    QTimer::singleShot(0, this, [this] { if (!painted_) firstPaint(); });
}

void TfrmMain::paintEvent(QPaintEvent* event)
{
    QMainWindow::paintEvent(event);
    if (!painted_ && showHandled_)
        QTimer::singleShot(0, this, [this] { if (!painted_) firstPaint(); });
}

void TfrmMain::firstPaint()
{
    painted_ = true;
    refreshStatusBar();
    for (const Message& m : std::as_const(pendingWarnings_))
        MessageDlgCtr(m);
    pendingWarnings_.clear();
    if (warnTemplates_) {
        warnTemplates_ = false;
        MessageDlgCtr(session::templatesCreatedWarning());
    }
    if (appState().Config.ShowWelcome)
        mmWelcomeClick();
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    storeColumnWidths();
    const Status written = session::closeHandler();
    if (!written.ok())
        MessageDlgCtr(written.message());
    SaveWindowPlacement(this, QStringLiteral("frmMain"));
    event->accept();
}

void TfrmMain::updateCommandStates()
{
    // Commands that work on the tables need an open data path; the rest stay
    // as the menu table built them.
    for (QAction* a : std::as_const(actions_)) {
        if (!a->property("available").isValid())
            continue;
        const bool available = a->property("available").toBool();
        const QString name = a->objectName();
        const bool needsNoData = name == QLatin1String("mmSaveWindowPositions") ||
                                 name == QLatin1String("mmSetNewDataPath") || name == QLatin1String("mmExit") ||
                                 name.startsWith(QLatin1String("mmAbout")) || name == QLatin1String("mmWelcome");
        a->setEnabled(available && (dataOpen_ || needsNoData));
    }
    // The account views work only while the account status is displayed.
    const bool marking = appState().Config.MLTableOptionsCurrent.DisplayInvStatus;
    for (const char* name : {"mmOpenAccounts", "mmClosedAccounts", "mmBothAccounts", "mmClearAccounts"}) {
        if (QAction* a = action(QString::fromLatin1(name)); a && !marking)
            a->setEnabled(false);
    }
}

void TfrmMain::fillReopenMenu()
{
    reopenMenu_->clear();
    const QStringList paths = session::reopenList();
    for (const QString& p : paths) {
        QAction* a = reopenMenu_->addAction(p);
        a->setData(p);
        connect(a, &QAction::triggered, this, [this, p] { switchDataPath(p); });
    }
    reopenMenu_->setEnabled(!paths.isEmpty());
}

void TfrmMain::switchDataPath(const QString& path)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto switched = session::switchDataPath(path, [](const Message& m) {
        // The warning is shown before the missing tables are created; the
        // hourglass must not hide the box.
        QApplication::restoreOverrideCursor();
        MessageDlgCtr(m);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    });
    QApplication::restoreOverrideCursor();
    dataOpen_ = switched.ok();
    if (!switched.ok())
        MessageDlgCtr(switched.message());
    reloadAfterTableExchange();
    updateCommandStates();
    fillReopenMenu();
    refreshStatusBar();
    update();
}

void TfrmMain::mmSaveWindowPositionsClick(bool checked)
{
    session::setSaveWindowPositions(checked);
}

void TfrmMain::mmSetNewDataPathClick()
{
    const QString current = session::currentDataPathForDisplay();
    QFileDialog dlg(this, QStringLiteral("Select New Data Path"));
    dlg.setFileMode(QFileDialog::Directory);
    dlg.setOption(QFileDialog::ShowDirsOnly, true);
    dlg.setOption(QFileDialog::DontUseNativeDialog, true);
    dlg.setDirectory(current);
    dlg.setLabelText(QFileDialog::LookIn, QStringLiteral("Current Path: ") + current);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return;
    switchDataPath(orv::withoutTrailingSeparator(dlg.selectedFiles().constFirst()));
}

void TfrmMain::mmSwapPositionsClick()
{
    MessageDlgCtr(session::swapPositionsHint());
}

void TfrmMain::mmWelcomeClick()
{
    AppState& s = appState();
    TfrmWelcome w(s.Config.ShowWelcome, this);
    RestoreWindowPlacement(&w, w.objectName(), s.Config.SaveWindowPositions);
    InitWindowPlacement(&w, w.objectName());
    w.exec();
    SaveWindowPlacement(&w, w.objectName());
    s.Config.ShowWelcome = w.showWelcome();
}

void TfrmMain::mmAboutWindowsClick()
{
    QApplication::aboutQt();
}

void TfrmMain::mmAboutORVClick()
{
    const AppState& s = appState();
    TfrmAbout about(s.ProgramPath, s.DataPath, this);
    RestoreWindowPlacement(&about, about.objectName(), s.Config.SaveWindowPositions);
    InitWindowPlacement(&about, about.objectName());
    about.exec();
    SaveWindowPlacement(&about, about.objectName());
}

}  // namespace orv
