#pragma once

#include <QString>
#include <cstdint>

class CMainFrame;
class CTavrelView;

namespace app {

// A display switch's next value: 0 becomes 1, any other value 0.
std::uint8_t ToggledFlag(std::uint8_t flag);

// The browser address of a point: base + "/maps/@" + latitude + "," + longitude + "," + zoom + "z", the
// coordinates with seven decimals. An unset or blank coordinate and a blank zoom are left empty.
QString WebMapPointAddress(const QString& base, double latitude, double longitude, int zoom);

// 表示 → ichimill軌跡表示: flips the track switch of each drawer by its own value.
void ToggleTracks(CTavrelView& view);

// 撮影写真番号 (0) / 位置図写真番号 (1): both drawers number the marks so, and the photo pane shows the
// matching column.
void SetPhotoNumberKind(CMainFrame& frame, CTavrelView& view, int kind);

// The 表示 menu's switches and number kinds, 写真位置マークの設定 on the view's templates, the tile
// settings and the tile-cache clearing on the view's tile server, the tile attribution button and the browser command of the view's context menu, on the frame's view; the view
// supplies their checked states. Without a view these commands have no handler and stay disabled.
void InstallDisplayCommands(CMainFrame& frame, CTavrelView& view);

}  // namespace app
