#pragma once

#include <QString>

#include "model/ProjectResult.h"

struct Project;

// Opens a project file (.kvr2, or a first-version .kvr) into the project. The project is reset first;
// its name becomes the file name without extension and its folder the file's folder. Returns a
// ProjectResult: 7 for a path without a file name or extension, 13 when the file does not exist, 6 when
// it exists but cannot be opened, else the reader's code (see ReadProjectFile). After 0 the placed
// photos are brought in step with the photo list. On failure the caller resets the project.
[[nodiscard]] ProjectResult LoadProject(Project& project, const QString& path);

// The current-format project file a first-version file converts into: <folder><name>.kvr2 beside it, named
// as LoadProject names the project. Empty for a path without a file name or extension.
QString ConvertedProjectFilePath(const QString& firstVersionPath);

// Deletes the first-version file <folder><name>.kvr beside the project file, when there is one; called
// once the converted project has been saved.
void DeleteV1ProjectFile(const Project& project);
