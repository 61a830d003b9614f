#pragma once

#include <functional>

class CTavrelDoc;
class MarkStyle;
class QWidget;
struct Project;

namespace app {

// The main frame's side of the photo-position outputs, one call per private message or command.
// `markStyle` is the view's current mark template (null when there is no view: the template's
// defaults are used). Messages go through Prompts(), folders are shown through OpenFolder().

// WM_APP_OUTPUT_PHOTO_POSITIONS: runs the chooser. Its buttons call outputCad and outputShapefile,
// which send WM_APP_OUTPUT_CAD and WM_APP_OUTPUT_SHAPEFILE to the frame. Returns 1.
int OutputPhotoPositions(QWidget* parent, const Project& project, const std::function<void()>& outputCad,
                         const std::function<void()>& outputShapefile);

// WM_APP_OUTPUT_CAD: for a project with a folder, a name and a location map, runs the CAD output
// dialog on a copy of the document's project; when it ends with "閉じる" the ticks it stored become one
// change of the document (saved, a failed save told by the document). Without a map:
// "出力できるものがありません。" and 0. Returns 1 otherwise; 0 without a path.
int OutputCad(QWidget* parent, CTavrelDoc& document, const MarkStyle* markStyle);

// WM_APP_OUTPUT_SHAPEFILE: writes the photo positions of a project with a folder and a name as the
// shapefile sets <shapefile folder><project name>_point and _dir (the folder is made when missing),
// then shows the folder, or reports "シェープ出力に失敗しました。". Returns 1; 0 without a path.
int OutputShapefile(QWidget* parent, const Project& project);

// Command 32942: writes the DXF drawing of the map at mapIndex when it is a registered picture with
// photos on it, whether or not it is ticked, and shows the cad folder; a failure is reported with the
// map's name. True only when a drawing was written.
bool ExportMapDxf(QWidget* parent, const Project& project, int mapIndex, const MarkStyle* markStyle);

}  // namespace app
