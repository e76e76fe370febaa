#pragma once
// Building blocks of ResampleBitmap, exposed for tests: the scale of one axis and the
// lists of source pixels (with weights) that make up each destination pixel along it.

#include <cstdint>
#include <span>
#include <vector>

#include "cover/filters.h"
#include "cover/resampler.h"

namespace velora::cover::detail {

struct Contributor {
    std::int32_t pixel;  // source column or row; always inside the source
    float weight;
};

// One list per destination pixel, all of the same capacity, held in one block that is
// allocated when the lists are made and never grows.
class ContributorLists {
public:
    ContributorLists(int listCount, int capacity);

    int listCount() const { return static_cast<int>(m_sizes.size()); }
    int capacity() const { return m_capacity; }
    // The contributors of list `index` (0 <= index < listCount()), in the order appended.
    std::span<const Contributor> list(int index) const {
        return {m_entries.data() + static_cast<std::size_t>(index) * m_capacity,
                static_cast<std::size_t>(m_sizes[static_cast<std::size_t>(index)])};
    }
    // Throws ResampleError, leaving the list as it was, when list `index` is full.
    void append(int index, Contributor contributor);

private:
    int m_capacity;
    std::vector<Contributor> m_entries;
    std::vector<std::int32_t> m_sizes;
};

// Destination pixels per source pixel along one axis: (destination - 1) / (source - 1),
// or destination / 1 for a source of one pixel. Throws ResampleError when either size
// is below 1 or the scale would be 0 (one destination pixel from a larger source).
float axisScale(int sourceSize, int destinationSize);

// How many contributors a list may hold at this scale: trunc(2 * width + 1), the width
// being the support, widened by 1 / scale when minifying. Throws ResampleError when the
// support is negative or not finite, or the capacity would not fit an int.
int contributorCapacity(float scale, float support);

// The contributor lists of the `destinationSize` pixels of one axis. Indices past an
// edge are mirrored back into the source, then clamped to it. Throws ResampleError for
// the errors of axisScale and contributorCapacity, a null filter, or a list that would
// exceed its capacity.
ContributorLists buildContributors(int sourceSize, int destinationSize, FilterFunction filter,
                                   float support);

}  // namespace velora::cover::detail
