// Lookup, numbering and sorts of the placed photos of one map.
#include <gtest/gtest.h>

#include "model/PhotoRecord.h"
#include "model/PlacedPhoto.h"

namespace {

PlacedPhoto Entry(int photoId, const QString& numberText = QString(), double x = 0.0)
{
    PlacedPhoto entry;
    entry.photoId = photoId;
    entry.numberText = numberText;
    entry.x = x;
    return entry;
}

std::vector<int> Ids(const PlacedPhotoList& list)
{
    std::vector<int> ids;
    for (const PlacedPhoto& entry : list.entries) {
        ids.push_back(entry.photoId);
    }
    return ids;
}

}  // namespace

TEST(PlacedPhotoList, NewEntryDefaults)
{
    const PlacedPhoto entry;
    EXPECT_EQ(entry.photoId, -1);
    EXPECT_TRUE(IsUnset(entry.x) && IsUnset(entry.y) && IsUnset(entry.direction));
    EXPECT_EQ(entry.frame, Rect2());
    EXPECT_TRUE(entry.workNumber.isEmpty());
}

TEST(PlacedPhotoList, AddRefusesADuplicateAndRemoveTakesTheEntryOut)
{
    PlacedPhotoList list;
    EXPECT_TRUE(list.Add(Entry(3)));
    EXPECT_TRUE(list.Add(Entry(5)));
    EXPECT_FALSE(list.Add(Entry(3, "again")));
    EXPECT_EQ(Ids(list), (std::vector<int>{3, 5}));
    EXPECT_EQ(list.IndexOfPhoto(5), 1);
    EXPECT_EQ(list.IndexOfPhoto(4), -1);
    EXPECT_EQ(list.FindByPhotoId(4), nullptr);
    ASSERT_NE(list.FindByPhotoId(5), nullptr);
    list.Remove(4);
    list.Remove(3);
    EXPECT_EQ(Ids(list), (std::vector<int>{5}));
}

TEST(PlacedPhotoList, NumberTextShowsStarsForAnEmptyNumber)
{
    PlacedPhotoList list;
    list.Add(Entry(1, "P1"));
    list.Add(Entry(2));
    EXPECT_EQ(list.NumberText(0), QStringLiteral("P1"));
    EXPECT_EQ(list.NumberText(1), QStringLiteral("**"));
    EXPECT_EQ(list.NumberText(-1), QString());
    EXPECT_EQ(list.NumberText(2), QString());
}

TEST(PlacedPhotoList, NumberDigitsStripNonDigitsAtBothEnds)
{
    const struct
    {
        const char16_t* text;
        const char16_t* digits;
    } cases[] = {
        {u"No.12a", u"12"}, {u"12", u"12"}, {u"A-3-b", u"3"},     {u"1-2", u"1-2"},
        {u"abc", u"abc"},   {u"", u"**"},   {u"写真５枚", u"５"},
    };
    PlacedPhotoList list;
    for (size_t k = 0; k < std::size(cases); ++k)
        list.Add(Entry(int(k) + 1, QString::fromUtf16(cases[k].text)));
    for (size_t k = 0; k < std::size(cases); ++k)
        EXPECT_EQ(list.NumberDigits(int(k)), QString::fromUtf16(cases[k].digits)) << k;
    EXPECT_EQ(list.NumberDigits(-1), QString());
    EXPECT_EQ(list.NumberDigits(int(std::size(cases))), QString());
}

TEST(PlacedPhotoList, DisplayNumbersCountOnlyTheEntriesTheyNumber)
{
    PlacedPhotoList list;
    list.prefix = "No.";
    list.firstNumber = 5;
    list.Add(Entry(1));
    list.Add(Entry(2));
    list.Add(Entry(3));
    list.entries[1].workNumber = "X";
    list.AssignDisplayNumbers();
    EXPECT_EQ(list.entries[0].workNumber, QStringLiteral("No.5"));
    EXPECT_EQ(list.entries[1].workNumber, QStringLiteral("X"));
    EXPECT_EQ(list.entries[2].workNumber, QStringLiteral("No.6"));

    list.ClearDisplayNumbers();
    for (const PlacedPhoto& entry : list.entries)
        EXPECT_TRUE(entry.workNumber.isEmpty());
}

TEST(PlacedPhotoList, SortsKeepTheOrderOfEqualKeys)
{
    PlacedPhotoList list;
    for (const auto& [id, text, x] :
         {std::tuple{1, "P10", 5.0}, std::tuple{2, "P2", 7.0}, std::tuple{3, "P01", 5.0},
          std::tuple{4, "P1", 9.0}, std::tuple{5, "P2", 7.0}}) {
        list.Add(Entry(id, text, x));
    }
    list.SortByNumberText(true);
    EXPECT_EQ(Ids(list), (std::vector<int>{3, 4, 2, 5, 1}));
    list.SortByNumberText(false);
    EXPECT_EQ(Ids(list), (std::vector<int>{1, 2, 5, 3, 4}));
    list.SortByX();
    EXPECT_EQ(Ids(list), (std::vector<int>{4, 2, 5, 1, 3}));
}

TEST(PlacedPhotoList, ShotTimeSortReadsThePhotosById)
{
    PhotoList photos;
    photos.photos = {PhotoRecord(1), PhotoRecord(2), PhotoRecord(3)};
    photos.photos[0].date = "2022/01/02";
    photos.photos[1].date = "2022/01/01";
    photos.photos[2].date = "2022/01/02";
    PlacedPhotoList list;
    for (const PhotoRecord& photo : photos.photos) {
        list.Add(Entry(photo.id));
    }
    list.SortByShotTime(photos, true);
    EXPECT_EQ(Ids(list), (std::vector<int>{2, 1, 3}));
    list.SortByShotTime(photos, false);
    EXPECT_EQ(Ids(list), (std::vector<int>{1, 3, 2}));
    // The photo list's own order does not matter, and an entry whose photo is gone counts as key 0.
    photos.SortByFileName(false);
    photos.photos.erase(photos.photos.begin());  // photo 3
    list.SortByShotTime(photos, true);
    EXPECT_EQ(Ids(list), (std::vector<int>{3, 2, 1}));
}
