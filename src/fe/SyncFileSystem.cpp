#include "fe/SyncFileSystem.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace fe {

namespace {

// Runs the flush on a descriptor of the path opened read-only; false when it cannot be opened.
template <class Flush>
bool OnDescriptor(const QString& path, int flags, Flush flush)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | flags);
    if (fd < 0)
        return false;
    const bool done = flush(fd);
    ::close(fd);
    return done;
}

}  // namespace

bool SyncFileSystemOf(const QString& path)
{
    return OnDescriptor(path, 0, [](int fd) { return ::syncfs(fd) == 0; });
}

bool SyncFileAndFolder(const QString& path)
{
    return OnDescriptor(path, 0, [](int fd) { return ::fdatasync(fd) == 0; }) &&
           OnDescriptor(QFileInfo(path).absolutePath(), O_DIRECTORY,
                        [](int fd) { return ::fsync(fd) == 0 || errno == EINVAL; });
}

}  // namespace fe
