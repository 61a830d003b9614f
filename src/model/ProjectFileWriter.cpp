#include "model/ProjectFileWriter.h"

#include "fe/File.h"
#include "model/Project.h"
#include "model/ProjectFileFormat.h"
#include "model/ProjectResult.h"

namespace {

// Thrown inside the writer when a section reports failure: the remaining sections are not written.
struct SectionFailed
{
};

void WritePlacedRecord(fe::FileWB& out, const PlacedPhoto& entry)
{
    out.writeBinInt32(entry.photoId);
    for (double value : {entry.x, entry.y, entry.direction, entry.frame.x0, entry.frame.x1, entry.frame.y0,
                         entry.frame.y1, entry.labelOffset.x, entry.labelOffset.y}) {
        out.writeBinDouble(value);
    }
    out.writeBinInt32(entry.number);
    out << entry.comment << entry.numberText;
}

// False when a placed record could not be written.
bool WritePlacedList(fe::FileWB& out, const PlacedPhotoList& list)
{
    out.writeBinInt32(static_cast<std::int32_t>(list.entries.size()));
    for (const PlacedPhoto& entry : list.entries) {
        try {
            WritePlacedRecord(out, entry);
        } catch (const fe::Failure&) {
            return false;
        }
    }
    out << list.prefix << list.suffix;
    out.writeBinInt32(list.firstNumber);
    return true;
}

// False when an item text could not be written.
bool WriteItemTexts(fe::FileWB& out, const MapItemTexts& names, const MapItemTexts& values)
{
    try {
        for (const QString& text : names.texts) {
            out << text;
        }
        for (const QString& text : values.texts) {
            out << text;
        }
    } catch (const fe::Failure&) {
        return false;
    }
    return true;
}

// False when a photo row could not be written.
bool WriteReservoirSheet(fe::FileWB& out, const ReservoirSheet& sheet)
{
    out << sheet.reservoirId << sheet.reservoirName << sheet.surveyDate;
    out.writeBinInt32(static_cast<std::int32_t>(sheet.items.size()));
    for (const ReservoirItem& item : sheet.items) {
        out.writeBinInt32(item.tableIndex);
        out << item.pictureFile;
        out.writeBinInt32(item.pictureRotation);
        out.writeBinInt32(static_cast<std::int32_t>(item.photoRows.size()));
        for (const ReservoirPhotoRef& row : item.photoRows) {
            try {
                out.writeBinInt32(row.photoId);
                out << row.description;
            } catch (const fe::Failure&) {
                return false;
            }
        }
    }
    out.writeBinByte(sheet.includeInBook);
    return true;
}

// False when a placed record, an item text or a reservoir photo row could not be written.
bool WriteMap(fe::FileWB& out, const LocationMap& map)
{
    for (std::int32_t value :
         {map.id, map.kind, map.pictureFormat, map.zone, map.pictureWidth, map.pictureHeight}) {
        out.writeBinInt32(value);
    }
    const MapReference& ref = map.reference;
    for (double value : {ref.picture1.x, ref.picture1.y, ref.picture2.x, ref.picture2.y, ref.plane1.x,
                         ref.plane1.y, ref.plane2.x, ref.plane2.y}) {
        out.writeBinDouble(value);
    }
    out << map.sourcePictureName;
    const Rect2& rectA = map.frame.rectA;
    // The box is stored east first: x1, x0, y0, y1.
    for (double value :
         {rectA.x0, rectA.x1, rectA.y0, rectA.y1, map.box.x1, map.box.x0, map.box.y0, map.box.y1}) {
        out.writeBinDouble(value);
    }
    out.writeBinInt32(map.tileZoom);
    out.writeBinByte(map.outputFlag).writeBinByte(map.outputFlagCopy);
    out.writeBinInt32(map.reservedA).writeBinByte(map.reservedB);
    out.writeBinInt32(map.reservedC).writeBinInt32(map.reservedD);
    out << map.name;
    if (!WritePlacedList(out, map.photos) || !WriteItemTexts(out, map.itemNames, map.itemValues)) {
        return false;
    }
    const MapOverlayLayout& overlay = map.overlay;
    out.writeBinDouble(overlay.northArrowX)
        .writeBinDouble(overlay.northArrowY)
        .writeBinDouble(overlay.northArrowAngle);
    out.writeBinByte(overlay.showNorthArrow);
    out.writeBinDouble(overlay.scaleBarX)
        .writeBinDouble(overlay.scaleBarY)
        .writeBinByte(overlay.showScaleBar);
    out.writeBinDouble(map.frame.angle).writeBinByte(map.cadOutputFlag);
    if (!WriteReservoirSheet(out, map.reservoir)) {
        return false;
    }
    out.writeBinByte(map.showCallout);
    out.writeBinDouble(map.calloutAnchor.latitude).writeBinDouble(map.calloutAnchor.longitude);
    out << map.locationText;
    out.writeBinInt32(static_cast<std::int32_t>(map.commentLines.size()));
    for (const QString& line : map.commentLines) {
        out << line;
    }
    return true;
}

void WriteMapList(fe::FileWB& out, const LocationMapList& list)
{
    out.writeBinInt32(list.nextId).writeBinInt32(list.nextNumber);
    out.writeBinInt32(static_cast<std::int32_t>(list.maps.size()));
    for (const LocationMap& map : list.maps) {
        if (!WriteMap(out, map)) {
            throw SectionFailed();
        }
    }
}

void WritePhotos(fe::FileWB& out, const PhotoList& list)
{
    out.writeBinInt32(list.nextId).writeBinInt32(static_cast<std::int32_t>(list.photos.size()));
    for (const PhotoRecord& photo : list.photos) {
        out.writeBinInt32(photo.id);
        out.writeBinDouble(photo.position.latitude).writeBinDouble(photo.position.longitude);
        out.writeBinDouble(photo.direction);
        out << photo.date << photo.time << photo.sourceName;
        out.writeBinInt32(photo.rotation);
    }
}

void WriteHeader(fe::FileWB& out, const ReportHeader& header)
{
    for (const QString& text : header.texts) {
        out << text;
    }
}

void WriteOptions(fe::FileWB& out, const ReportOutputOptions& options)
{
    out.writeBinInt32(options.outputKind).writeBinByte(options.coverLandscape);
    out.writeBinInt32(options.mapLayout).writeBinByte(options.placePhotos);
    out.writeBinInt32(options.ledgerLayout).writeBinInt32(options.shotTimeFormat);
    out.writeBinByte(options.optionsStored);
    out << options.fileNamePrefix;
    out.writeBinByte(options.splitWorkbook).writeBinInt32(options.pagesPerWorkbook);
    out.writeBinInt32(options.photoQuality).writeBinInt32(options.mapQuality);
    out.writeBinByte(options.outputCover).writeBinByte(options.outputMapSheets);
    out.writeBinByte(options.outputLedger).writeBinByte(options.outputPhotoList);
    out.writeBinByte(options.placePhotoComments).writeBinInt32(options.photoPlacement);
    out.writeBinByte(options.listOriginalFileName);
}

void WriteImportSettings(fe::FileWB& out, const PhotoImportSettings& settings)
{
    out.writeBinByte(settings.skipSameName).writeBinByte(settings.dateFilter);
    out << settings.fromDate << settings.toDate;
    out.writeBinByte(settings.takeDirection).writeBinByte(settings.alsoSameShotTime);
}

void WriteTracks(fe::FileWB& out, const std::vector<LocusTrack>& tracks)
{
    out.writeBinInt32(static_cast<std::int32_t>(tracks.size()));
    for (const LocusTrack& track : tracks) {
        out << track.terminalId;
        out.writeBinInt32(static_cast<std::int32_t>(track.points.size()));
        for (const LocusPoint& point : track.points) {
            out.writeBinDouble(point.position.latitude).writeBinDouble(point.position.longitude);
            out.writeBinDouble(point.elevation);
            for (std::int32_t value : {point.date.year, point.date.month, point.date.day, point.time.hour,
                                       point.time.minute, point.time.second}) {
                out.writeBinInt32(value);
            }
        }
    }
}

}  // namespace

ProjectResult WriteProjectFile(const Project& project, fe::FileWB& out)
{
    try {
        out << ProjectFileFormat::MagicText();
        out.writeBinInt32(ProjectFileFormat::kNewestVersion);
        WriteMapList(out, project.maps);
        WritePhotos(out, project.photos);
        WriteHeader(out, project.headerLabels);
        WriteHeader(out, project.headerValues);
        WriteOptions(out, project.outputOptions);
        WriteImportSettings(out, project.importSettings);
        WriteTracks(out, project.tracks);
        WriteMapList(out, project.siteMaps);
        out.writeBinInt32(project.siteMapZone);
    } catch (const SectionFailed&) {
        return kProjectSaveFailed;
    } catch (const fe::Failure&) {
        return kProjectFileException;
    }
    return kProjectOk;
}

ProjectResult WriteProjectFile(const Project& project, const QString& path)
{
    fe::FileWB file;
    if (!file.open(path)) {
        return kProjectFileCannotOpen;
    }
    const ProjectResult result = WriteProjectFile(project, file);
    if (result != kProjectOk) {
        return result;  // the writer's destructor drops the unfinished file
    }
    return file.close() ? kProjectOk : kProjectSaveFailed;
}
