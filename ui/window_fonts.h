#pragma once

namespace velora::ui {

// Makes the window's font families available: where "Tahoma", "MS Sans Serif" or "Arial"
// is missing, a metric-compatible free font with the Turkish letters takes its place
// (the free Tahoma and MS Sans Serif of the fonts-wine package, Liberation Sans for
// Arial, DejaVu Sans as the last resort). Safe to call more than once; main thread.
void installWindowFonts();

}  // namespace velora::ui
