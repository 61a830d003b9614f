#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cad/Shape.h"

namespace fe {

// What a caller asks for one attribute column. Kinds: 0 character, 1 date, 2 float, 3 numeric,
// 4 logical.
struct ShapeFieldDef
{
    std::string name;
    int kind = 0;
    std::uint8_t width = 0;
    std::uint8_t decimals = 0;
};

// One column of the attribute table, as its 32-byte descriptor in the .dbf file.
struct DbfFieldDescriptor
{
    // The first 10 bytes of the name, then zero bytes.
    std::array<char, 11> name{};
    char type = 'C';
    std::uint8_t width = 0;
    std::uint8_t decimals = 0;

    static DbfFieldDescriptor From(const ShapeFieldDef& definition);
    QByteArray Bytes() const;
};

// A shape and its attribute row (code page 932 bytes, one string per column).
struct ShapeRecord
{
    std::unique_ptr<ShapeBase> shape;
    std::vector<std::string> row;
};

// One shapefile set: the attribute columns and the records. Build it with AddField and AddRecord,
// prepare a fresh set from it with PrepareFrom, then write the prepared set.
class ShapeData
{
public:
    static constexpr std::size_t kMaxFields = 255;

    ShapeData() = default;
    ShapeData(const ShapeData&) = delete;
    ShapeData& operator=(const ShapeData&) = delete;

    // Appends a column (ignored once there are 255); every record's row gets an empty value.
    void AddField(const ShapeFieldDef& definition);
    // Appends a record owning the shape, with an empty value for every column; returns its row.
    std::vector<std::string>& AddRecord(std::unique_ptr<ShapeBase> shape);
    // A deep copy of the other set.
    void Assign(const ShapeData& other);
    void Clear();
    // Copies the source, drops lines that draw nothing and numbers the records 1..n in order:
    // numbered records by their number, then the others in the order they came.
    void PrepareFrom(const ShapeData& source);

    // Write path + ".shp" and ".shx" together: both are replaced, or neither. False with no
    // records, for a set whose shapes are of two different types, or when writing fails.
    bool WriteShpShx(const QString& path) const;
    // Write path + ".dbf". False when a numeric value is not a number, a row is longer than 4000
    // bytes or writing fails; the old file then stays.
    bool WriteDbf(const QString& path) const;
    // Write path + ".prj", the WGS 84 longitude/latitude system.
    bool WritePrj(const QString& path) const;
    // Writes .shp, .shx and .dbf as one set: either all three are replaced, or none of them is
    // left in a state that could pass for a finished set (a failure while putting the files in
    // place removes the three).
    bool WriteSet(const QString& path) const;

    // The file contents, built in memory; none when the set cannot be written.
    struct MainAndIndex
    {
        QByteArray shp;
        QByteArray shx;
    };
    std::optional<MainAndIndex> BuildShpShx() const;
    std::optional<QByteArray> BuildDbf(const QDate& date) const;
    static QByteArray PrjBytes();

    std::vector<DbfFieldDescriptor> fields;
    std::vector<ShapeRecord> records;
};

}  // namespace fe
