#include "cad/DxfLines.h"

#include <charconv>

#include "fe/Cp932.h"
#include "fe/Failure.h"

namespace fe::cad {
namespace {

// Room for "%.16f" of the largest double (309 integer digits) with sign and point.
constexpr std::size_t kNumberBuffer = 400;

void AppendPadded(std::string& out, std::string_view digits, int width)
{
    if (width > 0 && digits.size() < std::size_t(width))
        out.append(std::size_t(width) - digits.size(), ' ');
    out.append(digits);
}

}  // namespace

void DxfLines::Start(Encoding encoding, std::size_t expectedSize)
{
    m_encoding = encoding;
    m_bytes.clear();
    m_bytes.reserve(expectedSize);
}

void DxfLines::Code(int code)
{
    if (code >= 0 && code < 1000) {
        // Every code below 1000 fills exactly three characters.
        const char line[5] = {code < 100 ? ' ' : char('0' + code / 100),
                              code < 10 ? ' ' : char('0' + code / 10 % 10), char('0' + code % 10), '\r',
                              '\n'};
        m_bytes.append(line, 5);
        return;
    }
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, code);
    AppendPadded(m_bytes, std::string_view(buffer, result.ptr - buffer), 3);
    EndLine();
}

void DxfLines::Line(std::string_view ascii)
{
    m_bytes.append(ascii);
    EndLine();
}

void DxfLines::Int(int value, int width)
{
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    AppendPadded(m_bytes, std::string_view(buffer, result.ptr - buffer), width);
    EndLine();
}

void DxfLines::Real(double value, int decimals, bool trim)
{
    char buffer[kNumberBuffer];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    std::string_view text(buffer, result.ptr - buffer);
    if (trim && text.find('.') != std::string_view::npos) {
        while (text.size() >= 2 && text.back() == '0' && text[text.size() - 2] != '.')
            text.remove_suffix(1);
    }
    m_bytes.append(text);
    EndLine();
}

void DxfLines::Hex(int value)
{
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<unsigned>(value), 16);
    for (char* c = buffer; c != result.ptr; ++c) {
        if (*c >= 'a' && *c <= 'f')
            *c = char(*c - 'a' + 'A');
    }
    m_bytes.append(buffer, result.ptr);
    EndLine();
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
        const std::size_t start = m_bytes.size();
        m_bytes.resize(start + std::size_t(size));
        for (qsizetype i = 0; i < size; ++i)
            m_bytes[start + std::size_t(i)] = char(chars[i].unicode());
        EndLine();
        return;
    }
    m_bytes.append(Encode(text));
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
    m_bytes.append(bytes);
    EndLine();
}

}  // namespace fe::cad
