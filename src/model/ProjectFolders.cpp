// The project folder: its path functions, making a new project folder, and PhotoBounds.txt.
#include <QDir>
#include <QFileInfo>

#include "fe/Failure.h"
#include "fe/File.h"
#include "fe/PathUtil.h"
#include "fe/SimpleDate.h"
#include "fe/geo/PhotoFit.h"
#include "model/Project.h"
#include "model/ProjectResult.h"

namespace {

QString WithSeparator(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

}  // namespace

ProjectFolders ProjectFolders::Of(const QString& projectFolder)
{
    if (projectFolder.isEmpty()) {
        return ProjectFolders();
    }
    const auto sub = [&](const char* name) { return projectFolder + QLatin1String(name) + QLatin1Char('/'); };
    return {projectFolder, sub("photo"), sub("photomini"), sub("photominiM"), sub("photominiL"),
            sub("map"),    sub("excel"), sub("cad"),       sub("shapefile")};
}

ProjectFolders Project::Folders() const
{
    return ProjectFolders::Of(DataFolder());
}

QString Project::ProjectFilePath() const
{
    return HasPath() ? folder + name + QStringLiteral(".kvr2") : QString();
}

QString Project::DatedExcelFolder() const
{
    fe::SimpleDate today;
    try {
        today.SetToday();
    } catch (const fe::Failure&) {
        // Without a local date there is no dated folder; callers treat an empty text as "none".
        return QString();
    }
    return DatedExcelFolder(today);
}

QString Project::DatedExcelFolder(const fe::SimpleDate& day) const
{
    if (!HasPath()) {
        return QString();
    }
    return ExcelFolder() + QStringLiteral("%1%2%3/")
                               .arg(day.year, 4, 10, QLatin1Char('0'))
                               .arg(day.month, 2, 10, QLatin1Char('0'))
                               .arg(day.day, 2, 10, QLatin1Char('0'));
}

ProjectResult Project::CreateNew(const QString& projectName, const QString& parentFolder)
{
    if (HasPath()) {
        return kProjectAlreadySaved;
    }
    if (parentFolder.isEmpty() || !QFileInfo(parentFolder).isDir()) {
        return kProjectPathMissing;
    }
    name = projectName;
    if (projectName.contains(QLatin1Char(' '))) {
        Reset();
        return kProjectNameHasBlank;
    }
    // Only a plain name may become a project folder, so the project can never land outside the parent.
    if (!fe::IsPlainFileName(projectName)) {
        Reset();
        return kProjectFolderCreateFailed;
    }
    folder = WithSeparator(QDir::fromNativeSeparators(parentFolder)) + projectName + QLatin1Char('/');
    if (QFileInfo(folder).isDir()) {
        Reset();
        return kProjectFolderExists;
    }
    if (!QDir().mkdir(folder)) {
        Reset();
        return kProjectFolderCreateFailed;
    }
    const ProjectFolders folders = Folders();
    for (const QString& sub : {folders.map, folders.photo, folders.thumbS, folders.thumbM, folders.thumbL,
                               folders.excel, folders.cad, folders.shapefile}) {
        if (!QDir().mkdir(sub)) {
            return kProjectFolderCreateFailed;
        }
    }
    return Save();
}

bool Project::WritePhotoBounds() const
{
    const std::vector<fe::geo::GeoPoint> positions = photos.Positions();
    if (!fe::geo::AnyPhotoHasPosition(positions)) {
        return false;
    }
    const Rect2 bounds = fe::geo::PhotoPositionBounds(positions, 0, static_cast<unsigned>(positions.size()));
    if (IsUnset(bounds.x0) || IsUnset(bounds.x1) || IsUnset(bounds.y0) || IsUnset(bounds.y1)) {
        return false;
    }
    const QString tempFolder = fe::MakeTempFolder();
    if (tempFolder.isEmpty()) {
        return false;
    }
    fe::FileW file;
    if (!file.open(tempFolder + QStringLiteral("PhotoBounds.txt"), 0)) {
        return false;
    }
    try {
        const QString lineEnd = QStringLiteral("\n");
        file.writeDouble(bounds.y1).writeLine(lineEnd);
        file.writeDouble(bounds.y0).writeLine(lineEnd);
        file.writeDouble(bounds.x1).writeLine(lineEnd);
        file.writeDouble(bounds.x0).writeLine(lineEnd);
    } catch (const fe::Failure&) {
        return false;
    }
    return file.close();
}
