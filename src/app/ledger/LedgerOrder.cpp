#include "app/ledger/LedgerOrder.h"

#include <algorithm>
#include <functional>

#include "model/PhotoRecord.h"
#include "model/PlacedPhoto.h"

namespace app {

QStringList LedgerDirectionCaptions(bool webTiles)
{
    if (webTiles)
        return {QStringLiteral("北"), QStringLiteral("南"), QStringLiteral("西"), QStringLiteral("東")};
    return {QStringLiteral("下"), QStringLiteral("左"), QStringLiteral("上"), QStringLiteral("右")};
}

namespace {

using Key = std::function<double(const PlacedPhoto&)>;

void SortBy(std::vector<PlacedPhoto>& entries, const Key& key, bool ascending)
{
    std::stable_sort(entries.begin(), entries.end(), [&](const PlacedPhoto& a, const PlacedPhoto& b) {
        return ascending ? key(a) < key(b) : key(b) < key(a);
    });
}

}  // namespace

void SortLedgerByDirection(PlacedPhotoList& list, const PhotoList& photos, int direction, bool webTiles)
{
    std::vector<PlacedPhoto>& entries = list.entries;
    if (webTiles) {
        // A photo without a position takes the value that puts it last.
        const auto latitude = [&photos](double unset) -> Key {
            return [&photos, unset](const PlacedPhoto& e) {
                const PhotoRecord* photo = photos.Find(e.photoId);
                return photo && photo->HasPosition() ? photo->position.latitude : unset;
            };
        };
        const auto longitude = [&photos](double unset) -> Key {
            return [&photos, unset](const PlacedPhoto& e) {
                const PhotoRecord* photo = photos.Find(e.photoId);
                return photo && photo->HasPosition() ? photo->position.longitude : unset;
            };
        };
        switch (direction) {
            case kLedgerDirection1:
                return SortBy(entries, latitude(-1000), false);
            case kLedgerDirection2:
                return SortBy(entries, latitude(1000), true);
            case kLedgerDirection3:
                return SortBy(entries, longitude(1000), true);
            case kLedgerDirection4:
                return SortBy(entries, longitude(-1000), false);
            default:
                return;
        }
    }
    const Key x = [](const PlacedPhoto& e) { return e.x; };
    const Key y = [](const PlacedPhoto& e) { return e.y; };
    switch (direction) {
        case kLedgerDirection1:
            return SortBy(entries, y, false);
        case kLedgerDirection2:
            return SortBy(entries, x, true);
        case kLedgerDirection3:
            SortBy(entries, x, false);
            return SortBy(entries, y, true);
        case kLedgerDirection4:
            return list.SortByX();
        default:
            return;
    }
}

QString AppendCommentTemplate(const QString& comment, const QString& templateText)
{
    return comment.isEmpty() ? templateText : comment + QStringLiteral("\r\n") + templateText;
}

void NumberLedgerEntries(PlacedPhotoList& list, int first, int last)
{
    first = std::max(first, 0);
    last = std::min(last, list.Count() - 1);
    int k = 0;
    for (int i = first; i <= last; ++i) {
        PlacedPhoto& entry = list.entries[size_t(i)];
        if (!entry.workNumber.isEmpty())
            continue;
        entry.workNumber = list.prefix + QString::number(static_cast<qint64>(list.firstNumber) + k) + list.suffix;
        ++k;
    }
}

}  // namespace app
