#pragma once

#include <QString>
#include <cstdint>
#include <functional>

#include "fe/Rect2.h"
#include "model/Project.h"

class AppSettings;
class QWidget;

// The one document of the program: it owns the open project and the path of its file, keeps the site
// overview the view last showed, and opens project files (converting first-version files). It lives
// for the whole run; opening or resetting a project changes its project in place.
class CTavrelDoc
{
public:
    CTavrelDoc();

    Project project;
    QString exeFolder;        // the executable's folder, without a trailing separator
    QString projectFilePath;  // the open project file, empty when none
    QString projectFileName;  // its file name
    // The site overview the view keeps current: longitude/latitude extent, base-map kind (2 standard,
    // 3 pale, 4 aerial photo) and tile zoom.
    Rect2 overviewBox;
    std::int32_t overviewKind = 0;
    std::int32_t overviewZoom = 0;

    // Set by the main frame: the view's live settings (their last project path starts the open dialog
    // and follows every opened project), the parent of the document's dialogs and the recent-file list.
    AppSettings* appSettings = nullptr;
    QWidget* dialogParent = nullptr;
    std::function<void(const QString&)> addRecentProjectFile;

    // Every change is saved at once, so there is never anything unsaved.
    bool IsModified() const { return false; }

    // An empty project without a file.
    void ResetProject();

    // Asks for a project file and opens it: 0 opened, 1 failed (a message was shown), 2 cancelled or
    // conversion declined, 3 the chosen file does not exist.
    int PromptOpenProject();
    // Opens a project file (.kvr2, or a first-version .kvr after the user agreed to convert it): 0
    // opened, 1 failed (a message was shown; the caller resets the project), 2 conversion declined
    // (the project is untouched).
    int OpenProjectFile(const QString& path);

    // The initial folder of the open dialog.
    QString OpenDialogFolder() const;

private:
    bool ConvertFirstVersion(const QString& openedPath);
    void Warn(const QString& text) const;
};
