#pragma once

#include <QCursor>
#include <QIcon>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "app/doc/ProjectChange.h"
#include "app/doc/TavrelDoc.h"
#include "app/view/ViewHost.h"
#include "fe/Unset.h"
#include "fe/geo/MapServer.h"
#include "fe/img/Image.h"
#include "fe/ui/Mouse.h"
#include "model/MapRecords.h"
#include "model/OutputFrame.h"
#include "model/MarkSettingSet.h"
#include "view/ViewGeometry.h"
#include "view/ViewGsi.h"
#include "view/ViewMap.h"

class AppSettings;
class LocationMap;
class QMenu;
class QTimer;

// The one view of the program. It shows the document's project in one of four modes: 0 the site overview
// on web tiles, 1 a location map over its picture, 2 a location map over its picture in a plane zone, 3 a
// web location map or the site location map over tiles. Everything is drawn into a back buffer in one
// render pass, and painting only copies that buffer. It owns the map server with its download worker, a
// 120 ms timer that redraws when a tile arrived, the two drawers, the mark templates and the picture of the
// current picture map. The window around it is reached through the host.
class CTavrelView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kTimerMs = 120;
    static constexpr double kStartLongitude = 136.7885745;
    static constexpr double kStartLatitude = 37.62205645;
    static constexpr int kStartZoom = 6;
    static constexpr std::uint32_t kBackground = 0x888888;

    // The document must outlive the view; the view keeps the host (without one nothing is reported and no
    // dialog is shown). The settings are the document's (its appSettings); a document without them gets
    // the view's own defaults.
    explicit CTavrelView(CTavrelDoc* document, std::unique_ptr<app::ViewHost> host = nullptr,
                         QWidget* parent = nullptr);
    ~CTavrelView() override;

    // Reads MarkSetting.bin from the writable folder; an unreadable file gives the factory templates,
    // template 0 and the defaults written back.
    void LoadMarkSettings();
    bool SaveMarkSettings() const;
    bool SaveAppSettings() const;

    // Starts, or after a project was opened or reset restarts, the view: the overview (mode 0) at the start
    // centre and zoom 6 on the first tile site, the timer, and a download worker unless one runs.
    void InitViewAfterCreate();
    // Rebuilds the back buffer for the current mode; the caller asks for the repaint.
    void RenderView();
    void RenderAndUpdate();
    // One tick of the tile timer: in modes 0 and 3 takes the new-tile flag and redraws when it was set.
    // Returns whether it redrew.
    bool OnTileTimer();

    // Tile worker around off-screen renders and the map kind. The restart reopens the tile server on the
    // settings' current site of the shown kind, so an edited site list takes effect.
    bool StopTileRequests();
    bool RestartTileRequests();
    void SetMapKind(int kind, const fe::geo::TileSite& site);
    // Empties the disk tile cache: closes the tile server, deletes the folder (never a relative, root or
    // home folder), makes it again, empties the memory cache and restarts the requests. Nonzero when the
    // folder was deleted; a missing folder is only made (0).
    int ClearTileCache();

    void StoreOverviewExtent();
    void ApplyCurrentMarkTemplate();

    // Selecting and fitting maps.
    bool SelectLocationMap(int index);
    bool SelectSiteMap(int index);
    void FitCurrentMap();
    // The overview around the photos with positions from index `first` of the photo list to its end, at
    // the deepest zoom that shows them all; left where it is when none of them has a position.
    void FitToPhotos(int first = 0);
    bool GetVisibleLatLongBox(Rect2& box, int& kind, int& zoom, double aspect) const;
    fe::geo::GeoPoint PixelToLatLong(int zoom, double x, double y) const;
    Point2 LatLongToPixel(const fe::geo::GeoPoint& point, int zoom) const;

    // Context menus: the menu for a click at the client point, or null when the point lies outside the
    // view; the latitude/longitude of the point is kept for the browser command. Show opens it at the
    // cursor, wherever the request came from (right button or keyboard).
    std::unique_ptr<QMenu> BuildContextMenu(QPoint client);
    void ShowViewContextMenu();
    void RunMenuCommand(int command);
    const fe::geo::GeoPoint& ClickedPoint() const { return m_clickedPoint; }
    int ClickedZoom() const { return m_clickedZoom; }
    // The linear-sort line of the current map (map units in modes 1 and 2, latitude/longitude in mode 3).
    void OnUndoLinePoint();
    void OnClearLine();
    void OnRunLineSort();

    // State.
    int ViewMode() const { return m_mode; }
    // The current location map, looked up by id in the project each time (the list may change); null in
    // mode 0, for a site map and when the map is gone.
    const LocationMap* CurrentMap() const;
    int CurrentMapIndex() const;
    // The client centre in the shown picture map's pixels; (0, 0) when no picture map is shown.
    Point2 ClientCentreOnPicture() const;
    const LocationMap* CurrentSiteMap() const;
    bool SortLineMode() const;
    bool IsStartPending() const { return m_startPending; }
    int Zoom() const { return m_map.Zoom(); }
    fe::geo::MapServer& MapServer() { return m_map; }
    const fe::img::Image& BackBuffer() const { return m_buffer; }
    AppSettings& Settings() { return *m_settings; }
    MarkSettingSet& MarkSettings() { return m_markSettings; }
    // The drawers over web tiles and over a background picture, for the frame's display switches.
    locmap::ViewGsi& WebDrawer() { return m_gsi; }
    locmap::ViewMap& PictureDrawer() { return m_picture; }
    const QIcon& MenuIcon(int index) const { return m_menuIcons[size_t(index)]; }
    int RenderCount() const { return m_renderCount; }
    int DragKind() const { return m_edit.kind; }
    int HoverKind() const { return m_hoverKind; }
    // The disk tile cache folder in use.
    QString TileCacheFolder() const;

    // Display switches of the frame's commands.
    std::uint8_t showShotPhotos = 1;
    std::uint8_t showMapPhotos = 1;
    std::uint8_t showOverviewFrames = 1;
    std::uint8_t showMapFrames = 1;
    std::uint8_t showGreyMarks = 1;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void OnProjectChanged(ProjectChanges kinds);
    bool OpenTileServer(const fe::geo::TileSite& site);
    void StartWorker();
    locmap::WebViewGeometry Geometry(int zoom) const;
    void RaiseTileFlag() { m_map.Server().RaiseNewTileFlag(); }
    void SetMode(int mode);
    void ClearCurrentMaps();
    int ClientWidth() const { return m_client.width(); }
    int ClientHeight() const { return m_client.height(); }

    // The render pass by mode.
    bool RenderOverview(QPainter* dc);
    void RenderWebLocationMap(QPainter* dc, const LocationMap& map);
    void RenderSiteMap(QPainter* dc, const LocationMap& siteMap);
    void RenderPictureMap(const LocationMap& map);
    bool BeginWebPass(QPainter* dc);
    bool ShowsOverviewPhotos() const;

    // Left-button editing (the drag kinds of locmap::DragKind).
    struct MarkAt
    {
        int photoId;
        Point2 client;
    };
    struct EditState
    {
        int kind = 0;
        int photoId = -1;    // the photo whose mark is held
        Point2 offset;       // from the pointer to the held mark, client pixels
        Point2 markPoint;    // the held mark's client point, for direction drags
        Rect2 startBox;      // the box of the frame or site map when the drag began
    };
    double MarkRadius() const;
    double DirectionReach() const;
    int SingleSelectedPhoto() const;
    std::vector<MarkAt> MarksNear(QPoint pointer, double radius) const;
    void KeepMark(const MarkAt& mark, QPoint pointer);
    bool KeepPreferred(const std::vector<MarkAt>& candidates, int selected, QPoint pointer);
    double KeptDirection() const;
    int HitMarkKinds(QPoint pointer, bool hover);
    int HitFrameKinds(QPoint pointer, bool shift, bool hover);
    bool HitTestOnButtonDown(QPoint pointer, Qt::KeyboardModifiers modifiers);
    void UpdateDrag(QPoint pointer, QPoint previous, bool shift);
    bool CommitDrag(QPoint pointer, bool shift);
    void CommitCalloutAnchor(QPoint pointer);
    void FinishLeftDrag(QPoint pointer, Qt::KeyboardModifiers modifiers);
    void UpdateHover(QPoint pointer, Qt::KeyboardModifiers modifiers);
    void AppendSortLinePoint(QPoint pointer);
    void ExchangeCrossedEdges(const Rect2& box);
    OutputFrame PrepareWebFrame(const LocationMap& map) const;
    void StoreWebFrameBox(LocationMap& map) const;
    Rect2 SiteBoxOnScreen(const LocationMap& siteMap) const;
    // Runs an edit of the current location map, or else of the shown site map, as a change of the kinds.
    void EditMaps(ProjectChanges kinds, const std::function<void(LocationMap&)>& edit);
    // The same on picture maps, in map units.
    Point2 MapPointOf(QPoint pointer) const;
    double MapUnits(double pixels) const;
    std::vector<MarkAt> PictureMarksNear(QPoint pointer, double pixels) const;
    int HitPictureMarkKinds(QPoint pointer);
    int HitPictureFrame(QPoint pointer, bool shift, bool hover);
    bool HitTestOnPicture(QPoint pointer, bool shift, const std::function<void(int)>& select);
    // A click on a number label (labelled marks only) of the drawer's last pass grabs it when its photo is the only one selected,
    // else selects its photo; a click on nothing clears the selection.
    void SelectOrGrabLabel(QPoint pointer, const locmap::DrawLoc& drawer, const std::function<void(int)>& select);
    void UpdatePictureDrag(QPoint pointer, QPoint previous, bool shift);
    // A click near a point of the track that has a current point, while the track dialog is shown and the
    // drawer shows tracks, makes it the dialog's current point; the point's index, −1 when none.
    int HitTrackPoint(QPoint pointer);
    bool CommitPictureDrag(QPoint pointer, bool shift);
    static QCursor CursorOfKind(int kind);
    static QCursor LineModeCursor();

    void ZoomByWheel(int delta, QPoint pointer);
    void ShowPointerCoordinates(QPoint pointer);
    // Changes the current map's sort line (never saved) and shows it.
    void EditSortLine(const std::function<void(LocationMap&)>& edit);

    CTavrelDoc* m_document = nullptr;
    std::unique_ptr<app::ViewHost> m_host;
    std::unique_ptr<AppSettings> m_ownSettings;
    AppSettings* m_settings = nullptr;
    MarkSettingSet m_markSettings;

    int m_mode = 0;
    std::int32_t m_currentMapId = -1;  // the current location map's id; -1 for none
    bool m_showSiteMap = false;        // the first site map is shown (mode 3)
    bool m_startPending = true;
    QSize m_client;
    fe::img::Image m_buffer;
    fe::ui::Mouse m_mouse;
    fe::geo::MapServer m_map;
    locmap::ViewGsi m_gsi;
    locmap::ViewMap m_picture;
    // The fitted transform of the current picture map; the view's own, so panning and zooming never
    // touch the project and the drawer's pointer never points into the map list.
    LocationMapTransform m_transform;
    fe::img::Image m_background;
    QTimer* m_timer = nullptr;
    std::array<QIcon, 7> m_menuIcons;
    int m_renderCount = 0;
    int m_wheelRest = 0;  // wheel angle not yet making a whole notch
    EditState m_edit;
    int m_hoverKind = 0;
    fe::geo::GeoPoint m_clickedPoint{kUnset, kUnset};
    int m_clickedZoom = 0;
};
