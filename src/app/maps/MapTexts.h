#pragma once

#include <QString>
#include <array>

namespace app {

// The message of a location-map name that cannot be a file name.
inline const QString kMapNameRefusedText =
    QStringLiteral("ファイル名に使用できない文字を位置図名称に使うことはできません。");
inline const QString kMapNameRefusedCaption = QStringLiteral("入力確認");

// Whether the name may stand in a file name: no control character (below U+0020) and none of
// \ / : * ? " < > |.
bool IsUsableMapName(const QString& name);

// Item value 4 is a three-line field. SplitThreeLines: the text split at line feeds, each piece without
// its leading and trailing carriage returns, the first three pieces that are not empty (later ones are
// dropped). JoinThreeLines: the three lines each followed by CR LF, the first two always.
std::array<QString, 3> SplitThreeLines(const QString& text);
QString JoinThreeLines(const std::array<QString, 3>& lines);

}  // namespace app
