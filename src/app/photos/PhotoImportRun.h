#pragma once

#include <QStringList>

class AppSettings;
class QWidget;
struct Project;

// The outcome of importing a batch of photo files.
struct PhotoImportOutcome
{
    int imported = 0;        // photos appended to the project
    bool cancelled = false;  // the user pressed Cancel before every file was tried
    int saveResult = 0;      // ProjectResult of the one save at the end
};

// Imports the files in order under a progress window ("撮影写真取込み中"): before each file the
// Cancel flag is checked, so a cancel stops the run after the photo in hand, never in the middle of
// one; after each file the bar advances and events are let through. While no photo has been imported
// yet the settings' last photo folder follows the file in hand. The project is saved once at the
// end, whatever was imported. The files are read and reduced ahead on all cores (PhotoImportBatch);
// ids, records and files come out as from importing them one by one. The caller has put the frame in its busy
// state.
PhotoImportOutcome ImportPhotoFiles(Project& project, const QStringList& files, AppSettings& settings,
                                    QWidget* parent = nullptr);
