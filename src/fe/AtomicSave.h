#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace fe {

// Writes one of the program's files so that it is replaced whole or not at all: the bytes go to a
// temporary file "<name>.saving-XXXXXX" in the same folder, which commit() flushes to disk and renames
// over the old file, and the folder is flushed after the rename so that the new name survives a power
// cut. Until commit() succeeds the old file stays as it was; an AtomicSave destroyed without a
// successful commit() removes its temporary file. Every writer of the program's own files goes through
// it (directly, through fe::FileW / fe::FileWB, or through SaveBytesAtomically).
//
// A process killed during a save can leave its temporary file behind; open() removes such leftovers of
// the same target (RemoveSaveLeftovers), so one file is saved by one AtomicSave at a time.
class AtomicSave
{
public:
    AtomicSave() = default;
    explicit AtomicSave(const QString& path) { open(path); }
    ~AtomicSave() { cancel(); }
    AtomicSave(const AtomicSave&) = delete;
    AtomicSave& operator=(const AtomicSave&) = delete;

    // Starts a new file at the path; false when one is already started, when the path names a folder
    // or a read-only file, or when the temporary file cannot be made (errorText() says why).
    bool open(const QString& path);
    bool isOpen() const { return m_file.isOpen(); }

    // The device to write to while open (QImageWriter, QTextStream, ... can write to it).
    QIODevice* device() { return &m_file; }

    // Appends the bytes at the current position; false on a failed write, which also makes commit() fail.
    bool write(const char* data, qint64 size);
    bool write(const QByteArray& bytes) { return write(bytes.constData(), bytes.size()); }

    // Puts the file in place. False when nothing is open, when any write failed or when the file
    // cannot be flushed or renamed; the old file is then untouched and the temporary file gone.
    bool commit();

    // Drops what was written; the old file stays.
    void cancel();

    // Marks the file as incomplete (a writer refused a value): commit() will then fail.
    void markFailed(const QString& why) { fail(why); }

    // Why the last open, write or commit failed (empty when none did).
    const QString& errorText() const { return m_error; }

    // Current write position and repositioning, for writers that go back and overwrite: seek() keeps
    // what lies past the new position, truncateTo() cuts the file there.
    qint64 pos() const { return m_file.pos(); }
    bool seek(qint64 position);
    bool truncateTo(qint64 position);

private:
    void fail(const QString& what);
    void discard();

    QFile m_file;
    QString m_target;
    QString m_temporary;
    bool m_failed = false;
    QString m_error;
};

// Writes the bytes as the whole content of the file, atomically. False (with the reason in *error
// when given) when it could not; the old file then stays.
bool SaveBytesAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Copies the source file over the target, atomically. False (with the reason in *error when given)
// when the source cannot be read or the target not written; the old target then stays.
bool CopyFileAtomically(const QString& source, const QString& target, QString* error = nullptr);

// Removes the temporary files that saves of the path interrupted by a crash or a kill left in its
// folder: exactly the names "<name>.saving-" followed by six letters or digits, nothing else.
void RemoveSaveLeftovers(const QString& path);

}  // namespace fe
