#pragma once
// The slider's built-in pictures, used for every image slot the user has not filled.
// Small 16-colour pictures on the olive key colour; each thumb holds its normal state
// on the left half and its pressed state on the right half.

#include <QImage>

namespace velora::ui {

// The default picture of image slot `index` (see TSliderImageIndex):
// horizontal thumb 18 × 17, horizontal ruler 10 × 10, vertical thumb 34 × 9,
// vertical ruler 8 × 10. An index outside 0..3 gives a null image.
QImage defaultSliderImage(int index);

}  // namespace velora::ui
