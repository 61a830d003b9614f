#include "app/frame/DisplayCommands.h"

#include <QAction>
#include <climits>

#include "app/FolderOpener.h"
#include "app/controls/BlankValues.h"
#include "app/frame/CommandIds.h"
#include "app/frame/MainFrame.h"
#include "app/frame/OutputCommands.h"
#include "app/frame/SettingsCommands.h"
#include "app/frame/WebAddresses.h"
#include "app/view/TavrelView.h"
#include "fe/Unset.h"

namespace app {
namespace {

QString CoordinateText(double value)
{
    if (IsUnset(value) || value == kBlankReal)
        return QString();
    return QString::number(value, 'f', 7);
}

// A switch of the view: flipped, then drawn again. Nothing is saved.
void ToggleViewFlag(CTavrelView& view, std::uint8_t& flag)
{
    flag = ToggledFlag(flag);
    view.RenderAndUpdate();
}

}  // namespace

std::uint8_t ToggledFlag(std::uint8_t flag)
{
    return flag == 0 ? 1 : 0;
}

QString WebMapPointAddress(const QString& base, double latitude, double longitude, int zoom)
{
    const QString zoomText = zoom == kBlankInt ? QString() : QString::number(zoom);
    return base + QStringLiteral("/maps/@") + CoordinateText(latitude) + QLatin1Char(',') +
           CoordinateText(longitude) + QLatin1Char(',') + zoomText + QLatin1Char('z');
}

void ToggleTracks(CTavrelView& view)
{
    view.WebDrawer().showTracks = ToggledFlag(view.WebDrawer().showTracks);
    view.PictureDrawer().showTracks = ToggledFlag(view.PictureDrawer().showTracks);
    view.RenderAndUpdate();
}

void SetPhotoNumberKind(CMainFrame& frame, CTavrelView& view, int kind)
{
    view.WebDrawer().style.numberKind = std::uint8_t(kind);
    view.PictureDrawer().style.numberKind = std::uint8_t(kind);
    if (const auto& apply = frame.PaneLinks().applyViewMode)
        apply(view.ViewMode(), kind);
    view.RenderAndUpdate();
}

void InstallDisplayCommands(CMainFrame& frame, CTavrelView& view)
{
    CTavrelView* v = &view;
    const struct
    {
        int command;
        std::uint8_t CTavrelView::*flag;
    } switches[] = {
        {kCmdShowPhotoPositions, &CTavrelView::showShotPhotos},
        {kCmdShowMapFramesOnWeb, &CTavrelView::showOverviewFrames},
        {kCmdShowMapPhotoPositions, &CTavrelView::showMapPhotos},
        {kCmdShowMapFramesOnMap, &CTavrelView::showMapFrames},
        {kCmdShowGreyPhotoMarks, &CTavrelView::showGreyMarks},
    };
    for (const auto& s : switches)
        frame.SetCommandHandler(s.command, [v, flag = s.flag] { ToggleViewFlag(*v, v->*flag); });
    frame.SetCommandHandler(kCmdViewAll, [v] { v->FitCurrentMap(); });
    frame.SetCommandHandler(kCmdShowTrack, [v] { ToggleTracks(*v); });
    frame.SetCommandHandler(kCmdPhotoNumbers, [&frame, v] { SetPhotoNumberKind(frame, *v, 0); });
    frame.SetCommandHandler(kCmdMapPhotoNumbers, [&frame, v] { SetPhotoNumberKind(frame, *v, 1); });
    for (const int command :
         {kCmdShowPhotoPositions, kCmdShowMapFramesOnWeb, kCmdShowMapPhotoPositions, kCmdShowMapFramesOnMap,
          kCmdShowGreyPhotoMarks, kCmdShowTrack, kCmdPhotoNumbers, kCmdMapPhotoNumbers})
        if (QAction* action = frame.Action(command))
            action->setCheckable(true);

    // The mark templates are the view's; it shows every edit while the dialog is open.
    frame.SetCommandHandler(kCmdMarkSettings, [&frame, v] {
        EditMarkSettings(
            &frame, v->MarkSettings(),
            [v] {
                v->ApplyCurrentMarkTemplate();
                v->RenderAndUpdate();
            },
            [v] { return v->SaveMarkSettings(); });
    });

    InstallTileCommands(frame, view);

    frame.SetCommandHandler(kCmdAttribution,
                            [] { (void)OpenWebAddress(QString::fromUtf8(kTileListPageAddress)); });
    // The point and zoom are those the view kept when its context menu opened.
    frame.SetCommandHandler(kCmdOpenWebMapInBrowser, [v] {
        const fe::geo::GeoPoint& point = v->ClickedPoint();
        (void)OpenWebAddress(WebMapPointAddress(QString::fromUtf8(kWebMapServiceAddress), point.latitude,
                                                point.longitude, v->ClickedZoom()));
    });

    // The drawings of the outputs take the view's mark template in use.
    if (COutputCommands* outputs = COutputCommands::Of(frame))
        outputs->currentMarkStyle = [v]() -> const MarkStyle* { return v->MarkSettings().Current(); };

    frame.SetStateSource([v](UiState& state) {
        state.showShotPhotos = v->showShotPhotos != 0;
        state.showOverviewFrames = v->showOverviewFrames != 0;
        state.showMapPhotos = v->showMapPhotos != 0;
        state.showMapFrames = v->showMapFrames != 0;
        state.showGreyMarks = v->showGreyMarks != 0;
        state.showTracks = v->PictureDrawer().showTracks != 0;
        state.numberKind = v->PictureDrawer().style.numberKind;
    });
}

}  // namespace app
