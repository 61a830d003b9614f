#pragma once

#include <QByteArray>
#include <QString>
#include <QtEndian>
#include <bit>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "FileBytes.h"

// A little-endian byte builder for tests of the program's binary files, written independently of the
// code under test.
struct Bytes
{
    QByteArray data;
    // Where each record count written through count() lies, with what it counts.
    std::vector<std::pair<std::string, qsizetype>> counts;

    Bytes& count(std::int32_t v, const char* what)
    {
        counts.emplace_back(what, data.size());
        return i32(v);
    }

    Bytes& i32(std::int32_t v)
    {
        char b[4];
        qToLittleEndian(v, b);
        data.append(b, 4);
        return *this;
    }
    Bytes& f32(float v) { return i32(std::bit_cast<std::int32_t>(v)); }
    Bytes& f64(double v)
    {
        char b[8];
        qToLittleEndian(std::bit_cast<quint64>(v), b);
        data.append(b, 8);
        return *this;
    }
    Bytes& u8(int v)
    {
        data.append(static_cast<char>(v));
        return *this;
    }
    // A text record: the count of UTF-16 units, then the units.
    Bytes& text(const QString& t)
    {
        i32(static_cast<std::int32_t>(t.size()));
        for (QChar c : t) {
            data.append(static_cast<char>(c.unicode() & 0xFF));
            data.append(static_cast<char>(c.unicode() >> 8));
        }
        return *this;
    }
};
