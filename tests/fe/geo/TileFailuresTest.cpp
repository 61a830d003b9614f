#include <gtest/gtest.h>

#include "fe/geo/TileFailures.h"

using namespace fe::geo;
using namespace std::chrono_literals;

namespace {

const TileFailures::Clock::time_point kStart{};

}  // namespace

TEST(TileFailures, ARefusedTileIsNeverFetchedAgainAndOtherTilesAreUntouched)
{
    TileFailures failures;
    const TileIndex refused(12, 3, 4);
    failures.Record(refused, DownloadResult::Refused, kStart);
    for (const auto later : {0s, 60s, 3600s * 24})
        EXPECT_FALSE(failures.MayFetch(refused, kStart + later));
    EXPECT_TRUE(failures.IsRefused(refused));
    EXPECT_TRUE(failures.MayFetch(TileIndex(12, 3, 5), kStart));
    EXPECT_FALSE(failures.TakeRetryDue(kStart + 3600s));  // nothing waits to be retried
}

TEST(TileFailures, PassingFailuresWaitADelayThatDoublesUpToTheLongest)
{
    TileFailures failures;
    failures.SetDelays(1s, 5s);
    const TileIndex key(10, 1, 1);
    // Each failure comes when its tile is fetched again, right at the end of the previous delay.
    const std::chrono::seconds expected[] = {1s, 2s, 4s, 5s, 5s};
    TileFailures::Clock::time_point now = kStart;
    for (const auto delay : expected) {
        failures.Record(key, DownloadResult::Failed, now);
        EXPECT_FALSE(failures.IsRefused(key));
        EXPECT_FALSE(failures.MayFetch(key, now + delay - 1ms)) << delay.count();
        EXPECT_TRUE(failures.MayFetch(key, now + delay)) << delay.count();
        now += delay;
    }
    // A success forgets the run of failures: the next failure waits the first delay again.
    failures.Record(key, DownloadResult::Stored, now);
    EXPECT_TRUE(failures.MayFetch(key, now));
    failures.Record(key, DownloadResult::Failed, now);
    EXPECT_TRUE(failures.MayFetch(key, now + 1s));

    // Aborted transfers and proxy credential requests say nothing about the tile.
    const TileIndex other(10, 2, 2);
    failures.Record(other, DownloadResult::Aborted, now);
    failures.Record(other, DownloadResult::CredentialsNeeded, now);
    EXPECT_TRUE(failures.MayFetch(other, now));
}

TEST(TileFailures, EachRunOutDelayAsksForOneRedraw)
{
    TileFailures failures;
    failures.SetDelays(2s, 60s);
    failures.Record(TileIndex(5, 1, 1), DownloadResult::Failed, kStart);       // due at 2 s
    failures.Record(TileIndex(5, 2, 2), DownloadResult::Failed, kStart + 3s);  // due at 5 s
    struct Case
    {
        std::chrono::milliseconds at;
        bool redraw;
    };
    const Case cases[] = {{1999ms, false}, {2000ms, true}, {2500ms, false},
                          {4999ms, false}, {5000ms, true}, {9000ms, false}};
    for (const Case& c : cases)
        EXPECT_EQ(failures.TakeRetryDue(kStart + c.at), c.redraw) << c.at.count();
}

// A failed tile keeps the placeholder of why it failed until it arrives; those that failed for the
// moment wait their delay whatever the cause.
TEST(TileFailures, EachFailureShowsItsPlaceholderUntilTheTileArrives)
{
    const struct
    {
        const char* what;
        std::optional<DownloadResult> result;  // none: the tile's folder could not be made
        std::optional<TilePlaceholder> shown;
        bool waits;
    } cases[] = {
        {"no connection", DownloadResult::Unreachable, TilePlaceholder::Offline, true},
        {"server error", DownloadResult::Failed, TilePlaceholder::DownloadError, true},
        {"refused", DownloadResult::Refused, TilePlaceholder::DownloadError, false},
        {"no folder", std::nullopt, TilePlaceholder::PathError, true},
        {"aborted", DownloadResult::Aborted, std::nullopt, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TileFailures failures;
        failures.SetDelays(1s, 5s);
        const TileIndex key(10, 1, 1);
        if (c.result)
            failures.Record(key, *c.result, kStart);
        else
            failures.RecordNoFolder(key, kStart);
        EXPECT_EQ(failures.Shown(key), c.shown);
        EXPECT_EQ(failures.TakeRetryDue(kStart + 1s), c.waits);
        failures.Record(key, DownloadResult::Stored, kStart + 2s);
        EXPECT_EQ(failures.Shown(key), std::nullopt);
    }
}
