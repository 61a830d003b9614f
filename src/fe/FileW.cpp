
#include "fe/File.h"
#include "fe/FileOpen.h"
#include "fe/NumberText.h"

namespace fe {
namespace {

// The bytes with each LF that does not already follow a CR written as CR LF.
QByteArray WithWindowsLineEnds(const QByteArray& bytes)
{
    if (!bytes.contains('\n'))
        return bytes;
    QByteArray out;
    out.reserve(bytes.size() + bytes.count('\n'));
    char previous = 0;
    for (const char c : bytes) {
        if (c == '\n' && previous != '\r')
            out.append('\r');
        out.append(c);
        previous = c;
    }
    return out;
}

}  // namespace

FileW::~FileW()
{
    DropUnclosed(m_save, "fe::FileW");
}

bool FileW::open(const QString& fileName, int encoding)
{
    if (!OpenWriter(m_save, fileName, encoding))
        return false;
    if (encoding == 1 && !m_save.write("\xEF\xBB\xBF", 3)) {
        m_save.cancel();
        return false;
    }
    m_start = m_save.pos();
    return true;
}

bool FileW::close()
{
    return m_save.commit();
}

FileW& FileW::writeBytes(const QByteArray& bytes)
{
    if (!m_save.write(WithWindowsLineEnds(bytes)))
        throw Failure("File.writeLine");
    return *this;
}

FileW& FileW::writeLine(const QString& text)
{
    return writeBytes(text.toUtf8());
}

FileW& FileW::writeInt(int value)
{
    return writeBytes(QByteArray::number(value));
}

FileW& FileW::writeDouble(double value)
{
    return writeBytes(DoubleToFixed6(value).toLatin1());
}

FileW& FileW::rewind()
{
    if (!m_save.truncateTo(m_start))
        throw Failure("File.writeLine");
    return *this;
}

}  // namespace fe
