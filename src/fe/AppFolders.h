#pragma once

#include <QString>

namespace fe {

// The program has two roots:
// - the executable's folder, which holds the shipped read-only data (Systems/, Icon/, Ref/, Manual/);
// - the writable folder, which holds the settings files, temp/, imgcache/ and the tile cache.
// The writable folder is the executable's folder when that folder can be written (portable use,
// the build tree), else the user's application data folder. Both texts end with '/'.
QString GetExeFolder();
QString GetWritableFolder();

// Points the writable folder somewhere else (tests use a fresh temporary folder); an empty text
// restores the default decision.
void SetWritableFolder(const QString& folder);

}  // namespace fe
