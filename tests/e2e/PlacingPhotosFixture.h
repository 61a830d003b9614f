#pragma once

// The project the placing road starts with: six photos of the list-export project (ids 10 to 15), each
// with a position and a shooting direction, their thumbnails made, and no location map yet. The photos lie
// about 200 m apart on a line in the Izu peninsula (Shizuoka prefecture, plane rectangular zone VIII).

#include "ListExportProject.h"
#include "model/Project.h"

namespace placing_road {

inline constexpr int kFirstPhoto = 10;
inline constexpr int kLastPhoto = 15;
inline constexpr int kPhotoCount = kLastPhoto - kFirstPhoto + 1;
inline constexpr int kZone = 8;

// Writes the project into `root`/現場/ and returns the project file; empty when it could not be made.
inline QString MakeProject(const QString& root)
{
    Project project;
    if (!list_export::MakeProject(root, project))
        return {};
    project.maps = LocationMapList();
    for (int id = 1; id <= list_export::kPhotoCount; ++id)
        if ((id < kFirstPhoto || id > kLastPhoto) && !project.DeletePhoto(id))
            return {};
    for (int index = 0; index < int(project.photos.photos.size()); ++index)
        if (!project.RemakeThumbnails(index))
            return {};
    if (project.Save() != kProjectOk)
        return {};
    return project.ProjectFilePath();
}

}  // namespace placing_road
