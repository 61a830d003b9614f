#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

struct LocationMap;
struct Project;
struct ReservoirItem;
struct ReservoirSheet;

// The edits of one location map's reservoir survey, as the survey dialog and its table pages make them.
// Each edit returns whether it changed the project, so that it can run as one change of the document,
// which saves it. Tables are addressed 0 to 7 by position; rows and placed photos by zero-based index.
// Any index out of range changes nothing.
class ReservoirSurveyEdit
{
public:
    ReservoirSurveyEdit(Project& project, int mapIndex);

    // The first line of a comment (lines split at "\n"), the description a new row starts with.
    static QString FirstCommentLine(const QString& comment);
    // The map at the index, or null.
    static const LocationMap* Map(const Project& project, int mapIndex);
    // Table `table` of the map, or null.
    static const ReservoirItem* Table(const Project& project, int mapIndex, int table);
    // Whether the placed photo at `placedIndex` of the map may be added to the table: it exists and its
    // photo is not in the table yet.
    static bool CanAddPhoto(const Project& project, int mapIndex, int table, int placedIndex);

    // Appends a row for the placed photo with the first line of its comment on the map.
    bool AddPhoto(int table, int placedIndex);
    // Makes row `row` name the placed photo (first comment line, spare 0), unless the photo is in the table.
    bool ChangePhoto(int table, int row, int placedIndex);
    bool RemoveRow(int table, int row);
    bool SwapRows(int table, int first, int second);
    // Stores the descriptions read back from a table page: text k goes to row k, as far as the table
    // has rows (texts beyond them are dropped).
    bool StoreDescriptions(int table, const QStringList& descriptions);
    bool StoreInfo(const QString& reservoirId, const QString& reservoirName, const QString& surveyDate);
    // The table's picture file (name only) and its turn.
    bool SetPicture(int table, const QString& fileName, std::int32_t rotation);
    // Sorts the map's placed photos (its order for every ledger and output): column 1 by number text,
    // columns 3 and 4 by shot time. Other columns change nothing.
    bool SortPlacedPhotos(int column, bool ascending);

private:
    LocationMap* MapOf();
    ReservoirItem* TableOf(int table);

    Project& m_project;
    int m_mapIndex;
};
