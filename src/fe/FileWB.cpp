#include <QtEndian>
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
    m_bytes.clear();
    return true;
}

bool FileWB::close()
{
    // A failed write makes the commit fail and discard the temporary file.
    if (m_save.isOpen())
        m_save.write(m_bytes.data(), static_cast<qint64>(m_bytes.size()));
    m_bytes = std::vector<char>();
    return m_save.commit();
}

unsigned char* FileWB::grow(size_t size)
{
    if (!m_save.isOpen())
        throw Failure("File.writeBin");
    const size_t at = m_bytes.size();
    m_bytes.resize(at + size);
    return reinterpret_cast<unsigned char*>(m_bytes.data() + at);
}

void FileWB::writeExactly(const void* data, qint64 size)
{
    std::memcpy(grow(static_cast<size_t>(size)), data, static_cast<size_t>(size));
}

FileWB& FileWB::writeBinInt32(std::int32_t value)
{
    unsigned char bytes[4];
    qToLittleEndian(value, bytes);
    writeExactly(bytes, sizeof bytes);
    return *this;
}

FileWB& FileWB::writeBinByte(std::uint8_t value)
{
    writeExactly(&value, 1);
    return *this;
}

FileWB& FileWB::writeBinDouble(double value)
{
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    unsigned char bytes[8];
    qToLittleEndian(bits, bytes);
    writeExactly(bytes, sizeof bytes);
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
