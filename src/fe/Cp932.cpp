#include "fe/Cp932.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace fe {
namespace {

// One conversion descriptor for the duration of one call: iconv state is not shareable between threads.
class Converter
{
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (valid())
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts the input; at each sequence that cannot be converted, calls skip(in, left, errno, out), which
    // appends a replacement to out and returns how many input bytes to pass over (0 ends the work).
    template <typename Skip>
    void run(const QByteArray& input, QByteArray& out, Skip skip)
    {
        char* in = const_cast<char*>(input.constData());
        size_t inLeft = static_cast<size_t>(input.size());
        char buffer[4096];
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            const size_t result = iconv(m_cd, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<qsizetype>(outPtr - buffer));
            const int error = errno;
            if (result != static_cast<size_t>(-1) || error == E2BIG)
                continue;
            const size_t pass = skip(in, inLeft, error, out);
            if (pass == 0 || pass > inLeft)
                break;
            in += pass;
            inLeft -= pass;
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
    }

private:
    iconv_t m_cd;
};

// Length of the UTF-8 sequence that starts with this byte (1 for a stray byte).
size_t Utf8Length(unsigned char lead)
{
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

bool HasLoneSurrogate(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return true;
    }
    return false;
}

}  // namespace

QByteArray ToCp932(const QString& text, bool* ok)
{
    // Qt encodes a lone surrogate as '?', which then converts without complaint.
    bool converted = !HasLoneSurrogate(text);
    QByteArray out;
    Converter converter("CP932", "UTF-8");
    if (converter.valid()) {
        converter.run(text.toUtf8(), out, [&](const char* at, size_t left, int, QByteArray& o) {
            converted = false;
            o.append('?');
            return std::min(left, Utf8Length(static_cast<unsigned char>(*at)));
        });
    } else {
        converted = false;
    }
    if (ok)
        *ok = converted;
    return out;
}

QString FromCp932(const QByteArray& bytes, bool* ok)
{
    bool converted = true;
    QByteArray utf8;
    Converter converter("UTF-8", "CP932");
    if (converter.valid()) {
        converter.run(bytes, utf8, [&](const char*, size_t left, int error, QByteArray& o) {
            converted = false;
            o.append("\xEF\xBF\xBD");
            // An incomplete character at the end is dropped whole; a bad byte is passed over alone.
            return error == EINVAL ? size_t{0} : std::min<size_t>(left, 1);
        });
    } else {
        converted = false;
    }
    if (ok)
        *ok = converted;
    return QString::fromUtf8(utf8);
}

int Cp932ByteCount(const QString& text)
{
    return static_cast<int>(ToCp932(text).size());
}

}  // namespace fe
