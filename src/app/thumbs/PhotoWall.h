#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "model/PhotoRecord.h"

namespace app {

// The rules of the thumbnail wall apart from its widgets: the wall's own copy of the photo list (sorting
// changes only the copy), the ticked photos (the photo pane's selection after OK), the photos marked
// 削除 (deleted by the caller after OK), the sort buttons' texts and the title.
class PhotoWall
{
public:
    enum SortKey
    {
        kNoSort = -1,
        kByShotTime = 0,
        kByFileName = 1,
    };

    explicit PhotoWall(PhotoList photos);

    const PhotoList& Photos() const { return m_photos; }
    int Count() const { return static_cast<int>(m_photos.photos.size()); }
    // The id of the photo at a place of the copy; -1 outside it.
    std::int32_t IdAt(int row) const;

    // Ticked ids in the order they were ticked; a tick on a marked photo stays but is not shown.
    const std::vector<std::int32_t>& SelectedIds() const { return m_selected; }
    void SetSelectedIds(std::vector<std::int32_t> ids) { m_selected = std::move(ids); }
    // Marked ids, ascending, each once.
    const std::vector<std::int32_t>& MarkedIds() const { return m_marked; }
    bool IsTicked(std::int32_t id) const;
    bool IsMarked(std::int32_t id) const;
    bool ShowsTick(std::int32_t id) const { return IsTicked(id) && !IsMarked(id); }

    // A click that the list had selected `rows` for: a photo neither ticked nor marked is ticked; any
    // other loses its tick, except with Shift held or at the end of a rubber band, which only add.
    void Click(const std::vector<int>& rows, bool shift, bool endOfRubberBand);
    // Ctrl+A: every unmarked photo ticked, in the copy's order.
    void TickAll();
    // 選択全解除: no tick; marks stay.
    void ClearTicks() { m_selected.clear(); }
    // 削除 and 削除取り消し.
    void Mark(std::int32_t id);
    void Unmark(std::int32_t id);

    // A sort button: the shared direction flips first (so the first press sorts descending), the other
    // button's text goes back to its plain form, and the copy is sorted by the key.
    void Sort(SortKey key);
    QString ShotTimeButtonText() const { return m_shotTimeText; }
    QString FileNameButtonText() const { return m_fileNameText; }

    // "一覧選択 　枚数：全て(N)", with " / 選択中(n)" and " / 削除(n)" when there are such photos.
    QString Title() const;
    // The photos to write as the photo set: the copy in its order, the marked photos left out.
    PhotoList PhotoSetList() const;

    // The caption lines of a photo, joined by "\n": latitude and longitude ("%11.6f" each, when both are
    // set), the shot date and time, the stored file name; empty when no chosen line applies.
    static QString CaptionText(const PhotoRecord& photo, bool latLong, bool shotTime, bool fileName);

private:
    PhotoList m_photos;
    std::vector<std::int32_t> m_selected;
    std::vector<std::int32_t> m_marked;
    SortKey m_key = kNoSort;
    bool m_ascending = true;
    QString m_shotTimeText;
    QString m_fileNameText;
};

}  // namespace app
