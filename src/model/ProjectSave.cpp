#include <QFileInfo>

#include "model/Project.h"
#include "model/ProjectFileWriter.h"
#include "model/ProjectResult.h"

ProjectResult Project::Save() const
{
    if (!HasPath()) {
        return kProjectUnsavedCannotOverwrite;
    }
    if (!QFileInfo(DataFolder()).isDir()) {
        return kProjectPathMissing;
    }
    return WriteProjectFile(*this, ProjectFilePath());
}
