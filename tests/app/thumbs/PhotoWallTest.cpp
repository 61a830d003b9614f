// The thumbnail wall's rules apart from its widgets: ticks, marks, sorting, the title and the photo set.
#include <gtest/gtest.h>

#include "app/thumbs/PhotoWall.h"

using app::PhotoWall;

namespace {

// Photos with ids 1..count, shot one per day, the newest last.
PhotoList Photos(int count)
{
    PhotoList list;
    for (int k = 0; k < count; ++k) {
        PhotoRecord photo(list.nextId++);
        photo.date = QStringLiteral("2024/05/%1").arg(k + 1, 2, 10, QLatin1Char('0'));
        photo.time = QStringLiteral("08:00:00");
        list.photos.push_back(photo);
    }
    return list;
}

std::vector<std::int32_t> Order(const PhotoList& list)
{
    std::vector<std::int32_t> ids;
    for (const PhotoRecord& photo : list.photos)
        ids.push_back(photo.id);
    return ids;
}

using Ids = std::vector<std::int32_t>;

}  // namespace

TEST(PhotoWall, TitleCountsAllTickedAndMarked)
{
    PhotoWall wall(Photos(12));
    EXPECT_EQ(wall.Title(), QStringLiteral("一覧選択 　枚数：全て(12)"));
    wall.SetSelectedIds({2, 5, 9});
    EXPECT_EQ(wall.Title(), QStringLiteral("一覧選択 　枚数：全て(12) / 選択中(3)"));
    wall.Mark(7);
    EXPECT_EQ(wall.Title(), QStringLiteral("一覧選択 　枚数：全て(12) / 選択中(3) / 削除(1)"));
    EXPECT_EQ(wall.Title().at(5), QChar(0x3000));  // an ASCII blank, then an ideographic one
}

TEST(PhotoWall, ClicksTickAndUntick)
{
    struct Case
    {
        const char* what;
        Ids ticked;
        Ids marked;
        std::vector<int> rows;
        bool shift, rubberBand;
        Ids expected;
    };
    const Case cases[] = {
        {"a plain click ticks", {}, {}, {0}, false, false, {1}},
        {"ticks keep the click order", {3}, {}, {0, 1}, false, false, {3, 1, 2}},
        {"a plain click on a ticked photo unticks", {1, 2}, {}, {0}, false, false, {2}},
        {"Shift only adds", {1}, {}, {0, 1, 2}, true, false, {1, 2, 3}},
        {"a rubber band only adds", {2}, {}, {0, 1}, false, true, {2, 1}},
        {"a marked photo is never ticked", {}, {2}, {1}, false, false, {}},
        {"a click on a marked, ticked photo unticks it", {2}, {2}, {1}, false, false, {}},
        {"rows outside the list are passed over", {}, {}, {-1, 12}, false, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PhotoWall wall(Photos(12));
        wall.SetSelectedIds(c.ticked);
        for (std::int32_t id : c.marked)
            wall.Mark(id);
        wall.Click(c.rows, c.shift, c.rubberBand);
        EXPECT_EQ(wall.SelectedIds(), c.expected);
    }
}

TEST(PhotoWall, MarksHideTicksAndSurviveClearing)
{
    PhotoWall wall(Photos(5));
    wall.SetSelectedIds({2});
    wall.Mark(2);
    wall.Mark(4);
    wall.Mark(2);
    EXPECT_EQ(wall.MarkedIds(), Ids({2, 4}));
    EXPECT_TRUE(wall.IsTicked(2));
    EXPECT_FALSE(wall.ShowsTick(2));
    wall.Unmark(2);
    EXPECT_TRUE(wall.ShowsTick(2));

    wall.TickAll();  // Ctrl+A
    EXPECT_EQ(wall.SelectedIds(), Ids({1, 2, 3, 5}));
    wall.ClearTicks();  // 選択全解除
    EXPECT_TRUE(wall.SelectedIds().empty());
    EXPECT_EQ(wall.MarkedIds(), Ids({4}));
}

TEST(PhotoWall, SortButtonsShareOneDirection)
{
    PhotoList photos = Photos(4);
    photos.photos[1].time.clear();  // counts as the day's end
    photos.photos[1].date = photos.photos[0].date;
    PhotoWall wall(photos);
    EXPECT_EQ(wall.ShotTimeButtonText(), QStringLiteral("撮影日時－"));
    EXPECT_EQ(wall.FileNameButtonText(), QStringLiteral("ファイル名－"));

    wall.Sort(PhotoWall::kByShotTime);
    EXPECT_EQ(Order(wall.Photos()), Ids({4, 3, 2, 1}));  // newest first
    EXPECT_EQ(wall.ShotTimeButtonText(), QStringLiteral("撮影日時▼"));
    EXPECT_EQ(wall.FileNameButtonText(), QStringLiteral("ファイル名－"));

    wall.Sort(PhotoWall::kByFileName);
    EXPECT_EQ(Order(wall.Photos()), Ids({1, 2, 3, 4}));
    EXPECT_EQ(wall.FileNameButtonText(), QStringLiteral("ファイル名▲"));
    EXPECT_EQ(wall.ShotTimeButtonText(), QStringLiteral("撮影日時－"));

    wall.Sort(PhotoWall::kByShotTime);
    EXPECT_EQ(wall.ShotTimeButtonText(), QStringLiteral("撮影日時▼"));
    EXPECT_EQ(Order(wall.Photos()), Ids({4, 3, 2, 1}));
}

TEST(PhotoWall, ThePhotoSetFollowsTheOrderWithoutTheMarked)
{
    PhotoWall wall(Photos(5));
    wall.Sort(PhotoWall::kByShotTime);
    wall.Mark(2);
    wall.Mark(5);
    const PhotoList set = wall.PhotoSetList();
    EXPECT_EQ(Order(set), Ids({4, 3, 1}));
    EXPECT_EQ(set.nextId, 6);
    EXPECT_EQ(set.Find(3)->date, QStringLiteral("2024/05/03"));
}

TEST(PhotoWall, CaptionLines)
{
    PhotoRecord photo(7);
    photo.position = fe::geo::GeoPoint(139.7654321, 35.1234567);
    photo.date = QStringLiteral("2024/05/09");
    photo.time = QStringLiteral("10:15:30");
    EXPECT_EQ(PhotoWall::CaptionText(photo, true, true, true),
              QStringLiteral("  35.123457\n 139.765432\n2024/05/09 10:15:30\np000007.jpg"));
    EXPECT_EQ(PhotoWall::CaptionText(photo, false, false, false), QString());
    photo.time.clear();
    photo.position = fe::geo::GeoPoint(kUnset, 35.0);
    EXPECT_EQ(PhotoWall::CaptionText(photo, true, true, false), QStringLiteral("2024/05/09"));
    photo.date.clear();
    EXPECT_EQ(PhotoWall::CaptionText(photo, true, true, false), QString());
}
