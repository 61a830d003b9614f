#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

#include "app/doc/ProjectChange.h"
#include "fe/Rect2.h"
#include "model/Project.h"
#include "model/ProjectResult.h"

class AppSettings;
class CSubProgressDlg;
class QWidget;

// How one change of the project went.
struct [[nodiscard]] ProjectChangeOutcome
{
    bool refused = false;              // another change or command was running: nothing ran
    bool changed = false;              // the edit changed the project, which was then announced
    ProjectResult saved = kProjectOk;  // result of the one save; kProjectOk when nothing was saved

    // Ran, and what had to be saved was saved.
    bool Ok() const { return !refused && saved == kProjectOk; }
};

// The open/prompt results of the document (numbers kept from the first version's document).
enum DocOpenResult : int
{
    kDocOpened = 0,
    kDocOpenFailed = 1,    // a message was shown; the caller resets the project
    kDocOpenDeclined = 2,  // cancelled, or the conversion declined: the project is untouched
    kDocFileMissing = 3,   // the chosen file does not exist
};

// The one document of the program: it owns the open project and the path of its file, keeps the site
// overview the view last showed, and opens project files (converting first-version files). It lives
// for the whole run; opening or resetting a project changes its project in place.
//
// The project changes in one way only: Change runs an edit, brings the placed photos in step when the
// photos changed, saves the project (the program saves after every change) and then announces what
// changed with ProjectChanged, which the view and the panes follow. A save that fails is told to the
// user here and nowhere else, once until a save succeeds again, so that a run of edits on a project
// that cannot be written says so once and not at every keystroke. Commands of the frame, the panes and
// the dialogs run through RunCommand, which refuses a second command while one runs: long commands let
// events through (PumpMessages), and nothing handled there may start another command on the project.
class CTavrelDoc : public QObject
{
    Q_OBJECT

public:
    CTavrelDoc();

    QString exeFolder;  // the executable's folder, without a trailing separator
    // The site overview the view keeps current: longitude/latitude extent, base-map kind (2 standard,
    // 3 pale, 4 aerial photo) and tile zoom. Never saved.
    Rect2 overviewBox;
    std::int32_t overviewKind = 0;
    std::int32_t overviewZoom = 0;

    // Set by the main frame: the view's live settings (their last project path starts the open dialog
    // and follows every opened project), the parent of the document's dialogs and the recent-file list.
    AppSettings* appSettings = nullptr;
    QWidget* dialogParent = nullptr;
    std::function<void(const QString&)> addRecentProjectFile;

    // The open project, to read. It is changed only through Change.
    const Project& GetProject() const { return m_project; }
    const QString& ProjectFilePath() const { return m_projectFilePath; }  // empty when none is open
    const QString& ProjectFileName() const { return m_projectFileName; }

    // Every change is saved at once, so there is never anything unsaved.
    bool IsModified() const { return false; }

    // Runs `edit` on the project; it returns whether it changed anything. When it did: the placed photos
    // are brought in step with the photos when `kinds` holds Photos (PlacedPhotos is then announced too),
    // the project is saved once unless only the selection changed, and ProjectChanged(kinds) is emitted
    // once, also after a failed save (the project in memory did change). Refused while another change
    // runs, which also covers anything started from events that the edit lets through. A failed save
    // is told (see the class comment); callers only look at the outcome to decide what to do next.
    ProjectChangeOutcome Change(ProjectChanges kinds, const std::function<bool(Project&)>& edit);
    // Writes the open project to its file again, as a change does, and tells a failure the same way.
    ProjectResult SaveProject();

    // Runs one command on this document. False, and nothing runs, while another command runs.
    [[nodiscard]] bool RunCommand(const std::function<void()>& command);
    // A command or a change is running: the frame reports every command disabled.
    bool IsBusy() const { return m_commandRunning || m_changeRunning; }

    // An empty project without a file; announced as a change of the whole project.
    void ResetProject();

    // Asks for a project file and opens it.
    [[nodiscard]] DocOpenResult PromptOpenProject();
    // Opens a project file (.kvr2, or a first-version .kvr after the user agreed to convert it); an
    // opened project is announced as a change of the whole project. Never kDocFileMissing.
    [[nodiscard]] DocOpenResult OpenProjectFile(const QString& path);

    // The initial folder of the open dialog.
    QString OpenDialogFolder() const;

signals:
    // What the last change touched; emitted once per change, after its save.
    void ProjectChanged(ProjectChanges kinds);

private:
    void ClearProject();
    bool ConvertFirstVersion(const QString& openedPath, std::unique_ptr<CSubProgressDlg> progress);
    void Warn(const QString& text) const;
    // The one place a failed save reaches the user: "once until a save succeeds".
    void TellSaveOutcome(ProjectResult saved);

    Project m_project;
    QString m_projectFilePath;
    QString m_projectFileName;
    bool m_commandRunning = false;
    bool m_changeRunning = false;
    bool m_saveFailureTold = false;
};
