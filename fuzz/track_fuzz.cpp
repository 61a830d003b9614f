// Feeds arbitrary bytes to the track-file reader. Whatever the bytes, reading must end without a crash or
// a leak, within its bounds on tracks and points; every track read has points, each a calendar moment
// at a finite position on the globe, and the box over them.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include <QByteArray>

#include "model/IchimillCsv.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    std::vector<LocusTrack> tracks;
    const IchimillReadResult result = ReadIchimillCsvBytes(bytes, IchimillLoaderParams(), tracks);
    if (!result.Ok()) {
        if (!tracks.empty())
            std::abort();  // a failed read adds nothing
        return 0;
    }
    if (result.tracksAdded != static_cast<int>(tracks.size()) || tracks.size() > size_t(kMaxIchimillTracks))
        std::abort();
    std::int64_t points = 0;
    for (const LocusTrack& track : tracks) {
        if (track.points.empty() || track.box.IsUnset())
            std::abort();
        for (const LocusPoint& point : track.points) {
            const double latitude = point.position.latitude, longitude = point.position.longitude;
            if (!std::isfinite(latitude) || !std::isfinite(longitude) || std::fabs(latitude) > 90.0 ||
                std::fabs(longitude) > 180.0 || !IsCalendarMoment(point.date, point.time))
                std::abort();
        }
        points += static_cast<std::int64_t>(track.points.size());
        // The zone caches are built on demand for any zone and hold one entry per point.
        track.BuildZoneXY(9);
        if (!track.HasZoneXY(9))
            std::abort();
    }
    if (points > kMaxIchimillPoints)
        std::abort();
    return 0;
}
