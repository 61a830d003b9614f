// Pictures are stored once per distinct content, however often they are placed.
#include <gtest/gtest.h>

#include <fstream>

#include "TempFolder.h"
#include "xlsx/Book.h"
#include "xlsx/ZipPackage.h"

namespace xlsx {
namespace {

std::string WriteBytes(const TempFolder& folder, const char* name, const std::string& bytes)
{
    const std::string path = folder.file(name).toStdString();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

TEST(PictureStorage, SamePictureOnceAndLookAlikesApart)
{
    TempFolder folder;
    // Two pictures of one size that agree in their first and last kilobytes and differ only in
    // the middle, as two photos of one camera may: both must be kept.
    std::string first = "\xFF\xD8\xFF\xE0";
    for (int i = 0; first.size() < 40000; ++i)
        first += char('a' + i % 26);
    std::string second = first;
    second[20000] = '#';
    const std::string a = WriteBytes(folder, "a.jpg", first);
    const std::string b = WriteBytes(folder, "b.jpg", second);
    const std::string aAgain = WriteBytes(folder, "a-copy.jpg", first);

    Book book;
    ASSERT_EQ(book.StartCreate(2013), 1);
    ASSERT_EQ(book.PageBegin("写真", "1"), 1);
    ASSERT_EQ(book.Cell("A1"), 1);
    for (const std::string& path : {a, b, a, aAgain})
        ASSERT_EQ(book.DrawingAddImage(path, 0, 0, 0, 0, 40, 30), 1);
    ASSERT_EQ(book.PageEnd(), 1);
    const std::string out = folder.file("pictures.xlsx").toStdString();
    ASSERT_EQ(book.OutFile(out, -1), 1);

    ZipReader zip;
    std::string error;
    ASSERT_TRUE(zip.Open(out, error)) << error;
    std::string stored;
    ASSERT_TRUE(zip.Read("xl/media/image1.jpeg", stored, error)) << error;
    EXPECT_EQ(stored, first);
    ASSERT_TRUE(zip.Read("xl/media/image2.jpeg", stored, error)) << error;
    EXPECT_EQ(stored, second);
    EXPECT_FALSE(zip.Has("xl/media/image3.jpeg"));
}

}  // namespace
}  // namespace xlsx
