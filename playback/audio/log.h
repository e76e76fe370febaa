#pragma once

// Diagnostics of the engine: quiet by default, written to stderr when the environment
// variable VELORA_AUDIO_LOG is set to a non-empty value other than "0". Any thread except
// the audio callback may log.

namespace velora::audio {

bool logEnabled();
#if defined(__GNUC__)
void logLine(const char* format, ...) __attribute__((format(printf, 1, 2)));
#else
void logLine(const char* format, ...);
#endif

}  // namespace velora::audio
