#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// The fuzzer's bytes as a field's text: read as UTF-8, so that invalid
// sequences, control characters and every plane of Unicode come through.
inline QString fuzzText(const uint8_t* data, size_t size) {
    return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
}

// Stops the run with a finding when a property does not hold.
#define FUZZ_ASSERT(condition)                                                                     \
    do {                                                                                           \
        if (!(condition))                                                                          \
            __builtin_trap();                                                                      \
    } while (false)
