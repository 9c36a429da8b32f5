// What every structure and container renderer reads and prints with: a bounded reader over a
// block of known size, and one conversion per value kind as the log prints it.
//
// A renderer reads the application's structures only through CBlock. A block is a pointer and
// the number of bytes that may be read there: the size of the structure for a pData, the
// size of the handle's block for a capability container. No getter touches a byte outside
// the block; a field that is not all there reads as zero and Has() says so. Reads go through
// memcpy, so the alignment of the application's data never matters.
#ifndef TWAINMON_TWDUMP_H
#define TWAINMON_TWDUMP_H

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "twain.h"

class CBlock {
public:
    constexpr CBlock() = default;
    CBlock(const void* base, size_t size)
        : m_base(static_cast<const unsigned char*>(base)), m_size(base != nullptr ? size : 0) {}

    // The block of a structure handed over by pointer: as large as the structure.
    template <typename S>
    static CBlock Of(const S* structure) {
        return CBlock(structure, sizeof(S));
    }

    bool IsNull() const { return m_base == nullptr; }
    size_t Size() const { return m_size; }
    const unsigned char* Base() const { return m_base; }
    // True when the width bytes at offset lie inside the block.
    bool Has(size_t offset, size_t width) const {
        return offset <= m_size && width <= m_size - offset;
    }
    // The part of the block from offset on, at most size bytes (empty past the end).
    CBlock Sub(size_t offset, size_t size) const {
        if (offset >= m_size) {
            return CBlock(nullptr, 0);
        }
        return CBlock(m_base + offset, size < m_size - offset ? size : m_size - offset);
    }

    // Fields by width and signedness; zero when not all there.
    uint8_t U8(size_t offset) const { return Read<uint8_t>(offset); }
    uint16_t U16(size_t offset) const { return Read<uint16_t>(offset); }
    int16_t I16(size_t offset) const { return Read<int16_t>(offset); }
    uint32_t U32(size_t offset) const { return Read<uint32_t>(offset); }
    int32_t I32(size_t offset) const { return Read<int32_t>(offset); }
    uint64_t U64(size_t offset) const { return Read<uint64_t>(offset); }

    // The value kinds of the log, each for the one format that prints it:
    // a 32-bit field for "%lld": widened without sign, 0 to 4294967295 whatever its TWAIN type
    // (a long long, since a long is 32 bits on Windows).
    long long Ld(size_t offset) const { return static_cast<long long>(U32(offset)); }
    // A TW_FIX32 for "%.3f": signed Whole + unsigned Frac / 65536, in double precision.
    double Fix32(size_t offset) const { return I16(offset) + U16(offset + 2) / 65536.0; }
    // A TW_IDENTITY::Id for "%lld", as wide as the layout has it (64 bits macos, 32 linux).
    uint64_t Id(size_t offset) const {
        return sizeof(TW_IDENTITY_ID) == sizeof(uint64_t) ? U64(offset) : U32(offset);
    }
    // A TW_INFO::Item for "%llu", as wide as the layout has it (32 bits macos, 64 linux).
    uint64_t Item(size_t offset) const {
        return sizeof(TW_INFO_ITEM) == sizeof(uint64_t) ? U64(offset) : U32(offset);
    }
    // A 64-bit pointer or handle for "<0x%08x>": its low 32 bits.
    unsigned int Ptr32(size_t offset) const { return static_cast<unsigned int>(U64(offset)); }
    // A 16-bit flag for "[%s]": any set bit is "true".
    const char* Bool(size_t offset) const { return U16(offset) != 0 ? "true" : "false"; }
    // A text field of width bytes for "[%s]": its characters up to the first NUL, never past
    // the field or the block, copied into out (at most outSize - 1 characters) and ended there.
    template <size_t N>
    const char* Str(size_t offset, size_t width, char (&out)[N]) const {
        return Str(offset, width, out, N);
    }
    const char* Str(size_t offset, size_t width, char* out, size_t outSize) const {
        if (out == nullptr || outSize == 0) {
            return "";
        }
        size_t length = 0;
        if (offset < m_size) {
            const size_t room = m_size - offset;
            const size_t limit = width < room ? width : room;
            const void* end = memchr(m_base + offset, '\0', limit);
            length = end != nullptr ? static_cast<size_t>(static_cast<const unsigned char*>(end) -
                                                          (m_base + offset))
                                    : limit;
            if (length > outSize - 1) {
                length = outSize - 1;
            }
            memcpy(out, m_base + offset, length);
        }
        out[length] = '\0';
        return out;
    }

private:
    template <typename T>
    T Read(size_t offset) const {
        T value{};
        if (Has(offset, sizeof value)) {
            memcpy(&value, m_base + offset, sizeof value);
        }
        return value;
    }

    const unsigned char* m_base = nullptr;
    size_t m_size = 0;
};

// The message a TW_EVENT delivered; MSG_NULL when there is no event structure.
inline TW_UINT16 EventMessage(const void* pEvent) {
    return CBlock::Of(static_cast<const TW_EVENT*>(pEvent)).U16(offsetof(TW_EVENT, TWMessage));
}

// Bytes of one item of a TWTY_ type, which is also the stride of a list; 0 above TWTY_STR255.
size_t ItemSize(unsigned short itemType);

#endif // TWAINMON_TWDUMP_H
