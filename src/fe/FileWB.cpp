#include <QtEndian>
#include <algorithm>
#include <cstring>

#include "fe/File.h"
#include "fe/FileOpen.h"

namespace fe {

FileWB::~FileWB()
{
    DropUnclosed(m_save, "fe::FileWB");
}

bool FileWB::open(const QString& fileName, int encoding)
{
    if (!OpenWriter(m_save, fileName, encoding))
        return false;
    m_buffer.reset();
    m_capacity = 0;
    m_used = 0;
    return true;
}

bool FileWB::close()
{
    // A failed write makes the commit fail and discard the temporary file.
    if (m_save.isOpen())
        m_save.write(reinterpret_cast<const char*>(m_buffer.get()), static_cast<qint64>(m_used));
    m_buffer.reset();
    m_capacity = 0;
    m_used = 0;
    return m_save.commit();
}

void FileWB::reserveMore(size_t size)
{
    if (!m_save.isOpen())
        throw Failure("File.writeBin");
    // The first block is large: pages the file never reaches are never touched, so they cost
    // nothing, and most files then need no copy at all.
    const size_t capacity = std::max({m_capacity * 2, m_used + size, size_t(16) << 20});
    auto buffer = std::make_unique_for_overwrite<unsigned char[]>(capacity);
    if (m_used > 0)
        std::memcpy(buffer.get(), m_buffer.get(), m_used);
    m_buffer = std::move(buffer);
    m_capacity = capacity;
}

// Fixed-size stores straight into the buffer: a field is a few instructions, not a memcpy call.
FileWB& FileWB::writeBinInt32(std::int32_t value)
{
    qToLittleEndian(value, grow(4));
    return *this;
}

FileWB& FileWB::writeBinByte(std::uint8_t value)
{
    *grow(1) = value;
    return *this;
}

FileWB& FileWB::writeBinDouble(double value)
{
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    qToLittleEndian(bits, grow(8));
    return *this;
}

FileWB& FileWB::writeBinText(const QString& text)
{
    if (text.size() > MaxTextUnits) {
        // No reader takes such a record back, so the file must not replace the old one.
        m_save.markFailed(QStringLiteral("text of %1 units is longer than a record holds").arg(text.size()));
        throw Failure("File.writeBin");
    }
    unsigned char* out = grow(4 + 2 * static_cast<size_t>(text.size()));
    qToLittleEndian(static_cast<quint32>(text.size()), out);
    qToLittleEndian<quint16>(text.utf16(), text.size(), out + 4);
    return *this;
}

}  // namespace fe
