#include "app/frame/OutputCommands.h"

#include "app/cad/PhotoPositionOutputs.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/CommandIds.h"
#include "app/frame/FrameMessages.h"
#include "app/frame/MainFrame.h"
#include "app/frame/ReservoirCommands.h"
#include "model/Project.h"

namespace app {

COutputCommands::COutputCommands(CMainFrame& frame) : QObject(&frame), m_frame(frame)
{
    setObjectName(QStringLiteral("OutputCommands"));
}

COutputCommands* COutputCommands::Of(const CMainFrame& frame)
{
    return frame.findChild<COutputCommands*>(QString(), Qt::FindDirectChildrenOnly);
}

int COutputCommands::OutputPhotoPositions()
{
    CTavrelDoc* document = m_frame.Document();
    if (!document)
        return 0;
    // The chooser's buttons run inside this command.
    return app::OutputPhotoPositions(
        &m_frame, document->GetProject(), [this] { (void)OutputCad(); }, [this] { (void)OutputShapefile(); });
}

int COutputCommands::OutputCad()
{
    CTavrelDoc* document = m_frame.Document();
    if (!document)
        return 0;
    return app::OutputCad(&m_frame, *document, currentMarkStyle ? currentMarkStyle() : nullptr);
}

int COutputCommands::OutputShapefile()
{
    CTavrelDoc* document = m_frame.Document();
    return document ? app::OutputShapefile(&m_frame, document->GetProject()) : 0;
}

void COutputCommands::ExportCurrentMapDxf()
{
    CTavrelDoc* document = m_frame.Document();
    if (!document)
        return;
    (void)ExportMapDxf(&m_frame, document->GetProject(), CurrentMapIndex(*document),
                       currentMarkStyle ? currentMarkStyle() : nullptr);
}

void InstallOutputCommands(CMainFrame& frame)
{
    auto* commands = new COutputCommands(frame);
    // The handlers run as commands of the document, so that the project cannot switch meanwhile.
    const auto asCommand = [&frame](int (COutputCommands::*run)()) {
        return [&frame, run](qintptr, qintptr) -> qintptr {
            COutputCommands* commands = COutputCommands::Of(frame);
            CTavrelDoc* document = frame.Document();
            if (!commands || !document || frame.IsBusy())
                return 0;
            int result = 0;
            if (!document->RunCommand([&] { result = (commands->*run)(); }))
                return 0;
            frame.UpdateCommandStates();
            return result;
        };
    };
    frame.SetMessageHandler(kMsgOutputPhotoPositions, asCommand(&COutputCommands::OutputPhotoPositions));
    frame.SetMessageHandler(kMsgOutputCad, asCommand(&COutputCommands::OutputCad));
    frame.SetMessageHandler(kMsgOutputShapefile, asCommand(&COutputCommands::OutputShapefile));
    frame.SetCommandHandler(kCmdExportMapDxf, [commands] { commands->ExportCurrentMapDxf(); });
}

}  // namespace app
