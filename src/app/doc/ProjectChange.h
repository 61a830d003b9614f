#pragma once

#include <QFlags>

// What one change of the project touched. The document announces the kinds after the change was saved;
// the view and the panes redraw what shows them.
enum class ProjectChange : unsigned
{
    Photos = 1u << 0,        // the photo list or fields of photos (positions, directions, comments)
    PlacedPhotos = 1u << 1,  // the photos placed on location maps and site maps, and their numbering
    Maps = 1u << 2,          // the location maps: added, removed, renamed, re-framed, their survey
    SiteMaps = 1u << 3,      // the site location maps and their zone
    Settings = 1u << 4,      // report headers, output options and photo import settings
    Tracks = 1u << 5,        // GNSS tracks
    Selection = 1u << 6,     // selected photos and the current map: run-time state that is never saved
};
Q_DECLARE_FLAGS(ProjectChanges, ProjectChange)
Q_DECLARE_OPERATORS_FOR_FLAGS(ProjectChanges)

// Every kind at once: a project opened, created or emptied.
inline constexpr ProjectChanges kWholeProject =
    ProjectChanges(ProjectChange::Photos) | ProjectChange::PlacedPhotos | ProjectChange::Maps |
    ProjectChange::SiteMaps | ProjectChange::Settings | ProjectChange::Tracks | ProjectChange::Selection;
