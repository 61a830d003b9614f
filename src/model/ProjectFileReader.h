#pragma once

#include <QString>
#include <QStringList>

#include "model/ProjectResult.h"

namespace fe {
class FileRB;
}
struct Project;

// Reads a project file of version 1 to 8 from an open reader into the project, field by field with the
// version gates of the format; the version read stays in project.fileVersion. Returns a ProjectResult:
// 0; 11 for a file that does not start with the magic text; 12 for a version the program does not know;
// 17 when a section failed (headers, options, import settings, tracks, or a map failing in a placed
// photo, its item texts or a reservoir photo row); 10 for any other field that could not be read. Counts
// are never trusted for allocation: records are read one by one and a negative count fails. On failure
// the project holds what was read so far; callers reset it.
[[nodiscard]] ProjectResult ReadProjectFile(Project& project, fe::FileRB& file);

// Splits every text at its line feeds, a carriage return before a line feed dropped, so that a stored
// comment holding line breaks becomes one entry per line.
QStringList SplitIntoLines(const QStringList& texts);
