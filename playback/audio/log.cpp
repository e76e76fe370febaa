#include "audio/log.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace velora::audio {

bool logEnabled() {
    static const bool enabled = [] {
        const char* v = std::getenv("VELORA_AUDIO_LOG");
        return v != nullptr && *v != '\0' && std::strcmp(v, "0") != 0;
    }();
    return enabled;
}

void logLine(const char* format, ...) {
    if (!logEnabled()) {
        return;
    }
    char line[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    std::fprintf(stderr, "velora.audio: %s\n", line);
}

}  // namespace velora::audio
