#include "app/cad/PhotoPositionOutputs.h"

#include <QDir>
#include <QFileInfo>

#include "app/AppTitle.h"
#include "app/FolderOpener.h"
#include "app/Prompts.h"
#include "app/cad/OutputCadDlg.h"
#include "app/cad/OutputPhotoPosDlg.h"
#include "cad/CadMapOutput.h"
#include "cad/CadOutputRun.h"
#include "cad/PhotoPositionShapefiles.h"
#include "model/Project.h"
#include "model/ProjectResult.h"

namespace app {

int OutputPhotoPositions(QWidget* parent, const Project& project, const std::function<void()>& outputCad,
                         const std::function<void()>& outputShapefile)
{
    COutputPhotoPosDlg dialog(project, outputCad, outputShapefile, parent);
    dialog.exec();
    return 1;
}

int OutputCad(QWidget* parent, Project& project, const MarkStyle* markStyle)
{
    if (!project.HasPath()) {
        return 0;
    }
    if (project.maps.Count() == 0) {
        ShowMessage(parent, QStringLiteral("出力できるものがありません。"), kProductName,
                    PromptIcon::Warning);
        return 0;
    }
    COutputCadDlg dialog(project, markStyle, parent);
    if (dialog.exec() == QDialog::Accepted) {
        const int saved = project.Save();
        if (saved != 0) {
            ShowMessage(parent, ProjectErrorText(saved), kProductName, PromptIcon::Warning);
        }
    }
    return 1;
}

int OutputShapefile(QWidget* parent, const Project& project)
{
    if (!project.HasPath()) {
        return 0;
    }
    const QString folder = project.ShapefileFolder();
    if (!QFileInfo(folder).isDir()) {
        QDir().mkdir(folder);
    }
    if (WritePhotoPositionShapefiles(project.photos, folder, project.name)) {
        OpenFolder(folder);
    } else {
        ShowMessage(parent, QStringLiteral("シェープ出力に失敗しました。"), kProductName,
                    PromptIcon::Information);
    }
    return 1;
}

bool ExportMapDxf(QWidget* parent, const Project& project, int mapIndex, const MarkStyle* markStyle)
{
    if (!project.maps.IsValidIndex(mapIndex)) {
        return false;
    }
    const LocationMap& map = project.maps.maps[static_cast<size_t>(mapIndex)];
    if (!IsCadEligible(map)) {
        return false;
    }
    CadMapOutput job(&project);
    job.versionCode = 6;
    if (markStyle) {
        job.markStyle = *markStyle;
    }
    // This command names its map itself: the tick of the CAD dialog does not apply to it.
    LocationMap ticked = map;
    ticked.cadOutputFlag = 1;
    if (job.WriteLocationMapDxf(mapIndex, ticked)) {
        OpenFolder(project.CadFolder());
        return true;
    }
    ShowMessage(parent, QStringLiteral("ファイルの出力に失敗しました。\n\n・") + map.name + QLatin1Char('\n'),
                kProductName, PromptIcon::Error);
    return false;
}

}  // namespace app
