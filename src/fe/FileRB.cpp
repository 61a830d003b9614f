#include <QtEndian>
#include <cstring>

#include "fe/File.h"
#include "fe/FileOpen.h"

namespace fe {

FileRB::~FileRB()
{
    CloseStream(m_stream);
}

bool FileRB::open(const QString& fileName, int encoding)
{
    if (m_stream || !IsSupportedEncoding(encoding))
        return false;
    m_stream = OpenForReading(fileName);
    return m_stream != nullptr;
}

bool FileRB::close()
{
    return CloseStream(m_stream);
}

void FileRB::readExactly(void* data, size_t size)
{
    if (!m_stream || std::fread(data, 1, size, m_stream) != size)
        throw Failure("File.readBin");
}

FileRB& FileRB::readBinInt32(std::int32_t& value)
{
    unsigned char bytes[4];
    readExactly(bytes, sizeof bytes);
    value = qFromLittleEndian<std::int32_t>(bytes);
    return *this;
}

FileRB& FileRB::readBinByte(std::uint8_t& value)
{
    readExactly(&value, 1);
    return *this;
}

FileRB& FileRB::readBinDouble(double& value)
{
    unsigned char bytes[8];
    readExactly(bytes, sizeof bytes);
    const quint64 bits = qFromLittleEndian<quint64>(bytes);
    std::memcpy(&value, &bits, sizeof value);
    return *this;
}

FileRB& FileRB::operator>>(QString& text)
{
    unsigned char countBytes[4];
    readExactly(countBytes, sizeof countBytes);
    const quint32 count = qFromLittleEndian<quint32>(countBytes);
    if (count > static_cast<quint32>(MaxTextUnits))
        throw Failure("FileRB.operator>>(Text):length error");
    unsigned char units[MaxTextUnits * 2];
    readExactly(units, count * 2);
    QString result(static_cast<qsizetype>(count), Qt::Uninitialized);
    qsizetype length = 0;
    for (; length < static_cast<qsizetype>(count); ++length) {
        const char16_t unit = qFromLittleEndian<char16_t>(units + 2 * length);
        if (unit == 0)
            break;
        result[length] = QChar(unit);
    }
    result.truncate(length);
    text = result;
    return *this;
}

}  // namespace fe
