#include "model/ProjectFileWriter.h"

#include "model/ProjectResult.h"

int WriteProjectFile(const Project& /*project*/, const QString& /*path*/)
{
    // The binary project file format is not written yet: report the save as failed rather than pretend.
    return kProjectSaveFailed;
}
