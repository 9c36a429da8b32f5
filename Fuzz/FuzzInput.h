// One input of the DS_Entry fuzz target, as the target reads it and the corpus generator
// writes it: a fixed header, then the bytes the driver leaves in the parameter structure,
// then the bytes of the capability container it answers with. Bytes the input lacks are
// zero; every number is little-endian.
#ifndef TWAINMON_FUZZINPUT_H
#define TWAINMON_FUZZINPUT_H

#include <cstddef>
#include <cstdint>

#include "twain.h"

struct FuzzHeader {
    uint32_t dg;
    uint16_t dat;
    uint16_t msg;
    uint16_t rc;   // what the driver returns
    uint8_t flags; // FuzzFlag bits
    uint8_t state; // the tracked TWAIN state before the call, modulo 8
    // Bytes of the parameter structure that follow. For a DAT without a structure of known
    // size (DatStructureSize, from the analyzer's DAT table) it is also the size of the
    // block pData points to.
    uint16_t dataLength;
    // Size of the block of the container handle a DAT_CAPABILITY answer carries; its bytes
    // follow the structure's.
    uint16_t containerSize;
};
static_assert(sizeof(FuzzHeader) == 16, "the input's header is 16 bytes");

enum FuzzFlag : uint8_t {
    kFuzzNullData = 1,        // pData is null
    kFuzzNullOrigin = 2,      // pOrigin is null
    kFuzzNoContainer = 4,     // the driver leaves hContainer as the structure's bytes say
    kFuzzForeignContainer = 8 // hContainer points at memory that is not a handle
};

#endif // TWAINMON_FUZZINPUT_H
