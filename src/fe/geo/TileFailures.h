#pragma once

#include <chrono>
#include <optional>
#include <unordered_map>

#include "fe/geo/TileDownloader.h"
#include "fe/geo/TileIndex.h"
#include "fe/geo/TileTextImage.h"

namespace fe::geo {

// The tiles of one site whose download failed, so that a failed tile is not fetched again at every
// drawing: a tile refused for good (a client error, a body that is no tile picture) is not asked
// for again; a tile that failed for the moment (time-out, server error, cut transfer) waits a delay
// that doubles with each failure in a row before it may be asked for again. A later success
// forgets the tile. Each failed tile keeps the placeholder that says why it is missing: "オフライン"
// when no connection could be made, "パスエラー" when its cache folder could not be made,
// "ダウンロードエラー" otherwise. Not locked: its owner guards it.
class TileFailures
{
public:
    using Clock = std::chrono::steady_clock;

    static constexpr Clock::duration kFirstDelay = std::chrono::seconds(2);
    static constexpr Clock::duration kLongestDelay = std::chrono::minutes(5);
    // More remembered tiles than a session ever fails; past it everything is forgotten at once.
    static constexpr std::size_t kMaxRemembered = 100000;

    // The delay after the first failure in a row and the most a delay grows to.
    void SetDelays(Clock::duration first, Clock::duration longest);

    // Takes the outcome of a download of the key; aborted downloads and proxy credential requests
    // say nothing about the tile and are not kept.
    void Record(const TileIndex& key, DownloadResult result, Clock::time_point now);
    // The tile's cache folder could not be made: it waits like a passing failure.
    void RecordNoFolder(const TileIndex& key, Clock::time_point now);

    // The placeholder of a failed tile; none for a tile that has not failed.
    std::optional<TilePlaceholder> Shown(const TileIndex& key) const;

    bool IsRefused(const TileIndex& key) const;
    // Neither refused nor waiting for its delay.
    bool MayFetch(const TileIndex& key, Clock::time_point now) const;

    // True once when the delay of some waiting tile has run out since the last call, so that the
    // owner redraws and the tile is asked for again if it is still in view.
    bool TakeRetryDue(Clock::time_point now);

    void Clear();

private:
    void Wait(const TileIndex& key, TilePlaceholder shown, Clock::time_point now);

    struct Entry
    {
        bool refused = false;
        int failuresInRow = 0;
        TilePlaceholder shown = TilePlaceholder::DownloadError;
        Clock::time_point retryAt;
    };

    Clock::duration m_firstDelay = kFirstDelay;
    Clock::duration m_longestDelay = kLongestDelay;
    std::unordered_map<TileIndex, Entry, TileIndexHasher> m_entries;
    std::optional<Clock::time_point> m_nextRetry;  // the earliest delay still running
};

}  // namespace fe::geo
