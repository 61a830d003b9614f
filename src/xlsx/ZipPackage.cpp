#include "xlsx/ZipPackage.h"

#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <QFile>
#include <algorithm>
#include <cerrno>

#include "fe/AtomicSave.h"

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

// The written package goes through fe::AtomicSave: libzip writes the archive into this target as into a
// file of its own (a new archive, so nothing is ever read back), and committing the write puts the new
// file in place of the old one.
struct PackageTarget
{
    fe::AtomicSave save;
    zip_error_t error;
    zip_uint64_t end = 0;  // the largest position written so far: the size of the archive

    zip_int64_t Fail(int zipError, int systemError = 0)
    {
        zip_error_set(&error, zipError, systemError);
        return -1;
    }
};

zip_int64_t WriteIntoTarget(void* user, void* data, zip_uint64_t length, zip_source_cmd_t command)
{
    auto* target = static_cast<PackageTarget*>(user);
    fe::AtomicSave& save = target->save;
    switch (command) {
        case ZIP_SOURCE_SUPPORTS:
            return ZIP_SOURCE_SUPPORTS_WRITABLE;
        case ZIP_SOURCE_STAT:
            return target->Fail(ZIP_ER_READ, ENOENT);  // no archive yet: libzip starts a new one
        case ZIP_SOURCE_ERROR:
            return zip_error_to_data(&target->error, data, length);
        case ZIP_SOURCE_BEGIN_WRITE:
            return save.isOpen() ? 0 : target->Fail(ZIP_ER_OPEN, EIO);
        case ZIP_SOURCE_WRITE:
            if (!save.write(static_cast<const char*>(data), static_cast<qint64>(length)))
                return target->Fail(ZIP_ER_WRITE, EIO);
            target->end = std::max(target->end, static_cast<zip_uint64_t>(save.pos()));
            return static_cast<zip_int64_t>(length);
        case ZIP_SOURCE_SEEK_WRITE: {
            const zip_int64_t at = zip_source_seek_compute_offset(static_cast<zip_uint64_t>(save.pos()),
                                                                  target->end, data, length, &target->error);
            if (at < 0 || !save.seek(at))
                return target->Fail(ZIP_ER_SEEK, EIO);
            return 0;
        }
        case ZIP_SOURCE_TELL_WRITE:
            return save.pos();
        case ZIP_SOURCE_COMMIT_WRITE:
            return save.commit() ? 0 : target->Fail(ZIP_ER_WRITE, EIO);
        case ZIP_SOURCE_ROLLBACK_WRITE:
        case ZIP_SOURCE_REMOVE:
            save.cancel();
            return 0;
        case ZIP_SOURCE_FREE:
            return 0;
        default:
            return target->Fail(ZIP_ER_OPNOTSUPP);
    }
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
    PackageTarget target;
    zip_error_init(&target.error);
    if (!target.save.open(QFile::decodeName(path.c_str()))) {
        error = "cannot create the workbook " + path + ": " + target.save.errorText().toStdString();
        zip_error_fini(&target.error);
        return false;
    }
    zip_error_t openError;
    zip_error_init(&openError);
    zip_source_t* source = zip_source_function_create(WriteIntoTarget, &target, &openError);
    zip_t* archive = source ? zip_open_from_source(source, ZIP_CREATE, &openError) : nullptr;
    if (!archive) {
        if (source)
            zip_source_free(source);
        error = std::string("cannot start the workbook: ") + zip_error_strerror(&openError);
        zip_error_fini(&openError);
        zip_error_fini(&target.error);
        return false;
    }
    zip_error_fini(&openError);
    bool written = true;
    for (const PackagePart& part : parts) {
        zip_source_t* data = zip_source_buffer(archive, part.data->data(), part.data->size(), 0);
        const zip_int64_t index =
            data ? zip_file_add(archive, part.name.c_str(), data, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            if (data)
                zip_source_free(data);
            error = "cannot add part " + part.name;
            written = false;
            break;
        }
        zip_set_file_compression(archive, index, part.compress ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0);
    }
    if (written && zip_close(archive) != 0) {
        error = std::string("cannot write the workbook: ") + zip_strerror(archive);
        if (!target.save.errorText().isEmpty())
            error += " (" + target.save.errorText().toStdString() + ")";
        written = false;
    }
    if (!written)
        zip_discard(archive);  // the unfinished file goes with the AtomicSave
    zip_error_fini(&target.error);
    return written;
}

}  // namespace xlsx
