#pragma once

// The web addresses the program opens in the desktop's browser, all in one place. The browser map
// address is the service's scheme and host, to which "/maps/@<lat>,<lon>,<zoom>z" is added.
namespace app {

// The list of the tile layers of the national map agency (the attribution button over web tiles).
inline constexpr const char* kTileListPageAddress = "https://maps.gsi.go.jp/development/ichiran.html";
// The web map service that shows a point in the browser (the view's context command).
inline constexpr const char* kWebMapServiceAddress = "https://www.google.com";

}  // namespace app
