// The main frame's command vocabulary: menus, toolbar, keys, the rule-checked dispatch and the states.
#include <QAbstractButton>
#include <QAction>
#include <QDockWidget>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "app/AppTitle.h"
#include "app/Prompts.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/AboutDialog.h"
#include "app/frame/CommandIds.h"
#include "app/frame/MainFrame.h"
#include "app/frame/HelpCommands.h"
#include "app/frame/MenuTable.h"
#include "app/frame/LedgerCommands.h"
#include "app/frame/MapCommands.h"
#include "app/frame/OutputCommands.h"
#include "app/frame/PhotoCommands.h"
#include "app/frame/PhotoPaneCommands.h"
#include "app/frame/ReportCommands.h"
#include "app/frame/ReservoirCommands.h"
#include "app/frame/SettingsCommands.h"
#include "app/frame/SiteMapCommands.h"
#include "app/frame/ToolbarIcons.h"
#include "app/frame/TrackCommands.h"

namespace {

bool IsRecentCommand(int id)
{
    return id >= app::kCmdRecentFirst && id <= app::kCmdRecentLast;
}

}  // namespace

void CMainFrame::BuildMenus()
{
    for (const app::MenuColumn& column : app::MainMenu()) {
        QMenu* menu = menuBar()->addMenu(column.title);
        if (!m_fileMenu)
            m_fileMenu = menu;
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
        for (const app::MenuItem& item : column.items) {
            if (item.id == 0) {
                menu->addSeparator();
            } else if (item.id == app::kCmdRecentFirst) {
                m_recentAnchor = menu->addSeparator();
                m_recentAnchor->setVisible(false);
            } else {
                QAction* action = menu->addAction(item.text);
                action->setObjectName(QStringLiteral("cmd%1").arg(item.id));
                action->setData(item.id);
                // The prompt shows in the status bar while the item or its button is under the pointer.
                action->setStatusTip(item.prompt);
                if (!item.tip.isEmpty())
                    action->setToolTip(item.tip);
                connect(action, &QAction::triggered, this, [this, id = item.id] { Trigger(id); });
                m_actions.insert(item.id, action);
            }
        }
    }
    m_actions[app::kCmdNorthArrow]->setCheckable(true);
    m_actions[app::kCmdScaleBar]->setCheckable(true);
    // The keys reach the program's own commands.
    m_actions[app::kCmdFileNew]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    m_actions[app::kCmdFileOpen]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    m_actions[app::kCmdOutputReport]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    for (QAction* action : m_actions)
        addAction(action);  // keys work while a menu of the bar is closed

    // The menu's 新規作成 is the same request as the flow pane's: it runs inside this command.
    SetCommandHandler(app::kCmdFileNew, [this] { OnNewProject(); });
    SetCommandHandler(app::kCmdFileOpen, [this] { OnOpenProject(); });
    SetCommandHandler(app::kCmdOpenProjectFolder, [this] { OnOpenProjectFolder(); });
    // The save command has no menu item, key or button: it is there for the frame's own callers.
    SetCommandHandler(app::kCmdFileSave, [this] { OnSaveProject(); });
    SetCommandHandler(app::kCmdClearRecent, [this] { OnClearRecentFiles(); });
    // Closing waits until the command that asked for it has ended.
    SetCommandHandler(app::kCmdExit,
                      [this] { QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection); });
    SetCommandHandler(app::kCmdAbout, [this] { ShowAbout(); });
    app::InstallPhotoCommands(*this);
    app::InstallMapCommands(*this);
    app::InstallSettingsCommands(*this);
    app::InstallReservoirCommands(*this);
    app::InstallReportCommands(*this);
    app::InstallSiteMapCommands(*this);
    app::InstallLedgerCommands(*this);
    app::InstallTrackCommands(*this);
    app::InstallPhotoPaneCommands(*this);
    app::InstallOutputCommands(*this);
    app::InstallHelpCommands(*this);
    RebuildRecentMenu();
}

void CMainFrame::BuildToolbar()
{
    m_toolbar = addToolBar(QStringLiteral("標準"));
    m_toolbar->setObjectName(QStringLiteral("MainToolbar"));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolbar->setIconSize(QSize(16, 15));
    // The buttons that show the items that do not fit show only an arrow.
    if (auto* more = menuBar()->findChild<QAbstractButton*>(QStringLiteral("qt_menubar_ext_button")))
        more->setAccessibleName(QStringLiteral("その他のメニュー"));
    if (auto* more = m_toolbar->findChild<QAbstractButton*>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(QStringLiteral("その他のボタン"));
    for (int id : app::MainToolbar()) {
        if (id == 0) {
            m_toolbar->addSeparator();
        } else if (QAction* action = m_actions.value(id)) {
            action->setIcon(app::ToolbarIcon(id));
            m_toolbar->addAction(action);
        }
    }
    m_toolbar->addSeparator();
    // The attribution of the web tiles is a text button among the pictures.
    auto* attribution = new QToolButton(m_toolbar);
    attribution->setToolButtonStyle(Qt::ToolButtonTextOnly);
    attribution->setText(
        QStringLiteral("出典：「地理院タイル」 https://maps.gsi.go.jp/development/ichiran.html"));
    attribution->setAutoRaise(true);
    connect(attribution, &QToolButton::clicked, this, [this] { Trigger(app::kCmdAttribution); });
    m_attribution = m_toolbar->addWidget(attribution);
    m_attribution->setObjectName(QStringLiteral("cmd%1").arg(app::kCmdAttribution));
}

void CMainFrame::RebuildRecentMenu()
{
    for (auto it = m_actions.begin(); it != m_actions.end();) {
        if (IsRecentCommand(it.key())) {
            m_fileMenu->removeAction(it.value());
            removeAction(it.value());
            it.value()->deleteLater();
            it = m_actions.erase(it);
        } else {
            ++it;
        }
    }
    const QStringList& paths = m_recent.Paths();
    QAction* before = nullptr;
    // The entries stand where the list's place is: before the separator that follows it.
    const QList<QAction*> items = m_fileMenu->actions();
    const qsizetype anchor = items.indexOf(m_recentAnchor);
    if (anchor >= 0 && anchor + 1 < items.size())
        before = items[anchor + 1];
    if (paths.isEmpty()) {
        auto* none = new QAction(QStringLiteral("最近使ったファイル"), this);
        none->setEnabled(false);
        m_fileMenu->insertAction(before, none);
        m_actions.insert(app::kCmdRecentFirst, none);
        none->setData(-1);
        return;
    }
    for (int k = 0; k < paths.size(); ++k) {
        auto* action = new QAction(app::RecentFiles::MenuText(k, paths[k]), this);
        action->setObjectName(QStringLiteral("cmd%1").arg(app::kCmdRecentFirst + k));
        action->setData(app::kCmdRecentFirst + k);
        action->setStatusTip(paths[k]);
        connect(action, &QAction::triggered, this, [this, k] {
            if (!IsBusy() && m_document)
                (void)m_document->RunCommand([this, k] { OnOpenRecentFile(k); });
        });
        m_fileMenu->insertAction(before, action);
        m_actions.insert(app::kCmdRecentFirst + k, action);
    }
}

void CMainFrame::SetCommandHandler(int command, std::function<void()> handler)
{
    m_handlers.insert(command, std::move(handler));
    UpdateCommandStates();
}

void CMainFrame::SetStateSource(std::function<void(app::UiState&)> source)
{
    if (!source)
        return;
    if (!m_stateSource) {
        m_stateSource = std::move(source);
        return;
    }
    m_stateSource = [earlier = std::move(m_stateSource), added = std::move(source)](app::UiState& state) {
        earlier(state);
        added(state);
    };
}

app::UiState CMainFrame::CurrentState() const
{
    app::UiState state;
    state.hasDocument = m_document != nullptr;
    state.busy = IsBusy();
    if (m_document) {
        const Project& project = m_document->GetProject();
        state.project = project.HasPath();
        state.mapCount = project.maps.Count();
        state.photoCount = int(project.photos.photos.size());
    }
    if (m_document && m_links.selectedPhotoRows) {
        // The photo pane's selection and the location-map pane's current map, as the rules see them.
        const Project& project = m_document->GetProject();
        const int current = m_links.currentMapIndex ? m_links.currentMapIndex() : -1;
        const LocationMap* map = project.maps.IsValidIndex(current) ? &project.maps.maps[size_t(current)] : nullptr;
        for (int row : m_links.selectedPhotoRows()) {
            app::SelectedPhotoState selected;
            const bool valid = row >= 1 && row <= state.photoCount;
            selected.valid = valid;
            if (valid) {
                const PhotoRecord& photo = project.photos.photos[size_t(row - 1)];
                selected.placedOnCurrent = map && map->photos.IndexOfPhoto(photo.id) >= 0;
                selected.hasLatLong = photo.HasPosition();
                selected.hasDirection = !IsUnset(photo.direction);
            }
            state.selected.push_back(selected);
        }
        if (map) {
            state.currentMap = true;
            state.currentMapKind = map->kind;
            state.currentMapZone = map->zone;
            state.currentMapPlacedCount = map->photos.Count();
        }
    }
    state.trackDialogVisible = app::IsTrackDialogVisible(*this);
    if (m_stateSource)
        m_stateSource(state);
    state.busy = state.busy || IsBusy();
    return state;
}

void CMainFrame::UpdateCommandStates()
{
    const app::UiState state = CurrentState();
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        const int id = it.key();
        if (IsRecentCommand(id)) {
            if (it.value()->data().toInt() >= 0)
                it.value()->setEnabled(!state.busy);
            continue;
        }
        it.value()->setEnabled(m_handlers.contains(id) && app::CommandEnabled(id, state));
        if (it.value()->isCheckable())
            it.value()->setChecked(app::CommandChecked(id, state));
    }
    // The panes' buttons follow the same timer as the toolbar.
    UpdatePaneControls(state.busy);
}

void CMainFrame::Trigger(int command)
{
    // Checked again here: a key or a stale toolbar may reach a command its rule now refuses.
    const auto handler = m_handlers.find(command);
    if (handler == m_handlers.end() || !app::CommandEnabled(command, CurrentState())) {
        UpdateCommandStates();
        return;
    }
    const std::function<void()> run = handler.value();
    if (m_document)
        (void)m_document->RunCommand(run);
    else
        run();
    UpdateCommandStates();
}

void CMainFrame::ShowAbout()
{
    app::CAboutDlg about(this);
    about.exec();
}
