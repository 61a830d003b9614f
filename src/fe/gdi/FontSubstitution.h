#pragma once

namespace fe::gdi {

// Maps the Windows Japanese faces the program names ("ＭＳ ゴシック", "メイリオ", ...) to the IPA
// fonts. Call once at start-up, before any widget or drawer picks a font.
void InstallFontSubstitutions();

}  // namespace fe::gdi
