#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct zip;

namespace xlsx {

// Reads named parts of a zip package. Every part is bounded before it is read, so a damaged or
// hostile file cannot make the reader allocate without limit.
class ZipReader
{
public:
    ZipReader() = default;
    ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    // False with an error text when the file is missing, not a zip, or has too many entries.
    bool Open(const std::string& path, std::string& error);
    bool Has(const std::string& name) const;
    // False when the part is missing, too large or cannot be inflated, or when the parts read so far
    // would together pass the bound of one package.
    bool Read(const std::string& name, std::string& data, std::string& error) const;

private:
    zip* m_zip = nullptr;
    mutable std::uint64_t m_read = 0;
};

struct PackagePart
{
    std::string name;
    std::shared_ptr<const std::string> data;
    bool compress = true;  // pictures are stored as they are: they are compressed already
};

// True when a file at the path may be replaced: it is absent, or it is a regular file that is not
// marked read-only. The folder must exist.
bool CanReplaceFile(const std::string& path, std::string& error);

// Writes the package to a new file beside the target and renames it over the target, so that the
// target is either the old file or the complete new one. False with an error text on any failure;
// nothing is left behind then.
bool WritePackage(const std::string& path, const std::vector<PackagePart>& parts, std::string& error);

}  // namespace xlsx
