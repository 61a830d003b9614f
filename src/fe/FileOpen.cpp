#include "fe/FileOpen.h"

#include <sys/stat.h>

#include <QDebug>
#include <QFile>

namespace fe {

std::FILE* OpenForReading(const QString& fileName)
{
    if (fileName.isEmpty())
        return nullptr;
    std::FILE* stream = std::fopen(QFile::encodeName(fileName).constData(), "rbe");
    if (!stream)
        return nullptr;
    struct stat info
    {
    };
    if (fstat(fileno(stream), &info) != 0 || S_ISDIR(info.st_mode)) {
        std::fclose(stream);
        return nullptr;
    }
    return stream;
}

bool CloseStream(std::FILE*& stream)
{
    if (!stream)
        return false;
    const bool closed = std::fclose(stream) == 0;
    stream = nullptr;
    return closed;
}

bool OpenWriter(AtomicSave& save, const QString& fileName, int encoding)
{
    if (save.isOpen() || !IsSupportedEncoding(encoding) || fileName.isEmpty())
        return false;
    return save.open(fileName);
}

void DropUnclosed(AtomicSave& save, const char* writer)
{
    if (!save.isOpen())
        return;
    qWarning("%s: file written without close(); the old file is kept", writer);
    save.cancel();
}

void SkipByteOrderMark(std::FILE* stream)
{
    unsigned char head[3] = {};
    const size_t got = std::fread(head, 1, 3, stream);
    if (got == 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF)
        return;
    std::clearerr(stream);
    std::fseek(stream, 0, SEEK_SET);
}

}  // namespace fe
