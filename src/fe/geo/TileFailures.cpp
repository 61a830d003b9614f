#include "fe/geo/TileFailures.h"

#include <algorithm>

namespace fe::geo {

void TileFailures::SetDelays(Clock::duration first, Clock::duration longest)
{
    m_firstDelay = std::max(first, Clock::duration::zero());
    m_longestDelay = std::max(longest, m_firstDelay);
}

void TileFailures::Record(const TileIndex& key, DownloadResult result, Clock::time_point now)
{
    switch (result) {
        case DownloadResult::Stored:
            m_entries.erase(key);
            return;
        case DownloadResult::Aborted:
        case DownloadResult::CredentialsNeeded:
            return;
        case DownloadResult::Refused:
            break;
        case DownloadResult::Failed:
            Wait(key, TilePlaceholder::DownloadError, now);
            return;
        case DownloadResult::Unreachable:
            Wait(key, TilePlaceholder::Offline, now);
            return;
    }
    if (m_entries.size() >= kMaxRemembered && !m_entries.contains(key))
        Clear();
    Entry& entry = m_entries[key];
    entry.refused = true;
    entry.shown = TilePlaceholder::DownloadError;
}

void TileFailures::RecordNoFolder(const TileIndex& key, Clock::time_point now)
{
    Wait(key, TilePlaceholder::PathError, now);
}

void TileFailures::Wait(const TileIndex& key, TilePlaceholder shown, Clock::time_point now)
{
    if (m_entries.size() >= kMaxRemembered && !m_entries.contains(key))
        Clear();
    Entry& entry = m_entries[key];
    entry.shown = shown;
    // The delay doubles from the first one up to the longest, without overflowing on a long run.
    Clock::duration delay = m_firstDelay;
    for (int i = 1; i <= entry.failuresInRow && delay < m_longestDelay; ++i)
        delay *= 2;
    delay = std::min(delay, m_longestDelay);
    ++entry.failuresInRow;
    entry.retryAt = now + delay;
    if (!m_nextRetry || entry.retryAt < *m_nextRetry)
        m_nextRetry = entry.retryAt;
}

std::optional<TilePlaceholder> TileFailures::Shown(const TileIndex& key) const
{
    const auto found = m_entries.find(key);
    if (found == m_entries.end())
        return std::nullopt;
    return found->second.shown;
}

bool TileFailures::IsRefused(const TileIndex& key) const
{
    const auto found = m_entries.find(key);
    return found != m_entries.end() && found->second.refused;
}

bool TileFailures::MayFetch(const TileIndex& key, Clock::time_point now) const
{
    const auto found = m_entries.find(key);
    if (found == m_entries.end())
        return true;
    return !found->second.refused && now >= found->second.retryAt;
}

bool TileFailures::TakeRetryDue(Clock::time_point now)
{
    if (!m_nextRetry || now < *m_nextRetry)
        return false;
    m_nextRetry.reset();
    for (const auto& [key, entry] : m_entries)
        if (!entry.refused && entry.retryAt > now && (!m_nextRetry || entry.retryAt < *m_nextRetry))
            m_nextRetry = entry.retryAt;
    return true;
}

void TileFailures::Clear()
{
    m_entries.clear();
    m_nextRetry.reset();
}

}  // namespace fe::geo
