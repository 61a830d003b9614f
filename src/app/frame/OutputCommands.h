#pragma once

#include <QObject>
#include <QString>
#include <functional>

class CMainFrame;
class MarkStyle;
class QWidget;

namespace app {

// The frame's photo-position outputs: the chooser, the CAD dialog, the shapefiles and the current map's DXF.
// One object per frame, a child of it.
class COutputCommands : public QObject
{
    Q_OBJECT

public:
    explicit COutputCommands(CMainFrame& frame);
    static COutputCommands* Of(const CMainFrame& frame);

    // The view's mark template in use, copied into the drawings; null without a view (the template's
    // defaults are used then).
    std::function<const MarkStyle*()> currentMarkStyle;

    // Each returns what its message answers.
    int OutputPhotoPositions();
    int OutputCad();
    int OutputShapefile();
    // Command 32942: the DXF drawing of the current map when it is a registered picture.
    void ExportCurrentMapDxf();

private:
    CMainFrame& m_frame;
};

// Sets the output messages' handlers and command 32942 on the frame.
void InstallOutputCommands(CMainFrame& frame);

}  // namespace app
