#pragma once
// Pictures for a volume-sized slider in the demo: a 30 × 13 thumb (two 15 × 13
// states) and a 214 × 14 track, both 24-bit.

#include <QImage>

namespace velora::demo {

QImage volumeThumbArtwork();
QImage volumeTrackArtwork();

}  // namespace velora::demo
