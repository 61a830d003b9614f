#pragma once

#include <QString>

namespace locmap {

// The disk tile cache folder the view uses: the configured one, or "geocache" when none is configured; a
// relative folder is taken in the base folder (the writable folder of the program), never in the current
// directory.
QString ResolveTileCacheFolder(const QString& configured, const QString& baseFolder);

// Whether the folder may be emptied by deleting it with everything in it: an absolute path that is not a
// filesystem root, not the home folder and not one of the home folder's ancestors.
bool MayDeleteCacheTree(const QString& folder);

}  // namespace locmap
