#pragma once

#include <QString>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace fe::cad {

// The growing text of a DXF file: one value per line, CR LF line ends, numbers in the C convention
// whatever the user's locale. Texts are stored as UTF-8 or as code page 932 bytes.
class DxfLines
{
public:
    enum class Encoding
    {
        Utf8,
        Cp932
    };

    DxfLines() = default;
    DxfLines(const DxfLines& other) { *this = other; }
    DxfLines& operator=(const DxfLines& other);
    DxfLines(DxfLines&&) = default;
    DxfLines& operator=(DxfLines&&) = default;

    // Empties the text and chooses how later texts are stored.
    void Start(Encoding encoding, std::size_t expectedSize = 0);

    // A group code right-aligned to three characters ("  0", " 10", "330"); longer codes as they are.
    void Code(int code)
    {
        if (code < 0 || code >= 1000) {
            Int(code, 3);
            return;
        }
        // Every code below 1000 fills exactly three characters; the most frequent line of all.
        char* line = Room(5);
        line[0] = code < 100 ? ' ' : char('0' + code / 100);
        line[1] = code < 10 ? ' ' : char('0' + code / 10 % 10);
        line[2] = char('0' + code % 10);
        line[3] = '\r';
        line[4] = '\n';
        m_size += 5;
    }
    // A line of ASCII text as it is.
    void Line(std::string_view ascii);
    // An integer right-aligned to the width; width 0 writes it as it is.
    void Int(int value, int width);
    // A real in fixed notation with the given decimals; with trim, trailing zeros are removed
    // while at least one digit stays after the point (2.5, 3.0).
    void Real(double value, int decimals = 16, bool trim = true);
    // A real with six decimals, untrimmed ("2.500000").
    void Fixed6(double value) { Real(value, 6, false); }
    // A handle or other number in uppercase hexadecimal.
    void Hex(int value);
    // A text value. Line breaks become spaces: a value never spans two lines, or the file would
    // lose its structure. Throws fe::Failure("File.writeLine") when a character has no code in
    // code page 932 and that encoding is in use.
    void Text(const QString& text);
    // The bytes Text would write, without the line end, for values written many times.
    std::string Encode(const QString& text) const;
    // A text value already encoded by Encode.
    void EncodedText(std::string_view bytes);

    std::size_t Size() const { return m_size; }
    std::string_view Bytes() const { return {m_bytes.get(), m_size}; }
    // Hands a copy of the text over and leaves this empty.
    std::string Take();

private:
    // Room for size more bytes at the end; the caller fills them and moves m_size on. A line is
    // written straight into the buffer: a value costs a few stores, not a string append.
    char* Room(std::size_t size)
    {
        if (m_capacity - m_size < size)
            Grow(size);
        return m_bytes.get() + m_size;
    }
    void Grow(std::size_t size);
    void Append(const char* data, std::size_t size)
    {
        std::memcpy(Room(size), data, size);
        m_size += size;
    }
    void Append(std::string_view text) { Append(text.data(), text.size()); }
    void EndLine() { Append("\r\n", 2); }

    std::unique_ptr<char[]> m_bytes;  // the text: its first m_size bytes
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
    Encoding m_encoding = Encoding::Utf8;
};

}  // namespace fe::cad
