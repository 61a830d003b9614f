// Shot-time keys, date and time parsing and the photo sorts.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "fe/SimpleDate.h"
#include "model/PhotoRecord.h"

TEST(SimpleDateParse, ReadsThreeDigitRunsOrKeepsTheDefaults)
{
    struct Case
    {
        const char* text;
        bool ok;
        int year, month, day;
    };
    const Case cases[] = {
        {"2020/04/01", true, 2020, 4, 1},
        {"2020-4-1", true, 2020, 4, 1},
        {"2020年4月1日", true, 2020, 4, 1},
        {"  2020.12.31 extra", true, 2020, 12, 31},
        {"", false, 0, 1, 1},
        {"abc", false, 0, 1, 1},
        {"2020/04", false, 0, 1, 1},
        // Only calendar dates are dates.
        {"2024:02:29", true, 2024, 2, 29},
        {"9999/12/31", true, 9999, 12, 31},
        {"0000:00:00", false, 0, 1, 1},
        {"0/04/01", false, 0, 1, 1},
        {"2023:02:29", false, 0, 1, 1},
        {"1900/02/29", false, 0, 1, 1},
        {"2020/13/01", false, 0, 1, 1},
        {"2020/04/31", false, 0, 1, 1},
        {"2020/04/00", false, 0, 1, 1},
        {"10000/04/01", false, 0, 1, 1},
    };
    for (const Case& c : cases) {
        fe::SimpleDate date;
        date.year = 1999;
        date.month = 9;
        date.day = 9;
        EXPECT_EQ(date.Parse(QString::fromUtf8(c.text)), c.ok) << c.text;
        EXPECT_EQ(std::make_tuple(date.year, date.month, date.day), std::make_tuple(c.year, c.month, c.day))
            << c.text;
    }
}

TEST(SimpleTimeParse, NeedsAllThreeNumbers)
{
    fe::SimpleTime time;
    EXPECT_TRUE(time.Parse("09:05:07"));
    EXPECT_EQ(std::make_tuple(time.hour, time.minute, time.second), std::make_tuple(9, 5, 7));
    EXPECT_FALSE(time.Parse("12:30"));
    EXPECT_EQ(std::make_tuple(time.hour, time.minute, time.second), std::make_tuple(-1, 0, 0));
}

TEST(PhotoRecordShotTimeKey, DigitsAreYearMonthDayHourMinuteSecond)
{
    struct Case
    {
        const char* date;
        const char* time;
        std::uint64_t key;
    };
    const Case cases[] = {
        {"2020/04/01", "09:05:07", 20200401090507ull},
        {"2020/04/01", "", 20200401999999ull},
        {"", "09:05:07", 90507ull},
        {"", "12:30", 999999ull},
        {"0/04/01", "09:05:07", 90507ull},  // year 0 counts as no date
    };
    for (const Case& c : cases) {
        PhotoRecord photo(1);
        photo.date = QString::fromUtf8(c.date);
        photo.time = QString::fromUtf8(c.time);
        EXPECT_EQ(photo.ShotTimeKey(), c.key) << c.date << " " << c.time;
    }
}

namespace {

PhotoList ListOf(const std::vector<std::pair<int, const char*>>& idsAndTimes)
{
    PhotoList list;
    for (const auto& [id, time] : idsAndTimes) {
        PhotoRecord photo(id);
        photo.date = "2021/05/06";
        photo.time = time;
        list.photos.push_back(photo);
    }
    return list;
}

std::vector<int> Ids(const PhotoList& list)
{
    std::vector<int> ids;
    for (const PhotoRecord& photo : list.photos) {
        ids.push_back(photo.id);
    }
    return ids;
}

}  // namespace

TEST(PhotoListSort, EqualShotTimesKeepTheirOrderBothWays)
{
    PhotoList list = ListOf(
        {{1, "10:00:00"}, {2, "09:00:00"}, {3, "10:00:00"}, {4, "09:00:00"}, {5, ""}, {6, "10:00:00"}});
    list.SortByShotTime(true);
    EXPECT_EQ(Ids(list), (std::vector<int>{2, 4, 1, 3, 6, 5}));
    list.SortByShotTime(false);
    EXPECT_EQ(Ids(list), (std::vector<int>{5, 1, 3, 6, 2, 4}));
}

TEST(PhotoListSort, ByFileNameIsTextOrderOfTheStoredNames)
{
    PhotoList list = ListOf({{12, ""}, {3, ""}, {1000000, ""}, {999999, ""}});
    list.SortByFileName(true);
    // "p1000000.jpg" sorts before "p999999.jpg" as text.
    EXPECT_EQ(Ids(list), (std::vector<int>{3, 12, 1000000, 999999}));
    list.SortByFileName(false);
    EXPECT_EQ(Ids(list), (std::vector<int>{999999, 1000000, 12, 3}));
    EXPECT_EQ(PhotoFileName(12), QStringLiteral("p000012.jpg"));
}

TEST(PhotoListIndex, FirstMatchOrMinusOne)
{
    PhotoList list = ListOf({{4, ""}, {7, ""}});
    EXPECT_EQ(list.IndexOfId(7), 1);
    EXPECT_EQ(list.IndexOfId(5), -1);
    EXPECT_EQ(PhotoList().IndexOfId(1), -1);
}

// The index is built on a first look-up and must never give a stale place, whatever the owners did to
// the photo vector in between.
TEST(PhotoListIndex, FollowsEveryChangeOfThePhotoVector)
{
    struct Case
    {
        const char* change;
        void (*apply)(PhotoList&);
        std::vector<std::pair<int, int>> idAndIndex;  // -1: no such photo
    };
    const Case cases[] = {
        {"nothing", [](PhotoList&) {}, {{1, 0}, {2, 1}, {3, 2}, {9, -1}}},
        {"sorted", [](PhotoList& l) { l.SortByFileName(false); }, {{3, 0}, {2, 1}, {1, 2}}},
        {"appended", [](PhotoList& l) { l.photos.emplace_back(9); }, {{9, 3}, {1, 0}}},
        {"first erased", [](PhotoList& l) { l.photos.erase(l.photos.begin()); }, {{1, -1}, {2, 0}, {3, 1}}},
        {"replaced in place", [](PhotoList& l) { l.photos[1] = PhotoRecord(8); }, {{2, -1}, {8, 1}, {3, 2}}},
        {"erased and appended",
         [](PhotoList& l) {
             l.photos.erase(l.photos.begin() + 1);
             l.photos.emplace_back(5);
         },
         {{2, -1}, {5, 2}, {3, 1}}},
        {"an id twice",
         [](PhotoList& l) { l.photos.insert(l.photos.begin(), PhotoRecord(3)); },
         {{3, 0}, {1, 1}}},
        {"emptied", [](PhotoList& l) { l.Reset(); }, {{1, -1}, {2, -1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.change);
        PhotoList list;
        list.photos = {PhotoRecord(1), PhotoRecord(2), PhotoRecord(3)};
        for (int id : {1, 2, 3, 4}) {
            (void)list.IndexOfId(id);  // build the index before the change
        }
        c.apply(list);
        for (const auto& [id, index] : c.idAndIndex) {
            EXPECT_EQ(list.IndexOfId(id), index) << "id " << id;
            const PhotoRecord* found = list.Find(id);
            EXPECT_EQ(found == nullptr, index < 0);
            if (found != nullptr) {
                EXPECT_EQ(found->id, id);
            }
        }
        // A copy finds the same photos in its own vector.
        const PhotoList copy = list;
        for (const auto& [id, index] : c.idAndIndex) {
            EXPECT_EQ(copy.IndexOfId(id), index);
        }
    }
}

// Readers of one unchanging photo list on several threads (a worker rendering the project beside the
// user-interface thread) look ids up at the same time; a missing id rebuilds the index on every look-up.
TEST(PhotoListIndex, ThreadsReadingOneListFindTheSamePlaces)
{
    PhotoList list;
    for (int id = 1; id <= 400; ++id)
        list.photos.emplace_back(id * 3);
    const PhotoList& shared = list;
    std::atomic<int> wrong{0};
    std::vector<std::thread> readers;
    for (int t = 0; t < 6; ++t) {
        readers.emplace_back([&shared, &wrong, t] {
            for (int k = 0; k < 300; ++k) {
                const int id = ((k * 7 + t * 13) % 400 + 1) * 3;
                if (shared.IndexOfId(id) != id / 3 - 1 || shared.IndexOfId(id + 1) != -1)
                    ++wrong;
            }
        });
    }
    for (std::thread& reader : readers)
        reader.join();
    EXPECT_EQ(wrong.load(), 0);
}

TEST(PhotoRecordShotInfo, ClearKeepsIdSourceNameAndFlags)
{
    PhotoRecord photo(5);
    EXPECT_EQ(photo.flags, 1u);
    EXPECT_FALSE(photo.HasPosition());
    EXPECT_TRUE(IsUnset(photo.direction));
    photo.sourceName = "IMG_0001.JPG";
    photo.position = fe::geo::GeoPoint(135, 35);
    photo.direction = 90;
    photo.date = "2020/01/01";
    photo.time = "10:00:00";
    photo.rotation = 90;
    photo.flags = 3;
    EXPECT_TRUE(photo.HasPosition());
    photo.ClearShotInfo();
    EXPECT_FALSE(photo.HasPosition());
    EXPECT_TRUE(IsUnset(photo.direction));
    EXPECT_TRUE(photo.date.isEmpty());
    EXPECT_TRUE(photo.time.isEmpty());
    EXPECT_EQ(photo.rotation, 0);
    EXPECT_EQ(photo.id, 5);
    EXPECT_EQ(photo.sourceName, QStringLiteral("IMG_0001.JPG"));
    EXPECT_EQ(photo.flags, 3u);
}
