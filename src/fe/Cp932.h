#pragma once

#include <QByteArray>
#include <QString>

namespace fe {

// Conversion between the program's texts and the Japanese Windows code page 932, which files handed
// to CAD programs and older tools expect. It covers the vendor characters (①, ㈱, ...) and half-width
// kana; characters that look alike in the Japanese standards (〜 and ～, − and －) map to the same byte
// pair, as the Windows code page does.

// Each character that has no code in CP932 (emoji, most non-Japanese scripts, lone surrogates)
// becomes one '?'; *ok is then false, else true.
QByteArray ToCp932(const QString& text, bool* ok = nullptr);

// Each byte that does not start a valid CP932 character, and a truncated lead byte at the end,
// becomes U+FFFD; *ok is then false, else true.
QString FromCp932(const QByteArray& bytes, bool* ok = nullptr);

// The number of bytes ToCp932 gives for the text (unconvertible characters count 1).
int Cp932ByteCount(const QString& text);

}  // namespace fe
