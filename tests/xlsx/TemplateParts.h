#pragma once

// The parts of the small hand-written template in data/shared_strings, for tests that damage a copy
// of them and zip it again as a template.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "xlsx/ZipPackage.h"

namespace xlsx::template_parts {

using Parts = std::map<std::string, std::string>;

inline Parts FixtureParts()
{
    const QString root = KELVOR_TEST_DATA_DIR "/shared_strings";
    Parts parts;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            parts[QDir(root).relativeFilePath(file.fileName()).toStdString()] = file.readAll().toStdString();
    }
    return parts;
}

inline bool Zip(const Parts& parts, const std::string& path, std::string& error)
{
    std::vector<PackagePart> zipped;
    for (const auto& [name, data] : parts)
        zipped.push_back({name, std::make_shared<const std::string>(data)});
    return WritePackage(path, zipped, error);
}

// Replaces the first occurrence of from; false when the text does not hold it.
inline bool Replace(std::string& text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    if (at == std::string::npos)
        return false;
    text.replace(at, from.size(), to);
    return true;
}

inline std::string Repeated(const std::string& piece, std::size_t times)
{
    std::string out;
    out.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

}  // namespace xlsx::template_parts
