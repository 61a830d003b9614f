#include "model/ProjectFileReader.h"

#include <algorithm>
#include <limits>
#include <set>

#include "fe/File.h"
#include "model/Project.h"
#include "model/ProjectFileFormat.h"
#include "model/ProjectResult.h"

namespace fmt = ProjectFileFormat;

namespace {

// Thrown inside the reader when a section reports failure: reading stops with 17.
struct SectionFailed
{
};

std::int32_t ReadInt(fe::FileRB& in)
{
    std::int32_t value = 0;
    in.readBinInt32(value);
    return value;
}

std::uint8_t ReadByte(fe::FileRB& in)
{
    std::uint8_t value = 0;
    in.readBinByte(value);
    return value;
}

double ReadDouble(fe::FileRB& in)
{
    double value = 0.0;
    in.readBinDouble(value);
    return value;
}

QString ReadText(fe::FileRB& in)
{
    QString text;
    in >> text;
    return text;
}

// A record count. Nothing is allocated from it: the records are read one by one, so a damaged count
// ends at the end of the file. A negative count cannot be a count at all.
std::int32_t ReadCount(fe::FileRB& in)
{
    const std::int32_t count = ReadInt(in);
    if (count < 0) {
        throw fe::Failure(QStringLiteral("File.readBin"));
    }
    return count;
}

// A kind the program does not know keeps its stored value (so that the file is written back unchanged)
// with no transform.
std::int32_t TransformKindOf(std::int32_t mapKind)
{
    const bool known = LocationMap::IsKnownKind(mapKind);
    return known ? LocationMapTransform::KindOfMap(mapKind) : LocationMapTransform::kNone;
}

void ReadPlacedRecord(fe::FileRB& in, std::int32_t version, PlacedPhoto& entry)
{
    entry.photoId = ReadInt(in);
    entry.x = ReadDouble(in);
    entry.y = ReadDouble(in);
    entry.direction = ReadDouble(in);
    entry.frame.x0 = ReadDouble(in);
    entry.frame.x1 = ReadDouble(in);
    entry.frame.y0 = ReadDouble(in);
    entry.frame.y1 = ReadDouble(in);
    entry.labelOffset.x = ReadDouble(in);
    entry.labelOffset.y = ReadDouble(in);
    entry.number = ReadInt(in);
    entry.comment = ReadText(in);
    if (version >= fmt::kCurrentFormatSince) {
        entry.numberText = ReadText(in);
    }
}

// False when a placed record could not be read.
bool ReadPlacedList(fe::FileRB& in, std::int32_t version, PlacedPhotoList& list)
{
    list.Reset();
    const std::int32_t count = ReadCount(in);
    for (std::int32_t k = 0; k < count; ++k) {
        PlacedPhoto entry;
        try {
            ReadPlacedRecord(in, version, entry);
        } catch (const fe::Failure&) {
            return false;
        }
        list.entries.push_back(entry);
    }
    list.prefix = ReadText(in);
    list.suffix = ReadText(in);
    list.firstNumber = ReadInt(in);
    if (version < fmt::kCurrentFormatSince) {
        // First-version files keep a numeric number only; 0 means "no number".
        for (PlacedPhoto& entry : list.entries) {
            if (entry.number != 0) {
                entry.numberText = list.prefix + QString::number(entry.number) + list.suffix;
            }
        }
    }
    return true;
}

// False (with all item texts empty) when an item text could not be read.
bool ReadItemTexts(fe::FileRB& in, MapItemTexts& names, MapItemTexts& values)
{
    names = MapItemTexts();
    values = MapItemTexts();
    try {
        for (QString& text : names.texts) {
            in >> text;
        }
        for (QString& text : values.texts) {
            in >> text;
        }
    } catch (const fe::Failure&) {
        names = MapItemTexts();
        values = MapItemTexts();
        return false;
    }
    return true;
}

// False when a photo row could not be read.
bool ReadReservoirSheet(fe::FileRB& in, std::int32_t version, ReservoirSheet& sheet)
{
    sheet.reservoirId = ReadText(in);
    sheet.reservoirName = ReadText(in);
    sheet.surveyDate = ReadText(in);
    sheet.items.clear();
    const std::int32_t itemCount = ReadCount(in);
    for (std::int32_t k = 0; k < itemCount; ++k) {
        ReservoirItem item(ReadInt(in));
        item.pictureFile = ReadText(in);
        if (version >= fmt::kReservoirValueSince) {
            item.pictureRotation = ReadInt(in);
        }
        const std::int32_t rowCount = ReadCount(in);
        for (std::int32_t r = 0; r < rowCount; ++r) {
            ReservoirPhotoRef row;
            try {
                row.photoId = ReadInt(in);
                row.description = ReadText(in);
            } catch (const fe::Failure&) {
                return false;
            }
            item.photoRows.push_back(row);
        }
        sheet.items.push_back(std::move(item));
    }
    sheet.includeInBook = ReadByte(in);
    sheet.Normalise();
    return true;
}

void ReadOverlay(fe::FileRB& in, MapOverlayLayout& overlay)
{
    overlay = MapOverlayLayout();
    overlay.northArrowX = ReadDouble(in);
    overlay.northArrowY = ReadDouble(in);
    overlay.northArrowAngle = ReadDouble(in);
    overlay.showNorthArrow = ReadByte(in);
    overlay.scaleBarX = ReadDouble(in);
    overlay.scaleBarY = ReadDouble(in);
    overlay.showScaleBar = ReadByte(in);
}

// The fields of the site location map and the reservoir survey that the current format added.
// False when a reservoir photo row could not be read.
bool ReadMapTail(fe::FileRB& in, std::int32_t version, LocationMap& map)
{
    map.frame.angle = ReadDouble(in);
    map.cadOutputFlag = ReadByte(in);
    if (!ReadReservoirSheet(in, version, map.reservoir)) {
        return false;
    }
    map.showCallout = ReadByte(in);
    map.calloutAnchor.latitude = ReadDouble(in);
    map.calloutAnchor.longitude = ReadDouble(in);
    map.locationText = ReadText(in);
    const std::int32_t lineCount = ReadCount(in);
    QStringList stored;
    for (std::int32_t k = 0; k < lineCount; ++k) {
        stored.append(ReadText(in));
    }
    map.commentLines = SplitIntoLines(stored);
    return true;
}

// False when the map failed in a placed record, its item texts or a reservoir photo row.
bool ReadMap(fe::FileRB& in, std::int32_t version, LocationMap& map)
{
    map.Reset();
    map.id = ReadInt(in);
    map.kind = ReadInt(in);
    map.pictureFormat = ReadInt(in);
    map.zone = ReadInt(in);
    map.pictureWidth = ReadInt(in);
    map.pictureHeight = ReadInt(in);
    for (Point2* point :
         {&map.reference.picture1, &map.reference.picture2, &map.reference.plane1, &map.reference.plane2}) {
        point->x = ReadDouble(in);
        point->y = ReadDouble(in);
    }
    map.sourcePictureName = ReadText(in);
    map.frame.rectA.x0 = ReadDouble(in);
    map.frame.rectA.x1 = ReadDouble(in);
    map.frame.rectA.y0 = ReadDouble(in);
    map.frame.rectA.y1 = ReadDouble(in);
    // The box is stored east first: x1, x0, y0, y1.
    map.box.x1 = ReadDouble(in);
    map.box.x0 = ReadDouble(in);
    map.box.y0 = ReadDouble(in);
    map.box.y1 = ReadDouble(in);
    map.tileZoom = ReadInt(in);
    map.outputFlag = ReadByte(in);
    map.outputFlagCopy = ReadByte(in);
    map.reservedA = ReadInt(in);
    map.reservedB = ReadByte(in);
    map.reservedC = ReadInt(in);
    map.reservedD = ReadInt(in);
    map.name = ReadText(in);
    map.transform.Reset(TransformKindOf(map.kind));
    if (!ReadPlacedList(in, version, map.photos) || !ReadItemTexts(in, map.itemNames, map.itemValues)) {
        return false;
    }
    ReadOverlay(in, map.overlay);
    if (version >= fmt::kCurrentFormatSince && !ReadMapTail(in, version, map)) {
        return false;
    }
    if (map.HasCoordinates()) {
        map.UpdateOutline();
    }
    return true;
}

void ReadMapList(fe::FileRB& in, std::int32_t version, LocationMapList& list)
{
    list.Clear();
    list.nextId = ReadInt(in);
    list.nextNumber = ReadInt(in);
    const std::int32_t count = ReadCount(in);
    for (std::int32_t k = 0; k < count; ++k) {
        LocationMap map(-1, -1);
        if (!ReadMap(in, version, map)) {
            throw SectionFailed();
        }
        list.maps.push_back(std::move(map));
    }
}

// A location map's id names its stored picture (m<id>.png), so the ids of the location maps are unique and
// the next id lies past them, as with photos. Site maps store no picture and are read as they stand.
void CheckMapIds(LocationMapList& list)
{
    std::set<std::int32_t> ids;
    std::int32_t largest = 0;
    for (const LocationMap& map : list.maps) {
        if (map.id < 0 || !ids.insert(map.id).second) {
            throw SectionFailed();
        }
        largest = std::max(largest, map.id);
    }
    if (!list.maps.empty() && list.nextId <= largest && largest < std::numeric_limits<std::int32_t>::max()) {
        list.nextId = largest + 1;
    }
}

void ReadPhotos(fe::FileRB& in, PhotoList& list)
{
    list.Reset();
    list.nextId = ReadInt(in);
    const std::int32_t count = ReadCount(in);
    for (std::int32_t k = 0; k < count; ++k) {
        PhotoRecord photo(-1);
        photo.id = ReadInt(in);
        photo.position.latitude = ReadDouble(in);
        photo.position.longitude = ReadDouble(in);
        photo.direction = ReadDouble(in);
        photo.date = ReadText(in);
        photo.time = ReadText(in);
        photo.sourceName = ReadText(in);
        photo.rotation = ReadInt(in);
        list.photos.push_back(photo);
    }
    // Each photo's id names its files (p<id>.jpg): two records of one id would share, and delete, each
    // other's files, so such a list is damaged. A next id at or below a stored one would make a new photo
    // overwrite that photo's files: it is raised past the largest id instead.
    std::set<std::int32_t> ids;
    std::int32_t largest = 0;
    for (const PhotoRecord& photo : list.photos) {
        if (photo.id < 0 || !ids.insert(photo.id).second) {
            throw SectionFailed();
        }
        largest = std::max(largest, photo.id);
    }
    if (!list.photos.empty() && list.nextId <= largest &&
        largest < std::numeric_limits<std::int32_t>::max()) {
        list.nextId = largest + 1;
    }
}

// Runs the reading of one section that resets the record to its defaults when it fails.
template <typename Record, typename ReadFields>
void ReadSection(Record& record, ReadFields readFields)
{
    record = Record();
    try {
        readFields(record);
    } catch (const fe::Failure&) {
        record = Record();
        throw SectionFailed();
    }
}

void ReadHeader(fe::FileRB& in, ReportHeader& header)
{
    ReadSection(header, [&](ReportHeader& h) {
        for (QString& text : h.texts) {
            in >> text;
        }
    });
}

void ReadOptions(fe::FileRB& in, std::int32_t version, ReportOutputOptions& options)
{
    ReadSection(options, [&](ReportOutputOptions& o) {
        o.outputKind = ReadInt(in);
        o.coverLandscape = ReadByte(in);
        if (version >= fmt::kSheetLayoutSince) {
            o.mapLayout = ReadInt(in);
            o.placePhotos = ReadByte(in);
            o.ledgerLayout = ReadInt(in);
            o.shotTimeFormat = ReadInt(in);
        }
        o.optionsStored = ReadByte(in);
        o.fileNamePrefix = ReadText(in);
        o.splitWorkbook = ReadByte(in);
        o.pagesPerWorkbook = ReadInt(in);
        if (version >= fmt::kQualitiesSince) {
            o.photoQuality = ReadInt(in);
            o.mapQuality = ReadInt(in);
        }
        if (version >= fmt::kCurrentFormatSince) {
            o.outputCover = ReadByte(in);
            o.outputMapSheets = ReadByte(in);
            o.outputLedger = ReadByte(in);
            o.outputPhotoList = ReadByte(in);
            o.placePhotoComments = ReadByte(in);
            o.photoPlacement = ReadInt(in);
            o.listOriginalFileName = ReadByte(in);
        }
    });
}

void ReadImportSettings(fe::FileRB& in, std::int32_t version, PhotoImportSettings& settings)
{
    ReadSection(settings, [&](PhotoImportSettings& s) {
        s.skipSameName = ReadByte(in);
        s.dateFilter = ReadByte(in);
        s.fromDate = ReadText(in);
        s.toDate = ReadText(in);
        if (version >= fmt::kTakeDirectionSince) {
            s.takeDirection = ReadByte(in);
        }
        if (version >= fmt::kCurrentFormatSince) {
            s.alsoSameShotTime = ReadByte(in);
        }
    });
}

void ReadTracks(fe::FileRB& in, std::vector<LocusTrack>& tracks)
{
    tracks.clear();
    try {
        const std::int32_t count = ReadCount(in);
        for (std::int32_t k = 0; k < count; ++k) {
            LocusTrack track;
            track.terminalId = ReadText(in);
            const std::int32_t pointCount = ReadCount(in);
            for (std::int32_t p = 0; p < pointCount; ++p) {
                LocusPoint point;
                point.position.latitude = ReadDouble(in);
                point.position.longitude = ReadDouble(in);
                point.elevation = ReadDouble(in);
                point.date.year = ReadInt(in);
                point.date.month = ReadInt(in);
                point.date.day = ReadInt(in);
                point.time.hour = ReadInt(in);
                point.time.minute = ReadInt(in);
                point.time.second = ReadInt(in);
                track.points.push_back(point);
            }
            track.UpdateBounds();
            tracks.push_back(std::move(track));
        }
    } catch (const fe::Failure&) {
        throw SectionFailed();
    }
}

}  // namespace

QStringList SplitIntoLines(const QStringList& texts)
{
    QStringList lines;
    for (const QString& text : texts) {
        for (QString line : text.split(QLatin1Char('\n'))) {
            if (line.endsWith(QLatin1Char('\r'))) {
                line.chop(1);
            }
            lines.append(line);
        }
    }
    return lines;
}

ProjectResult ReadProjectFile(Project& project, fe::FileRB& in)
{
    try {
        if (ReadText(in) != fmt::MagicText()) {
            return kProjectNotProjectFile;
        }
        const std::int32_t version = ReadInt(in);
        project.fileVersion = version;
        // No version below 1 was ever written: such a file is damaged, not old.
        if (version < fmt::kOldestVersion || version > fmt::kNewestVersion) {
            return kProjectUnsupportedVersion;
        }
        ReadMapList(in, version, project.maps);
        CheckMapIds(project.maps);
        ReadPhotos(in, project.photos);
        ReadHeader(in, project.headerLabels);
        ReadHeader(in, project.headerValues);
        ReadOptions(in, version, project.outputOptions);
        if (version >= fmt::kImportSettingsSince) {
            ReadImportSettings(in, version, project.importSettings);
        }
        if (version >= fmt::kTracksSince) {
            ReadTracks(in, project.tracks);
        }
        if (version < fmt::kCurrentFormatSince) {
            return kProjectOk;
        }
        ReadMapList(in, version, project.siteMaps);
        project.siteMapZone = ReadInt(in);
    } catch (const SectionFailed&) {
        return kProjectLoadFailed;
    } catch (const fe::Failure&) {
        return kProjectFileException;
    }
    return kProjectOk;
}
