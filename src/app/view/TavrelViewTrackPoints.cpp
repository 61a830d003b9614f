// Picking a point of a GNSS track with the mouse while the track dialog is shown.
#include <cmath>
#include <limits>

#include "app/doc/TavrelDoc.h"
#include "app/view/TavrelView.h"
#include "app/view/ViewHost.h"
#include "model/LocationMap.h"
#include "model/LocusTrack.h"
#include "model/Project.h"

namespace {

constexpr double kTrackPointReach = 64.0;  // client pixels

// The index of the point nearest to the pointer among those within reach, −1 when none; the points are given
// by their count and a function to their client positions.
template <typename ClientOf>
int NearestWithinReach(int count, QPoint pointer, ClientOf clientOf)
{
    int nearest = -1;
    double best = std::numeric_limits<double>::max();
    for (int i = 0; i < count; ++i) {
        const QPoint client = clientOf(i);
        const double distance = std::hypot(double(client.x()) - pointer.x(), double(client.y()) - pointer.y());
        if (distance <= kTrackPointReach && distance < best) {
            best = distance;
            nearest = i;
        }
    }
    return nearest;
}

}  // namespace

int CTavrelView::HitTrackPoint(QPoint pointer)
{
    if (m_document == nullptr || !m_host->IsTrackDialogVisible())
        return -1;
    const std::vector<LocusTrack>& tracks = m_document->GetProject().tracks;
    const LocationMap* map = CurrentMap();
    const bool web = (m_mode == 0 || m_mode == 3) && m_gsi.showTracks;
    const bool picture = m_mode == 2 && map && m_picture.transform && m_picture.showTracks && map->HasPlaneZone();
    if (!web && !picture)
        return -1;
    int found = -1;
    for (const LocusTrack& track : tracks) {
        if (track.currentPoint == -1 || track.points.empty())
            continue;
        const int count = int(track.points.size());
        if (web) {
            found = NearestWithinReach(count, pointer, [&](int i) {
                return m_gsi.ScreenPoint(track.points[size_t(i)].position);
            });
        } else {
            if (!track.HasZoneXY(map->zone))
                track.BuildZoneXY(map->zone);
            if (!track.HasZoneXY(map->zone))
                continue;
            found = NearestWithinReach(count, pointer, [&](int i) {
                const Point2 p = m_picture.transform->inverse.Map(track.GetZoneXY(i, map->zone));
                return m_picture.ScreenPoint(p.x, p.y);
            });
        }
        if (found >= 0)
            break;
    }
    if (found >= 0)
        m_host->SelectTrackPoint(found);
    return found;
}

