#pragma once

#include <QString>

namespace fe {

// Makes every write already done on the file system that holds the path durable: the data of its files
// and the names of its folders, in one flush (syncfs). One such point after many written files costs what
// one flushed file costs. False when the path cannot be opened or the flush failed.
bool SyncFileSystemOf(const QString& path);

// Flushes one file's data and then its folder's record of it (fdatasync, then fsync of the folder); false
// when either cannot be done. File systems that cannot flush a folder say so with EINVAL, which is no
// failure.
bool SyncFileAndFolder(const QString& path);

}  // namespace fe
