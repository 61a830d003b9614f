#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace app {

// Shows a folder in the desktop's file manager; false when the desktop could not. Tests install their
// own opener so that no file manager starts.
bool OpenFolder(const QString& folder);

// After an output was written into the folder: shows it in the file manager, or, when the desktop cannot
// (no file manager), tells where the files were written.
void ShowOutputFolder(QWidget* parent, const QString& folder);

// Opens a file with the desktop's program for its type (the Readme, the manual), through the same opener
// as OpenFolder; nothing is shown when the desktop cannot open it.
void OpenFileWithDesktop(const QString& file);

// Installs the opener used by OpenFolder and OpenFileWithDesktop; an empty function restores the desktop's.
void SetFolderOpener(std::function<bool(const QString&)> opener);

// Opens a written file in the program the desktop has for its type; false when that failed. Tests install
// their own opener so that no program starts.
bool OpenFileInDesktop(const QString& path);

// Opens a web address in the desktop's browser through the same opener as OpenFileInDesktop; false when
// that failed.
bool OpenWebAddress(const QString& address);

// Installs the opener used by OpenFileInDesktop and OpenWebAddress; an empty function restores the desktop's.
void SetFileOpener(std::function<bool(const QString&)> opener);

}  // namespace app
