#pragma once

#include <QImage>
#include <unordered_map>

#include "fe/geo/TileIndex.h"

namespace fe::geo {

// Decoded tile pictures in two generations, keyed by tile key (the key's hash spreads the entries;
// the whole key decides identity). Pictures go into the current generation; when it is full at the
// end of a drawing the other generation is dropped and becomes current, so at most two generations
// are held. Used on the user-interface thread only.
class TileMemCache
{
public:
    // The current generation first, then the other; a hit in the other is not moved.
    const QImage* Find(const TileIndex& key) const;
    const QImage* Insert(const TileIndex& key, const QImage& picture);

    // Capacity and current generation set, both generations emptied.
    void Reset(int capacity);
    void Clear();
    // At the end of a drawing: when the current generation holds at least the capacity, the other is
    // emptied and becomes current.
    void SwapWhenFull();

    int Capacity() const { return m_capacity; }
    int CurrentGeneration() const { return m_current; }
    int Size(int generation) const { return static_cast<int>(m_generations[generation & 1].size()); }

private:
    using Generation = std::unordered_map<TileIndex, QImage, TileIndexHasher>;
    int m_capacity = 100;
    int m_current = 0;
    Generation m_generations[2];
};

}  // namespace fe::geo
