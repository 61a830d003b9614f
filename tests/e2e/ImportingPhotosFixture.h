#pragma once

// The card of the importing-photos road: camera photos made on the spot and tagged with exiftool, a
// watch on the project folder that counts how often the project file is written, and the independent
// readers (exiftool, python3 with PIL) of what the import left on disk.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <sys/inotify.h>
#include <unistd.h>

#include <vector>

namespace importroad {

// One photo of the card: where and when it was taken, which way the camera looked.
struct Shot
{
    QString name;       // IMG_0001.JPG
    double latitude;    // degrees north
    double longitude;   // degrees east
    double direction;   // degrees from true north
    QString time;       // EXIF form: 2024:05:20 09:01:00
    int orientation;    // EXIF orientation: 1 upright, 6 taken upright (turned 90° clockwise)
};

// A camera-sized picture of one photo: a ground of its own colour, its number in large figures, so that
// thumbnails and the list tell the photos apart.
inline bool MakeCameraJpeg(const QString& path, int number, int width = 4000, int height = 3000)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(QColor::fromHsv((number * 37) % 360, 90, 200));
    QPainter painter(&picture);
    painter.fillRect(0, height * 3 / 4, width, height / 4, QColor(90, 80, 70));
    QFont font = painter.font();
    font.setPixelSize(height / 3);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, width, height * 3 / 4), Qt::AlignCenter, QStringLiteral("No.%1").arg(number));
    painter.end();
    return picture.save(path, "JPEG", 85);
}

// Writes the position, direction, shot time and orientation of each shot into its file with one run
// of exiftool (one -execute per file).
inline bool TagWithExiftool(const std::vector<std::pair<QString, Shot>>& files, const QString& argFile)
{
    QFile args(argFile);
    if (!args.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QStringList lines;
    for (const auto& [path, shot] : files) {
        lines << QStringLiteral("-overwrite_original") << QStringLiteral("-n")
              << QStringLiteral("-GPSLatitude=%1").arg(shot.latitude, 0, 'f', 7)
              << QStringLiteral("-GPSLatitudeRef=N")
              << QStringLiteral("-GPSLongitude=%1").arg(shot.longitude, 0, 'f', 7)
              << QStringLiteral("-GPSLongitudeRef=E")
              << QStringLiteral("-GPSImgDirection=%1").arg(shot.direction, 0, 'f', 1)
              << QStringLiteral("-GPSImgDirectionRef=T")
              << QStringLiteral("-DateTimeOriginal=%1").arg(shot.time)
              << QStringLiteral("-Orientation=%1").arg(shot.orientation) << path << QStringLiteral("-execute");
    }
    args.write((lines.join(u'\n') + u'\n').toUtf8());
    args.close();
    QProcess exiftool;
    exiftool.start(QStringLiteral("exiftool"), {QStringLiteral("-@"), argFile});
    return exiftool.waitForFinished(120000) && exiftool.exitStatus() == QProcess::NormalExit &&
           exiftool.exitCode() == 0;
}

// Counts the times a file of a folder is written: a new version renamed onto it or the file itself
// written and closed. The kernel keeps the events until they are read, so nothing is missed between
// two looks.
class FileWrites
{
public:
    FileWrites(const QString& folder, const QString& fileName) : m_name(fileName.toUtf8())
    {
        m_fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (m_fd >= 0)
            m_watch = inotify_add_watch(m_fd, QFile::encodeName(folder).constData(), IN_MOVED_TO | IN_CLOSE_WRITE);
    }
    ~FileWrites()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileWrites(const FileWrites&) = delete;
    FileWrites& operator=(const FileWrites&) = delete;

    bool Watching() const { return m_fd >= 0 && m_watch >= 0; }

    // The writes of the file since the watch began.
    int Count()
    {
        alignas(inotify_event) char buffer[16384];
        for (;;) {
            const ssize_t length = ::read(m_fd, buffer, sizeof buffer);
            if (length <= 0)
                break;
            for (ssize_t at = 0; at < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if (event->len > 0 && m_name == QByteArray(event->name))
                    ++m_count;
                at += ssize_t(sizeof(inotify_event) + event->len);
            }
        }
        return m_count;
    }

private:
    QByteArray m_name;
    int m_fd = -1;
    int m_watch = -1;
    int m_count = 0;
};

// What exiftool reads from every JPEG under the folder: file name → its -n -j object.
inline QJsonObject ExiftoolFolder(const QString& folder)
{
    QProcess exiftool;
    exiftool.start(QStringLiteral("exiftool"),
                   {QStringLiteral("-n"), QStringLiteral("-j"), QStringLiteral("-GPSLatitude"),
                    QStringLiteral("-GPSLongitude"), QStringLiteral("-GPSImgDirection"),
                    QStringLiteral("-DateTimeOriginal"), QStringLiteral("-FileName"), QStringLiteral("-ext"),
                    QStringLiteral("jpg"), folder});
    if (!exiftool.waitForFinished(120000))
        return {};
    QJsonObject byName;
    for (const QJsonValue& file : QJsonDocument::fromJson(exiftool.readAllStandardOutput()).array())
        byName.insert(file[QStringLiteral("FileName")].toString(), file);
    return byName;
}

// Every picture file of the folders opened and decoded to the end with PIL: "<folder>/<file>" → [width,
// height], or the error PIL met.
inline QJsonObject PilSizes(const QStringList& folders)
{
    const QString script = QStringLiteral(
        "import json, os, sys\n"
        "from PIL import Image\n"
        "out = {}\n"
        "for folder in sys.argv[1:]:\n"
        "    for name in sorted(os.listdir(folder)):\n"
        "        path = os.path.join(folder, name)\n"
        "        key = os.path.basename(folder.rstrip('/')) + '/' + name\n"
        "        try:\n"
        "            with Image.open(path) as picture:\n"
        "                picture.load()\n"
        "                out[key] = [picture.width, picture.height]\n"
        "        except Exception as error:\n"
        "            out[key] = str(error)\n"
        "print(json.dumps(out))\n");
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), QStringList{QStringLiteral("-c"), script} + folders);
    if (!python.waitForFinished(120000))
        return {};
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

}  // namespace importroad
