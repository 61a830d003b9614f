#pragma once

#include <vector>

#include "model/LocusTrack.h"
#include "model/PhotoRecord.h"

// What placing photos on a track did.
struct TrackPlacementResult
{
    int placed = 0;        // photos that took the track's position
    int outsideTrack = 0;  // shot outside the track's time span: their position stays
    int withoutTime = 0;   // shot date or time missing or not a real moment: skipped
};

// The photo's shot moment from its date and time texts; false when either does not parse or does not
// name a real calendar date and time of day.
bool PhotoShotMoment(const PhotoRecord& photo, fe::SimpleDate& date, fe::SimpleTime& time);

// Gives each photo of `photoIndices` (indices into the list; others are ignored) the track's position at
// its shot time, interpolated between the points around it. Photos shot outside the track's span, and
// photos without a usable shot time, keep their position.
TrackPlacementResult PlacePhotosOnTrack(PhotoList& photos, const LocusTrack& track,
                                        const std::vector<int>& photoIndices);
