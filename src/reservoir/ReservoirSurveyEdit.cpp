#include "reservoir/ReservoirSurveyEdit.h"

#include <algorithm>

#include "model/Project.h"
#include "reservoir/ReservoirTables.h"

ReservoirSurveyEdit::ReservoirSurveyEdit(Project& project, int mapIndex)
    : m_project(project), m_mapIndex(mapIndex)
{
}

QString ReservoirSurveyEdit::FirstCommentLine(const QString& comment)
{
    const qsizetype end = comment.indexOf(QLatin1Char('\n'));
    QString line = end < 0 ? comment : comment.left(end);
    // Comments written on another system may end their lines with CR LF.
    if (line.endsWith(QLatin1Char('\r'))) {
        line.chop(1);
    }
    return line;
}

const LocationMap* ReservoirSurveyEdit::Map(const Project& project, int mapIndex)
{
    return project.maps.IsValidIndex(mapIndex) ? &project.maps.maps[static_cast<size_t>(mapIndex)] : nullptr;
}

const ReservoirItem* ReservoirSurveyEdit::Table(const Project& project, int mapIndex, int table)
{
    const LocationMap* map = Map(project, mapIndex);
    if (!map || table < 0 || table >= kReservoirTableCount ||
        table >= static_cast<int>(map->reservoir.items.size())) {
        return nullptr;
    }
    return &map->reservoir.items[static_cast<size_t>(table)];
}

bool ReservoirSurveyEdit::CanAddPhoto(const Project& project, int mapIndex, int table, int placedIndex)
{
    const LocationMap* map = Map(project, mapIndex);
    const ReservoirItem* item = Table(project, mapIndex, table);
    if (!item || placedIndex < 0 || placedIndex >= map->photos.Count()) {
        return false;
    }
    return item->FindPhotoRef(map->photos.entries[static_cast<size_t>(placedIndex)].photoId) == nullptr;
}

LocationMap* ReservoirSurveyEdit::MapOf()
{
    return const_cast<LocationMap*>(Map(m_project, m_mapIndex));
}

ReservoirItem* ReservoirSurveyEdit::TableOf(int table)
{
    return const_cast<ReservoirItem*>(Table(m_project, m_mapIndex, table));
}

bool ReservoirSurveyEdit::AddPhoto(int table, int placedIndex)
{
    if (!CanAddPhoto(m_project, m_mapIndex, table, placedIndex)) {
        return false;
    }
    const PlacedPhoto& entry = MapOf()->photos.entries[static_cast<size_t>(placedIndex)];
    ReservoirPhotoRef row;
    row.photoId = entry.photoId;
    row.description = FirstCommentLine(entry.comment);
    TableOf(table)->photoRows.push_back(row);
    return true;
}

bool ReservoirSurveyEdit::ChangePhoto(int table, int row, int placedIndex)
{
    ReservoirItem* item = TableOf(table);
    if (!item || row < 0 || row >= static_cast<int>(item->photoRows.size()) ||
        !CanAddPhoto(m_project, m_mapIndex, table, placedIndex)) {
        return false;
    }
    const PlacedPhoto& entry = MapOf()->photos.entries[static_cast<size_t>(placedIndex)];
    ReservoirPhotoRef& ref = item->photoRows[static_cast<size_t>(row)];
    ref.photoId = entry.photoId;
    ref.description = FirstCommentLine(entry.comment);
    ref.spare = 0;
    return true;
}

bool ReservoirSurveyEdit::RemoveRow(int table, int row)
{
    ReservoirItem* item = TableOf(table);
    if (!item || row < 0 || row >= static_cast<int>(item->photoRows.size())) {
        return false;
    }
    item->RemovePhotoRef(row);
    return true;
}

bool ReservoirSurveyEdit::SwapRows(int table, int first, int second)
{
    ReservoirItem* item = TableOf(table);
    return item && item->SwapPhotoRefs(first, second);
}

bool ReservoirSurveyEdit::StoreDescriptions(int table, const QStringList& descriptions)
{
    ReservoirItem* item = TableOf(table);
    if (!item) {
        return false;
    }
    bool changed = false;
    const qsizetype count = std::min<qsizetype>(descriptions.size(), qsizetype(item->photoRows.size()));
    for (qsizetype k = 0; k < count; ++k) {
        QString& stored = item->photoRows[static_cast<size_t>(k)].description;
        if (stored != descriptions[k]) {
            stored = descriptions[k];
            changed = true;
        }
    }
    return changed;
}

bool ReservoirSurveyEdit::StoreInfo(const QString& reservoirId, const QString& reservoirName,
                                    const QString& surveyDate)
{
    LocationMap* map = MapOf();
    if (!map) {
        return false;
    }
    ReservoirSheet& sheet = map->reservoir;
    if (sheet.reservoirId == reservoirId && sheet.reservoirName == reservoirName &&
        sheet.surveyDate == surveyDate) {
        return false;
    }
    sheet.reservoirId = reservoirId;
    sheet.reservoirName = reservoirName;
    sheet.surveyDate = surveyDate;
    return true;
}

bool ReservoirSurveyEdit::SetPicture(int table, const QString& fileName, std::int32_t rotation)
{
    ReservoirItem* item = TableOf(table);
    if (!item || (item->pictureFile == fileName && item->pictureRotation == rotation)) {
        return false;
    }
    item->pictureFile = fileName;
    item->pictureRotation = rotation;
    return true;
}

bool ReservoirSurveyEdit::SortPlacedPhotos(int column, bool ascending)
{
    LocationMap* map = MapOf();
    if (!map) {
        return false;
    }
    if (column == 1) {
        map->photos.SortByNumberText(ascending);
    } else if (column == 3 || column == 4) {
        map->photos.SortByShotTime(m_project.photos, ascending);
    } else {
        return false;
    }
    return true;
}
