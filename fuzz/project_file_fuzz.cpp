// Feeds arbitrary bytes to the project-file reader. Whatever the bytes, reading must end without a crash,
// a leak or an allocation sized by a stored count; a file that reads must be written, read again and
// written again to the same bytes.
#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

#include "fe/File.h"
#include "model/Project.h"
#include "model/ProjectFileReader.h"
#include "model/ProjectFileWriter.h"
#include "model/ProjectResult.h"

namespace {

const QTemporaryDir& Folder()
{
    static const QTemporaryDir folder;
    return folder;
}

QString PathOf(const char* name)
{
    return Folder().filePath(QString::fromLatin1(name));
}

bool WriteBytes(const QString& path, const uint8_t* data, size_t size)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) == static_cast<qint64>(size);
}

int ReadProject(const QString& path, Project& project)
{
    fe::FileRB file(path);
    return ReadProjectFile(project, file);
}

QByteArray WrittenBytes(const Project& project, const QString& path)
{
    if (WriteProjectFile(project, path) != kProjectOk)
        std::abort();  // everything the reader took, the writer must take back
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString input = PathOf("input.kvr2");
    if (!Folder().isValid() || !WriteBytes(input, data, size))
        return 0;
    Project project;
    const int result = ReadProject(input, project);
    if (result != kProjectOk)
        return 0;
    const QString written = PathOf("written.kvr2");
    const QByteArray first = WrittenBytes(project, written);
    Project again;
    if (ReadProject(written, again) != kProjectOk || WrittenBytes(again, written) != first)
        std::abort();
    return 0;
}
