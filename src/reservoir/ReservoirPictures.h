#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <utility>

struct Project;

// The drawings and pictures of the survey tables: files copied into the project's image/ folder and
// named by the tables by file name only.

// <project folder>image/; empty while the project has no folder and name. Never creates the folder.
QString ReservoirImageFolder(const Project& project);

// What reading a picture file found.
enum class SurveyPictureRead
{
    kRead,
    kMissing,     // there is no such file
    kUnreadable,  // not a picture, or damaged (a truncated JPEG included)
    kTooLarge,    // more pixels than fe::img::kMaxPicturePixels, or a file past kMaxSurveyPictureBytes
};

// The largest picture file the survey reads.
inline constexpr qint64 kMaxSurveyPictureBytes = 256LL * 1024 * 1024;

// Reads a picture file whole and sound, at most `box` large (its own size for an empty box; never
// enlarged), as Format_RGB32. Damage of any kind refuses the file: a survey picture is either shown as it
// is or not at all. The picture is null unless the result is kRead.
SurveyPictureRead ReadSurveyPicture(const QString& path, QSize box, QImage& picture);

// One picture file in a folder (ending with '/').
struct ReservoirPictureFile
{
    QString folder;
    QString fileName;  // the name the last copy got

    explicit ReservoirPictureFile(QString pictureFolder) : folder(std::move(pictureFolder)) {}

    // Loads folder + name into the picture when that file exists: true when it was read; false, leaving
    // the picture untouched, when there is no such file; false with a null picture when it cannot be read.
    bool Load(QImage& picture, const QString& name, QSize box = QSize()) const;
};

// Copies an outside picture into the file's folder (made when missing, one level) under its own name,
// or name_0, name_1, … when that is taken, never overwriting; fileName becomes the name chosen. False
// when the source does not exist (fileName then empty), the folder is empty or cannot be made, or the
// copy fails.
bool CopyPictureIntoReservoirFolder(ReservoirPictureFile& file, const QString& sourcePath);

// The 800 × 600 stand-in for a table picture that cannot be shown: RGB(100,100,100) with 80-pixel
// squares of RGB(120,120,120), the top-left square light.
QImage ReservoirPlaceholder();

// The table picture `fileName` of the project's image folder, at most `box` large; the placeholder when
// the name is empty, the file is missing or cannot be read, or the project has no folder. Never null.
QImage LoadReservoirPicture(const Project& project, const QString& fileName, QSize box = QSize());

// Whether any table of any location map names the picture file.
bool IsReservoirPictureNamed(const Project& project, const QString& fileName);

// Deletes the picture file from the project's image folder unless a table still names it (a copied map
// shares its tables' pictures). True when the file was deleted.
bool RemoveUnnamedReservoirPicture(const Project& project, const QString& fileName);
