#include "cad/ShapeData.h"

#include <QFile>
#include <algorithm>

#include "cad/DbfCells.h"
#include "fe/AtomicSave.h"

namespace fe {

DbfFieldDescriptor DbfFieldDescriptor::From(const ShapeFieldDef& definition)
{
    DbfFieldDescriptor d;
    // At most 10 bytes, without splitting a two-byte character: readers decode the name as text.
    std::copy_n(definition.name.begin(), Cp932PrefixLength(definition.name, 10), d.name.begin());
    d.decimals = definition.decimals;
    switch (definition.kind) {
        case 1:
            d.type = 'D';
            d.width = 8;
            break;
        case 2:
        case 3:
            d.type = definition.kind == 2 ? 'F' : 'N';
            d.width = std::clamp<std::uint8_t>(definition.width, 1, 20);
            if (definition.kind == 3)
                d.decimals = std::min<std::uint8_t>(d.decimals, std::uint8_t(d.width - 1));
            break;
        case 4:
            d.type = 'L';
            d.width = 1;
            break;
        default:
            d.type = 'C';
            d.width = (definition.width == 0 || definition.width == 255) ? 254 : definition.width;
            break;
    }
    return d;
}

QByteArray DbfFieldDescriptor::Bytes() const
{
    QByteArray bytes(32, '\0');
    std::copy(name.begin(), name.end(), bytes.begin());
    bytes[11] = type;
    bytes[16] = char(width);
    bytes[17] = char(decimals);
    return bytes;
}

void ShapeData::AddField(const ShapeFieldDef& definition)
{
    if (fields.size() >= kMaxFields)
        return;
    fields.push_back(DbfFieldDescriptor::From(definition));
    for (ShapeRecord& record : records)
        record.row.emplace_back();
}

std::vector<std::string>& ShapeData::AddRecord(std::unique_ptr<ShapeBase> shape)
{
    if (!shape)
        shape = std::make_unique<ShapeBase>();
    records.push_back({std::move(shape), std::vector<std::string>(fields.size())});
    return records.back().row;
}

void ShapeData::Assign(const ShapeData& other)
{
    if (&other == this)
        return;
    Clear();
    fields = other.fields;
    records.reserve(other.records.size());
    for (const ShapeRecord& record : other.records)
        records.push_back({record.shape->Clone(), record.row});
}

void ShapeData::Clear()
{
    fields.clear();
    records.clear();
}

void ShapeData::PrepareFrom(const ShapeData& source)
{
    Assign(source);
    std::erase_if(records, [](ShapeRecord& record) {
        return record.shape->GetType() == kShapePolyLine &&
               !static_cast<ShapePolyLine&>(*record.shape).Normalize();
    });
    const int count = int(records.size());
    auto key = [count](const ShapeRecord& record) {
        const int number = record.shape->recordNumber;
        return (number >= 1 && number <= count) ? number : count + 1;
    };
    std::stable_sort(records.begin(), records.end(),
                     [&key](const ShapeRecord& a, const ShapeRecord& b) { return key(a) < key(b); });
    // Numbers follow the positions, so every number is used once and the index stays in order.
    for (int i = 0; i < count; ++i)
        records[std::size_t(i)].shape->recordNumber = i + 1;
}

bool ShapeData::WriteShpShx(const QString& path) const
{
    const std::optional<MainAndIndex> files = BuildShpShx();
    if (!files)
        return false;
    AtomicSave shp, shx;
    if (!shp.open(path + QStringLiteral(".shp")) || !shx.open(path + QStringLiteral(".shx")))
        return false;
    if (!shp.write(files->shp) || !shx.write(files->shx))
        return false;
    if (!shp.commit())
        return false;
    if (!shx.commit()) {
        // A main file without its matching index would read as a broken set.
        QFile::remove(path + QStringLiteral(".shp"));
        return false;
    }
    return true;
}

bool ShapeData::WriteDbf(const QString& path) const
{
    const std::optional<QByteArray> dbf = BuildDbf(QDate::currentDate());
    return dbf && SaveBytesAtomically(path + QStringLiteral(".dbf"), *dbf);
}

bool ShapeData::WritePrj(const QString& path) const
{
    return SaveBytesAtomically(path + QStringLiteral(".prj"), PrjBytes());
}

bool ShapeData::WriteSet(const QString& path) const
{
    const std::optional<MainAndIndex> main = BuildShpShx();
    const std::optional<QByteArray> dbf = BuildDbf(QDate::currentDate());
    if (!main || !dbf)
        return false;
    const QString names[] = {path + QStringLiteral(".dbf"), path + QStringLiteral(".shx"),
                             path + QStringLiteral(".shp")};
    const QByteArray* contents[] = {&*dbf, &main->shx, &main->shp};
    AtomicSave saves[3];
    for (int i = 0; i < 3; ++i) {
        if (!saves[i].open(names[i]) || !saves[i].write(*contents[i]))
            return false;  // nothing is in place yet: the old files stay
    }
    for (int i = 0; i < 3; ++i) {
        if (!saves[i].commit()) {
            // Some files are new and some old: remove them all rather than leave a mixed set.
            for (const QString& name : names)
                QFile::remove(name);
            return false;
        }
    }
    return true;
}

}  // namespace fe
