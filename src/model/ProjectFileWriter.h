#pragma once

#include <QString>

struct Project;

// Writes the whole project into the project file at the path and returns a ProjectResult.
int WriteProjectFile(const Project& project, const QString& path);
