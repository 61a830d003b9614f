#pragma once

#include <QString>

#include "app/controls/BlankValues.h"

namespace app {

// The input rules of a number or length-limited text field, and the pure checks the field runs
// while the user types and when the focus leaves.
struct NumberRules
{
    enum Mode
    {
        FreeText = 0,
        Integer = 1,
        Real = 2
    };

    Mode mode = FreeText;
    int byteLimit = 30000;  // in CP932 bytes; 0 = no limit
    double minimum = kBlankReal;
    double maximum = kBlankReal;
    double blank = kBlankReal;
    int decimals = 0;
};

// The value with `decimals` places, rounded as the C library's "%.*f" rounds (2.5 gives "2"),
// independent of the locale.
QString FixedText(double value, int decimals);

// Bytes the text takes in the Japanese Windows code page (half-width kana 1, other Japanese 2).
int AnsiByteCount(const QString& text);

// True when typing `typed` over the selection [selStart, selStart + selLength) of `text` is
// allowed: it fits the byte limit and, in number modes, is a character the mode takes.
bool AcceptsTyping(const NumberRules& rules, const QString& text, int selStart, int selLength,
                   const QString& typed);
// True when pasting `pasted` over the selection fits the byte limit (the mode is not checked).
bool AcceptsPaste(const NumberRules& rules, const QString& text, int selStart, int selLength,
                  const QString& pasted);

// Checks a whole entry: 0 valid (an empty text is valid), 1 not a number, 2 out of range,
// 3 a non-zero place beyond the allowed decimals.
int CheckNumberText(const NumberRules& rules, const QString& text);
// The message shown for a check result 1-3.
QString NumberCheckMessage(const NumberRules& rules, int result);

}  // namespace app
