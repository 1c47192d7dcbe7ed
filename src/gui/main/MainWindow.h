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
class OvcTableMasterList;

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

    // ---- What other windows use of the main window ----
    // The active cell of the Master List sheet (row 1-based, column 0-based).
    int activeRow() const;
    int activeCol() const;
    void setActiveCell(int row, int col);
    // Copies the entry at the active cell into CurMLID, CurMLShortName,
    // CurMLLongName and CurMLType; false for a blank cell.
    bool SetCurrentEntryFromActiveCell();
    // Precondition of commands about one entry: the current entry is set, or the
    // message is shown (default "No data on blank entry.") and false returned.
    bool requireEntry(const QString& blankMessage = QString());
    // Precondition of commands that need a portfolio: true when one is active;
    // otherwise beep, "A portfolio has not been selected yet." and the Portfolio
    // Directory opens instead (when it exists), and false.
    bool requirePortfolio();
    // Opens the Portfolio Directory; set by the portfolio windows' installer.
    std::function<void()> openPortfolioDirectory;
    // Reloads the sheet after entries changed, and the account marks after
    // portfolios, transactions or holdings changed.
    void LoadHeadings();
    void LoadGrid();
    void RefreshAccountView();
    // Stores the sheet's column widths into the settings record (before windows
    // that read them).
    void storeColumnWidths();

    // ---- The Master List sheet ----
    OvcTableMasterList* masterListGrid() const { return grid_; }
    // Marks of the active portfolio's accounts: cleared, or recomputed for the
    // current view, then the account panels, menu checks and cells refreshed.
    void ClearMarks();
    void MarkAccounts(int pfID);
    // The colour of closed accounts (selected cell colour, saturation halved).
    QColor ClosedAccountColor() const;
    // Applies the current Master List table options to the sheet and the
    // account panels.
    void applyMasterListOptions();
    // The Table Options window ("Table &Options", Ctrl+O).
    void mmTableOptionsClick();
    // Moves the entry of one cell to another (the drag-and-drop rule) and reloads.
    void moveCell(int srcCol, int srcRow, int dstCol, int dstRow);
    // "Erase Table" with its confirmation.
    void mmEraseTableClick();
    // Sets the account view (0 none, 1 open, 2 closed, 3 both) as the View menu
    // commands do, with their portfolio check.
    void setAccountView(int view);

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
    void mmDisplayAccountStatusClick(bool checked);
    void updateAccountPanels();
    void reloadAfterTableExchange();
    void gridRightReleased(int row, int col);
    void gridDoubleClicked(int row, int col);

    MainWindowOptions options_;
    QHash<QString, QAction*> actions_;
    QMenu* reopenMenu_ = nullptr;
    QToolBar* speedBar_ = nullptr;
    QList<QLabel*> panels_;
    OvcTableMasterList* grid_ = nullptr;
    QPointer<SplashScreen> splash_;
    qint64 splashStartMs_ = 0;
    bool showHandled_ = false;
    bool painted_ = false;
    bool warnTemplates_ = false;
    bool dataOpen_ = false;
    QList<Message> pendingWarnings_;
};

}  // namespace orv
