// Little-endian byte strings for the capability containers and items the tests build.
#ifndef TWAINMON_TESTS_BYTEBUILDERS_H
#define TWAINMON_TESTS_BYTEBUILDERS_H

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

inline Bytes Le(uint64_t value, size_t width) {
    Bytes bytes;
    for (size_t i = 0; i < width; ++i) {
        bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
    }
    return bytes;
}

inline Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline Bytes U16s(std::initializer_list<uint16_t> values) {
    Bytes bytes;
    for (uint16_t value : values) {
        bytes = bytes + Le(value, 2);
    }
    return bytes;
}

// A TW_FIX32 as it lies in memory.
inline Bytes Fix(int16_t whole, uint16_t frac = 0) {
    return Le(static_cast<uint16_t>(whole) | uint32_t{frac} << 16, 4);
}

// A text in a slot of its own width, NUL-padded.
inline Bytes Text(const std::string& text, size_t slot) {
    Bytes bytes(text.begin(), text.end());
    bytes.resize(slot, 0);
    return bytes;
}

#endif // TWAINMON_TESTS_BYTEBUILDERS_H
