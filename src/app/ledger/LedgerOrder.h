#pragma once

#include <QString>
#include <QStringList>

struct PhotoList;
struct PlacedPhotoList;

namespace app {

// The ledger's four direction buttons, in their order on the dialog.
enum LedgerDirection : int
{
    kLedgerDirection1 = 0,  // "北" on web tiles (latitude descending), else "下" (picture y descending)
    kLedgerDirection2 = 1,  // "南" (latitude ascending), "左" (picture x ascending)
    kLedgerDirection3 = 2,  // "西" (longitude ascending), "上" (x descending, then y ascending)
    kLedgerDirection4 = 3,  // "東" (longitude descending), "右" (picture x descending)
};

// The four captions: "北", "南", "西", "東" while the view shows web tiles, else "下", "左", "上", "右".
QStringList LedgerDirectionCaptions(bool webTiles);

// Orders the map's entries by the button. On web tiles the keys are the photos' latitude and longitude,
// and a photo without a position (or whose record is gone) sorts last; otherwise the entries' own
// picture positions. Entries with equal keys keep their order.
void SortLedgerByDirection(PlacedPhotoList& entries, const PhotoList& photos, int direction, bool webTiles);

// The comment with a ready-made text added: the text alone for an empty comment, else after "\r\n".
QString AppendCommentTemplate(const QString& comment, const QString& templateText);

// Gives the entries from index `first` to `last` (inclusive, in list order) that have no working number
// the list's prefix + (first number + k) + suffix, k counting the entries numbered here.
void NumberLedgerEntries(PlacedPhotoList& entries, int first, int last);

}  // namespace app
