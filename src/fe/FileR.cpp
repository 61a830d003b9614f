#include "fe/File.h"
#include "fe/FileOpen.h"
#include "fe/NumberText.h"

namespace fe {
namespace {

// UTF-16 units the character that starts with this UTF-8 byte takes (0 for a continuation byte).
int Utf16Units(unsigned char byte)
{
    if ((byte & 0xC0) == 0x80)
        return 0;
    return byte >= 0xF0 ? 2 : 1;
}

}  // namespace

FileR::~FileR()
{
    CloseStream(m_stream);
}

bool FileR::open(const QString& fileName, int encoding)
{
    if (m_stream || !IsSupportedEncoding(encoding))
        return false;
    m_stream = OpenForReading(fileName);
    if (!m_stream)
        return false;
    m_back.clear();
    SkipByteOrderMark(m_stream);
    return true;
}

bool FileR::close()
{
    m_back.clear();
    return CloseStream(m_stream);
}

bool FileR::eof() const
{
    if (!m_stream)
        return true;
    return m_back.isEmpty() && (std::feof(m_stream) || std::ferror(m_stream));
}

int FileR::getByte()
{
    if (!m_back.isEmpty()) {
        const unsigned char c = static_cast<unsigned char>(m_back.back());
        m_back.chop(1);
        return c;
    }
    return std::getc(m_stream);
}

void FileR::ungetByte(int c)
{
    m_back.append(static_cast<char>(c));
}

FileR& FileR::readLine(QString& line)
{
    line.clear();
    if (!m_stream)
        return *this;
    QByteArray bytes;
    int units = 0;
    for (;;) {
        const int c = getByte();
        if (c == EOF || c == '\n')
            break;
        if (c == '\r') {
            const int next = getByte();
            if (next == '\n')
                break;
            if (next != EOF)
                ungetByte(next);
        }
        const int add = Utf16Units(static_cast<unsigned char>(c));
        if (units + add > MaxTextUnits) {
            // The rest of an over-long line comes back on the next call.
            ungetByte(c);
            break;
        }
        units += add;
        bytes.append(static_cast<char>(c));
    }
    line = QString::fromUtf8(bytes);
    return *this;
}

bool FileR::tryReadInt(int& value)
{
    QString line;
    readLine(line);
    return ScanInt(line, value);
}

bool FileR::tryReadUInt(unsigned& value)
{
    QString line;
    readLine(line);
    return ScanUInt(line, value);
}

bool FileR::tryReadDouble(double& value)
{
    QString line;
    readLine(line);
    return ScanDouble(line, value);
}

FileR& FileR::readInt(int& value)
{
    tryReadInt(value);
    return *this;
}

FileR& FileR::readUInt(unsigned& value)
{
    tryReadUInt(value);
    return *this;
}

FileR& FileR::readDouble(double& value)
{
    tryReadDouble(value);
    return *this;
}

}  // namespace fe
