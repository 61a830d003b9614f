// The main view's right-button menus, the clicked point for the browser command, and the commands of the
// linear-sort line.
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>

#include "app/doc/TavrelDoc.h"
#include "app/frame/CommandIds.h"
#include "app/view/TavrelView.h"
#include "app/view/ViewContextMenu.h"
#include "app/view/ViewHost.h"
#include "fe/geo/PlaneRectConverter.h"
#include "model/LocationMap.h"

std::unique_ptr<QMenu> CTavrelView::BuildContextMenu(QPoint client)
{
    // Both edges count as inside, as the menu key may be pressed with the pointer on the last pixel.
    if (!m_document || client.x() < 0 || client.y() < 0 || client.x() > width() || client.y() > height())
        return nullptr;
    app::ViewMenuState state;
    state.lineMode = SortLineMode();
    state.viewMode = m_mode;
    state.menuMode = m_host->IsSiteMapDialogVisible() ? 0 : m_mode;
    if (!state.lineMode) {
        if (state.menuMode == 3 || state.menuMode == 0) {
            m_clickedPoint = PixelToLatLong(m_map.Zoom(), client.x(), client.y());
            m_clickedZoom = m_map.Zoom();
        } else if (state.menuMode == 2) {
            const LocationMap* map = CurrentMap();
            if (map && m_picture.transform && map->HasPlaneZone()) {
                const Point2 picture = m_transform.mapping.RmapXY(client.x(), client.y());
                fe::geo::GeoPoint point;
                fe::geo::PlaneRectConverter(map->zone).ToGeoPoint(point, m_transform.forward.Map(picture));
                m_clickedPoint = point;
                m_clickedZoom = 18;
            }
        }
    }
    state.trackDialogVisible = m_host->IsTrackDialogVisible();
    state.ledgerDialogOpen = m_host->IsLedgerDialogOpen();
    state.numberKind = m_gsi.style.numberKind;
    app::FillMenuState(state, m_document->GetProject(), m_host->PaneMapIndex(), m_host->SelectedPhotoIds());
    std::unique_ptr<QMenu> menu = app::BuildViewContextMenu(state, m_menuIcons, this);
    connect(menu.get(), &QMenu::triggered, this, [this](QAction* action) { RunMenuCommand(action->data().toInt()); });
    return menu;
}

void CTavrelView::ShowViewContextMenu()
{
    // The cursor's own place in the view, whether the right button or the menu key asked.
    const QPoint cursor = QCursor::pos();
    const std::unique_ptr<QMenu> menu = BuildContextMenu(mapFromGlobal(cursor));
    if (menu)
        menu->exec(cursor);
}

void CTavrelView::RunMenuCommand(int command)
{
    switch (command) {
        case app::kCmdUndoLinePoint:
            OnUndoLinePoint();
            break;
        case app::kCmdClearLine:
            OnClearLine();
            break;
        case app::kCmdRunLineSort:
            OnRunLineSort();
            break;
        default:
            m_host->RunFrameCommand(command);
            break;
    }
}

void CTavrelView::EditSortLine(const std::function<void(LocationMap&)>& edit)
{
    const int index = CurrentMapIndex();
    if (!m_document || index < 0 || !SortLineMode())
        return;
    // The line is run-time state of the map: a selection change, which is never saved.
    (void)m_document->Change(ProjectChange::Selection, [&](Project& project) {
        edit(project.maps.maps[size_t(index)]);
        return true;
    });
    RenderAndUpdate();
}

void CTavrelView::OnUndoLinePoint()
{
    const int mode = m_mode;
    EditSortLine([mode](LocationMap& map) {
        if (mode == 3 && !map.runtime.sortLineGeo.empty())
            map.runtime.sortLineGeo.pop_back();
        else if ((mode == 1 || mode == 2) && !map.runtime.sortLine.empty())
            map.runtime.sortLine.pop_back();
    });
}

void CTavrelView::OnClearLine()
{
    const int mode = m_mode;
    EditSortLine([mode](LocationMap& map) {
        if (mode == 3)
            map.runtime.sortLineGeo.clear();
        else if (mode == 1 || mode == 2)
            map.runtime.sortLine.clear();
    });
}

void CTavrelView::OnRunLineSort()
{
    if (!m_document || CurrentMapIndex() < 0 || !SortLineMode() || !m_host->IsLedgerDialogVisible())
        return;
    m_host->SortAlongLine();
    RenderAndUpdate();
}
