#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <clocale>

#include "ShapeSample.h"
#include "TempFolder.h"
#include "cad/DbfCells.h"
#include "fe/Cp932.h"

using namespace fe;

namespace {

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

qint32 Big(const QByteArray& bytes, int offset)
{
    return qFromBigEndian<qint32>(bytes.constData() + offset);
}

qint32 Little(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<qint32>(bytes.constData() + offset);
}

double LittleDouble(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<double>(bytes.constData() + offset);
}

std::vector<std::pair<int, int>> IndexEntries(const QByteArray& shx)
{
    std::vector<std::pair<int, int>> entries;
    for (int offset = 100; offset + 8 <= shx.size(); offset += 8)
        entries.emplace_back(Big(shx, offset), Big(shx, offset + 4));
    return entries;
}

std::array<double, 4> HeaderBox(const QByteArray& file)
{
    return {LittleDouble(file, 36), LittleDouble(file, 44), LittleDouble(file, 52), LittleDouble(file, 60)};
}

}  // namespace

TEST(Shapefile, ThreePhotoSetsHaveTheExactLayout)
{
    TempFolder folder;
    struct Case
    {
        bool directions;
        int shpBytes;
        int type;
        std::vector<std::pair<int, int>> index;
    };
    const Case cases[] = {
        {false, 168, kShapePoint, {{50, 10}, {64, 2}, {70, 10}}},
        {true, 100 + 8 + 944 + 8 + 4 + 8 + 864, kShapePolyLine, {{50, 472}, {526, 2}, {532, 432}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.directions);
        ShapeData source, prepared;
        MakePhotoSet(source, c.directions);
        prepared.PrepareFrom(source);
        const QString path = folder.file(c.directions ? "site_dir" : "site_point");
        ASSERT_TRUE(prepared.WriteSet(path));
        ASSERT_TRUE(prepared.WritePrj(path));

        const QByteArray shp = Read(path + ".shp");
        const QByteArray shx = Read(path + ".shx");
        ASSERT_EQ(shp.size(), c.shpBytes);
        ASSERT_EQ(shx.size(), 124);
        for (const QByteArray& file : {shp, shx}) {
            EXPECT_EQ(Big(file, 0), 9994);
            EXPECT_EQ(Big(file, 24) * 2, file.size());
            EXPECT_EQ(Little(file, 28), 1000);
            EXPECT_EQ(Little(file, 32), c.type);
            EXPECT_EQ(file.mid(68, 32), QByteArray(32, '\0'));
        }
        EXPECT_EQ(IndexEntries(shx), c.index);

        const QByteArray dbf = Read(path + ".dbf");
        ASSERT_EQ(dbf.size(), 388);
        EXPECT_EQ(qFromLittleEndian<quint32>(dbf.constData() + 4), 3u);
        EXPECT_EQ(qFromLittleEndian<quint16>(dbf.constData() + 8), 225);
        EXPECT_EQ(qFromLittleEndian<quint16>(dbf.constData() + 10), 54);
        EXPECT_EQ(dbf.at(224), '\x0D');
        EXPECT_EQ(dbf.mid(225, 54), QByteArray("     1 139.7000000  35.6000000  45.020240501"
                                               "10:21:00  "));
        EXPECT_EQ(dbf.mid(279, 54), QByteArray("     2                              20240502"
                                               "10:22:00  "));
        EXPECT_EQ(dbf.back(), '\x1A');
        EXPECT_EQ(Read(path + ".prj").size(), 147);
    }
}

TEST(Shapefile, FileBox)
{
    struct Case
    {
        const char* name;
        std::vector<std::unique_ptr<ShapeBase>> (*shapes)();
        int type;
        std::array<double, 4> box;
    };
    const Case cases[] = {
        {"single point grows by one",
         [] {
             std::vector<std::unique_ptr<ShapeBase>> s;
             s.push_back(std::make_unique<ShapePoint>(139.7, 35.6));
             return s;
         },
         kShapePoint,
         {139.7, 35.6, 140.7, 36.6}},
        {"two points and a trailing null",
         [] {
             std::vector<std::unique_ptr<ShapeBase>> s;
             s.push_back(std::make_unique<ShapePoint>(139.8, 35.7));
             s.push_back(std::make_unique<ShapePoint>(139.7, 35.6));
             s.push_back(std::make_unique<ShapeBase>());
             return s;
         },
         kShapePoint,
         {139.7, 35.6, 139.8, 35.7}},
        {"only nulls",
         [] {
             std::vector<std::unique_ptr<ShapeBase>> s;
             s.push_back(std::make_unique<ShapeBase>());
             s.push_back(std::make_unique<ShapeBase>());
             return s;
         },
         kShapeNull,
         {0, 0, 1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ShapeData source, prepared;
        source.AddField({"ID", 3, 5, 0});
        for (auto& shape : c.shapes())
            source.AddRecord(std::move(shape));
        prepared.PrepareFrom(source);
        const auto files = prepared.BuildShpShx();
        ASSERT_TRUE(files.has_value());
        EXPECT_EQ(Little(files->shp, 32), c.type);
        EXPECT_EQ(HeaderBox(files->shp), c.box);
        EXPECT_EQ(HeaderBox(files->shx), c.box);
    }
}

TEST(Shapefile, DbfCells)
{
    struct Case
    {
        ShapeFieldDef field;
        std::string value;
        std::string cell;  // empty: the value is refused
    };
    const std::string photo = ToCp932(QString::fromUtf8("写真ab")).toStdString();
    // Lead bytes from 0xE0: a kanji of the second level, an extension kanji, a small roman numeral.
    const std::string rare = ToCp932(QString::fromUtf8("騾髙ab")).toStdString();
    const std::string numeral = ToCp932(QString::fromUtf8("aⅰ騾")).toStdString();
    ASSERT_EQ(rare.size(), 6u);
    ASSERT_EQ(numeral.size(), 5u);
    const Case cases[] = {
        {{"ID", 3, 5, 0}, "12", "   12"},
        {{"LON", 2, 12, 7}, "139.1234567", " 139.1234567"},
        {{"ANGLE", 2, 6, 1}, "45", "  45.0"},
        {{"ANGLE", 2, 6, 1}, "-3.25", "  -3.2"},
        {{"ANGLE", 2, 6, 1}, "", "      "},
        {{"N", 3, 3, 0}, "12345", "***"},
        {{"N", 3, 5, 0}, "abc", ""},
        {{"N", 3, 5, 0}, "1,5", ""},
        {{"N", 3, 5, 0}, "nan", ""},
        {{"DATE", 1, 0, 0}, "2024/05/09", "20240509"},
        {{"DATE", 1, 0, 0}, "2024-05", "20240500"},
        {{"DATE", 1, 0, 0}, "", "00000000"},
        {{"TIME", 0, 10, 0}, "10:21:00", "10:21:00  "},
        {{"NAME", 0, 5, 0}, photo, photo.substr(0, 5)},
        // A two-byte character that does not fit is left out whole.
        {{"NAME", 0, 3, 0}, photo, photo.substr(0, 2) + " "},
        {{"NAME", 0, 3, 0}, rare, rare.substr(0, 2) + " "},
        {{"NAME", 0, 4, 0}, numeral, numeral.substr(0, 3) + " "},
        {{"OK", 4, 0, 0}, "true", "t"},
        {{"OK", 4, 0, 0}, "N", "N"},
        {{"OK", 4, 0, 0}, "x", "?"},
        {{"OK", 4, 0, 0}, "", "?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field.name + " " + c.value);
        std::string cell;
        const DbfFieldDescriptor field = DbfFieldDescriptor::From(c.field);
        const bool ok = FormatDbfCell(field, c.value, cell);
        EXPECT_EQ(ok, !c.cell.empty());
        if (ok) {
            EXPECT_EQ(cell, c.cell);
            EXPECT_EQ(cell.size(), field.width);
        }
    }
}

TEST(Shapefile, FieldDescriptors)
{
    ShapeData set;
    set.AddField({"LONGFIELDNAME", 0, 0, 0});
    set.AddField({"RATIO", 3, 30, 25});
    set.AddField({"W", 2, 0, 0});
    EXPECT_EQ(set.fields[0].Bytes(), QByteArray("LONGFIELDN\0C\0\0\0\0\xFE\0", 18) + QByteArray(14, '\0'));
    // A name cut at 10 bytes keeps whole characters: half of one makes the table unreadable.
    ShapeData japanese;
    japanese.AddField({ToCp932(QString::fromUtf8("A撮影日時の")).toStdString(), 0, 4, 0});
    EXPECT_EQ(QByteArray(japanese.fields[0].name.data(), 11),
              ToCp932(QString::fromUtf8("A撮影日時")) + QByteArray(2, '\0'));
    EXPECT_EQ(set.fields[1].width, 20);
    EXPECT_EQ(set.fields[1].decimals, 19);
    EXPECT_EQ(set.fields[2].width, 1);
    for (int i = 3; i < 300; ++i)
        set.AddField({"F" + std::to_string(i), 0, 16, 0});
    EXPECT_EQ(set.fields.size(), 255u);
    // A record length above 4000 bytes cannot be written.
    set.AddRecord(std::make_unique<ShapePoint>(1, 2));
    EXPECT_FALSE(set.BuildDbf(QDate(2024, 5, 9)).has_value());
}

TEST(Shapefile, PreparationDropsLinesThatDrawNothing)
{
    struct Case
    {
        const char* name;
        std::vector<Point2> points;
        std::vector<std::int32_t> parts;
        bool kept;
        std::vector<std::int32_t> partsAfter;
    };
    const Case cases[] = {
        {"one-point part", {{1, 1}}, {0}, false, {}},
        {"identical points", {{1, 1}, {1, 1}, {1, 1}}, {0}, false, {}},
        {"vertical line", {{1, 1}, {1, 2}}, {0}, true, {0}},
        {"empty part between", {{0, 0}, {1, 1}, {2, 2}, {3, 3}}, {0, 2, 2}, true, {0, 2}},
        {"one-point part first", {{5, 5}, {0, 0}, {1, 1}}, {0, 1}, true, {0}},
        {"starts out of order", {{0, 0}, {1, 1}}, {1, 0}, false, {}},
    };
    ShapeData source;
    for (const Case& c : cases) {
        auto line = std::make_unique<ShapePolyLine>();
        line->points = c.points;
        line->parts = c.parts;
        source.AddRecord(std::move(line));
    }
    source.AddRecord(std::make_unique<ShapeBase>());
    ShapeData prepared;
    prepared.PrepareFrom(source);
    std::size_t next = 0;
    for (const Case& c : cases) {
        if (!c.kept)
            continue;
        SCOPED_TRACE(c.name);
        ASSERT_LT(next, prepared.records.size());
        const auto& line = static_cast<const ShapePolyLine&>(*prepared.records[next].shape);
        EXPECT_EQ(line.parts, c.partsAfter);
        EXPECT_EQ(line.partCount, int(c.partsAfter.size()));
        EXPECT_EQ(line.recordNumber, int(next + 1));
        ++next;
    }
    ASSERT_EQ(prepared.records.size(), next + 1);
    EXPECT_EQ(prepared.records.back().shape->GetType(), kShapeNull);
    EXPECT_EQ(prepared.records.back().shape->recordNumber, int(next + 1));
    const auto& oneFirst = static_cast<const ShapePolyLine&>(*prepared.records[2].shape);
    EXPECT_EQ(oneFirst.points, (std::vector<Point2>{{0, 0}, {1, 1}}));
    EXPECT_EQ(oneFirst.xmax, 1);
}

TEST(Shapefile, RecordsAreNumberedInOrder)
{
    ShapeData source;
    for (int number : {3, 0, 1, 9, 2}) {
        auto point = std::make_unique<ShapePoint>(number, 0);
        point->recordNumber = number;
        source.AddRecord(std::move(point));
    }
    ShapeData prepared;
    prepared.PrepareFrom(source);
    std::vector<double> order;
    for (const ShapeRecord& record : prepared.records)
        order.push_back(static_cast<const ShapePoint&>(*record.shape).x);
    EXPECT_EQ(order, (std::vector<double>{1, 2, 3, 0, 9}));
    for (std::size_t i = 0; i < prepared.records.size(); ++i)
        EXPECT_EQ(prepared.records[i].shape->recordNumber, int(i + 1));
}

TEST(Shapefile, NumbersIgnoreTheLocale)
{
    ShapeData source, prepared;
    MakePhotoSet(source, false);
    prepared.PrepareFrom(source);
    const QDate date(2024, 5, 9);
    const QByteArray plain = *prepared.BuildDbf(date);

    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
    const std::optional<QByteArray> underComma = prepared.BuildDbf(date);
    std::setlocale(LC_ALL, previous.c_str());
    ASSERT_TRUE(underComma.has_value());
    EXPECT_EQ(*underComma, plain);
}

TEST(Shapefile, FailedWritesLeaveNoSet)
{
    TempFolder folder;
    ShapeData empty;
    empty.AddField({"ID", 3, 5, 0});
    EXPECT_FALSE(empty.WriteShpShx(folder.file("none")));
    EXPECT_FALSE(empty.WriteSet(folder.file("none")));

    ShapeData source, prepared;
    MakePhotoSet(source, false);
    prepared.PrepareFrom(source);
    EXPECT_FALSE(prepared.WriteSet(folder.file("missing/site_point")));
    EXPECT_FALSE(prepared.WritePrj(folder.file("missing/site_point")));

    // A bad number refuses the whole table before any file of the set is touched.
    ASSERT_TRUE(prepared.WriteSet(folder.file("site_point")));
    const QByteArray oldDbf = Read(folder.file("site_point.dbf"));
    const QByteArray oldShp = Read(folder.file("site_point.shp"));
    prepared.records[0].row[0] = "x1";
    prepared.records[0].shape = std::make_unique<ShapePoint>(1, 1);
    prepared.records[0].shape->recordNumber = 1;
    EXPECT_FALSE(prepared.WriteDbf(folder.file("site_point")));
    EXPECT_FALSE(prepared.WriteSet(folder.file("site_point")));
    EXPECT_EQ(Read(folder.file("site_point.dbf")), oldDbf);
    EXPECT_EQ(Read(folder.file("site_point.shp")), oldShp);

    // Readers refuse a file that mixes shape types: such a set is not written.
    ShapeData mixed;
    mixed.AddRecord(std::make_unique<ShapePoint>(1, 1));
    mixed.AddRecord(Ring(2, 2, 5));
    mixed.records[0].shape->recordNumber = 1;
    mixed.records[1].shape->recordNumber = 2;
    EXPECT_FALSE(mixed.BuildShpShx().has_value());
    EXPECT_FALSE(mixed.WriteShpShx(folder.file("mixed")));

    // The main file's name is taken by a folder: nothing of the set is written.
    ASSERT_TRUE(QDir(folder.path()).mkdir("taken.shp"));
    prepared.records[0].row[0] = "1";
    EXPECT_FALSE(prepared.WriteSet(folder.file("taken")));
    EXPECT_FALSE(prepared.WriteShpShx(folder.file("taken")));

    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"site_point.dbf", "site_point.shp", "site_point.shx"}));
}
