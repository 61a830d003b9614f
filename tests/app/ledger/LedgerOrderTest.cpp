// The ledger's direction sorts, template comments and block numbering.
#include <gtest/gtest.h>

#include "app/ledger/LedgerOrder.h"
#include "model/PhotoRecord.h"
#include "model/PlacedPhoto.h"

using namespace app;

namespace {

// Photos 1 to 5; photo 4 has no position. Entries hold their own picture positions.
struct Fixture
{
    PhotoList photos;
    PlacedPhotoList list;

    Fixture()
    {
        const double lat[] = {35.2, 35.5, 35.1, 0, 35.3};
        const double lon[] = {139.3, 139.1, 139.5, 0, 139.2};
        const double x[] = {30, 10, 50, 20, 10};
        const double y[] = {5, 9, 5, 1, 7};
        for (int id = 1; id <= 5; ++id) {
            PhotoRecord photo(id);
            if (id != 4)
                photo.position = fe::geo::GeoPoint(lon[id - 1], lat[id - 1]);
            photos.photos.push_back(photo);
            PlacedPhoto entry;
            entry.photoId = id;
            entry.x = x[id - 1];
            entry.y = y[id - 1];
            list.entries.push_back(entry);
        }
    }
    std::vector<int> Order() const
    {
        std::vector<int> ids;
        for (const PlacedPhoto& e : list.entries)
            ids.push_back(e.photoId);
        return ids;
    }
};

}  // namespace

TEST(LedgerOrder, DirectionButtonsSortByTheirKeys)
{
    struct Case
    {
        int direction;
        bool web;
        std::vector<int> order;
    } cases[] = {
        {kLedgerDirection1, true, {2, 5, 1, 3, 4}},   // 北: latitude descending, no position last
        {kLedgerDirection2, true, {3, 1, 5, 2, 4}},   // 南: latitude ascending
        {kLedgerDirection3, true, {2, 5, 1, 3, 4}},   // 西: longitude ascending
        {kLedgerDirection4, true, {3, 1, 5, 2, 4}},   // 東: longitude descending
        {kLedgerDirection1, false, {2, 5, 1, 3, 4}},  // 下: y descending
        {kLedgerDirection2, false, {2, 5, 4, 1, 3}},  // 左: x ascending (equal x keep their order)
        {kLedgerDirection3, false, {4, 3, 1, 5, 2}},  // 上: y ascending, x descending among equal y
        {kLedgerDirection4, false, {3, 1, 4, 2, 5}},  // 右: x descending
    };
    for (const Case& c : cases) {
        Fixture f;
        SortLedgerByDirection(f.list, f.photos, c.direction, c.web);
        EXPECT_EQ(f.Order(), c.order) << c.direction << (c.web ? " web" : " picture");
    }
    EXPECT_EQ(LedgerDirectionCaptions(true), QStringList({"北", "南", "西", "東"}));
    EXPECT_EQ(LedgerDirectionCaptions(false), QStringList({"下", "左", "上", "右"}));
}

TEST(LedgerOrder, TemplatesFollowOnANewLine)
{
    EXPECT_EQ(AppendCommentTemplate(QString(), QStringLiteral("護岸")), QStringLiteral("護岸"));
    EXPECT_EQ(AppendCommentTemplate(QStringLiteral("abc"), QStringLiteral("護岸")), QStringLiteral("abc\r\n護岸"));
}

TEST(LedgerOrder, BlockNumberingSkipsNumberedEntries)
{
    Fixture f;
    f.list.prefix = QStringLiteral("No.");
    f.list.firstNumber = 7;
    f.list.entries[2].workNumber = QStringLiteral("X");
    NumberLedgerEntries(f.list, 1, 3);
    EXPECT_TRUE(f.list.entries[0].workNumber.isEmpty());
    EXPECT_EQ(f.list.entries[1].workNumber, QStringLiteral("No.7"));
    EXPECT_EQ(f.list.entries[2].workNumber, QStringLiteral("X"));
    EXPECT_EQ(f.list.entries[3].workNumber, QStringLiteral("No.8"));
    EXPECT_TRUE(f.list.entries[4].workNumber.isEmpty());
}
