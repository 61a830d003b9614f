#pragma once

#include <QString>

#include "model/ProjectResult.h"

namespace fe {
class FileWB;
}
struct Project;

// Writes the whole project into the project file at the path, replacing the old file only when the
// new one was written whole. Returns a ProjectResult: 0; 6 when the file cannot be started; 10 when a
// field could not be written; 16 when a section failed (a placed photo, an item text or a reservoir
// photo row) or the finished file could not be put in place. On failure the old file stays as it was.
[[nodiscard]] ProjectResult WriteProjectFile(const Project& project, const QString& path);

// Writes the project's records into an open writer, always in the newest format: 0, 10 or 16 as above.
// The caller closes the writer, and only after 0.
[[nodiscard]] ProjectResult WriteProjectFile(const Project& project, fe::FileWB& file);
