#include "model/TrackPlacement.h"

#include "model/IchimillCsv.h"

bool PhotoShotMoment(const PhotoRecord& photo, fe::SimpleDate& date, fe::SimpleTime& time)
{
    fe::SimpleDate d;
    fe::SimpleTime t;
    if (!d.Parse(photo.date) || !t.Parse(photo.time) || !IsCalendarMoment(d, t))
        return false;
    date = d;
    time = t;
    return true;
}

TrackPlacementResult PlacePhotosOnTrack(PhotoList& photos, const LocusTrack& track,
                                        const std::vector<int>& photoIndices)
{
    TrackPlacementResult result;
    for (const int index : photoIndices) {
        if (index < 0 || index >= static_cast<int>(photos.photos.size()))
            continue;
        PhotoRecord& photo = photos.photos[static_cast<size_t>(index)];
        fe::SimpleDate date;
        fe::SimpleTime time;
        if (!PhotoShotMoment(photo, date, time)) {
            ++result.withoutTime;
            continue;
        }
        const fe::geo::GeoPoint position = track.PositionAtTime(date, time);
        if (!position.HasPosition()) {
            ++result.outsideTrack;
            continue;
        }
        photo.position.longitude = position.longitude;
        photo.position.latitude = position.latitude;
        ++result.placed;
    }
    return result;
}
