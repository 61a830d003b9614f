#pragma once

// The yardstick of the save benchmarks: given bytes written to disk the way every save of the program
// writes a file (a new file beside the target, flushed, renamed over the target, the folder flushed),
// with plain system calls and nothing else, so that a benchmark's ratio to it is the cost of making
// the bytes and of the save helper, not of the file system.
#include <fcntl.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

inline bool WriteNewFlushedRenamed(const QString& path, const char* data, std::size_t size)
{
    const QByteArray target = QFile::encodeName(path);
    const QByteArray temporary = target + ".yardstick";
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    bool ok = true;
    for (std::size_t done = 0; ok && done < size;) {
        const ssize_t wrote = ::write(fd, data + done, size - done);
        ok = wrote > 0;
        done += ok ? std::size_t(wrote) : 0;
    }
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    ok = ok && std::rename(temporary.constData(), target.constData()) == 0;
    const int folder =
        ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    ok = folder >= 0 && ::fsync(folder) == 0 && ok;
    if (folder >= 0)
        ::close(folder);
    return ok;
}
