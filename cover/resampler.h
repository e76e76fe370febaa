#pragma once
// Filtered scaling of a cover raster: every destination pixel is a weighted sum of the
// source pixels under a reconstruction filter (see filters.h), first along rows, then
// along columns. Plain computation on the caller's thread; no shared state, so calls on
// different rasters may run on different threads at once.

#include <stdexcept>

#include "cover/filters.h"
#include "cover/raster.h"

namespace velora::cover {

class ResampleError : public std::runtime_error {
public:
    using runtime_error::runtime_error;
};

// Scales `source` to the size `destination` has at the call, with `filter` of the given
// `support` (normally an entry of FilterCatalogue). The first and last pixel centres of
// each axis line up. Afterwards `source` is Rgb24 (a grey source is converted in place)
// and `destination` is Rgb24 of its former size. Weights are used as the filter gives
// them (not normalised); sums are clamped to 0..255.
//
// Throws ResampleError, without changing either raster, when the source is less than one
// pixel wide or tall ("Source bitmap too small"), the destination is less than one pixel
// wide or tall, a destination one pixel across is asked of a larger source, the filter is
// null or the support is negative or not finite. A source one pixel tall is refused by
// the vertical pass: by then the source has been converted and the destination holds
// zeros. A source one pixel wide is scaled normally. std::bad_alloc when memory runs out.
void ResampleBitmap(Raster& source, Raster& destination, FilterFunction filter, float support);

}  // namespace velora::cover
