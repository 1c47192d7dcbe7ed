#pragma once
// TfrmMain: the main window. It owns the main menu and speed buttons through
// which every other window opens, the status bar, and the start-up and shutdown
// sequence (folders, settings, data path, splash and welcome windows).

#include <QMainWindow>
#include <QHash>
#include <QPointer>
#include <functional>

#include "core/base/Message.h"

class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace orv {

class SplashScreen;

struct MainWindowOptions {
    QString programPath;     // folder of DBTemplates/ and Example Data/; empty = the executable's
    int splashMinimumMs = 3000;
    bool showSplash = true;
};

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(const MainWindowOptions& options = {}, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Menu commands by object name (mmSaveWindowPositions, mmExit, ...).
    QAction* action(const QString& objectName) const;
    QList<QAction*> menuActions() const;
    // Connects a menu command to what it does and makes it available: enabled
    // while the data path is open (see Commands.h).
    void provideCommand(const QString& objectName, std::function<void()> run);
    QToolBar* speedBar() const { return speedBar_; }
    QMenu* reopenMenu() const { return reopenMenu_; }
    QLabel* statusPanel(int index) const;

    // Start-up after the window exists: data path, tables, active portfolio,
    // splash time, the Reopen list. Called from the first show.
    void runShowHandler();
    bool dataOpen() const { return dataOpen_; }

    // Switches to another data folder (no trailing separator), as the folder
    // browser and the Reopen list do.
    void switchDataPath(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void runCreateHandler();
    void buildMenus();
    void buildSpeedBar();
    void buildStatusBar();
    void refreshStatusBar();
    void fillReopenMenu();
    void updateCommandStates();
    void firstPaint();

    void mmSaveWindowPositionsClick(bool checked);
    void mmSetNewDataPathClick();
    void mmSwapPositionsClick();
    void mmWelcomeClick();
    void mmAboutWindowsClick();
    void mmAboutORVClick();

    MainWindowOptions options_;
    QHash<QString, QAction*> actions_;
    QMenu* reopenMenu_ = nullptr;
    QToolBar* speedBar_ = nullptr;
    QList<QLabel*> panels_;
    QPointer<SplashScreen> splash_;
    qint64 splashStartMs_ = 0;
    bool showHandled_ = false;
    bool painted_ = false;
    bool warnTemplates_ = false;
    bool dataOpen_ = false;
    QList<Message> pendingWarnings_;
};

}  // namespace orv
