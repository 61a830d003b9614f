// The main view's render pass: everything of the current mode drawn into the back buffer in one go.
#include <QPainter>

#include "app/doc/TavrelDoc.h"
#include "app/view/TavrelView.h"
#include "app/view/ViewHost.h"
#include "view/MarkTemplate.h"

namespace {

const QString kWebMapTitle = QStringLiteral("位置図 [ 座標系:緯度経度 ]");
const QString kSiteMapTitle = QStringLiteral("現場位置図 [ 座標系:緯度経度 ]");

bool IsWebBaseKind(int kind)
{
    return kind >= 2 && kind <= 4;
}

}  // namespace

void CTavrelView::RenderAndUpdate()
{
    RenderView();
    update();
}

bool CTavrelView::ShowsOverviewPhotos() const
{
    return showShotPhotos && (!m_host->IsSiteMapDialogVisible() || m_host->SiteMapShowsPhotos());
}

bool CTavrelView::SortLineMode() const
{
    return locmap::SortLineModeHolds(m_host->IsLedgerDialogVisible(), m_host->IsNumberingDialogShown(),
                                     m_host->LedgerLineSwitch());
}

void CTavrelView::ApplyCurrentMarkTemplate()
{
    const MarkStyle* style = m_markSettings.Current();
    if (!style)
        return;
    locmap::ApplyScreenMarkTemplate(m_gsi, *style);
    locmap::ApplyScreenMarkTemplate(m_picture, *style);
}

void CTavrelView::RenderView()
{
    if (!m_document || ClientWidth() <= 9 || ClientHeight() <= 9)
        return;
    if (m_buffer.Width() != ClientWidth() || m_buffer.Height() != ClientHeight()) {
        if (!m_buffer.Create(ClientWidth(), ClientHeight()))
            return;
    }
    if (m_buffer.IsNull() || m_mode < 0 || m_mode > 3)
        return;
    ++m_renderCount;
    if (m_mode == 1 || m_mode == 2) {
        if (const LocationMap* map = CurrentMap())
            RenderPictureMap(*map);
        return;
    }
    const LocationMap* map = m_mode == 3 ? CurrentMap() : nullptr;
    const LocationMap* siteMap = m_mode == 3 && !map ? CurrentSiteMap() : nullptr;
    if (m_mode == 3 && !map && !siteMap) {
        m_buffer.Fill(kBackground);
        return;
    }
    m_map.DrawTilesToImage(m_buffer);
    QPainter* dc = m_buffer.GetDC();
    if (m_mode == 0) {
        // A pass that cannot begin ends here, without the overlay and the stored extent.
        const bool drawn = RenderOverview(dc);
        m_buffer.ReleaseDC();
        if (!drawn)
            return;
    } else if (map)
        RenderWebLocationMap(dc, *map);
    else
        RenderSiteMap(dc, *siteMap);
    if (m_mode == 3)
        m_buffer.ReleaseDC();
    m_map.DrawOverlay(m_buffer);
    if (m_mode == 0)
        StoreOverviewExtent();
}

bool CTavrelView::BeginWebPass(QPainter* dc)
{
    if (!dc || !m_gsi.BeginAtZoom(dc, m_map.Zoom()))
        return false;
    m_gsi.viewport.Set(m_map.Zoom(), m_map.Center(), ClientWidth(), ClientHeight());
    // The zoom gauge is drawn over the pass: map names keep clear of it.
    m_gsi.keepClear = m_map.ZoomGaugeBox(ClientWidth());
    return true;
}

bool CTavrelView::RenderOverview(QPainter* dc)
{
    const Project& project = m_document->GetProject();
    // The overview draws plain marks, numbered as the frame's number kind says.
    const std::uint8_t numberKind = m_gsi.style.numberKind;
    m_gsi.style.Reset();
    m_gsi.style.numberKind = numberKind;
    m_gsi.UseOverviewPalette();
    m_gsi.SetupResources();
    if (!BeginWebPass(dc))
        return false;
    const Rect2 box = m_map.VisibleBounds(ClientWidth(), ClientHeight());
    m_gsi.DrawTracks(project.tracks, box);
    m_gsi.DrawOverview(project.photos, project.maps, m_map.Zoom(), ShowsOverviewPhotos(),
                       showOverviewFrames != 0);
    const QString title = locmap::OverviewTitle(m_map.Server().Site().title, m_document->overviewKind);
    if (!title.isEmpty())
        m_gsi.DrawTitleBox(title);
    m_gsi.End();
    return true;
}

void CTavrelView::RenderWebLocationMap(QPainter* dc, const LocationMap& map)
{
    const Project& project = m_document->GetProject();
    const int zoom = m_map.Zoom();
    m_gsi.UseMapPalette();
    ApplyCurrentMarkTemplate();
    m_gsi.SetupResources();
    if (!BeginWebPass(dc))
        return;
    if (showGreyMarks)
        m_gsi.DrawShotPositions(project.photos);
    const Rect2 box = m_map.VisibleBounds(ClientWidth(), ClientHeight());
    m_gsi.DrawTracks(project.tracks, box);
    if (showMapPhotos)
        m_gsi.DrawMapPhotos(map, project.photos);
    if (showMapFrames)
        m_gsi.DrawOutputFrame(map, Rect2(0, 0, ClientWidth(), ClientHeight()), zoom);
    if (SortLineMode() && !map.runtime.sortLineGeo.empty())
        m_gsi.DrawSortLine(map);
    m_gsi.DrawScreenNorthArrow(map);
    m_gsi.DrawScreenScaleBar(map, zoom, box.x0, box.x1);
    if (IsWebBaseKind(m_document->overviewKind))
        m_gsi.DrawTitleBox(kWebMapTitle);
    m_gsi.End();
}

void CTavrelView::RenderSiteMap(QPainter* dc, const LocationMap& siteMap)
{
    const Project& project = m_document->GetProject();
    const int zoom = m_map.Zoom();
    m_gsi.UseMapPalette();
    ApplyCurrentMarkTemplate();
    m_gsi.SetupResources();
    m_gsi.UseOverviewPalette();
    m_gsi.SetupResources();
    if (!BeginWebPass(dc))
        return;
    const Rect2 box = m_map.VisibleBounds(ClientWidth(), ClientHeight());
    int highlighted = -1;
    if (m_host->IsSiteMapDialogVisible()) {
        const int row = m_host->SiteMapActiveRow();
        highlighted = row == -1000 ? -1 : row - 1;
    }
    m_gsi.DrawSiteMapAreas(project.photos, project.maps, highlighted, zoom, ShowsOverviewPhotos(),
                           showOverviewFrames != 0);
    m_gsi.DrawTracks(project.tracks, box);
    for (int k = 0; k < project.maps.Count(); ++k)
        m_gsi.DrawSiteMapCallout(project.maps.maps[size_t(k)], k == highlighted);
    m_gsi.DrawSiteMapBox(siteMap, Rect2(0, 0, ClientWidth(), ClientHeight()), zoom);
    m_gsi.DrawScreenNorthArrow(siteMap);
    m_gsi.DrawScreenScaleBar(siteMap, zoom, box.x0, box.x1);
    if (IsWebBaseKind(m_document->overviewKind))
        m_gsi.DrawTitleBox(kSiteMapTitle);
    m_gsi.End();
}

void CTavrelView::RenderPictureMap(const LocationMap& map)
{
    const Project& project = m_document->GetProject();
    m_buffer.Fill(kBackground);
    QPainter* dc = m_buffer.GetDC();
    m_picture.UseMapPalette();
    ApplyCurrentMarkTemplate();
    m_picture.SetupResources();
    if (!dc || !m_picture.Begin(dc)) {
        m_buffer.ReleaseDC();
        return;
    }
    m_picture.clientWidth = ClientWidth();
    m_picture.clientHeight = ClientHeight();
    m_picture.DrawBackground(map, m_background.Picture());
    if (m_mode == 2) {
        m_picture.DrawTracks(project.tracks, ClientWidth(), ClientHeight(), map.zone);
        if (showGreyMarks)
            m_picture.DrawShotPositions(project.photos, map);
    }
    if (showMapPhotos)
        m_picture.DrawMapPhotos(map, project.photos);
    if (showMapFrames)
        m_picture.DrawOutputFrame(map);
    if (SortLineMode())
        m_picture.DrawSortLine(map);
    m_picture.DrawScreenNorthArrow(map);
    m_picture.DrawScreenScaleBar(map);
    m_picture.DrawTitleBox(m_mode == 1 ? QStringLiteral("位置図 [ 座標系:なし ]")
                                       : QStringLiteral("位置図 [ 座標系:平面直角座標系 %1 ]").arg(map.zone));
    m_picture.End();
    m_buffer.ReleaseDC();
}
