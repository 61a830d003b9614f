#include "app/thumbs/PhotoWall.h"

#include <algorithm>

namespace app {
namespace {

const QString kShotTimePlain = QStringLiteral("撮影日時－");
const QString kFileNamePlain = QStringLiteral("ファイル名－");

bool Contains(const std::vector<std::int32_t>& ids, std::int32_t id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

}  // namespace

PhotoWall::PhotoWall(PhotoList photos)
    : m_photos(std::move(photos)), m_shotTimeText(kShotTimePlain), m_fileNameText(kFileNamePlain)
{
}

std::int32_t PhotoWall::IdAt(int row) const
{
    return row >= 0 && row < Count() ? m_photos.photos[static_cast<size_t>(row)].id : -1;
}

bool PhotoWall::IsTicked(std::int32_t id) const
{
    return Contains(m_selected, id);
}

bool PhotoWall::IsMarked(std::int32_t id) const
{
    return std::binary_search(m_marked.begin(), m_marked.end(), id);
}

void PhotoWall::Click(const std::vector<int>& rows, bool shift, bool endOfRubberBand)
{
    for (int row : rows) {
        const std::int32_t id = IdAt(row);
        if (row < 0 || row >= Count())
            continue;
        if (!IsTicked(id) && !IsMarked(id))
            m_selected.push_back(id);
        else if (!shift && !endOfRubberBand)
            m_selected.erase(std::remove(m_selected.begin(), m_selected.end(), id), m_selected.end());
    }
}

void PhotoWall::TickAll()
{
    m_selected.clear();
    for (const PhotoRecord& photo : m_photos.photos)
        if (!IsMarked(photo.id))
            m_selected.push_back(photo.id);
}

void PhotoWall::Mark(std::int32_t id)
{
    if (!IsMarked(id))
        m_marked.insert(std::upper_bound(m_marked.begin(), m_marked.end(), id), id);
}

void PhotoWall::Unmark(std::int32_t id)
{
    m_marked.erase(std::remove(m_marked.begin(), m_marked.end(), id), m_marked.end());
}

void PhotoWall::Sort(SortKey key)
{
    if (key != kByShotTime && key != kByFileName)
        return;
    m_ascending = !m_ascending;
    if (m_key != kNoSort) {
        if (key == kByShotTime)
            m_fileNameText = kFileNamePlain;
        else
            m_shotTimeText = kShotTimePlain;
    }
    m_key = key;
    const QString arrow = m_ascending ? QStringLiteral("▲") : QStringLiteral("▼");
    if (key == kByShotTime) {
        m_shotTimeText = QStringLiteral("撮影日時") + arrow;
        m_photos.SortByShotTime(m_ascending);
    } else {
        m_fileNameText = QStringLiteral("ファイル名") + arrow;
        m_photos.SortByFileName(m_ascending);
    }
}

QString PhotoWall::Title() const
{
    QString title = QStringLiteral("一覧選択 　枚数：全て(%1)").arg(Count());
    if (!m_selected.empty())
        title += QStringLiteral(" / 選択中(%1)").arg(m_selected.size());
    if (!m_marked.empty())
        title += QStringLiteral(" / 削除(%1)").arg(m_marked.size());
    return title;
}

PhotoList PhotoWall::PhotoSetList() const
{
    PhotoList list;
    list.nextId = m_photos.nextId;
    list.photos = m_photos.photos;
    for (std::int32_t id : m_marked) {
        const auto first = std::find_if(list.photos.begin(), list.photos.end(),
                                        [id](const PhotoRecord& photo) { return photo.id == id; });
        if (first != list.photos.end())
            list.photos.erase(first);
    }
    return list;
}

QString PhotoWall::CaptionText(const PhotoRecord& photo, bool latLong, bool shotTime, bool fileName)
{
    QStringList lines;
    if (latLong && photo.HasPosition()) {
        lines << QString::asprintf("%11.6f", photo.position.latitude)
              << QString::asprintf("%11.6f", photo.position.longitude);
    }
    if (shotTime && (!photo.date.isEmpty() || !photo.time.isEmpty())) {
        const QString gap = !photo.date.isEmpty() && !photo.time.isEmpty() ? QStringLiteral(" ") : QString();
        lines << photo.date + gap + photo.time;
    }
    if (fileName)
        lines << photo.FileName();
    return lines.join(QLatin1Char('\n'));
}

}  // namespace app
