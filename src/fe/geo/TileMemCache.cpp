#include "fe/geo/TileMemCache.h"

namespace fe::geo {

const QImage* TileMemCache::Find(const TileIndex& key) const
{
    for (const int generation : {m_current, 1 - m_current}) {
        const auto found = m_generations[generation].find(key);
        if (found != m_generations[generation].end())
            return &found->second;
    }
    return nullptr;
}

const QImage* TileMemCache::Insert(const TileIndex& key, const QImage& picture)
{
    QImage& stored = m_generations[m_current][key];
    stored = picture;
    return &stored;
}

void TileMemCache::Reset(int capacity)
{
    m_capacity = capacity;
    m_current = 0;
    Clear();
}

void TileMemCache::Clear()
{
    m_generations[0].clear();
    m_generations[1].clear();
}

void TileMemCache::SwapWhenFull()
{
    if (Size(m_current) < m_capacity)
        return;
    m_current = 1 - m_current;
    m_generations[m_current].clear();
}

}  // namespace fe::geo
