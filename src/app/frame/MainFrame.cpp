// The main frame's layout and state: bars, panes, status texts, title, busy state and placement.
#include "app/frame/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "app/doc/TavrelDoc.h"
#include "app/frame/Profile.h"
#include "app/frame/ToolbarIcons.h"
#include "app/panes/PaneVarious.h"
#include "app/panes/PhotoPane.h"

namespace {

const QString kInfoSection = QStringLiteral("Kelvor_Info");

// The size of a first start: four fifths of the screen, never less than 1024×720. The photo list opens wide
// enough to show all its columns, and the map beside it needs room of its own on a larger screen.
QSize FirstStartSize(const QScreen* screen)
{
    const QSize least(1024, 720);
    if (!screen)
        return least;
    const QSize available = screen->availableGeometry().size();
    return (available * 4 / 5).expandedTo(least).boundedTo(available.expandedTo(least));
}

}  // namespace

CMainFrame::CMainFrame(CTavrelDoc* document, QWidget* parent) : QMainWindow(parent), m_document(document)
{
    setObjectName(QStringLiteral("MainFrame"));
    setAcceptDrops(true);
    setMinimumSize(kMinWidth, kMinHeight);
    setWindowIcon(app::ProgramIcon());
    resize(FirstStartSize(screen()));
    setCentralWidget(new QWidget(this));
    m_recent.Load();
    BuildMenus();
    BuildToolbar();
    BuildStatusBar();
    BuildPanes();
    app::InstallPanes(*this);
    app::InstallPhotoPane(*this);
    UpdateWindowTitle(m_document ? m_document->GetProject().name : QString());
    RestorePlacement();

    if (m_document) {
        m_document->dialogParent = this;
        m_document->addRecentProjectFile = [this](const QString& path) { AddRecentProjectFile(path); };
        connect(m_document, &CTavrelDoc::ProjectChanged, this, [this] {
            UpdateWindowTitle(m_document->GetProject().name);
            UpdatePhotoPaneTitle();
            UpdateCommandStates();
        });
    }
    // The toolbar has no menu that opens before it is used: its states follow a short timer.
    m_stateTimer = new QTimer(this);
    m_stateTimer->setInterval(250);
    connect(m_stateTimer, &QTimer::timeout, this, &CMainFrame::UpdateCommandStates);
    m_stateTimer->start();
    UpdatePhotoPaneTitle();
    UpdateCommandStates();
}

CMainFrame::~CMainFrame()
{
    if (m_document && m_document->dialogParent == this) {
        m_document->dialogParent = nullptr;
        m_document->addRecentProjectFile = nullptr;
    }
}

void CMainFrame::SetCentralView(QWidget* view)
{
    if (view)
        setCentralWidget(view);
}

void CMainFrame::BuildStatusBar()
{
    // A stretching message field, then coordinate system, unit and the two values.
    const QString initial[5] = {QString(), QStringLiteral(" 座標系：-      "),
                                QStringLiteral("単位：-      "), QStringLiteral("X：-        "),
                                QStringLiteral("Y：-        ")};
    for (int k = 0; k < 5; ++k) {
        m_statusTexts[k] = new QLabel(initial[k], this);
        m_statusTexts[k]->setObjectName(QStringLiteral("StatusPane%1").arg(k));
        if (k == 0)
            statusBar()->addWidget(m_statusTexts[k], 1);
        else
            statusBar()->addPermanentWidget(m_statusTexts[k]);
    }
    m_statusTexts[1]->setMinimumWidth(300);
}

void CMainFrame::BuildPanes()
{
    const auto makePane = [this](const QString& title, const QString& name, int width,
                                 Qt::DockWidgetArea area) {
        auto* pane = new QDockWidget(title, this);
        pane->setObjectName(name);
        auto* body = new QWidget(pane);
        body->setMinimumSize(width, 100);
        pane->setWidget(body);
        addDockWidget(area, pane);
        return pane;
    };
    const double scale = screen() ? screen()->logicalDotsPerInchX() / 96.0 : 1.0;
    m_flowPane = makePane(QStringLiteral("フロー"), QStringLiteral("FlowPane"), int(260 * scale),
                          Qt::LeftDockWidgetArea);
    m_photoPane = makePane(QStringLiteral("撮影写真"), QStringLiteral("PhotoPane"), int(280 * scale),
                           Qt::RightDockWidgetArea);
}

void CMainFrame::UpdateWindowTitle(const QString& projectName)
{
    setWindowTitle(app::MainWindowTitle(projectName));
}

void CMainFrame::SetStatusCoordTexts(const app::StatusCoordTexts& texts)
{
    // A leading tab centres the text in its field, two align it right.
    for (int k = 0; k < 4; ++k) {
        QString text = texts[size_t(k)];
        int tabs = 0;
        while (tabs < text.size() && text[tabs] == QLatin1Char('\t'))
            ++tabs;
        text.remove(0, tabs);
        const Qt::Alignment horizontal = tabs == 0 ? Qt::AlignLeft : tabs == 1 ? Qt::AlignHCenter : Qt::AlignRight;
        m_statusTexts[k + 1]->setAlignment(horizontal | Qt::AlignVCenter);
        m_statusTexts[k + 1]->setText(text);
    }
}

app::StatusCoordTexts CMainFrame::StatusTexts() const
{
    return {m_statusTexts[1]->text(), m_statusTexts[2]->text(), m_statusTexts[3]->text(),
            m_statusTexts[4]->text()};
}

void CMainFrame::UpdateStatusCoordSystem(int viewMode, bool hasCurrentMap, int zone)
{
    SetStatusCoordTexts(app::StatusForViewMode(viewMode, hasCurrentMap, zone));
}

void CMainFrame::SetStatusLatLong(double latitude, double longitude, int zone)
{
    SetStatusCoordTexts(app::StatusLatLong(latitude, longitude, zone));
}

void CMainFrame::SetStatusPlaneXY(int zone, double first, double second)
{
    SetStatusCoordTexts(app::StatusPlaneXY(zone, first, second));
}

void CMainFrame::SetStatusPixel(int x, int y)
{
    SetStatusCoordTexts(app::StatusPixel(x, y));
}

void CMainFrame::UpdatePhotoPaneTitle(bool hasCurrentMap, int placedOnCurrent)
{
    // Without figures of its own, the caption counts the location-map pane's current map.
    const int current = m_links.currentMapIndex ? m_links.currentMapIndex() : -1;
    if (!hasCurrentMap && m_document && m_document->GetProject().maps.IsValidIndex(current)) {
        hasCurrentMap = true;
        placedOnCurrent = m_document->GetProject().maps.maps[size_t(current)].photos.Count();
    }
    const int photos = m_document ? int(m_document->GetProject().photos.photos.size()) : 0;
    m_photoPane->setWindowTitle(
        app::PhotoPaneTitle(m_document != nullptr, photos, hasCurrentMap, placedOnCurrent));
}

void CMainFrame::LockUI(bool busy)
{
    m_busy = busy;
    menuBar()->setEnabled(!busy);
    UpdatePaneControls(busy);
    m_toolbar->setEnabled(!busy);
    statusBar()->setEnabled(!busy);
    m_flowPane->setEnabled(!busy);
    m_photoPane->setEnabled(!busy);
    if (centralWidget())
        centralWidget()->setEnabled(!busy);
    UpdateCommandStates();
}

void CMainFrame::UpdatePaneControls(bool busy)
{
    if (!m_document)
        return;
    const app::UiState state = CurrentState();
    if (m_attribution)
        m_attribution->setVisible(state.viewMode == 0 || state.viewMode == 3);
    // All on, then the rules, then all off again when busy: the rules leave no state of the busy time.
    if (m_links.enablePaneControls)
        m_links.enablePaneControls(true);
    if (m_links.updatePaneButtons)
        m_links.updatePaneButtons();
    if (busy && m_links.enablePaneControls)
        m_links.enablePaneControls(false);
}

void CMainFrame::ClearPanes()
{
    if (m_links.clearPhotoList)
        m_links.clearPhotoList();
    if (m_links.clearOverlapStrip)
        m_links.clearOverlapStrip();
    if (m_links.clearMapList)
        m_links.clearMapList();
    SendAppMessage(app::kMsgShowWebMap, 0);
    SendAppMessage(app::kMsgPhotoSelectionChanged);
    SendAppMessage(app::kMsgCurrentMapChanged);
    UpdatePhotoPaneTitle();
}

bool CMainFrame::IsBusy() const
{
    return m_busy || (m_document && m_document->IsBusy());
}

void CMainFrame::RestorePlacement()
{
    QSettings profile(app::ProfilePath(), QSettings::IniFormat);
    profile.beginGroup(kInfoSection);
    const QRect stored(QPoint(profile.value(QStringLiteral("left"), 0).toInt(),
                              profile.value(QStringLiteral("top"), 0).toInt()),
                       QPoint(profile.value(QStringLiteral("right"), 0).toInt() - 1,
                              profile.value(QStringLiteral("bottom"), 0).toInt() - 1));
    const bool maximised = profile.value(QStringLiteral("ShowCommand"), 1).toInt() == 3;
    if (stored.width() > 0 && stored.height() > 0) {
        move(stored.topLeft());
        resize(stored.size().expandedTo(QSize(kMinWidth, kMinHeight)));
    } else if (screen()) {
        // Centred only when nothing is stored: a stored placement is restored as it was.
        const QRect available = screen()->availableGeometry();
        move(available.center() - QPoint(width() / 2, height() / 2));
    }
    if (maximised)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void CMainFrame::SavePlacement() const
{
    QSettings profile(app::ProfilePath(), QSettings::IniFormat);
    profile.beginGroup(kInfoSection);
    const QRect normal = isMaximized() ? normalGeometry() : geometry();
    profile.setValue(QStringLiteral("ShowCommand"), isMaximized() ? 3 : 1);
    if (normal.isValid()) {
        profile.setValue(QStringLiteral("left"), normal.left());
        profile.setValue(QStringLiteral("top"), normal.top());
        profile.setValue(QStringLiteral("right"), normal.right() + 1);
        profile.setValue(QStringLiteral("bottom"), normal.bottom() + 1);
    }
    profile.endGroup();
    profile.sync();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (IsBusy()) {
        event->ignore();
        return;
    }
    // The dialogs close first: the ledger hands back its pending edits, which are saved.
    CommitBeforeSwitch();
    if (m_links.closeModelessDialogs)
        m_links.closeModelessDialogs();
    SavePlacement();
    event->accept();
}
