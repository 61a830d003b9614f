#include "fe/AtomicSave.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>

namespace fe {

namespace {

constexpr char kTemporaryMark[] = ".saving-";
constexpr int kRandomLength = 6;
constexpr char kRandomLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

QString SystemError(const QString& what, int code)
{
    return what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(code));
}

QString RandomSuffix()
{
    QString suffix;
    for (int k = 0; k < kRandomLength; ++k)
        suffix +=
            QLatin1Char(kRandomLetters[QRandomGenerator::global()->bounded(int(sizeof kRandomLetters) - 1)]);
    return suffix;
}

bool IsRandomSuffix(const char* text)
{
    for (int k = 0; k < kRandomLength; ++k) {
        if (!text[k] || !std::strchr(kRandomLetters, text[k]))
            return false;
    }
    return text[kRandomLength] == '\0';
}

// Flushes the folder's own record, so that a rename inside it survives a power cut. File systems that
// cannot flush a folder say so with EINVAL; that is no failure of the save.
bool SyncFolder(const QString& folder, QString& error)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        const int code = errno;
        error = SystemError(QStringLiteral("cannot open the folder ") + folder, code);
        return false;
    }
    const int code = ::fsync(fd) == 0 ? 0 : errno;
    const bool synced = code == 0 || code == EINVAL;
    if (!synced)
        error = SystemError(QStringLiteral("cannot flush the folder ") + folder, code);
    ::close(fd);
    return synced;
}

}  // namespace

void RemoveSaveLeftovers(const QString& path)
{
    const QFileInfo target(path);
    const QByteArray prefix = QFile::encodeName(target.fileName()) + kTemporaryMark;
    const QByteArray folder = QFile::encodeName(target.absolutePath());
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return;
    // Plain readdir with a byte comparison: the folders of photos and thumbnails hold thousands of
    // files and are saved into once per photo.
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strncmp(entry->d_name, prefix.constData(), size_t(prefix.size())) != 0 ||
            !IsRandomSuffix(entry->d_name + prefix.size()))
            continue;
        struct stat st;
        if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

bool AtomicSave::open(const QString& path)
{
    if (m_file.isOpen())
        return false;
    m_failed = false;
    m_error.clear();

    QFileInfo existing(path);
    if (existing.isSymLink())  // the link stays; the file it points to is replaced
        existing = QFileInfo(existing.symLinkTarget());
    if (existing.isDir()) {
        m_error = QStringLiteral("a folder has the name of the file: ") + path;
        return false;
    }
    mode_t mode = 0666;
    if (existing.exists()) {
        if (!existing.isWritable()) {
            m_error = QStringLiteral("the file is read-only: ") + path;
            return false;
        }
        struct stat st;
        if (::stat(QFile::encodeName(existing.filePath()).constData(), &st) == 0)
            mode = st.st_mode & 07777;
    }
    m_target = existing.filePath();
    RemoveSaveLeftovers(m_target);

    int fd = -1;
    int code = 0;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        m_temporary = m_target + QLatin1String(kTemporaryMark) + RandomSuffix();
        fd =
            ::open(QFile::encodeName(m_temporary).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        code = fd < 0 ? errno : 0;
        if (code != 0 && code != EEXIST)
            break;
    }
    if (fd < 0) {
        m_error = SystemError(QStringLiteral("cannot create ") + m_temporary, code);
        return false;
    }
    // The new file takes the permissions of the one it replaces.
    if (mode != 0666)
        ::fchmod(fd, mode);
    if (!m_file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        ::unlink(QFile::encodeName(m_temporary).constData());
        m_error = m_file.errorString();
        return false;
    }
    return true;
}

void AtomicSave::fail(const QString& what)
{
    if (!m_failed)
        m_error = what;
    m_failed = true;
}

void AtomicSave::discard()
{
    m_file.close();
    ::unlink(QFile::encodeName(m_temporary).constData());
}

bool AtomicSave::write(const char* data, qint64 size)
{
    if (!m_file.isOpen() || m_failed) {
        fail(QStringLiteral("write after a failure or without an open file"));
        return false;
    }
    if (size <= 0)
        return true;
    if (m_file.write(data, size) != size) {
        fail(m_file.errorString());
        return false;
    }
    return true;
}

bool AtomicSave::seek(qint64 position)
{
    if (!m_file.isOpen() || m_failed)
        return false;
    if (!m_file.seek(position)) {
        fail(m_file.errorString());
        return false;
    }
    return true;
}

bool AtomicSave::truncateTo(qint64 position)
{
    if (!m_file.isOpen() || m_failed)
        return false;
    if (!m_file.flush() || !m_file.resize(position) || !m_file.seek(position)) {
        fail(m_file.errorString());
        return false;
    }
    return true;
}

bool AtomicSave::commit()
{
    if (!m_file.isOpen()) {
        if (!m_failed)
            m_error = QStringLiteral("no file is open");
        return false;
    }
    if (m_failed) {
        discard();
        return false;
    }
    if (!m_file.flush()) {
        fail(m_file.errorString());
        discard();
        return false;
    }
    if (::fsync(m_file.handle()) != 0) {
        const int code = errno;
        fail(SystemError(QStringLiteral("cannot flush ") + m_temporary, code));
        discard();
        return false;
    }
    m_file.close();
    if (m_file.error() != QFileDevice::NoError) {
        fail(m_file.errorString());
        ::unlink(QFile::encodeName(m_temporary).constData());
        return false;
    }
    if (::rename(QFile::encodeName(m_temporary).constData(), QFile::encodeName(m_target).constData()) != 0) {
        const int code = errno;
        fail(SystemError(QStringLiteral("cannot replace ") + m_target, code));
        ::unlink(QFile::encodeName(m_temporary).constData());
        return false;
    }
    QString folderError;
    if (!SyncFolder(QFileInfo(m_target).absolutePath(), folderError)) {
        // The new file is in place but its name may not survive a power cut: not reported as saved.
        fail(folderError);
        return false;
    }
    return true;
}

void AtomicSave::cancel()
{
    if (m_file.isOpen())
        discard();
}

bool SaveBytesAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    AtomicSave save;
    const bool done = save.open(path) && save.write(bytes) && save.commit();
    if (!done && error)
        *error = save.errorText();
    return done;
}

bool CopyFileAtomically(const QString& source, const QString& target, QString* error)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        if (error)
            *error = in.errorString();
        return false;
    }
    AtomicSave save;
    bool done = save.open(target);
    while (done && !in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        if (chunk.isEmpty()) {
            save.markFailed(QStringLiteral("cannot read ") + source);
            done = false;
        } else {
            done = save.write(chunk);
        }
    }
    done = done && save.commit();
    if (!done && error)
        *error = save.errorText();
    return done;
}

}  // namespace fe
