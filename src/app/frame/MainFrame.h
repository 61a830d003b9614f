#pragma once

#include <QHash>
#include <QMainWindow>
#include <functional>

#include "app/frame/CommandRules.h"
#include "app/frame/FrameMessages.h"
#include "app/frame/FrameTexts.h"
#include "app/frame/RecentFiles.h"

class CTavrelDoc;
class QAction;
class QDockWidget;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;

// The main window: menu bar, toolbar, status bar, the two docking panes ("フロー" on the left,
// "撮影写真" on the right) around the view, and the project commands. Commands are actions with the
// program's command ids; each one's enabled state comes from the rule table (CommandRules), evaluated
// before a menu opens, on a short timer for the toolbar, and again when the command is triggered, so a
// key of a disabled command does nothing. A command runs only when a handler is set for it: the
// frame's own commands here, those of the dialogs and outputs through SetCommandHandler.
class CMainFrame : public QMainWindow
{
    Q_OBJECT

public:
    // The document must outlive the frame; without one the frame shows an empty program.
    explicit CMainFrame(CTavrelDoc* document = nullptr, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CTavrelDoc* Document() const { return m_document; }
    QAction* Action(int command) const { return m_actions.value(command); }
    QMenu* RecentMenuHost() const { return m_fileMenu; }
    QDockWidget* FlowPane() const { return m_flowPane; }
    QDockWidget* PhotoPane() const { return m_photoPane; }

    // Puts the widget in the centre (the view); the frame owns it.
    void SetCentralView(QWidget* view);
    // Makes `handler` run command `command` (replacing any earlier one); the action is then enabled by
    // its rule. The handler runs as one command of the document.
    void SetCommandHandler(int command, std::function<void()> handler);
    // Runs a command as its menu item would: only when its rule allows it now (a pane's button).
    void RunCommand(int command) { Trigger(command); }
    // Supplies the parts of the command state that the panes and the view know (selected rows, current
    // map, view mode); the frame fills in busy, the document's project and the dialogs. Each call adds a
    // source (the view, the panes); they run in the order they were given.
    void SetStateSource(std::function<void(app::UiState&)> source);

    app::UiState CurrentState() const;
    // Sets every action's enabled and checked state from the rules.
    void UpdateCommandStates();

    // The busy state of long operations: every ruled command, the menu bar, the toolbar, the panes and
    // the view are disabled while it is set.
    void LockUI(bool busy);
    bool IsBusy() const;
    // Turns every pane control on, lets each pane apply its rules, then turns them off again when busy;
    // shows the tile attribution only over web tiles.
    void UpdatePaneControls(bool busy);
    // Empties the photo list, the map list and the overlap strip, and shows the standard web map.
    void ClearPanes();

    void UpdateWindowTitle(const QString& projectName);
    void SetStatusCoordTexts(const app::StatusCoordTexts& texts);
    app::StatusCoordTexts StatusTexts() const;
    void UpdateStatusCoordSystem(int viewMode, bool hasCurrentMap, int zone);
    void SetStatusLatLong(double latitude, double longitude, int zone = 0);
    void SetStatusPlaneXY(int zone, double first, double second);
    void SetStatusPixel(int x, int y);
    void UpdatePhotoPaneTitle(bool hasCurrentMap = false, int placedOnCurrent = 0);

    // Project commands.
    bool OnNewProject();
    void OnOpenProject();
    void OnOpenRecentFile(int index);
    void OnClearRecentFiles();
    void OpenDroppedFile(const QString& path);
    void OnOpenProjectFolder();
    // Writes the open project to its file again (a failure is told) and sets the title from its name.
    void OnSaveProject();
    void OnProjectLoaded();
    void ResetToEmptyProject();
    // Opens a named project file (the command line): loaded, reset after a failure, or left as it was.
    void OpenProjectPath(const QString& path);
    app::RecentFiles& Recent() { return m_recent; }

    // The private messages of the panes, dialogs and view: a direct call, answered at once. Messages the
    // frame carries out itself are handled here; the others run the handler set for them (0 without one).
    // Every message that needs the document answers 0 without one.
    qintptr SendAppMessage(int message, qintptr wParam = 0, qintptr lParam = 0);
    void SetMessageHandler(int message, app::AppMessageHandler handler);
    // What the frame's message handlers reach of the panes and the view; each pane fills in its part.
    app::FramePaneLinks& PaneLinks() { return m_links; }
    // The flow stage (0 to 3). It does not change while the site-map or the ledger dialog is visible:
    // the flow pane shows the stored stage again.
    void SelectFlowStage(int stage);
    int FlowStage() const { return m_flowStage; }
    // The view draws its picture again (after any change that shows in it).
    void RefreshView();
    // The photo pane's rows become those of the photos whose selection flag is set.
    void SyncSelectionFromPhotos();

    // The ledger's pending edits go into the project (before the maps are reordered or switched).
    void CommitLedgerGrid() { CommitBeforeSwitch(); }
    // Called before the project is switched: the dialogs that hold pending edits commit them.
    void SetBeforeProjectSwitch(std::function<void()> commit) { m_beforeSwitch = std::move(commit); }

    static constexpr int kMinWidth = 750;
    static constexpr int kMinHeight = 620;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildMenus();
    void BuildToolbar();
    void BuildStatusBar();
    void BuildPanes();
    void RebuildRecentMenu();
    void Trigger(int command);
    void RestorePlacement();
    void SavePlacement() const;
    void AddRecentProjectFile(const QString& path);
    void ShowAbout();
    void CommitBeforeSwitch();
    qintptr OnPhotoSelectionChanged(const std::vector<int>& rows);
    qintptr OnCurrentMapChanged();
    qintptr OnSelectPhoto(qintptr photoId, bool add);
    qintptr OnSortPhotos(int message);
    qintptr OnMovePhotos(qintptr wParam, qintptr lParam, bool up);
    qintptr RunAsCommand(const std::function<qintptr()>& handler);

    CTavrelDoc* m_document = nullptr;
    QHash<int, QAction*> m_actions;
    QHash<int, std::function<void()>> m_handlers;
    QHash<int, app::AppMessageHandler> m_messageHandlers;
    app::FramePaneLinks m_links;
    int m_flowStage = 0;
    std::function<void(app::UiState&)> m_stateSource;
    std::function<void()> m_beforeSwitch;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_recentMenu = nullptr;
    QAction* m_recentAnchor = nullptr;
    QToolBar* m_toolbar = nullptr;
    QAction* m_attribution = nullptr;
    QDockWidget* m_flowPane = nullptr;
    QDockWidget* m_photoPane = nullptr;
    QLabel* m_statusTexts[5] = {};
    QTimer* m_stateTimer = nullptr;
    app::RecentFiles m_recent;
    bool m_busy = false;
};
