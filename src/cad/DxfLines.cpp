#include "cad/DxfLines.h"

#include <algorithm>
#include <charconv>

#include "fe/Cp932.h"
#include "fe/Failure.h"
#include "fe/NumberText.h"

namespace fe::cad {
namespace {

// Room for "%.16f" of the largest double (309 integer digits) with sign and point.
constexpr std::size_t kNumberBuffer = 400;

// The digits right-aligned to the width in the room at out; returns the end.
char* PutPadded(char* out, std::string_view digits, int width)
{
    if (width > 0 && digits.size() < std::size_t(width)) {
        const std::size_t pad = std::size_t(width) - digits.size();
        std::memset(out, ' ', pad);
        out += pad;
    }
    std::memcpy(out, digits.data(), digits.size());
    return out + digits.size();
}

}  // namespace

void DxfLines::Start(Encoding encoding, std::size_t expectedSize)
{
    m_encoding = encoding;
    m_size = 0;
    if (m_capacity < expectedSize) {
        // Left uninitialised: pages the text never reaches are never touched.
        m_bytes = std::make_unique_for_overwrite<char[]>(expectedSize);
        m_capacity = expectedSize;
    }
}

DxfLines& DxfLines::operator=(const DxfLines& other)
{
    if (this != &other) {
        Start(other.m_encoding, other.m_size);
        if (other.m_size > 0)
            Append(other.m_bytes.get(), other.m_size);
    }
    return *this;
}

void DxfLines::Grow(std::size_t size)
{
    const std::size_t capacity = std::max({m_capacity * 2, m_size + size, std::size_t(4096)});
    auto bytes = std::make_unique_for_overwrite<char[]>(capacity);
    if (m_size > 0)
        std::memcpy(bytes.get(), m_bytes.get(), m_size);
    m_bytes = std::move(bytes);
    m_capacity = capacity;
}

std::string DxfLines::Take()
{
    std::string text(m_bytes.get(), m_size);
    m_size = 0;
    return text;
}

void DxfLines::Line(std::string_view ascii)
{
    Append(ascii);
    EndLine();
}

void DxfLines::Int(int value, int width)
{
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    const std::string_view digits(buffer, std::size_t(result.ptr - buffer));
    char* line = Room(std::max(digits.size(), std::size_t(std::max(width, 0))) + 2);
    char* end = PutPadded(line, digits, width);
    end[0] = '\r';
    end[1] = '\n';
    m_size += std::size_t(end + 2 - line);
}

void DxfLines::Real(double value, int decimals, bool trim)
{
    // The number is formatted in place; kNumberBuffer covers the longest fixed text.
    char* line = Room(kNumberBuffer + std::size_t(std::max(decimals, 0)) + 2);
    const auto result = fe::ToCharsFixed(line, line + kNumberBuffer + std::max(decimals, 0), value, decimals);
    char* end = result.ptr;
    if (trim && std::find(line, end, '.') != end) {
        while (end - line >= 2 && end[-1] == '0' && end[-2] != '.')
            --end;
    }
    end[0] = '\r';
    end[1] = '\n';
    m_size += std::size_t(end + 2 - line);
}

void DxfLines::Hex(int value)
{
    char* line = Room(16);
    const auto result = std::to_chars(line, line + 14, static_cast<unsigned>(value), 16);
    char* end = result.ptr;
    for (char* c = line; c != end; ++c) {
        if (*c >= 'a' && *c <= 'f')
            *c = char(*c - 'a' + 'A');
    }
    end[0] = '\r';
    end[1] = '\n';
    m_size += std::size_t(end + 2 - line);
}

void DxfLines::Text(const QString& text)
{
    // Plain ASCII is the same in both encodings and needs no conversion.
    const qsizetype size = text.size();
    const QChar* chars = text.constData();
    bool plain = true;
    for (qsizetype i = 0; i < size && plain; ++i)
        plain = chars[i].unicode() >= 0x20 && chars[i].unicode() < 0x80;
    if (plain) {
        char* line = Room(std::size_t(size) + 2);
        for (qsizetype i = 0; i < size; ++i)
            line[i] = char(chars[i].unicode());
        line[size] = '\r';
        line[size + 1] = '\n';
        m_size += std::size_t(size) + 2;
        return;
    }
    Append(Encode(text));
    EndLine();
}

std::string DxfLines::Encode(const QString& text) const
{
    QString value = text;
    if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'))) {
        value.replace(QLatin1String("\r\n"), QLatin1String(" "));
        value.replace(QLatin1Char('\r'), QLatin1Char(' '));
        value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    if (m_encoding == Encoding::Cp932) {
        bool ok = true;
        const QByteArray bytes = fe::ToCp932(value, &ok);
        if (!ok)
            throw fe::Failure("File.writeLine");
        return std::string(bytes.constData(), std::size_t(bytes.size()));
    }
    const QByteArray bytes = value.toUtf8();
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

void DxfLines::EncodedText(std::string_view bytes)
{
    Append(bytes);
    EndLine();
}

}  // namespace fe::cad
