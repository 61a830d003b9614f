#include "app/cad/PhotoPositionOutputs.h"

#include <QDir>
#include <QFileInfo>

#include "app/AppTitle.h"
#include "app/FolderOpener.h"
#include "app/Prompts.h"
#include "app/cad/OutputCadDlg.h"
#include "app/cad/OutputPhotoPosDlg.h"
#include "app/doc/TavrelDoc.h"
#include "cad/CadMapOutput.h"
#include "cad/CadOutputRun.h"
#include "cad/PhotoPositionShapefiles.h"
#include "model/Project.h"

namespace app {

int OutputPhotoPositions(QWidget* parent, const Project& project, const std::function<void()>& outputCad,
                         const std::function<void()>& outputShapefile)
{
    COutputPhotoPosDlg dialog(project, outputCad, outputShapefile, parent);
    dialog.exec();
    return 1;
}

int OutputCad(QWidget* parent, CTavrelDoc& document, const MarkStyle* markStyle)
{
    const Project& project = document.GetProject();
    if (!project.HasPath()) {
        return 0;
    }
    if (project.maps.Count() == 0) {
        ShowMessage(parent, QStringLiteral("出力できるものがありません。"), kProductName,
                    PromptIcon::Warning);
        return 0;
    }
    // The dialog ticks and writes from a copy, so that no change of the document stays open while it
    // shows; its ticks come back as one change, saved once.
    Project working = project;
    COutputCadDlg dialog(working, markStyle, parent);
    if (dialog.exec() == QDialog::Accepted) {
        (void)document.Change(ProjectChange::Maps, [&working](Project& edited) {
            if (edited.maps.Count() != working.maps.Count())
                return false;
            bool changed = false;
            for (size_t k = 0; k < edited.maps.maps.size(); ++k) {
                std::uint8_t& flag = edited.maps.maps[k].cadOutputFlag;
                changed = changed || flag != working.maps.maps[k].cadOutputFlag;
                flag = working.maps.maps[k].cadOutputFlag;
            }
            return changed;
        });
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
        ShowOutputFolder(parent, folder);
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
        ShowOutputFolder(parent, project.CadFolder());
        return true;
    }
    ShowMessage(parent, QStringLiteral("ファイルの出力に失敗しました。\n\n・") + map.name + QLatin1Char('\n'),
                kProductName, PromptIcon::Error);
    return false;
}

}  // namespace app
