#include "xlsx/ZipPackage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <cstdio>
#include <random>

namespace xlsx {
namespace {

constexpr zip_int64_t kMaxEntries = 10000;
// Far above the parts of any template (a sheet of a hundred thousand formatted cells is a few
// megabytes), and low enough that a part, its parsed tree and what is kept of it stay small.
constexpr zip_uint64_t kMaxPartSize = 16u << 20;
// All parts read from one package together: many parts each under the bound of one must not fill
// memory either.
constexpr zip_uint64_t kMaxPackageSize = 48u << 20;

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string TemporarySibling(const std::string& path)
{
    std::random_device device;
    std::mt19937_64 random((static_cast<std::uint64_t>(device()) << 32) ^ device() ^ getpid());
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(random()));
    return path + suffix;
}

bool SyncFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

}  // namespace

ZipReader::~ZipReader()
{
    if (m_zip)
        zip_discard(m_zip);
}

bool ZipReader::Open(const std::string& path, std::string& error)
{
    int code = 0;
    m_zip = zip_open(path.c_str(), ZIP_RDONLY, &code);
    if (!m_zip) {
        error = "cannot open the workbook " + path;
        return false;
    }
    if (zip_get_num_entries(m_zip, 0) > kMaxEntries) {
        error = "too many parts in " + path;
        return false;
    }
    return true;
}

bool ZipReader::Has(const std::string& name) const
{
    return m_zip && zip_name_locate(m_zip, name.c_str(), 0) >= 0;
}

bool ZipReader::Read(const std::string& name, std::string& data, std::string& error) const
{
    zip_stat_t st;
    zip_stat_init(&st);
    if (!m_zip || zip_stat(m_zip, name.c_str(), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE)) {
        error = "missing part " + name;
        return false;
    }
    if (st.size > kMaxPartSize) {
        error = "part too large: " + name;
        return false;
    }
    if (st.size > kMaxPackageSize - m_read) {
        error = "the parts of the workbook are too large together";
        return false;
    }
    m_read += st.size;
    zip_file_t* file = zip_fopen(m_zip, name.c_str(), 0);
    if (!file) {
        error = "cannot read part " + name;
        return false;
    }
    data.assign(st.size, '\0');
    const zip_int64_t got = zip_fread(file, data.data(), st.size);
    zip_fclose(file);
    if (got < 0 || static_cast<zip_uint64_t>(got) != st.size) {
        error = "damaged part " + name;
        return false;
    }
    return true;
}

bool CanReplaceFile(const std::string& path, std::string& error)
{
    struct stat folder;
    if (::stat(FolderOf(path).c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode)) {
        error = "the folder does not exist: " + FolderOf(path);
        return false;
    }
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return true;
    if (!S_ISREG(st.st_mode)) {
        error = "not a file: " + path;
        return false;
    }
    // The read-only mark is honoured even for a user whom the system would let write anyway.
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0) {
        error = "the file is read-only: " + path;
        return false;
    }
    return true;
}

bool WritePackage(const std::string& path, const std::vector<PackagePart>& parts, std::string& error)
{
    if (!CanReplaceFile(path, error))
        return false;
    const std::string temporary = TemporarySibling(path);
    int code = 0;
    zip_t* archive = zip_open(temporary.c_str(), ZIP_CREATE | ZIP_EXCL, &code);
    if (!archive) {
        error = "cannot create " + temporary;
        return false;
    }
    for (const PackagePart& part : parts) {
        zip_source_t* source = zip_source_buffer(archive, part.data->data(), part.data->size(), 0);
        const zip_int64_t index =
            source ? zip_file_add(archive, part.name.c_str(), source, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            if (source)
                zip_source_free(source);
            zip_discard(archive);
            error = "cannot add part " + part.name;
            return false;
        }
        zip_set_file_compression(archive, index, part.compress ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0);
    }
    if (zip_close(archive) != 0) {
        error = std::string("cannot write the workbook: ") + zip_strerror(archive);
        zip_discard(archive);
        std::remove(temporary.c_str());
        return false;
    }
    if (!SyncFile(temporary) || std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = "cannot replace " + path;
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace xlsx
