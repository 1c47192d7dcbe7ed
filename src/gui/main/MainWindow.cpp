#include "gui/main/MainWindow.h"

#include "core/config/AppState.h"
#include "core/config/Paths.h"
#include "core/config/Session.h"
#include "core/store/DataModule.h"
#include "core/store/MLDisplay.h"
#include "gui/base/MessageDlg.h"
#include "gui/base/WindowPlacement.h"
#include "gui/main/Commands.h"
#include "gui/main/MenuTable.h"
#include "gui/main/StartupWindows.h"

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
    panels_[0]->setText(QStringLiteral(" Col:Row  %1:%2").arg(s.Config.MLLastCol + 1).arg(s.Config.MLLastRow));
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
}

void TfrmMain::LoadGrid()
{
    if (ORVDataModule* dm = session::dataModule())
        fillMLDisplay(*dm, dm->MLDisplay);
    refreshStatusBar();
}

void TfrmMain::RefreshAccountView()
{
    refreshStatusBar();
}

void TfrmMain::storeColumnWidths()
{
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
