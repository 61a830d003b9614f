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
    return OpenWriter(m_save, fileName, encoding);
}

bool FileWB::close()
{
    return m_save.commit();
}

void FileWB::writeExactly(const void* data, qint64 size)
{
    if (!m_save.write(static_cast<const char*>(data), size))
        throw Failure("File.writeBin");
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
    QByteArray bytes(4 + 2 * text.size(), Qt::Uninitialized);
    auto* out = reinterpret_cast<unsigned char*>(bytes.data());
    qToLittleEndian(static_cast<quint32>(text.size()), out);
    for (qsizetype i = 0; i < text.size(); ++i)
        qToLittleEndian(static_cast<quint16>(text[i].unicode()), out + 4 + 2 * i);
    writeExactly(bytes.constData(), bytes.size());
    return *this;
}

}  // namespace fe
