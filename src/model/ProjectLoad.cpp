#include <QFile>
#include <QFileInfo>

#include "fe/AtomicSave.h"
#include "fe/File.h"
#include "fe/PathUtil.h"
#include "model/Project.h"
#include "model/ProjectFile.h"
#include "model/ProjectFileReader.h"
#include "model/ProjectResult.h"

ProjectResult LoadProject(Project& project, const QString& path)
{
    project.Reset();
    const fe::PathParts parts(path);
    if (parts.name.isEmpty() || parts.extension.isEmpty()) {
        return kProjectFilePathError;
    }
    const QFileInfo info(path);
    if (!info.exists()) {
        return kProjectFileNotFound;
    }
    // What a save of this project interrupted by a crash left beside it is of no use any more.
    fe::RemoveSaveLeftovers(info.absoluteFilePath());
    const fe::PathParts absolute(info.absoluteFilePath());
    project.name = absolute.name;
    project.folder = absolute.drive + absolute.folder;

    fe::FileRB file;
    if (!file.open(info.absoluteFilePath())) {
        return kProjectFileCannotOpen;
    }
    const ProjectResult result = ReadProjectFile(project, file);
    if (result == kProjectOk) {
        project.SyncPlacedPhotos();
    }
    file.close();
    return result;
}

QString ConvertedProjectFilePath(const QString& firstVersionPath)
{
    const fe::PathParts parts(firstVersionPath);
    if (parts.name.isEmpty() || parts.extension.isEmpty()) {
        return QString();
    }
    const fe::PathParts absolute(QFileInfo(firstVersionPath).absoluteFilePath());
    return absolute.drive + absolute.folder + absolute.name + QStringLiteral(".kvr2");
}

void DeleteV1ProjectFile(const Project& project)
{
    const QString projectFile = project.ProjectFilePath();
    if (projectFile.isEmpty()) {
        return;
    }
    const fe::PathParts parts(projectFile);
    const QString firstVersionFile = parts.drive + parts.folder + parts.name + QStringLiteral(".kvr");
    if (QFileInfo(firstVersionFile).isFile()) {
        QFile::remove(firstVersionFile);
    }
}
