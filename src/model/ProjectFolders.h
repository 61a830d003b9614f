#pragma once

#include <QString>
#include <array>

// The folders of one project, each ending with '/': the project folder and its sub-folders of photos,
// thumbnails, maps and outputs. Every text is empty while the project has no folder and name.
struct ProjectFolders
{
    QString root;
    QString photo;   // the imported photos p%06d.jpg
    QString thumbS;  // photomini: 65 × 48 thumbnails
    QString thumbM;  // photominiM: 160 × 120
    QString thumbL;  // photominiL: 320 × 240
    QString map;     // background-map pictures and their registrations
    QString excel;
    QString cad;
    QString shapefile;

    // The folders of a project folder (ending with '/'); all empty for an empty text.
    static ProjectFolders Of(const QString& projectFolder);
    // The three thumbnail folders, small to large, in the order of kThumbnailBoxes.
    std::array<QString, 3> Thumbs() const { return {thumbS, thumbM, thumbL}; }
};
