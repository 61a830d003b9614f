// The bytes of the .shp, .shx, .dbf and .prj files of a shapefile set.
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "cad/DbfCells.h"
#include "cad/ShapeData.h"

namespace fe {
namespace {

constexpr int kFileCode = 9994;
constexpr int kVersion = 1000;
constexpr int kHeaderSize = 100;
constexpr std::size_t kMaxRecordLength = 4000;

class Bytes
{
public:
    void Reserve(qsizetype size) { m_bytes.reserve(size); }
    void Int32Big(qint32 value)
    {
        const qint32 v = qToBigEndian(value);
        m_bytes.append(reinterpret_cast<const char*>(&v), 4);
    }
    void Int32Little(qint32 value)
    {
        const qint32 v = qToLittleEndian(value);
        m_bytes.append(reinterpret_cast<const char*>(&v), 4);
    }
    void DoubleLittle(double value)
    {
        quint64 bits;
        std::memcpy(&bits, &value, 8);
        bits = qToLittleEndian(bits);
        m_bytes.append(reinterpret_cast<const char*>(&bits), 8);
    }
    void Zeros(int count) { m_bytes.append(count, '\0'); }
    qsizetype Size() const { return m_bytes.size(); }
    QByteArray& Data() { return m_bytes; }

private:
    QByteArray m_bytes;
};

struct Box
{
    double xmin = 0.0, ymin = 0.0, xmax = 0.0, ymax = 0.0;
    bool any = false;

    void Add(double x0, double y0, double x1, double y1)
    {
        if (!any) {
            *this = {x0, y0, x1, y1, true};
            return;
        }
        xmin = std::min(xmin, x0);
        ymin = std::min(ymin, y0);
        xmax = std::max(xmax, x1);
        ymax = std::max(ymax, y1);
    }
};

int ContentLength(const ShapeBase& shape)
{
    switch (shape.GetType()) {
        case kShapePoint:
            return 20;
        case kShapePolyLine: {
            const auto& line = static_cast<const ShapePolyLine&>(shape);
            return int(44 + 4 * line.parts.size() + 16 * line.points.size());
        }
        default:
            return 4;
    }
}

void WriteHeader(Bytes& out, qint64 fileBytes, int shapeType, const Box& box)
{
    out.Int32Big(kFileCode);
    out.Zeros(20);
    out.Int32Big(qint32(fileBytes / 2));
    out.Int32Little(kVersion);
    out.Int32Little(shapeType);
    out.DoubleLittle(box.xmin);
    out.DoubleLittle(box.ymin);
    out.DoubleLittle(box.xmax);
    out.DoubleLittle(box.ymax);
    out.Zeros(32);
}

void WriteContent(Bytes& out, const ShapeBase& shape, Box& box)
{
    if (shape.GetType() == kShapePoint) {
        const auto& point = static_cast<const ShapePoint&>(shape);
        out.Int32Little(kShapePoint);
        out.DoubleLittle(point.x);
        out.DoubleLittle(point.y);
        box.Add(point.x, point.y, point.x, point.y);
    } else if (shape.GetType() == kShapePolyLine) {
        ShapePolyLine line = static_cast<const ShapePolyLine&>(shape);
        line.UpdateBounds();
        out.Int32Little(kShapePolyLine);
        out.DoubleLittle(line.xmin);
        out.DoubleLittle(line.ymin);
        out.DoubleLittle(line.xmax);
        out.DoubleLittle(line.ymax);
        out.Int32Little(line.partCount);
        out.Int32Little(line.pointCount);
        for (std::int32_t start : line.parts)
            out.Int32Little(start);
        for (const Point2& p : line.points) {
            out.DoubleLittle(p.x);
            out.DoubleLittle(p.y);
        }
        box.Add(line.xmin, line.ymin, line.xmax, line.ymax);
    } else {
        out.Int32Little(kShapeNull);
    }
}

}  // namespace

std::optional<ShapeData::MainAndIndex> ShapeData::BuildShpShx() const
{
    if (records.empty())
        return std::nullopt;
    int shapeType = kShapeNull;
    qint64 mainBytes = kHeaderSize;
    for (const ShapeRecord& record : records) {
        const int type = record.shape->GetType();
        if (type != kShapeNull) {
            // A file holds one type of shape; readers refuse a mixture.
            if (shapeType != kShapeNull && shapeType != type)
                return std::nullopt;
            shapeType = type;
        }
        mainBytes += 8 + ContentLength(*record.shape);
    }
    // File lengths are stored as 32-bit counts of 16-bit words.
    if (mainBytes / 2 > 0x7FFFFFFF)
        return std::nullopt;

    const int count = int(records.size());
    std::vector<std::pair<qint32, qint32>> index(std::size_t(count), {-1, 0});
    Bytes body;
    body.Reserve(qsizetype(mainBytes));
    body.Zeros(kHeaderSize);
    Box box;
    for (const ShapeRecord& record : records) {
        const int number = record.shape->recordNumber;
        if (number < 1 || number > count)
            return std::nullopt;
        const int length = ContentLength(*record.shape);
        index[std::size_t(number - 1)] = {qint32(body.Size() / 2), qint32(length / 2)};
        body.Int32Big(number);
        body.Int32Big(length / 2);
        WriteContent(body, *record.shape, box);
    }
    if (!box.any) {
        box = {0.0, 0.0, 1.0, 1.0, true};
    } else if (box.xmin == box.xmax && box.ymin == box.ymax) {
        box.xmax += 1.0;
        box.ymax += 1.0;
    }

    Bytes header;
    WriteHeader(header, body.Size(), shapeType, box);
    MainAndIndex files;
    files.shp = body.Data();
    std::memcpy(files.shp.data(), header.Data().constData(), kHeaderSize);

    Bytes shx;
    const qint64 indexBytes = kHeaderSize + 8 * qint64(count);
    WriteHeader(shx, indexBytes, shapeType, box);
    for (const auto& [offset, length] : index) {
        if (offset < 0)
            return std::nullopt;  // two records with one number
        shx.Int32Big(offset);
        shx.Int32Big(length);
    }
    files.shx = shx.Data();
    return files;
}

std::optional<QByteArray> ShapeData::BuildDbf(const QDate& date) const
{
    std::size_t recordLength = 1;
    for (const DbfFieldDescriptor& field : fields)
        recordLength += field.width;
    if (recordLength > kMaxRecordLength)
        return std::nullopt;

    QByteArray out;
    out.reserve(qsizetype(32 + 32 * fields.size() + 1 + recordLength * records.size() + 1));
    out.append(char(3));
    out.append(char(date.year() - 1900));
    out.append(char(date.month()));
    out.append(char(date.day()));
    const quint32 count = qToLittleEndian(quint32(records.size()));
    out.append(reinterpret_cast<const char*>(&count), 4);
    const quint16 headerLength = qToLittleEndian(quint16(32 * fields.size() + 33));
    out.append(reinterpret_cast<const char*>(&headerLength), 2);
    const quint16 length = qToLittleEndian(quint16(recordLength));
    out.append(reinterpret_cast<const char*>(&length), 2);
    out.append(20, '\0');
    for (const DbfFieldDescriptor& field : fields)
        out.append(field.Bytes());
    out.append(char(0x0D));

    std::string cell;
    for (const ShapeRecord& record : records) {
        out.append(' ');
        for (std::size_t i = 0; i < fields.size(); ++i) {
            static const std::string kEmpty;
            const std::string& value = i < record.row.size() ? record.row[i] : kEmpty;
            if (!FormatDbfCell(fields[i], value, cell))
                return std::nullopt;
            out.append(cell.data(), qsizetype(cell.size()));
        }
    }
    out.append(char(0x1A));
    return out;
}

QByteArray ShapeData::PrjBytes()
{
    return QByteArrayLiteral(
        "GEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\",SPHEROID[\"WGS_1984\",6378137.0,298.257223563]],"
        "PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]]\r\n");
}

}  // namespace fe
