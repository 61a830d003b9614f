#pragma once

#include <QString>
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

    // Empties the text and chooses how later texts are stored.
    void Start(Encoding encoding, std::size_t expectedSize = 0);

    // A group code right-aligned to three characters ("  0", " 10", "330"); longer codes as they are.
    void Code(int code);
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

    std::size_t Size() const { return m_bytes.size(); }
    const std::string& Bytes() const { return m_bytes; }
    // Hands the text over and leaves this empty.
    std::string Take() { return std::move(m_bytes); }

private:
    void EndLine() { m_bytes.append("\r\n", 2); }

    std::string m_bytes;
    Encoding m_encoding = Encoding::Utf8;
};

}  // namespace fe::cad
