#include "cover/contributors.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velora::cover::detail {
namespace {

// Mirrors an index past either edge back into the source (-1 -> 1, size -> size - 1),
// then clamps what is still outside, which happens only for sources narrower than the
// filter (one pixel wide, or heavy minification of a tiny source).
std::int32_t foldIntoSource(std::int64_t index, int size) {
    if (index < 0) {
        index = -index;
    } else if (index >= size) {
        index = 2 * static_cast<std::int64_t>(size) - 1 - index;
    }
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(index, 0, size - 1));
}

}  // namespace

ContributorLists::ContributorLists(int listCount, int capacity)
    : m_capacity(capacity),
      m_entries(static_cast<std::size_t>(listCount) * static_cast<std::size_t>(capacity)),
      m_sizes(static_cast<std::size_t>(listCount), 0) {}

void ContributorLists::append(int index, Contributor contributor) {
    std::int32_t& size = m_sizes[static_cast<std::size_t>(index)];
    if (size >= m_capacity) {
        throw ResampleError("Contributor list full: the filter reaches further than its support");
    }
    m_entries[static_cast<std::size_t>(index) * m_capacity + static_cast<std::size_t>(size)] =
        contributor;
    ++size;
}

float axisScale(int sourceSize, int destinationSize) {
    if (sourceSize < 1) {
        throw ResampleError("Source bitmap too small");
    }
    if (destinationSize < 1) {
        throw ResampleError("Destination bitmap too small");
    }
    if (sourceSize == 1) {
        return static_cast<float>(destinationSize);
    }
    const float scale =
        static_cast<float>(destinationSize - 1) / static_cast<float>(sourceSize - 1);
    if (scale == 0.0f) {
        throw ResampleError(
            "Cannot filter a larger source into one pixel: the filter would be infinitely wide");
    }
    return scale;
}

int contributorCapacity(float scale, float support) {
    if (!std::isfinite(support) || support < 0.0f) {
        throw ResampleError("Filter support must be a finite, non-negative number");
    }
    const float width = scale < 1.0f ? support / scale : support;
    const double capacity = std::trunc(2.0f * width + 1.0f);
    if (!(capacity <= std::numeric_limits<int>::max())) {
        throw ResampleError("Filter too wide for this scale");
    }
    return static_cast<int>(capacity);
}

ContributorLists buildContributors(int sourceSize, int destinationSize, FilterFunction filter,
                                   float support) {
    const float scale = axisScale(sourceSize, destinationSize);
    const int capacity = contributorCapacity(scale, support);
    if (filter == nullptr) {
        throw ResampleError("No filter given");
    }
    // Minifying stretches the filter by 1 / scale (and lowers it by as much) so that it
    // covers every source pixel that falls into one destination pixel.
    const bool minifying = scale < 1.0f;
    const float width = minifying ? support / scale : support;
    const float stretch = minifying ? 1.0f / scale : 1.0f;

    ContributorLists lists(destinationSize, capacity);
    for (int i = 0; i < destinationSize; ++i) {
        const float centre = static_cast<float>(i) / scale;
        const auto first = static_cast<std::int64_t>(std::floor(centre - width));
        const auto last = static_cast<std::int64_t>(std::ceil(centre + width));
        for (std::int64_t j = first; j <= last; ++j) {
            const auto x = static_cast<float>(
                (static_cast<double>(centre) - static_cast<double>(j)) / stretch);
            const float weight = filter(x) / stretch;
            if (weight != 0.0f) {
                lists.append(i, {foldIntoSource(j, sourceSize), weight});
            }
        }
    }
    return lists;
}

}  // namespace velora::cover::detail
