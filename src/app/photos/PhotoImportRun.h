#pragma once

#include <QStringList>
#include <utility>
#include <vector>

#include "model/PhotoImport.h"

#include "model/ProjectResult.h"

class AppSettings;
class CTavrelDoc;
class QWidget;

// The outcome of importing a batch of photo files.
struct [[nodiscard]] PhotoImportOutcome
{
    bool refused = false;                   // another change of the project was running: nothing was tried
    int imported = 0;                       // photos appended to the project
    bool cancelled = false;                 // the user pressed Cancel before every file was tried
    ProjectResult saveResult = kProjectOk;  // the one save at the end
    // The files tried and not taken, in file order, each with the reason.
    std::vector<std::pair<QString, PhotoRefusal>> notTaken;
};

// What the user is told after an import: "N枚の写真を取り込みました。" (or that none came in), then the
// files not taken, each by its name with the reason, at most kMaxListedRefusals of them and the count
// of the rest.
inline constexpr int kMaxListedRefusals = 20;
QString PhotoImportMessage(const PhotoImportOutcome& outcome);

// Imports the files one by one under a progress window ("撮影写真取込み中") as one change of the
// document's project: before each file the Cancel flag is checked, so a cancel stops the run after the
// photo in hand, never in the middle of one; after each file the bar advances and events are let
// through, and the document refuses any command or change they would start. While no photo has been
// imported yet the settings' last photo folder follows the file in hand. The project is saved once at
// the end, whatever was imported, and the change is announced once. The files are read and reduced
// ahead on all cores (PhotoImportBatch); ids, records and files come out as from importing them one by
// one.
PhotoImportOutcome ImportPhotoFiles(CTavrelDoc& document, const QStringList& files, AppSettings& settings,
                                    QWidget* parent = nullptr);
