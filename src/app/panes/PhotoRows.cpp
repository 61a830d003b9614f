#include "app/panes/PhotoRows.h"

#include <algorithm>
#include <utility>

#include "fe/StaticTables.h"
#include "model/NaturalTextLess.h"
#include "model/PhotoRecord.h"
#include "model/PlacedPhoto.h"

namespace app {

QString PhotoColumnTitle(int column)
{
    const QStringList& titles = fe::tables::PhotoListColumnTitles();
    return column >= 1 && column <= kPhotoColumnCount ? titles.value(column - 1) : QString();
}

QString PhotoPositionText(const PhotoRecord& photo)
{
    QString text = photo.HasPosition() ? QString::asprintf("%11.6f\n%11.6f\n", photo.position.latitude,
                                                           photo.position.longitude)
                                       : QStringLiteral("-\n-\n");
    text += IsUnset(photo.direction) ? QStringLiteral("-") : QString::asprintf("%6.1f", photo.direction);
    return text;
}

QString PhotoShotText(const PhotoRecord& photo)
{
    if (photo.date.isEmpty() && photo.time.isEmpty())
        return QStringLiteral("-");
    if (photo.date.isEmpty() || photo.time.isEmpty())
        return photo.date + photo.time;
    return photo.date + QLatin1Char(' ') + photo.time;
}

QString PlaneXYText(bool known, double x, double y)
{
    return known ? QString::asprintf("%11.2f\n%11.2f", x, y) : QStringLiteral("-\n-");
}

void SortPhotosByMapNumber(std::vector<PhotoRecord>& photos, const PlacedPhotoList& placed, bool ascending)
{
    const int n = int(photos.size());
    if (n < 2)
        return;
    // The place of each photo on the map, -1 when it is not placed there.
    const auto place = [&placed](const PhotoRecord& photo) { return placed.IndexOfPhoto(photo.id); };
    const auto outOfOrder = [&](const PhotoRecord& first, const PhotoRecord& second) {
        const int a = place(first);
        const int b = place(second);
        if (a < 0 || b < 0)
            return ascending ? (a < 0 && b >= 0) : (a >= 0 && b < 0);
        return NaturalTextLess(ascending, placed.NumberText(a), placed.NumberText(b));
    };
    // A comb sort whose gap never falls below 1, so that it always ends with a pass without a swap.
    int gap = std::max(1, n * 10 / 13);
    for (;;) {
        bool swapped = false;
        for (int i = 0; i + gap < n; ++i) {
            if (outOfOrder(photos[size_t(i)], photos[size_t(i + gap)])) {
                std::swap(photos[size_t(i)], photos[size_t(i + gap)]);
                swapped = true;
            }
        }
        if (gap == 1 && !swapped)
            return;
        gap = std::max(1, gap * 10 / 13);
    }
}

std::vector<int> PhotoRowSelection::Sorted() const
{
    std::vector<int> rows = m_rows;
    std::sort(rows.begin(), rows.end());
    return rows;
}

bool PhotoRowSelection::Contains(int row) const
{
    return std::find(m_rows.begin(), m_rows.end(), row) != m_rows.end();
}

void PhotoRowSelection::Toggle(int row, bool ctrl, bool shift)
{
    if (shift && !m_rows.empty())
        return;
    if (!ctrl || row == 0)
        m_rows.clear();
    const auto found = std::find(m_rows.begin(), m_rows.end(), row);
    if (found != m_rows.end())
        m_rows.erase(found);
    else if (row > 0)
        m_rows.push_back(row);
}

bool PhotoRowSelection::ExtendTo(int row)
{
    if (m_rows.empty() || row < 1)
        return false;
    const std::vector<int> sorted = Sorted();
    const bool run = sorted.back() - sorted.front() + 1 == int(sorted.size());
    const int anchor = run ? sorted.front() : m_rows.back();
    SelectRange(anchor, row);
    return true;
}

void PhotoRowSelection::SelectRange(int first, int last)
{
    if (last < first)
        std::swap(first, last);
    m_rows.clear();
    for (int row = first; row <= last; ++row)
        m_rows.push_back(row);
}

void PhotoRowSelection::Prune(int count)
{
    m_rows.erase(std::remove_if(m_rows.begin(), m_rows.end(), [count](int row) { return row < 1 || row > count; }),
                 m_rows.end());
}

}  // namespace app
