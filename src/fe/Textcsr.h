#pragma once

#include <QChar>
#include <QString>

namespace fe {

// A cursor into a NUL-terminated UTF-16 text that it does not own (the text must outlive it).
// The date and time parsers move it over non-digits themselves and read numbers with ReadUInt.
class Textcsr
{
public:
    explicit Textcsr(const QChar* text) : m_p(text) {}
    // On the first character of the text; QString data always ends with a NUL.
    explicit Textcsr(const QString& text) : m_p(text.constData()) {}
    // A temporary text would be gone before the cursor is used.
    explicit Textcsr(QString&&) = delete;
    virtual ~Textcsr() = default;

    QChar operator*() const { return *m_p; }
    bool AtEnd() const { return m_p->isNull(); }
    // Moves one character on; stays on the terminating NUL.
    Textcsr& operator++()
    {
        if (!AtEnd())
            ++m_p;
        return *this;
    }

    // Sets value to 0, then reads the run of digits '0'-'9' at the cursor, moving past them.
    // Returns the number of digits read (0 when the cursor is not on a digit). No sign; a value
    // too large for an int stops growing at INT_MAX while the digits are still passed over.
    int ReadUInt(int& value);

private:
    const QChar* m_p;
};

}  // namespace fe
