#pragma once

#include <QString>
#include <vector>

struct PhotoRecord;
struct PlacedPhotoList;

namespace app {

// The columns of the photo list, 1-based as the grid counts them.
enum PhotoColumn : int
{
    kColPhotoNumber = 1,
    kColMapNumber = 2,
    kColPlaced = 3,
    kColThumbnail = 4,
    kColPosition = 5,
    kColShotTime = 6,
    kColPlaneXY = 7,
    kColFileName = 8,
    kColSourceName = 9,
    kPhotoColumnCount = 9,
};

// The header text of a column (1 to 9), without a sort marker.
QString PhotoColumnTitle(int column);
// The cell texts of a photo: latitude and longitude ("%11.6f" each with a line feed, "-\n-\n" when
// either is unset) followed by the direction ("%6.1f", "-" when unset); the date and time joined by a
// blank only when both are there, "-" when neither is; the plane coordinates ("%11.2f" X, a line feed,
// "%11.2f" Y) or "-\n-".
QString PhotoPositionText(const PhotoRecord& photo);
QString PhotoShotText(const PhotoRecord& photo);
QString PlaneXYText(bool known, double x, double y);

// Orders the photos by their number text on a location map: with `ascending` the placed photos come
// first, from the largest number to the smallest, then the unplaced ones; otherwise the unplaced ones
// first, then the placed ones from the smallest number up. Lists of 0 or 1 photos are left as they are.
void SortPhotosByMapNumber(std::vector<PhotoRecord>& photos, const PlacedPhotoList& placed, bool ascending);

// The rows selected in the photo list (photo index + 1), in the order they were added.
class PhotoRowSelection
{
public:
    const std::vector<int>& Rows() const { return m_rows; }
    std::vector<int> Sorted() const;
    bool Empty() const { return m_rows.empty(); }
    bool Contains(int row) const;

    void Clear() { m_rows.clear(); }
    void Set(const std::vector<int>& rows) { m_rows = rows; }
    // A click on a row: with Shift over a selection nothing changes; without Ctrl the row alone is
    // selected afterwards; with Ctrl the row is added, or removed when it was selected.
    void Toggle(int row, bool ctrl, bool shift);
    // Shift+click on a row: the rows from the anchor to it become the selection. The anchor is the
    // smallest row when the selection is one unbroken run, else the row added last. False (nothing
    // changes) when nothing is selected.
    bool ExtendTo(int row);
    // Rows first to last (1-based, either order) become the selection.
    void SelectRange(int first, int last);
    // Rows outside 1..count are dropped.
    void Prune(int count);

private:
    std::vector<int> m_rows;
};

}  // namespace app
