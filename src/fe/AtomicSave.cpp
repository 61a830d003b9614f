#include "fe/AtomicSave.h"

namespace fe {

bool AtomicSave::open(const QString& path)
{
    if (m_file.isOpen())
        return false;
    m_failed = false;
    m_error.clear();
    m_file.setFileName(path);
    // Never fall back to writing the target in place: a failed write would destroy the old file.
    m_file.setDirectWriteFallback(false);
    if (!m_file.open(QIODevice::WriteOnly)) {
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
        m_file.cancelWriting();
        m_file.commit();  // discards the temporary file
        return false;
    }
    if (!m_file.commit()) {
        m_error = m_file.errorString();
        return false;
    }
    return true;
}

void AtomicSave::cancel()
{
    if (!m_file.isOpen())
        return;
    m_file.cancelWriting();
    m_file.commit();
}

bool SaveBytesAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    AtomicSave save;
    const bool done = save.open(path) && save.write(bytes) && save.commit();
    if (!done && error)
        *error = save.errorText();
    return done;
}

}  // namespace fe
