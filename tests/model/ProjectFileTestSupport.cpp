#include "ProjectFileTestSupport.h"

#include <QFile>

#include "fe/File.h"
#include "model/ProjectFileReader.h"
#include "model/ProjectFileWriter.h"

int ProjectBytesReader::Read(const QByteArray& bytes, Project& project)
{
    const QString path = m_temp.file(QStringLiteral("read.kvr2"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return -1;
    file.close();
    project.Reset();
    fe::FileRB reader(path);
    return ReadProjectFile(project, reader);
}

QByteArray WrittenBytes(const Project& project)
{
    TempFolder temp;
    const QString path = temp.file(QStringLiteral("written.kvr2"));
    if (WriteProjectFile(project, path) != 0)
        return QByteArray();
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

namespace {

PhotoRecord MakePhoto(std::int32_t id, double lon, double lat)
{
    PhotoRecord photo(id);
    photo.position = fe::geo::GeoPoint(lon, lat);
    photo.direction = 10.0 * id;
    photo.date = QStringLiteral("2021/05/%1").arg(id, 2, 10, QLatin1Char('0'));
    photo.time = QStringLiteral("09:%1:00").arg(id, 2, 10, QLatin1Char('0'));
    photo.sourceName = QStringLiteral("DSC%1.JPG").arg(id);
    photo.rotation = id % 2 ? 90 : 270;
    return photo;
}

PlacedPhoto MakePlaced(const PhotoRecord& photo, bool atPhotoPosition)
{
    PlacedPhoto entry;
    entry.photoId = photo.id;
    entry.x = atPhotoPosition ? photo.position.longitude : 100.0 + photo.id;
    entry.y = atPhotoPosition ? photo.position.latitude : 200.0 + photo.id;
    entry.direction = atPhotoPosition ? photo.direction : kUnset;
    entry.frame = Rect2(0, 0, 4000, 3000);
    entry.labelOffset = Point2(-12.5, 8.25);
    entry.number = 0;
    entry.numberText = QStringLiteral("No.%1").arg(photo.id);
    entry.comment = QStringLiteral("一行目\r\n二行目\n三行目");
    return entry;
}

LocationMap MakeMap(std::int32_t id, std::int32_t kind, const PhotoList& photos)
{
    LocationMap map(id, id);
    map.kind = kind;
    map.pictureFormat = kind <= 1 ? 1 : 5;
    map.zone = kind == 1 ? 6 : 0;
    map.pictureWidth = 2000 + id;
    map.pictureHeight = 1500 + id;
    map.reference = {{10, 20}, {1900, 1400}, {-150000.5, 20000.25}, {-151000, 21000}};
    map.sourcePictureName = QStringLiteral("背景%1.png").arg(id);
    map.box = {135.0 + id * 0.01, 34.0, 135.5 + id * 0.01, 34.5};
    map.frame.rectA = {100, 50, 900, 650};
    map.frame.angle = 0.125 * id;
    map.tileZoom = 15 + id % 3;
    map.outputFlag = 0;
    map.cadOutputFlag = 0;
    map.outputFlagCopy = 0;
    map.reservedA = 11;
    map.reservedB = 1;
    map.reservedC = -3;
    map.reservedD = 4;
    for (const PhotoRecord& photo : photos.photos)
        map.photos.Add(MakePlaced(photo, kind != LocationMap::kPicture));
    map.photos.prefix = QStringLiteral("写");
    map.photos.suffix = QStringLiteral("号");
    map.photos.firstNumber = 7;
    map.itemValues.texts = {QStringLiteral("舗装"), QStringLiteral("県道1号"), QString(),
                            QStringLiteral("ひび割れ\n幅 2mm")};
    map.overlay = {0.1, 0.2, 0.3, 0, 0.4, 0.5, 0};
    map.reservoir.reservoirId = QStringLiteral("R-%1").arg(id);
    map.reservoir.reservoirName = QStringLiteral("大池");
    map.reservoir.surveyDate = QStringLiteral("2021/06/01");
    map.reservoir.items[2].pictureFile = QStringLiteral("item2.jpg");
    map.reservoir.items[2].pictureRotation = 180;
    map.reservoir.items[2].photoRows = {{1, QStringLiteral("漏水"), 0}, {2, QString(), 0}};
    map.reservoir.includeInBook = 0;
    map.showCallout = 0;
    map.calloutAnchor = fe::geo::GeoPoint(135.25, 34.25);
    map.locationText = QStringLiteral("大阪府大阪市");
    map.commentLines = {QStringLiteral("注記1"), QString(), QStringLiteral("注記3")};
    return map;
}

}  // namespace

Project MakeFullProject()
{
    Project project;
    project.photos.nextId = 4;
    project.photos.photos = {MakePhoto(1, 135.1, 34.1), MakePhoto(2, 135.2, 34.2), MakePhoto(3, 135.3, 34.3)};
    // Kinds 0 to 4, and one written by a program that knows more kinds.
    for (std::int32_t kind : {0, 1, 2, 3, 4, 9})
        project.maps.Append(MakeMap(project.maps.nextId, kind, project.photos));
    project.headerLabels.texts = {QStringLiteral("件名"), QStringLiteral("所属"), QStringLiteral("報告者"),
                                  QStringLiteral("発生日時"), QStringLiteral("報告日付")};
    project.headerValues.texts = {QStringLiteral("災害報告"), QStringLiteral("土木課"),
                                  QStringLiteral("山田 太郎"), QStringLiteral("2021/05/01"),
                                  QStringLiteral("2021/05/02")};
    ReportOutputOptions& options = project.outputOptions;
    options = {0, 0, 1, 0, 1, 1, 2, 1, 1, 5, 3, 0, QStringLiteral("現場A_"), 0, 25, 2, 0, 1, 1};
    project.importSettings = {0, 0, 1, QStringLiteral("2021/01/01"), QStringLiteral("2021/12/31"), 0};
    LocusTrack track;
    track.terminalId = QStringLiteral("端末-01");
    for (int k = 0; k < 3; ++k) {
        LocusPoint point;
        point.position = fe::geo::GeoPoint(135.1 + k * 0.001, 34.1 + k * 0.001);
        point.elevation = 12.5 + k;
        point.date = {2021, 5, 1};
        point.time = {9, 0, k * 10};
        track.points.push_back(point);
    }
    track.UpdateBounds();
    project.tracks = {track, LocusTrack()};
    project.siteMaps.AddWebMap(LocationMap::kWebPale, Rect2(135.0, 34.0, 135.6, 34.6), 14, true);
    project.siteMaps.maps.back().locationText = QStringLiteral("大阪府");
    project.siteMapZone = 6;
    return project;
}
