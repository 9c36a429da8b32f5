// One input of the DS_Entry fuzz target, as the target reads it and the corpus generator
// writes it: a fixed header, then the bytes the driver leaves in the parameter structure,
// then the bytes of the capability container it answers with. Bytes the input lacks are
// zero; every number is little-endian.
#ifndef TWAINMON_FUZZINPUT_H
#define TWAINMON_FUZZINPUT_H

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "TwainXq.h"
#include "twain.h"

struct FuzzHeader {
    uint32_t dg;
    uint16_t dat;
    uint16_t msg;
    uint16_t rc;   // what the driver returns
    uint8_t flags; // FuzzFlag bits
    uint8_t state; // the tracked TWAIN state before the call, modulo 8
    // Bytes of the parameter structure that follow. For a DAT without a structure of known
    // size it is also the size of the block pData points to.
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

// The vendor's structures, by the names their dumpers use. Where the vendor header declares
// one, its size counts; until then the size of its fields.
struct TWXQ_AUTOEXPOSURE;
struct TWXQ_RGBMATRIX;
struct TWXQ_COLORSMOOTHING;
struct TWXQ_HARDWAREINFO;
struct TWXQ_LOCATIONDATA;
struct TWXQ_USMPARAM;
struct TWXQ_SETTINGFRAME;
struct TWXQ_USMINFO;

template <typename T, typename = void>
struct FuzzIsDefined : std::false_type {};
template <typename T>
struct FuzzIsDefined<T, std::void_t<decltype(sizeof(T))>> : std::true_type {};

template <typename T>
constexpr size_t FuzzSizeOf(size_t fieldsSize) {
    if constexpr (FuzzIsDefined<T>::value) {
        return sizeof(T);
    } else {
        return fieldsSize;
    }
}

// The size of the structure a DAT's pData points to, the application's side of the contract:
// at least this many bytes are there. 0 for a DAT whose data has no fixed structure.
inline size_t FuzzStructureSize(uint16_t dat) {
    switch (dat) {
    case DAT_CAPABILITY:
        return sizeof(TW_CAPABILITY);
    case DAT_EVENT:
        return sizeof(TW_EVENT);
    case DAT_IDENTITY:
        return sizeof(TW_IDENTITY);
    case DAT_PENDINGXFERS:
        return sizeof(TW_PENDINGXFERS);
    case DAT_SETUPMEMXFER:
        return sizeof(TW_SETUPMEMXFER);
    case DAT_SETUPFILEXFER:
        return sizeof(TW_SETUPFILEXFER);
    case DAT_STATUS:
        return sizeof(TW_STATUS);
    case DAT_USERINTERFACE:
        return sizeof(TW_USERINTERFACE);
    case DAT_XFERGROUP:
        return sizeof(TW_UINT32);
    case DAT_CUSTOMDSDATA:
        return sizeof(TW_CUSTOMDSDATA);
    case DAT_IMAGEINFO:
        return sizeof(TW_IMAGEINFO);
    case DAT_IMAGELAYOUT:
        return sizeof(TW_IMAGELAYOUT);
    case DAT_IMAGEMEMXFER:
        return sizeof(TW_IMAGEMEMXFER);
    case DAT_IMAGENATIVEXFER:
        return sizeof(TW_HANDLE);
    case DAT_CIECOLOR:
        return sizeof(TW_CIECOLOR);
    case DAT_GRAYRESPONSE:
        return sizeof(TW_GRAYRESPONSE);
    case DAT_RGBRESPONSE:
        return sizeof(TW_RGBRESPONSE);
    case DAT_JPEGCOMPRESSION:
        return sizeof(TW_JPEGCOMPRESSION);
    case DAT_PALETTE8:
        return sizeof(TW_PALETTE8);
    case DAT_EXTIMAGEINFO:
        return sizeof(TW_EXTIMAGEINFO);
    case DAT_XQ_AUTOEXPOSURE:
        return FuzzSizeOf<TWXQ_AUTOEXPOSURE>(24);
    case DAT_XQ_RGBMATRIX:
        return FuzzSizeOf<TWXQ_RGBMATRIX>(36);
    case DAT_XQ_COLORSMOOTHING:
        return FuzzSizeOf<TWXQ_COLORSMOOTHING>(40);
    case DAT_XQ_HARDWAREINFO:
        // ROMVersion from offset 468 on, as wide as a TW_STR32 until the header says.
        return FuzzSizeOf<TWXQ_HARDWAREINFO>(504);
    case DAT_XQ_SKEWINFO:
        return FuzzSizeOf<TWXQ_LOCATIONDATA>(40);
    case DAT_XQ_UNSHARPMASKPARAM:
        return FuzzSizeOf<TWXQ_USMPARAM>(6);
    case DAT_XQ_SETTINGFRAME:
        return FuzzSizeOf<TWXQ_SETTINGFRAME>(4);
    case DAT_XQ_USMINFO:
        return FuzzSizeOf<TWXQ_USMINFO>(30);
    default:
        return 0;
    }
}

#endif // TWAINMON_FUZZINPUT_H
