#include "cover/contributors.h"

#include <gtest/gtest.h>

namespace velora::cover::detail {
namespace {

TEST(ContributorLists, RefusesToGrowPastItsCapacity) {
    ContributorLists lists(2, 3);
    for (int k = 0; k < 3; ++k) {
        lists.append(0, {k, 0.5f});
    }
    EXPECT_THROW(lists.append(0, {9, 1.0f}), ResampleError);
    ASSERT_EQ(lists.list(0).size(), 3u);
    EXPECT_EQ(lists.list(0)[2].pixel, 2);
    lists.append(1, {7, 0.25f});  // the neighbouring list is untouched
    ASSERT_EQ(lists.list(1).size(), 1u);
    EXPECT_EQ(lists.list(1)[0].pixel, 7);
    EXPECT_EQ(lists.list(1)[0].weight, 0.25f);
}

TEST(BuildContributors, MirrorsAtTheEdgesAndKeepsOrder) {
    // Scale 1 with Mitchell: pixel i takes i - 1, i, i + 1 (weights 1/18, 8/9, 1/18);
    // -1 mirrors to 1 and 5 (one past the end) to 4.
    const ContributorLists lists = buildContributors(5, 5, MitchellFilter, 2.0f);
    ASSERT_EQ(lists.listCount(), 5);
    EXPECT_EQ(lists.capacity(), 5);
    const int expected[5][3] = {{1, 0, 1}, {0, 1, 2}, {1, 2, 3}, {2, 3, 4}, {3, 4, 4}};
    for (int i = 0; i < 5; ++i) {
        const auto list = lists.list(i);
        ASSERT_EQ(list.size(), 3u) << i;
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(list[k].pixel, expected[i][k]) << i << ',' << k;
            EXPECT_FLOAT_EQ(list[k].weight, k == 1 ? 8.0f / 9.0f : 1.0f / 18.0f);
        }
    }
}

TEST(BuildContributors, MinifyingWidensAndLowersTheFilterAndMirrorsFarIndices) {
    // 9 -> 5: scale 1/2, so Mitchell reaches four source pixels either side at half its
    // height. The end pixels are centred on source pixels 0 and 8; indices up to three
    // past an edge mirror back (-3 -> 3, 11 -> 6).
    const ContributorLists lists = buildContributors(9, 5, MitchellFilter, 2.0f);
    EXPECT_EQ(lists.capacity(), 9);
    const float weights[7] = {-5.0f / 288, 1.0f / 36, 77.0f / 288, 4.0f / 9,
                              77.0f / 288, 1.0f / 36, -5.0f / 288};
    const struct {
        int list;
        int pixels[7];
    } cases[] = {{0, {3, 2, 1, 0, 1, 2, 3}}, {4, {5, 6, 7, 8, 8, 7, 6}}};
    for (const auto& c : cases) {
        const auto list = lists.list(c.list);
        ASSERT_EQ(list.size(), 7u) << c.list;
        for (int k = 0; k < 7; ++k) {
            EXPECT_EQ(list[k].pixel, c.pixels[k]) << c.list << ',' << k;
            EXPECT_NEAR(list[k].weight, weights[k], 1e-6) << c.list << ',' << k;
        }
    }
}

TEST(AxisScale, LinesUpFirstAndLastCentresAndRefusesAZeroScale) {
    EXPECT_FLOAT_EQ(axisScale(2, 70), 69.0f);
    EXPECT_FLOAT_EQ(axisScale(100, 70), 69.0f / 99.0f);
    EXPECT_FLOAT_EQ(axisScale(1, 4), 4.0f);
    EXPECT_FLOAT_EQ(axisScale(1, 1), 1.0f);
    EXPECT_THROW(axisScale(2, 1), ResampleError);
    EXPECT_THROW(axisScale(5, 0), ResampleError);
    EXPECT_THROW(axisScale(0, 5), ResampleError);
}

// Every catalogue filter over many size pairs, minifying and magnifying: no list reaches
// past its capacity (building would throw), none is empty and every index lies inside
// the source.
TEST(BuildContributors, CapacityHoldsForEveryFilterOverASweepOfSizes) {
    for (const FilterEntry& entry : FilterCatalogue) {
        for (int source = 1; source <= 300; ++source) {
            for (int destination = 1; destination <= 140; ++destination) {
                if (destination == 1 && source > 1) {
                    continue;  // a zero scale, refused on purpose
                }
                const auto where = [&] {
                    return testing::Message()
                           << entry.name << ' ' << source << " -> " << destination;
                };
                try {
                    const ContributorLists lists =
                        buildContributors(source, destination, entry.filter, entry.support);
                    bool sound = true;
                    for (int i = 0; i < destination; ++i) {
                        const auto list = lists.list(i);
                        sound = sound && !list.empty() &&
                                list.size() <= static_cast<std::size_t>(lists.capacity());
                        for (const Contributor& c : list) {
                            sound = sound && c.pixel >= 0 && c.pixel < source;
                        }
                    }
                    ASSERT_TRUE(sound) << where();
                } catch (const ResampleError& e) {
                    FAIL() << where() << ": " << e.what();
                }
            }
        }
    }
}

}  // namespace
}  // namespace velora::cover::detail
