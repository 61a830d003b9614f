#pragma once

#include <QString>
#include <functional>

namespace app {

// Shows a folder in the desktop's file manager (after an output was written there). Tests install
// their own opener so that no file manager starts.
void OpenFolder(const QString& folder);

// Installs the opener used by OpenFolder; an empty function restores the desktop's.
void SetFolderOpener(std::function<void(const QString&)> opener);

}  // namespace app
