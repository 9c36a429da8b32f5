// TWAIN types, structures and constants as this data source exchanges them with the
// Data Source Manager. Two layouts, chosen at build time (TWAINMON_TWAIN_ABI):
//   macos (default): macOS x86-64, natural alignment, a 64-bit TW_IDENTITY::Id, and a
//                    TW_HANDLE that is a Memory Manager handle;
//   linux:           the TWAIN header on Linux x86-64, structures packed to 2 bytes, a 32-bit
//                    TW_IDENTITY::Id, an 8-byte TW_INFO::Item, and a TW_HANDLE that is the
//                    address of its block (the DSM's DSM_MemLock returns it unchanged).
// Both: little-endian, 16-bit TW_BOOL, 32-bit TW_UINT32, 64-bit TW_MEMREF and TW_HANDLE.
// Each structure is defined once; its offsets and size are pinned below for both layouts.
//
// Every constant family is an X-list of (name, value) pairs in the order of its name table,
// so a name is written once: the list declares the constants here and builds the name
// tables in twaintbl.cpp.
#ifndef TWAINMON_TWAIN_H
#define TWAINMON_TWAIN_H

#include <cstddef>
#include <cstdint>

// ---------------------------------------------------------------------------------------
// Basic types
typedef char TW_STR32[34];
typedef char TW_STR64[66];
typedef char TW_STR128[130];
typedef char TW_STR255[256];

typedef int8_t TW_INT8;
typedef int16_t TW_INT16;
typedef int32_t TW_INT32;
typedef uint8_t TW_UINT8;
typedef uint16_t TW_UINT16;
typedef uint32_t TW_UINT32;
typedef uint16_t TW_BOOL;

typedef char** TW_HANDLE; // macos: a Memory Manager Handle; linux: the block's address
typedef void* TW_MEMREF;

#ifndef TWAINMON_TWAIN_ABI_LINUX
#define TWAINMON_TWAIN_ABI_LINUX 0 // the macos layout unless the build chose linux
#endif
#ifndef TWAINMON_TWAIN2
#define TWAINMON_TWAIN2 0 // the TWAIN 2 build (the source's calls logged) when chosen
#endif
#if TWAINMON_TWAIN_ABI_LINUX
#define TWAINMON_TWAIN_ABI_NAME "linux"
typedef TW_UINT32 TW_IDENTITY_ID;
typedef uint64_t TW_INFO_ITEM; // a TW_UINTPTR
typedef TW_UINT32 TW_CALLBACK_REFCON;
#define TW_PACK_BEGIN _Pragma("pack(push, 2)")
#define TW_PACK_END _Pragma("pack(pop)")
#else
#define TWAINMON_TWAIN_ABI_NAME "macos"
typedef uint64_t TW_IDENTITY_ID; // as wide as a TW_MEMREF
typedef TW_UINT32 TW_INFO_ITEM;
typedef TW_MEMREF TW_CALLBACK_REFCON;
#define TW_PACK_BEGIN
#define TW_PACK_END
#endif

// ---------------------------------------------------------------------------------------
// Structures
TW_PACK_BEGIN
struct TW_FIX32 {
    TW_INT16 Whole;
    TW_UINT16 Frac;
};

struct TW_FRAME {
    TW_FIX32 Left;
    TW_FIX32 Top;
    TW_FIX32 Right;
    TW_FIX32 Bottom;
};

struct TW_VERSION {
    TW_UINT16 MajorNum;
    TW_UINT16 MinorNum;
    TW_UINT16 Language;
    TW_UINT16 Country;
    TW_STR32 Info;
};

struct TW_IDENTITY {
    TW_IDENTITY_ID Id;
    TW_VERSION Version;
    TW_UINT16 ProtocolMajor;
    TW_UINT16 ProtocolMinor;
    TW_UINT32 SupportedGroups;
    TW_STR32 Manufacturer;
    TW_STR32 ProductFamily;
    TW_STR32 ProductName;
};

struct TW_CAPABILITY {
    TW_UINT16 Cap;
    TW_UINT16 ConType;
    TW_HANDLE hContainer;
};

// Containers. A value wider than 4 bytes (a frame, a string) lies inline from Item on;
// list items lie back to back from ItemList on.
struct TW_ONEVALUE {
    TW_UINT16 ItemType;
    TW_UINT32 Item;
};

struct TW_ENUMERATION {
    TW_UINT16 ItemType;
    TW_UINT32 NumItems;
    TW_UINT32 CurrentIndex;
    TW_UINT32 DefaultIndex;
    TW_UINT8 ItemList[1];
};

struct TW_ARRAY {
    TW_UINT16 ItemType;
    TW_UINT32 NumItems;
    TW_UINT8 ItemList[1];
};

struct TW_RANGE {
    TW_UINT16 ItemType;
    TW_UINT32 MinValue;
    TW_UINT32 MaxValue;
    TW_UINT32 StepSize;
    TW_UINT32 DefaultValue;
    TW_UINT32 CurrentValue;
};

struct TW_CAPEXT {
    TW_UINT16 Cap;
    TW_UINT16 Properties;
};

struct TW_IMAGEINFO {
    TW_FIX32 XResolution;
    TW_FIX32 YResolution;
    TW_INT32 ImageWidth;
    TW_INT32 ImageLength;
    TW_INT16 SamplesPerPixel;
    TW_INT16 BitsPerSample[8];
    TW_INT16 BitsPerPixel;
    TW_BOOL Planar;
    TW_INT16 PixelType;
    TW_UINT16 Compression;
};

struct TW_IMAGELAYOUT {
    TW_FRAME Frame;
    TW_UINT32 DocumentNumber;
    TW_UINT32 PageNumber;
    TW_UINT32 FrameNumber;
};

struct TW_MEMORY {
    TW_UINT32 Flags;
    TW_UINT32 Length;
    TW_MEMREF TheMem;
};

struct TW_IMAGEMEMXFER {
    TW_UINT16 Compression;
    TW_UINT32 BytesPerRow;
    TW_UINT32 Columns;
    TW_UINT32 Rows;
    TW_UINT32 XOffset;
    TW_UINT32 YOffset;
    TW_UINT32 BytesWritten;
    TW_MEMORY Memory;
};

struct TW_PENDINGXFERS {
    TW_UINT16 Count;
    TW_UINT32 EOJ;
};

struct TW_SETUPMEMXFER {
    TW_UINT32 MinBufSize;
    TW_UINT32 MaxBufSize;
    TW_UINT32 Preferred;
};

struct TW_SETUPFILEXFER {
    TW_STR255 FileName;
    TW_UINT16 Format;
    TW_INT16 VRefNum;
};

struct TW_STATUS {
    TW_UINT16 ConditionCode;
    TW_UINT16 Reserved;
};

struct TW_USERINTERFACE {
    TW_BOOL ShowUI;
    TW_BOOL ModalUI;
    TW_HANDLE hParent;
};

struct TW_EVENT {
    TW_MEMREF pEvent;
    TW_UINT16 TWMessage;
};

struct TW_CUSTOMDSDATA {
    TW_UINT32 InfoLength;
    TW_HANDLE hData;
};

struct TW_ELEMENT8 {
    TW_UINT8 Index;
    TW_UINT8 Channel1;
    TW_UINT8 Channel2;
    TW_UINT8 Channel3;
};

struct TW_PALETTE8 {
    TW_UINT16 NumColors;
    TW_UINT16 PaletteType;
    TW_ELEMENT8 Colors[256];
};

struct TW_INFO {
    TW_UINT16 InfoID;
    TW_UINT16 ItemType;
    TW_UINT16 NumItems;
    TW_UINT16 CondCode;
    TW_INFO_ITEM Item;
};

struct TW_EXTIMAGEINFO {
    TW_UINT32 NumInfos;
    TW_INFO Info[1];
};

// TWAIN 2: the manager's entry points, callbacks, status text and scan metrics.
typedef TW_UINT16 (*DSMENTRYPROC)(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, TW_UINT32 DG,
                                  TW_UINT16 DAT, TW_UINT16 MSG, TW_MEMREF pData);
typedef TW_HANDLE (*DSM_MEMALLOCATE)(TW_UINT32 size);
typedef void (*DSM_MEMFREE)(TW_HANDLE handle);
typedef TW_MEMREF (*DSM_MEMLOCK)(TW_HANDLE handle);
typedef void (*DSM_MEMUNLOCK)(TW_HANDLE handle);

struct TW_ENTRYPOINT {
    TW_UINT32 Size;
    DSMENTRYPROC DSM_Entry;
    DSM_MEMALLOCATE DSM_MemAllocate;
    DSM_MEMFREE DSM_MemFree;
    DSM_MEMLOCK DSM_MemLock;
    DSM_MEMUNLOCK DSM_MemUnlock;
};

struct TW_CALLBACK {
    TW_MEMREF CallBackProc;
    TW_CALLBACK_REFCON RefCon; // macos: a TW_MEMREF; linux: a TW_UINT32
    TW_INT16 Message;
};

struct TW_CALLBACK2 {
    TW_MEMREF CallBackProc;
    uint64_t RefCon; // a TW_UINTPTR
    TW_INT16 Message;
};

struct TW_STATUSUTF8 {
    TW_STATUS Status;
    TW_UINT32 Size;
    TW_HANDLE UTF8string;
};

struct TW_METRICS {
    TW_UINT32 SizeOf;
    TW_UINT32 ImageCount;
    TW_UINT32 SheetCount;
};

struct TW_CIEPOINT {
    TW_FIX32 X;
    TW_FIX32 Y;
    TW_FIX32 Z;
};

struct TW_DECODEFUNCTION {
    TW_FIX32 StartIn;
    TW_FIX32 BreakIn;
    TW_FIX32 EndIn;
    TW_FIX32 StartOut;
    TW_FIX32 BreakOut;
    TW_FIX32 EndOut;
    TW_FIX32 Gamma;
    TW_FIX32 SampleCount;
};

struct TW_TRANSFORMSTAGE {
    TW_DECODEFUNCTION Decode[3];
    TW_FIX32 Mix[3][3];
};

struct TW_CIECOLOR {
    TW_UINT16 ColorSpace;
    TW_INT16 LowEndian;
    TW_INT16 DeviceDependent;
    TW_INT32 VersionNumber;
    TW_TRANSFORMSTAGE StageABC;
    TW_TRANSFORMSTAGE StageLMN;
    TW_CIEPOINT WhitePoint;
    TW_CIEPOINT BlackPoint;
    TW_CIEPOINT WhitePaper;
    TW_CIEPOINT BlackInk;
    TW_FIX32 Samples[1];
};

struct TW_GRAYRESPONSE {
    TW_ELEMENT8 Response[1];
};

struct TW_RGBRESPONSE {
    TW_ELEMENT8 Response[1];
};

struct TW_JPEGCOMPRESSION {
    TW_UINT16 ColorSpace;
    TW_UINT32 SubSampling;
    TW_UINT16 NumComponents;
    TW_UINT16 RestartFrequency;
    TW_UINT16 QuantMap[4];
    TW_MEMORY QuantTable[4];
    TW_UINT16 HuffmanMap[4];
    TW_MEMORY HuffmanDC[2];
    TW_MEMORY HuffmanAC[2];
};
TW_PACK_END

// The layout is an interface with the application and the driver: pin it, for each layout.
// TW_PIN(type, field, offset under macos, offset under linux); TW_SIZE(type, macos, linux).
#if TWAINMON_TWAIN_ABI_LINUX
#define TW_ABI_PICK(macosValue, linuxValue) (linuxValue)
#else
#define TW_ABI_PICK(macosValue, linuxValue) (macosValue)
#endif
#define TW_PIN(type, field, macosOffset, linuxOffset) \
    static_assert(offsetof(type, field) == TW_ABI_PICK(macosOffset, linuxOffset), #type "." #field)
#define TW_SIZE(type, macosSize, linuxSize) \
    static_assert(sizeof(type) == TW_ABI_PICK(macosSize, linuxSize), "sizeof " #type)
TW_PIN(TW_FIX32, Frac, 2, 2);
TW_SIZE(TW_FIX32, 4, 4);
TW_SIZE(TW_FRAME, 16, 16);
TW_PIN(TW_FRAME, Top, 4, 4);
TW_PIN(TW_FRAME, Right, 8, 8);
TW_PIN(TW_FRAME, Bottom, 12, 12);
TW_PIN(TW_VERSION, MinorNum, 2, 2);
TW_PIN(TW_VERSION, Language, 4, 4);
TW_PIN(TW_VERSION, Country, 6, 6);
TW_PIN(TW_VERSION, Info, 8, 8);
TW_SIZE(TW_VERSION, 42, 42);
TW_PIN(TW_IDENTITY, Version, 8, 4);
TW_PIN(TW_IDENTITY, ProtocolMajor, 50, 46);
TW_PIN(TW_IDENTITY, ProtocolMinor, 52, 48);
TW_PIN(TW_IDENTITY, SupportedGroups, 56, 50);
TW_PIN(TW_IDENTITY, Manufacturer, 60, 54);
TW_PIN(TW_IDENTITY, ProductFamily, 94, 88);
TW_PIN(TW_IDENTITY, ProductName, 128, 122);
TW_PIN(TW_CAPABILITY, ConType, 2, 2);
TW_PIN(TW_CAPABILITY, hContainer, 8, 4);
TW_SIZE(TW_CAPABILITY, 16, 12);
TW_PIN(TW_ONEVALUE, Item, 4, 2);
TW_PIN(TW_ENUMERATION, NumItems, 4, 2);
TW_PIN(TW_ENUMERATION, CurrentIndex, 8, 6);
TW_PIN(TW_ENUMERATION, DefaultIndex, 12, 10);
TW_PIN(TW_ENUMERATION, ItemList, 16, 14);
TW_PIN(TW_ARRAY, NumItems, 4, 2);
TW_PIN(TW_ARRAY, ItemList, 8, 6);
TW_PIN(TW_RANGE, MinValue, 4, 2);
TW_PIN(TW_RANGE, MaxValue, 8, 6);
TW_PIN(TW_RANGE, StepSize, 12, 10);
TW_PIN(TW_RANGE, DefaultValue, 16, 14);
TW_PIN(TW_RANGE, CurrentValue, 20, 18);
TW_PIN(TW_CAPEXT, Properties, 2, 2);
TW_SIZE(TW_CAPEXT, 4, 4);
TW_PIN(TW_IMAGEINFO, YResolution, 4, 4);
TW_PIN(TW_IMAGEINFO, ImageWidth, 8, 8);
TW_PIN(TW_IMAGEINFO, ImageLength, 12, 12);
TW_PIN(TW_IMAGEINFO, SamplesPerPixel, 16, 16);
TW_PIN(TW_IMAGEINFO, BitsPerSample, 18, 18);
TW_PIN(TW_IMAGEINFO, BitsPerPixel, 34, 34);
TW_PIN(TW_IMAGEINFO, Planar, 36, 36);
TW_PIN(TW_IMAGEINFO, PixelType, 38, 38);
TW_PIN(TW_IMAGEINFO, Compression, 40, 40);
TW_PIN(TW_IMAGELAYOUT, DocumentNumber, 16, 16);
TW_PIN(TW_IMAGELAYOUT, PageNumber, 20, 20);
TW_PIN(TW_IMAGELAYOUT, FrameNumber, 24, 24);
TW_PIN(TW_MEMORY, Length, 4, 4);
TW_PIN(TW_MEMORY, TheMem, 8, 8);
TW_SIZE(TW_MEMORY, 16, 16);
TW_PIN(TW_IMAGEMEMXFER, BytesPerRow, 4, 2);
TW_PIN(TW_IMAGEMEMXFER, Columns, 8, 6);
TW_PIN(TW_IMAGEMEMXFER, Rows, 12, 10);
TW_PIN(TW_IMAGEMEMXFER, XOffset, 16, 14);
TW_PIN(TW_IMAGEMEMXFER, YOffset, 20, 18);
TW_PIN(TW_IMAGEMEMXFER, BytesWritten, 24, 22);
TW_PIN(TW_IMAGEMEMXFER, Memory, 32, 26);
TW_PIN(TW_PENDINGXFERS, EOJ, 4, 2);
TW_PIN(TW_SETUPMEMXFER, MaxBufSize, 4, 4);
TW_PIN(TW_SETUPMEMXFER, Preferred, 8, 8);
TW_PIN(TW_SETUPFILEXFER, Format, 256, 256);
TW_PIN(TW_SETUPFILEXFER, VRefNum, 258, 258);
TW_PIN(TW_USERINTERFACE, ModalUI, 2, 2);
TW_PIN(TW_USERINTERFACE, hParent, 8, 4);
TW_PIN(TW_EVENT, TWMessage, 8, 8);
TW_PIN(TW_CUSTOMDSDATA, hData, 8, 4);
TW_PIN(TW_PALETTE8, Colors, 4, 4);
TW_SIZE(TW_PALETTE8, 1028, 1028);
TW_SIZE(TW_GRAYRESPONSE, 4, 4);
TW_SIZE(TW_RGBRESPONSE, 4, 4);
TW_PIN(TW_INFO, ItemType, 2, 2);
TW_PIN(TW_INFO, NumItems, 4, 4);
TW_PIN(TW_INFO, CondCode, 6, 6);
TW_PIN(TW_INFO, Item, 8, 8);
TW_SIZE(TW_INFO, 12, 16);
TW_PIN(TW_EXTIMAGEINFO, Info, 4, 4);
TW_PIN(TW_CIEPOINT, Y, 4, 4);
TW_PIN(TW_CIEPOINT, Z, 8, 8);
TW_SIZE(TW_CIEPOINT, 12, 12);
TW_PIN(TW_DECODEFUNCTION, BreakIn, 4, 4);
TW_PIN(TW_DECODEFUNCTION, EndIn, 8, 8);
TW_PIN(TW_DECODEFUNCTION, StartOut, 12, 12);
TW_PIN(TW_DECODEFUNCTION, BreakOut, 16, 16);
TW_PIN(TW_DECODEFUNCTION, EndOut, 20, 20);
TW_PIN(TW_DECODEFUNCTION, Gamma, 24, 24);
TW_PIN(TW_DECODEFUNCTION, SampleCount, 28, 28);
TW_SIZE(TW_DECODEFUNCTION, 32, 32);
TW_PIN(TW_TRANSFORMSTAGE, Mix, 96, 96);
TW_SIZE(TW_TRANSFORMSTAGE, 132, 132);
TW_PIN(TW_CIECOLOR, LowEndian, 2, 2);
TW_PIN(TW_CIECOLOR, DeviceDependent, 4, 4);
TW_PIN(TW_CIECOLOR, VersionNumber, 8, 6);
TW_PIN(TW_CIECOLOR, StageABC, 12, 10);
TW_PIN(TW_CIECOLOR, StageLMN, 144, 142);
TW_PIN(TW_CIECOLOR, WhitePoint, 276, 274);
TW_PIN(TW_CIECOLOR, BlackPoint, 288, 286);
TW_PIN(TW_CIECOLOR, WhitePaper, 300, 298);
TW_PIN(TW_CIECOLOR, BlackInk, 312, 310);
TW_PIN(TW_CIECOLOR, Samples, 324, 322);
TW_PIN(TW_ELEMENT8, Channel1, 1, 1);
TW_PIN(TW_ELEMENT8, Channel2, 2, 2);
TW_PIN(TW_ELEMENT8, Channel3, 3, 3);
TW_SIZE(TW_ELEMENT8, 4, 4);
TW_PIN(TW_JPEGCOMPRESSION, SubSampling, 4, 2);
TW_PIN(TW_JPEGCOMPRESSION, NumComponents, 8, 6);
TW_PIN(TW_JPEGCOMPRESSION, RestartFrequency, 10, 8);
TW_PIN(TW_JPEGCOMPRESSION, QuantMap, 12, 10);
TW_PIN(TW_JPEGCOMPRESSION, QuantTable, 24, 18);
TW_PIN(TW_JPEGCOMPRESSION, HuffmanMap, 88, 82);
TW_PIN(TW_JPEGCOMPRESSION, HuffmanDC, 96, 90);
TW_PIN(TW_JPEGCOMPRESSION, HuffmanAC, 128, 122);
TW_SIZE(TW_JPEGCOMPRESSION, 160, 154);

TW_SIZE(TW_IDENTITY, 168, 156);
TW_SIZE(TW_ONEVALUE, 8, 6);
TW_SIZE(TW_ENUMERATION, 20, 16);
TW_SIZE(TW_ARRAY, 12, 8);
TW_SIZE(TW_RANGE, 24, 22);
TW_SIZE(TW_IMAGEINFO, 44, 42);
TW_SIZE(TW_IMAGELAYOUT, 28, 28);
TW_SIZE(TW_IMAGEMEMXFER, 48, 42);
TW_SIZE(TW_PENDINGXFERS, 8, 6);
TW_SIZE(TW_SETUPMEMXFER, 12, 12);
TW_SIZE(TW_SETUPFILEXFER, 260, 260);
TW_SIZE(TW_STATUS, 4, 4);
TW_SIZE(TW_USERINTERFACE, 16, 12);
TW_SIZE(TW_EVENT, 16, 10);
TW_SIZE(TW_CUSTOMDSDATA, 16, 12);
TW_SIZE(TW_EXTIMAGEINFO, 16, 20);
TW_SIZE(TW_CIECOLOR, 328, 326);
TW_PIN(TW_ENTRYPOINT, DSM_Entry, 8, 4);
TW_PIN(TW_ENTRYPOINT, DSM_MemAllocate, 16, 12);
TW_PIN(TW_ENTRYPOINT, DSM_MemFree, 24, 20);
TW_PIN(TW_ENTRYPOINT, DSM_MemLock, 32, 28);
TW_PIN(TW_ENTRYPOINT, DSM_MemUnlock, 40, 36);
TW_SIZE(TW_ENTRYPOINT, 48, 44);
TW_PIN(TW_CALLBACK, RefCon, 8, 8);
TW_PIN(TW_CALLBACK, Message, 16, 12);
TW_SIZE(TW_CALLBACK, 24, 14);
TW_PIN(TW_CALLBACK2, RefCon, 8, 8);
TW_PIN(TW_CALLBACK2, Message, 16, 16);
TW_SIZE(TW_CALLBACK2, 24, 18);
TW_PIN(TW_STATUSUTF8, Size, 4, 4);
TW_PIN(TW_STATUSUTF8, UTF8string, 8, 8);
TW_SIZE(TW_STATUSUTF8, 16, 16);
TW_PIN(TW_METRICS, ImageCount, 4, 4);
TW_PIN(TW_METRICS, SheetCount, 8, 8);
TW_SIZE(TW_METRICS, 12, 12);

// ---------------------------------------------------------------------------------------
// Constants. TW_DECLARE_<type>(name, value) declares one constant of a list.
#define TW_DECLARE_U16(name, value) inline constexpr TW_UINT16 name = (value);
#define TW_DECLARE_I16(name, value) inline constexpr TW_INT16 name = (value);
#define TW_DECLARE_U32(name, value) inline constexpr TW_UINT32 name = (value);

// Return codes
#define TW_TWRC_LIST(X)         \
    X(TWRC_CUSTOMBASE, 0x8000)  \
    X(TWRC_SUCCESS, 0)          \
    X(TWRC_FAILURE, 1)          \
    X(TWRC_CHECKSTATUS, 2)      \
    X(TWRC_CANCEL, 3)           \
    X(TWRC_DSEVENT, 4)          \
    X(TWRC_NOTDSEVENT, 5)       \
    X(TWRC_XFERDONE, 6)         \
    X(TWRC_ENDOFLIST, 7)        \
    X(TWRC_INFONOTSUPPORTED, 8) \
    X(TWRC_DATANOTAVAILABLE, 9)

// Data groups
#define TW_DG_LIST(X) \
    X(DG_CONTROL, 1)  \
    X(DG_IMAGE, 2)    \
    X(DG_AUDIO, 4)

// Data argument types
#define TW_DAT_LIST(X)             \
    X(DAT_NULL, 0x0000)            \
    X(DAT_CUSTOMBASE, 0x8000)      \
    X(DAT_CAPABILITY, 0x0001)      \
    X(DAT_EVENT, 0x0002)           \
    X(DAT_IDENTITY, 0x0003)        \
    X(DAT_PARENT, 0x0004)          \
    X(DAT_PENDINGXFERS, 0x0005)    \
    X(DAT_SETUPMEMXFER, 0x0006)    \
    X(DAT_SETUPFILEXFER, 0x0007)   \
    X(DAT_STATUS, 0x0008)          \
    X(DAT_USERINTERFACE, 0x0009)   \
    X(DAT_XFERGROUP, 0x000a)       \
    X(DAT_TWUNKIDENTITY, 0x000b)   \
    X(DAT_CUSTOMDSDATA, 0x000c)    \
    X(DAT_DEVICEEVENT, 0x000d)     \
    X(DAT_FILESYSTEM, 0x000e)      \
    X(DAT_PASSTHRU, 0x000f)        \
    X(DAT_IMAGEINFO, 0x0101)       \
    X(DAT_IMAGELAYOUT, 0x0102)     \
    X(DAT_IMAGEMEMXFER, 0x0103)    \
    X(DAT_IMAGENATIVEXFER, 0x0104) \
    X(DAT_IMAGEFILEXFER, 0x0105)   \
    X(DAT_CIECOLOR, 0x0106)        \
    X(DAT_GRAYRESPONSE, 0x0107)    \
    X(DAT_RGBRESPONSE, 0x0108)     \
    X(DAT_JPEGCOMPRESSION, 0x0109) \
    X(DAT_PALETTE8, 0x010a)        \
    X(DAT_EXTIMAGEINFO, 0x010b)    \
    X(DAT_AUDIOFILEXFER, 0x0201)   \
    X(DAT_AUDIOINFO, 0x0202)       \
    X(DAT_AUDIONATIVEXFER, 0x0203) \
    X(DAT_CALLBACK, 0x0010)        \
    X(DAT_SETUPFILEXFER2, 0x0301)

// TWAIN 2's data argument types. Named only in the TWAIN 2 build (TWAINMON_TWAIN2), which
// logs the source's calls to the manager; the default build's tables stay as they are.
#define TW_DAT2_LIST(X)             \
    X(DAT_STATUSUTF8, 0x0011)       \
    X(DAT_CALLBACK2, 0x0012)        \
    X(DAT_METRICS, 0x0013)          \
    X(DAT_TWAINDIRECT, 0x0014)      \
    X(DAT_FILTER, 0x010c)           \
    X(DAT_ICCPROFILE, 0x0401)       \
    X(DAT_IMAGEMEMFILEXFER, 0x0402) \
    X(DAT_ENTRYPOINT, 0x0403)

// TWAIN 2's messages, named as its data argument types are.
#define TW_MSG2_LIST(X)                      \
    X(MSG_GETHELP, 0x0009)                   \
    X(MSG_GETLABEL, 0x000a)                  \
    X(MSG_GETLABELENUM, 0x000b)              \
    X(MSG_SETCONSTRAINT, 0x000c)             \
    X(MSG_STOPFEEDER, 0x0702)                \
    X(MSG_COPY, 0x080a)                      \
    X(MSG_AUTOMATICCAPTUREDIRECTORY, 0x080b) \
    X(MSG_REGISTER_CALLBACK, 0x0902)         \
    X(MSG_INVOKE_CALLBACK, 0x0903)           \
    X(MSG_RESETALL, 0x0a01)                  \
    X(MSG_SETTASK, 0x0b01)

// Messages
#define TW_MSG_LIST(X)             \
    X(MSG_NULL, 0x0000)            \
    X(MSG_CUSTOMBASE, 0x8000)      \
    X(MSG_GET, 0x0001)             \
    X(MSG_GETCURRENT, 0x0002)      \
    X(MSG_GETDEFAULT, 0x0003)      \
    X(MSG_GETFIRST, 0x0004)        \
    X(MSG_GETNEXT, 0x0005)         \
    X(MSG_SET, 0x0006)             \
    X(MSG_RESET, 0x0007)           \
    X(MSG_QUERYSUPPORT, 0x0008)    \
    X(MSG_XFERREADY, 0x0101)       \
    X(MSG_CLOSEDSREQ, 0x0102)      \
    X(MSG_CLOSEDSOK, 0x0103)       \
    X(MSG_DEVICEEVENT, 0x0104)     \
    X(MSG_CHECKSTATUS, 0x0201)     \
    X(MSG_OPENDSM, 0x0301)         \
    X(MSG_CLOSEDSM, 0x0302)        \
    X(MSG_OPENDS, 0x0401)          \
    X(MSG_CLOSEDS, 0x0402)         \
    X(MSG_USERSELECT, 0x0403)      \
    X(MSG_DISABLEDS, 0x0501)       \
    X(MSG_ENABLEDS, 0x0502)        \
    X(MSG_ENABLEDSUIONLY, 0x0503)  \
    X(MSG_PROCESSEVENT, 0x0601)    \
    X(MSG_ENDXFER, 0x0701)         \
    X(MSG_CHANGEDIRECTORY, 0x0801) \
    X(MSG_CREATEDIRECTORY, 0x0802) \
    X(MSG_DELETE, 0x0803)          \
    X(MSG_FORMATMEDIA, 0x0804)     \
    X(MSG_GETCLOSE, 0x0805)        \
    X(MSG_GETFIRSTFILE, 0x0806)    \
    X(MSG_GETINFO, 0x0807)         \
    X(MSG_GETNEXTFILE, 0x0808)     \
    X(MSG_RENAME, 0x0809)          \
    X(MSG_PASSTHRU, 0x0901)

// Item types
#define TW_TWTY_LIST(X) \
    X(TWTY_INT8, 0)     \
    X(TWTY_INT16, 1)    \
    X(TWTY_INT32, 2)    \
    X(TWTY_UINT8, 3)    \
    X(TWTY_UINT16, 4)   \
    X(TWTY_UINT32, 5)   \
    X(TWTY_BOOL, 6)     \
    X(TWTY_FIX32, 7)    \
    X(TWTY_FRAME, 8)    \
    X(TWTY_STR32, 9)    \
    X(TWTY_STR64, 10)   \
    X(TWTY_STR128, 11)  \
    X(TWTY_STR255, 12)

// Container types and the other TWON_ constants
#define TW_TWON_LIST(X)       \
    X(TWON_PROTOCOLMINOR, 9)  \
    X(TWON_PROTOCOLMAJOR, 1)  \
    X(TWON_ARRAY, 3)          \
    X(TWON_ENUMERATION, 4)    \
    X(TWON_ONEVALUE, 5)       \
    X(TWON_RANGE, 6)          \
    X(TWON_ICONID, 962)       \
    X(TWON_DSMID, 461)        \
    X(TWON_DSMCODEID, 63)     \
    X(TWON_DONTCARE8, 255)    \
    X(TWON_DONTCARE16, 65535) \
    X(TWON_DONTCARE32, 4294967295u)

// Condition codes
#define TW_TWCC_LIST(X)         \
    X(TWCC_CUSTOMBASE, 0x8000)  \
    X(TWCC_SUCCESS, 0)          \
    X(TWCC_BUMMER, 1)           \
    X(TWCC_LOWMEMORY, 2)        \
    X(TWCC_NODS, 3)             \
    X(TWCC_MAXCONNECTIONS, 4)   \
    X(TWCC_OPERATIONERROR, 5)   \
    X(TWCC_BADCAP, 6)           \
    X(TWCC_BADPROTOCOL, 9)      \
    X(TWCC_BADVALUE, 10)        \
    X(TWCC_SEQERROR, 11)        \
    X(TWCC_BADDEST, 12)         \
    X(TWCC_CAPUNSUPPORTED, 13)  \
    X(TWCC_CAPBADOPERATION, 14) \
    X(TWCC_CAPSEQERROR, 15)     \
    X(TWCC_DENIED, 16)          \
    X(TWCC_FILEEXISTS, 17)      \
    X(TWCC_FILENOTFOUND, 18)    \
    X(TWCC_NOTEMPTY, 19)        \
    X(TWCC_PAPERJAM, 20)        \
    X(TWCC_PAPERDOUBLEFEED, 21) \
    X(TWCC_FILEWRITEERROR, 22)  \
    X(TWCC_CHECKDEVICEONLINE, 23)

// Capabilities and image capabilities
#define TW_CAP_LIST(X)                    \
    X(CAP_CUSTOMBASE, 0x8000)             \
    X(CAP_XFERCOUNT, 0x0001)              \
    X(CAP_AUTHOR, 0x1000)                 \
    X(CAP_CAPTION, 0x1001)                \
    X(CAP_FEEDERENABLED, 0x1002)          \
    X(CAP_FEEDERLOADED, 0x1003)           \
    X(CAP_TIMEDATE, 0x1004)               \
    X(CAP_SUPPORTEDCAPS, 0x1005)          \
    X(CAP_EXTENDEDCAPS, 0x1006)           \
    X(CAP_AUTOFEED, 0x1007)               \
    X(CAP_CLEARPAGE, 0x1008)              \
    X(CAP_FEEDPAGE, 0x1009)               \
    X(CAP_REWINDPAGE, 0x100a)             \
    X(CAP_INDICATORS, 0x100b)             \
    X(CAP_SUPPORTEDCAPSEXT, 0x100c)       \
    X(CAP_PAPERDETECTABLE, 0x100d)        \
    X(CAP_UICONTROLLABLE, 0x100e)         \
    X(CAP_DEVICEONLINE, 0x100f)           \
    X(CAP_AUTOSCAN, 0x1010)               \
    X(CAP_THUMBNAILSENABLED, 0x1011)      \
    X(CAP_DUPLEX, 0x1012)                 \
    X(CAP_DUPLEXENABLED, 0x1013)          \
    X(CAP_ENABLEDSUIONLY, 0x1014)         \
    X(CAP_CUSTOMDSDATA, 0x1015)           \
    X(CAP_ENDORSER, 0x1016)               \
    X(CAP_JOBCONTROL, 0x1017)             \
    X(CAP_ALARMS, 0x1018)                 \
    X(CAP_ALARMVOLUME, 0x1019)            \
    X(CAP_AUTOMATICCAPTURE, 0x101a)       \
    X(CAP_TIMEBEFOREFIRSTCAPTURE, 0x101b) \
    X(CAP_TIMEBETWEENCAPTURES, 0x101c)    \
    X(CAP_CLEARBUFFERS, 0x101d)           \
    X(CAP_MAXBATCHBUFFERS, 0x101e)        \
    X(CAP_DEVICETIMEDATE, 0x101f)         \
    X(CAP_POWERSUPPLY, 0x1020)            \
    X(CAP_CAMERAPREVIEWUI, 0x1021)        \
    X(CAP_DEVICEEVENT, 0x1022)            \
    X(CAP_SERIALNUMBER, 0x1024)           \
    X(CAP_PRINTER, 0x1026)                \
    X(CAP_PRINTERENABLED, 0x1027)         \
    X(CAP_PRINTERINDEX, 0x1028)           \
    X(CAP_PRINTERMODE, 0x1029)            \
    X(CAP_PRINTERSTRING, 0x102a)          \
    X(CAP_PRINTERSUFFIX, 0x102b)          \
    X(CAP_LANGUAGE, 0x102c)               \
    X(CAP_FEEDERALIGNMENT, 0x102d)        \
    X(CAP_FEEDERORDER, 0x102e)            \
    X(CAP_REACQUIREALLOWED, 0x1030)       \
    X(CAP_BATTERYMINUTES, 0x1032)         \
    X(CAP_BATTERYPERCENTAGE, 0x1033)

#define TW_ICAP_LIST(X)                          \
    X(ICAP_COMPRESSION, 0x0100)                  \
    X(ICAP_PIXELTYPE, 0x0101)                    \
    X(ICAP_UNITS, 0x0102)                        \
    X(ICAP_XFERMECH, 0x0103)                     \
    X(ICAP_AUTOBRIGHT, 0x1100)                   \
    X(ICAP_BRIGHTNESS, 0x1101)                   \
    X(ICAP_CONTRAST, 0x1103)                     \
    X(ICAP_CUSTHALFTONE, 0x1104)                 \
    X(ICAP_EXPOSURETIME, 0x1105)                 \
    X(ICAP_FILTER, 0x1106)                       \
    X(ICAP_FLASHUSED, 0x1107)                    \
    X(ICAP_GAMMA, 0x1108)                        \
    X(ICAP_HALFTONES, 0x1109)                    \
    X(ICAP_HIGHLIGHT, 0x110a)                    \
    X(ICAP_IMAGEFILEFORMAT, 0x110c)              \
    X(ICAP_LAMPSTATE, 0x110d)                    \
    X(ICAP_LIGHTSOURCE, 0x110e)                  \
    X(ICAP_ORIENTATION, 0x1110)                  \
    X(ICAP_PHYSICALWIDTH, 0x1111)                \
    X(ICAP_PHYSICALHEIGHT, 0x1112)               \
    X(ICAP_SHADOW, 0x1113)                       \
    X(ICAP_FRAMES, 0x1114)                       \
    X(ICAP_XNATIVERESOLUTION, 0x1116)            \
    X(ICAP_YNATIVERESOLUTION, 0x1117)            \
    X(ICAP_XRESOLUTION, 0x1118)                  \
    X(ICAP_YRESOLUTION, 0x1119)                  \
    X(ICAP_MAXFRAMES, 0x111a)                    \
    X(ICAP_TILES, 0x111b)                        \
    X(ICAP_BITORDER, 0x111c)                     \
    X(ICAP_CCITTKFACTOR, 0x111d)                 \
    X(ICAP_LIGHTPATH, 0x111e)                    \
    X(ICAP_PIXELFLAVOR, 0x111f)                  \
    X(ICAP_PLANARCHUNKY, 0x1120)                 \
    X(ICAP_ROTATION, 0x1121)                     \
    X(ICAP_SUPPORTEDSIZES, 0x1122)               \
    X(ICAP_THRESHOLD, 0x1123)                    \
    X(ICAP_XSCALING, 0x1124)                     \
    X(ICAP_YSCALING, 0x1125)                     \
    X(ICAP_BITORDERCODES, 0x1126)                \
    X(ICAP_PIXELFLAVORCODES, 0x1127)             \
    X(ICAP_JPEGPIXELTYPE, 0x1128)                \
    X(ICAP_TIMEFILL, 0x112a)                     \
    X(ICAP_BITDEPTH, 0x112b)                     \
    X(ICAP_BITDEPTHREDUCTION, 0x112c)            \
    X(ICAP_UNDEFINEDIMAGESIZE, 0x112d)           \
    X(ICAP_IMAGEDATASET, 0x112e)                 \
    X(ICAP_EXTIMAGEINFO, 0x112f)                 \
    X(ICAP_MINIMUMHEIGHT, 0x1130)                \
    X(ICAP_MINIMUMWIDTH, 0x1131)                 \
    X(ICAP_AUTODISCARDBLANKPAGES, 0x1134)        \
    X(ICAP_FLIPROTATION, 0x1136)                 \
    X(ICAP_BARCODEDETECTIONENABLED, 0x1137)      \
    X(ICAP_SUPPORTEDBARCODETYPES, 0x1138)        \
    X(ICAP_BARCODEMAXSEARCHPRIORITIES, 0x1139)   \
    X(ICAP_BARCODESEARCHPRIORITIES, 0x113a)      \
    X(ICAP_BARCODESEARCHMODE, 0x113b)            \
    X(ICAP_BARCODEMAXRETRIES, 0x113c)            \
    X(ICAP_BARCODETIMEOUT, 0x113d)               \
    X(ICAP_ZOOMFACTOR, 0x113e)                   \
    X(ICAP_PATCHCODEDETECTIONENABLED, 0x113f)    \
    X(ICAP_SUPPORTEDPATCHCODETYPES, 0x1140)      \
    X(ICAP_PATCHCODEMAXSEARCHPRIORITIES, 0x1141) \
    X(ICAP_PATCHCODESEARCHPRIORITIES, 0x1142)    \
    X(ICAP_PATCHCODESEARCHMODE, 0x1143)          \
    X(ICAP_PATCHCODEMAXRETRIES, 0x1144)          \
    X(ICAP_PATCHCODETIMEOUT, 0x1145)             \
    X(ICAP_FLASHUSED2, 0x1146)                   \
    X(ICAP_IMAGEFILTER, 0x1147)                  \
    X(ICAP_NOISEFILTER, 0x1148)                  \
    X(ICAP_OVERSCAN, 0x1149)                     \
    X(ICAP_AUTOMATICBORDERDETECTION, 0x1150)     \
    X(ICAP_AUTOMATICDESKEW, 0x1151)              \
    X(ICAP_AUTOMATICROTATE, 0x1152)              \
    X(ICAP_JPEGQUALITY, 0x1153)                  \
    X(ICAP_AUTOSIZE, 0x1156)                     \
    X(ICAP_IMAGEMERGE, 0x115c)

#define TW_TWSS_LIST(X)     \
    X(TWSS_NONE, 0)         \
    X(TWSS_A4LETTER, 1)     \
    X(TWSS_B5LETTER, 2)     \
    X(TWSS_USLETTER, 3)     \
    X(TWSS_USLEGAL, 4)      \
    X(TWSS_A5, 5)           \
    X(TWSS_B4, 6)           \
    X(TWSS_B6, 7)           \
    X(TWSS_USLEDGER, 9)     \
    X(TWSS_USEXECUTIVE, 10) \
    X(TWSS_A3, 11)          \
    X(TWSS_B3, 12)          \
    X(TWSS_A6, 13)          \
    X(TWSS_C4, 14)          \
    X(TWSS_C5, 15)          \
    X(TWSS_C6, 16)          \
    X(TWSS_4A0, 17)         \
    X(TWSS_2A0, 18)         \
    X(TWSS_A0, 19)          \
    X(TWSS_A1, 20)          \
    X(TWSS_A2, 21)          \
    X(TWSS_A4, 1)           \
    X(TWSS_A7, 22)          \
    X(TWSS_A8, 23)          \
    X(TWSS_A9, 24)          \
    X(TWSS_A10, 25)         \
    X(TWSS_ISOB0, 26)       \
    X(TWSS_ISOB1, 27)       \
    X(TWSS_ISOB2, 28)       \
    X(TWSS_ISOB3, 12)       \
    X(TWSS_ISOB4, 6)        \
    X(TWSS_ISOB5, 29)       \
    X(TWSS_ISOB6, 7)        \
    X(TWSS_ISOB7, 30)       \
    X(TWSS_ISOB8, 31)       \
    X(TWSS_ISOB9, 32)       \
    X(TWSS_ISOB10, 33)      \
    X(TWSS_JISB0, 34)       \
    X(TWSS_JISB1, 35)       \
    X(TWSS_JISB2, 36)       \
    X(TWSS_JISB3, 37)       \
    X(TWSS_JISB4, 38)       \
    X(TWSS_JISB5, 2)        \
    X(TWSS_JISB6, 39)       \
    X(TWSS_JISB7, 40)       \
    X(TWSS_JISB8, 41)       \
    X(TWSS_JISB9, 42)       \
    X(TWSS_JISB10, 43)      \
    X(TWSS_C0, 44)          \
    X(TWSS_C1, 45)          \
    X(TWSS_C2, 46)          \
    X(TWSS_C3, 47)          \
    X(TWSS_C7, 48)          \
    X(TWSS_C8, 49)          \
    X(TWSS_C9, 50)          \
    X(TWSS_C10, 51)         \
    X(TWSS_USSTATEMENT, 52) \
    X(TWSS_BUSINESSCARD, 53)

#define TW_TWLG_LIST(X)              \
    X(TWLG_DAN, 0)                   \
    X(TWLG_DUT, 1)                   \
    X(TWLG_ENG, 2)                   \
    X(TWLG_FCF, 3)                   \
    X(TWLG_FIN, 4)                   \
    X(TWLG_FRN, 5)                   \
    X(TWLG_GER, 6)                   \
    X(TWLG_ICE, 7)                   \
    X(TWLG_ITN, 8)                   \
    X(TWLG_NOR, 9)                   \
    X(TWLG_POR, 10)                  \
    X(TWLG_SPA, 11)                  \
    X(TWLG_SWE, 12)                  \
    X(TWLG_USA, 13)                  \
    X(TWLG_USERLOCALE, -1)           \
    X(TWLG_AFRIKAANS, 14)            \
    X(TWLG_ALBANIA, 15)              \
    X(TWLG_ARABIC, 16)               \
    X(TWLG_ARABIC_ALGERIA, 17)       \
    X(TWLG_ARABIC_BAHRAIN, 18)       \
    X(TWLG_ARABIC_EGYPT, 19)         \
    X(TWLG_ARABIC_IRAQ, 20)          \
    X(TWLG_ARABIC_JORDAN, 21)        \
    X(TWLG_ARABIC_KUWAIT, 22)        \
    X(TWLG_ARABIC_LEBANON, 23)       \
    X(TWLG_ARABIC_LIBYA, 24)         \
    X(TWLG_ARABIC_MOROCCO, 25)       \
    X(TWLG_ARABIC_OMAN, 26)          \
    X(TWLG_ARABIC_QATAR, 27)         \
    X(TWLG_ARABIC_SAUDIARABIA, 28)   \
    X(TWLG_ARABIC_SYRIA, 29)         \
    X(TWLG_ARABIC_TUNISIA, 30)       \
    X(TWLG_ARABIC_UAE, 31)           \
    X(TWLG_ARABIC_YEMEN, 32)         \
    X(TWLG_BASQUE, 33)               \
    X(TWLG_BYELORUSSIAN, 34)         \
    X(TWLG_BULGARIAN, 35)            \
    X(TWLG_CATALAN, 36)              \
    X(TWLG_CHINESE, 37)              \
    X(TWLG_CHINESE_HONGKONG, 38)     \
    X(TWLG_CHINESE_PRC, 39)          \
    X(TWLG_CHINESE_SINGAPORE, 40)    \
    X(TWLG_CHINESE_SIMPLIFIED, 41)   \
    X(TWLG_CHINESE_TAIWAN, 42)       \
    X(TWLG_CHINESE_TRADITIONAL, 43)  \
    X(TWLG_CROATIA, 44)              \
    X(TWLG_CZECH, 45)                \
    X(TWLG_DANISH, 0)                \
    X(TWLG_DUTCH, 1)                 \
    X(TWLG_DUTCH_BELGIAN, 46)        \
    X(TWLG_ENGLISH, 2)               \
    X(TWLG_ENGLISH_AUSTRALIAN, 47)   \
    X(TWLG_ENGLISH_CANADIAN, 48)     \
    X(TWLG_ENGLISH_IRELAND, 49)      \
    X(TWLG_ENGLISH_NEWZEALAND, 50)   \
    X(TWLG_ENGLISH_SOUTHAFRICA, 51)  \
    X(TWLG_ENGLISH_UK, 52)           \
    X(TWLG_ENGLISH_USA, 13)          \
    X(TWLG_ESTONIAN, 53)             \
    X(TWLG_FAEROESE, 54)             \
    X(TWLG_FARSI, 55)                \
    X(TWLG_FINNISH, 4)               \
    X(TWLG_FRENCH, 5)                \
    X(TWLG_FRENCH_BELGIAN, 56)       \
    X(TWLG_FRENCH_CANADIAN, 3)       \
    X(TWLG_FRENCH_LUXEMBOURG, 57)    \
    X(TWLG_FRENCH_SWISS, 58)         \
    X(TWLG_GERMAN, 6)                \
    X(TWLG_GERMAN_AUSTRIAN, 59)      \
    X(TWLG_GERMAN_LUXEMBOURG, 60)    \
    X(TWLG_GERMAN_LIECHTENSTEIN, 61) \
    X(TWLG_GERMAN_SWISS, 62)         \
    X(TWLG_GREEK, 63)                \
    X(TWLG_HEBREW, 64)               \
    X(TWLG_HUNGARIAN, 65)            \
    X(TWLG_ICELANDIC, 7)             \
    X(TWLG_INDONESIAN, 66)           \
    X(TWLG_ITALIAN, 8)               \
    X(TWLG_ITALIAN_SWISS, 67)        \
    X(TWLG_JAPANESE, 68)             \
    X(TWLG_KOREAN, 69)               \
    X(TWLG_KOREAN_JOHAB, 70)         \
    X(TWLG_LATVIAN, 71)              \
    X(TWLG_LITHUANIAN, 72)           \
    X(TWLG_NORWEGIAN, 9)             \
    X(TWLG_NORWEGIAN_BOKMAL, 73)     \
    X(TWLG_NORWEGIAN_NYNORSK, 74)    \
    X(TWLG_POLISH, 75)               \
    X(TWLG_PORTUGUESE, 10)           \
    X(TWLG_PORTUGUESE_BRAZIL, 76)    \
    X(TWLG_ROMANIAN, 77)             \
    X(TWLG_RUSSIAN, 78)              \
    X(TWLG_SERBIAN_LATIN, 79)        \
    X(TWLG_SLOVAK, 80)               \
    X(TWLG_SLOVENIAN, 81)            \
    X(TWLG_SPANISH, 11)              \
    X(TWLG_SPANISH_MEXICAN, 82)      \
    X(TWLG_SPANISH_MODERN, 83)       \
    X(TWLG_SWEDISH, 12)              \
    X(TWLG_THAI, 84)                 \
    X(TWLG_TURKISH, 85)              \
    X(TWLG_UKRANIAN, 86)             \
    X(TWLG_ASSAMESE, 87)             \
    X(TWLG_BENGALI, 88)              \
    X(TWLG_BIHARI, 89)               \
    X(TWLG_BODO, 90)                 \
    X(TWLG_DOGRI, 91)                \
    X(TWLG_GUJARATI, 92)             \
    X(TWLG_HARYANVI, 93)             \
    X(TWLG_HINDI, 94)                \
    X(TWLG_KANNADA, 95)              \
    X(TWLG_KASHMIRI, 96)             \
    X(TWLG_MALAYALAM, 97)            \
    X(TWLG_MARATHI, 98)              \
    X(TWLG_MARWARI, 99)              \
    X(TWLG_MEGHALAYAN, 100)          \
    X(TWLG_MIZO, 101)                \
    X(TWLG_NAGA, 102)                \
    X(TWLG_ORISSI, 103)              \
    X(TWLG_PUNJABI, 104)             \
    X(TWLG_PUSHTU, 105)              \
    X(TWLG_SERBIAN_CYRILLIC, 106)    \
    X(TWLG_SIKKIMI, 107)             \
    X(TWLG_SWEDISH_FINLAND, 108)     \
    X(TWLG_TAMIL, 109)               \
    X(TWLG_TELUGU, 110)              \
    X(TWLG_TRIPURI, 111)             \
    X(TWLG_URDU, 112)                \
    X(TWLG_VIETNAMESE, 113)

#define TW_TWCY_LIST(X)         \
    X(TWCY_AFGHANISTAN, 1001)   \
    X(TWCY_ALGERIA, 213)        \
    X(TWCY_AMERICANSAMOA, 684)  \
    X(TWCY_ANDORRA, 27)         \
    X(TWCY_ANGOLA, 1002)        \
    X(TWCY_ANGUILLA, 8090)      \
    X(TWCY_ANTIGUA, 8091)       \
    X(TWCY_ARGENTINA, 54)       \
    X(TWCY_ARUBA, 297)          \
    X(TWCY_ASCENSIONI, 247)     \
    X(TWCY_AUSTRALIA, 61)       \
    X(TWCY_AUSTRIA, 43)         \
    X(TWCY_BAHAMAS, 8092)       \
    X(TWCY_BAHRAIN, 973)        \
    X(TWCY_BANGLADESH, 880)     \
    X(TWCY_BARBADOS, 8093)      \
    X(TWCY_BELGIUM, 32)         \
    X(TWCY_BELIZE, 501)         \
    X(TWCY_BENIN, 229)          \
    X(TWCY_BERMUDA, 8094)       \
    X(TWCY_BHUTAN, 1003)        \
    X(TWCY_BOLIVIA, 591)        \
    X(TWCY_BOTSWANA, 267)       \
    X(TWCY_BRITAIN, 6)          \
    X(TWCY_BRITVIRGINIS, 8095)  \
    X(TWCY_BRAZIL, 55)          \
    X(TWCY_BRUNEI, 673)         \
    X(TWCY_BULGARIA, 359)       \
    X(TWCY_BURKINAFASO, 1004)   \
    X(TWCY_BURMA, 1005)         \
    X(TWCY_BURUNDI, 1006)       \
    X(TWCY_CAMAROON, 237)       \
    X(TWCY_CANADA, 2)           \
    X(TWCY_CAPEVERDEIS, 238)    \
    X(TWCY_CAYMANIS, 8096)      \
    X(TWCY_CENTRALAFREP, 1007)  \
    X(TWCY_CHAD, 1008)          \
    X(TWCY_CHILE, 56)           \
    X(TWCY_CHINA, 86)           \
    X(TWCY_CHRISTMASIS, 1009)   \
    X(TWCY_COCOSIS, 1009)       \
    X(TWCY_COLOMBIA, 57)        \
    X(TWCY_COMOROS, 1010)       \
    X(TWCY_CONGO, 1011)         \
    X(TWCY_COOKIS, 1012)        \
    X(TWCY_COSTARICA, 506)      \
    X(TWCY_CUBA, 5)             \
    X(TWCY_CYPRUS, 357)         \
    X(TWCY_CZECHOSLOVAKIA, 42)  \
    X(TWCY_DENMARK, 45)         \
    X(TWCY_DJIBOUTI, 1013)      \
    X(TWCY_DOMINICA, 8097)      \
    X(TWCY_DOMINCANREP, 8098)   \
    X(TWCY_EASTERIS, 1014)      \
    X(TWCY_ECUADOR, 593)        \
    X(TWCY_EGYPT, 20)           \
    X(TWCY_ELSALVADOR, 503)     \
    X(TWCY_EQGUINEA, 1015)      \
    X(TWCY_ETHIOPIA, 251)       \
    X(TWCY_FALKLANDIS, 1016)    \
    X(TWCY_FAEROEIS, 298)       \
    X(TWCY_FIJIISLANDS, 679)    \
    X(TWCY_FINLAND, 358)        \
    X(TWCY_FRANCE, 33)          \
    X(TWCY_FRANTILLES, 596)     \
    X(TWCY_FRGUIANA, 594)       \
    X(TWCY_FRPOLYNEISA, 689)    \
    X(TWCY_FUTANAIS, 1043)      \
    X(TWCY_GABON, 241)          \
    X(TWCY_GAMBIA, 220)         \
    X(TWCY_GERMANY, 49)         \
    X(TWCY_GHANA, 233)          \
    X(TWCY_GIBRALTER, 350)      \
    X(TWCY_GREECE, 30)          \
    X(TWCY_GREENLAND, 299)      \
    X(TWCY_GRENADA, 8099)       \
    X(TWCY_GRENEDINES, 8015)    \
    X(TWCY_GUADELOUPE, 590)     \
    X(TWCY_GUAM, 671)           \
    X(TWCY_GUANTANAMOBAY, 5399) \
    X(TWCY_GUATEMALA, 502)      \
    X(TWCY_GUINEA, 224)         \
    X(TWCY_GUINEABISSAU, 1017)  \
    X(TWCY_GUYANA, 592)         \
    X(TWCY_HAITI, 509)          \
    X(TWCY_HONDURAS, 504)       \
    X(TWCY_HONGKONG, 852)       \
    X(TWCY_HUNGARY, 36)         \
    X(TWCY_ICELAND, 354)        \
    X(TWCY_INDIA, 91)           \
    X(TWCY_INDONESIA, 62)       \
    X(TWCY_IRAN, 98)            \
    X(TWCY_IRAQ, 964)           \
    X(TWCY_IRELAND, 353)        \
    X(TWCY_ISRAEL, 972)         \
    X(TWCY_ITALY, 39)           \
    X(TWCY_IVORYCOAST, 225)     \
    X(TWCY_JAMAICA, 8010)       \
    X(TWCY_JAPAN, 81)           \
    X(TWCY_JORDAN, 962)         \
    X(TWCY_KENYA, 254)          \
    X(TWCY_KIRIBATI, 1018)      \
    X(TWCY_KOREA, 82)           \
    X(TWCY_KUWAIT, 965)         \
    X(TWCY_LAOS, 1019)          \
    X(TWCY_LEBANON, 1020)       \
    X(TWCY_LIBERIA, 231)        \
    X(TWCY_LIBYA, 218)          \
    X(TWCY_LIECHTENSTEIN, 41)   \
    X(TWCY_LUXENBOURG, 352)     \
    X(TWCY_MACAO, 853)          \
    X(TWCY_MADAGASCAR, 1021)    \
    X(TWCY_MALAWI, 265)         \
    X(TWCY_MALAYSIA, 60)        \
    X(TWCY_MALDIVES, 960)       \
    X(TWCY_MALI, 1022)          \
    X(TWCY_MALTA, 356)          \
    X(TWCY_MARSHALLIS, 692)     \
    X(TWCY_MAURITANIA, 1023)    \
    X(TWCY_MAURITIUS, 230)      \
    X(TWCY_MEXICO, 3)           \
    X(TWCY_MICRONESIA, 691)     \
    X(TWCY_MIQUELON, 508)       \
    X(TWCY_MONACO, 33)          \
    X(TWCY_MONGOLIA, 1024)      \
    X(TWCY_MONTSERRAT, 8011)    \
    X(TWCY_MOROCCO, 212)        \
    X(TWCY_MOZAMBIQUE, 1025)    \
    X(TWCY_NAMIBIA, 264)        \
    X(TWCY_NAURU, 1026)         \
    X(TWCY_NEPAL, 977)          \
    X(TWCY_NETHERLANDS, 31)     \
    X(TWCY_NETHANTILLES, 599)   \
    X(TWCY_NEVIS, 8012)         \
    X(TWCY_NEWCALEDONIA, 687)   \
    X(TWCY_NEWZEALAND, 64)      \
    X(TWCY_NICARAGUA, 505)      \
    X(TWCY_NIGER, 227)          \
    X(TWCY_NIGERIA, 234)        \
    X(TWCY_NIUE, 1027)          \
    X(TWCY_NORFOLKI, 1028)      \
    X(TWCY_NORWAY, 47)          \
    X(TWCY_OMAN, 968)           \
    X(TWCY_PAKISTAN, 92)        \
    X(TWCY_PALAU, 1029)         \
    X(TWCY_PANAMA, 507)         \
    X(TWCY_PARAGUAY, 595)       \
    X(TWCY_PERU, 51)            \
    X(TWCY_PHILLIPPINES, 63)    \
    X(TWCY_PITCAIRNIS, 1030)    \
    X(TWCY_PNEWGUINEA, 675)     \
    X(TWCY_POLAND, 48)          \
    X(TWCY_PORTUGAL, 351)       \
    X(TWCY_QATAR, 974)          \
    X(TWCY_REUNIONI, 1031)      \
    X(TWCY_ROMANIA, 40)         \
    X(TWCY_RWANDA, 250)         \
    X(TWCY_SAIPAN, 670)         \
    X(TWCY_SANMARINO, 39)       \
    X(TWCY_SAOTOME, 1033)       \
    X(TWCY_SAUDIARABIA, 966)    \
    X(TWCY_SENEGAL, 221)        \
    X(TWCY_SEYCHELLESIS, 1034)  \
    X(TWCY_SIERRALEONE, 1035)   \
    X(TWCY_SINGAPORE, 65)       \
    X(TWCY_SOLOMONIS, 1036)     \
    X(TWCY_SOMALI, 1037)        \
    X(TWCY_SOUTHAFRICA, 27)     \
    X(TWCY_SPAIN, 34)           \
    X(TWCY_SRILANKA, 94)        \
    X(TWCY_STHELENA, 1032)      \
    X(TWCY_STKITTS, 8013)       \
    X(TWCY_STLUCIA, 8014)       \
    X(TWCY_STPIERRE, 508)       \
    X(TWCY_STVINCENT, 8015)     \
    X(TWCY_SUDAN, 1038)         \
    X(TWCY_SURINAME, 597)       \
    X(TWCY_SWAZILAND, 268)      \
    X(TWCY_SWEDEN, 46)          \
    X(TWCY_SWITZERLAND, 41)     \
    X(TWCY_SYRIA, 1039)         \
    X(TWCY_TAIWAN, 886)         \
    X(TWCY_TANZANIA, 255)       \
    X(TWCY_THAILAND, 66)        \
    X(TWCY_TOBAGO, 8016)        \
    X(TWCY_TOGO, 228)           \
    X(TWCY_TONGAIS, 676)        \
    X(TWCY_TRINIDAD, 8016)      \
    X(TWCY_TUNISIA, 216)        \
    X(TWCY_TURKEY, 90)          \
    X(TWCY_TURKSCAICOS, 8017)   \
    X(TWCY_TUVALU, 1040)        \
    X(TWCY_UGANDA, 256)         \
    X(TWCY_USSR, 7)             \
    X(TWCY_UAEMIRATES, 971)     \
    X(TWCY_UNITEDKINGDOM, 44)   \
    X(TWCY_USA, 1)              \
    X(TWCY_URUGUAY, 598)        \
    X(TWCY_VANUATU, 1041)       \
    X(TWCY_VATICANCITY, 39)     \
    X(TWCY_VENEZUELA, 58)       \
    X(TWCY_WAKE, 1042)          \
    X(TWCY_WALLISIS, 1043)      \
    X(TWCY_WESTERNSAHARA, 1044) \
    X(TWCY_WESTERNSAMOA, 1045)  \
    X(TWCY_YEMEN, 1046)         \
    X(TWCY_YUGOSLAVIA, 38)      \
    X(TWCY_ZAIRE, 243)          \
    X(TWCY_ZAMBIA, 260)         \
    X(TWCY_ZIMBABWE, 263)       \
    X(TWCY_ALBANIA, 355)        \
    X(TWCY_ARMENIA, 374)        \
    X(TWCY_AZERBAIJAN, 994)     \
    X(TWCY_BELARUS, 375)        \
    X(TWCY_BOSNIAHERZGO, 387)   \
    X(TWCY_CAMBODIA, 855)       \
    X(TWCY_CROATIA, 385)        \
    X(TWCY_CZECHREPUBLIC, 420)  \
    X(TWCY_DIEGOGARCIA, 246)    \
    X(TWCY_ERITREA, 291)        \
    X(TWCY_ESTONIA, 372)        \
    X(TWCY_GEORGIA, 995)        \
    X(TWCY_LATVIA, 371)         \
    X(TWCY_LESOTHO, 266)        \
    X(TWCY_LITHUANIA, 370)      \
    X(TWCY_MACEDONIA, 389)      \
    X(TWCY_MAYOTTEIS, 269)      \
    X(TWCY_MOLDOVA, 373)        \
    X(TWCY_MYANMAR, 95)         \
    X(TWCY_NORTHKOREA, 850)     \
    X(TWCY_PUERTORICO, 787)     \
    X(TWCY_RUSSIA, 7)           \
    X(TWCY_SERBIA, 381)         \
    X(TWCY_SLOVAKIA, 421)       \
    X(TWCY_SLOVENIA, 386)       \
    X(TWCY_SOUTHKOREA, 82)      \
    X(TWCY_UKRAINE, 380)        \
    X(TWCY_USVIRGINIS, 340)     \
    X(TWCY_VIETNAM, 84)

// Capability value tables
#define TW_TWBR_LIST(X)     \
    X(TWBR_THRESHOLD, 0)    \
    X(TWBR_HALFTONE, 1)     \
    X(TWBR_CUSTHALFTONE, 2) \
    X(TWBR_DIFFUSION, 3)
#define TW_TWBO_LIST(X) \
    X(TWBO_LSBFIRST, 0) \
    X(TWBO_MSBFIRST, 1)
#define TW_TWCP_LIST(X)    \
    X(TWCP_NONE, 0)        \
    X(TWCP_PACKBITS, 1)    \
    X(TWCP_GROUP31D, 2)    \
    X(TWCP_GROUP31DEOL, 3) \
    X(TWCP_GROUP32D, 4)    \
    X(TWCP_GROUP4, 5)      \
    X(TWCP_JPEG, 6)        \
    X(TWCP_LZW, 7)         \
    X(TWCP_JBIG, 8)        \
    X(TWCP_PNG, 9)         \
    X(TWCP_RLE4, 10)       \
    X(TWCP_RLE8, 11)       \
    X(TWCP_BITFIELDS, 12)
#define TW_TWFT_LIST(X) \
    X(TWFT_RED, 0)      \
    X(TWFT_GREEN, 1)    \
    X(TWFT_BLUE, 2)     \
    X(TWFT_NONE, 3)     \
    X(TWFT_WHITE, 4)    \
    X(TWFT_CYAN, 5)     \
    X(TWFT_MAGENTA, 6)  \
    X(TWFT_YELLOW, 7)   \
    X(TWFT_BLACK, 8)
#define TW_TWFF_LIST(X)  \
    X(TWFF_TIFF, 0)      \
    X(TWFF_PICT, 1)      \
    X(TWFF_BMP, 2)       \
    X(TWFF_XBM, 3)       \
    X(TWFF_JFIF, 4)      \
    X(TWFF_FPX, 5)       \
    X(TWFF_TIFFMULTI, 6) \
    X(TWFF_PNG, 7)       \
    X(TWFF_SPIFF, 8)     \
    X(TWFF_EXIF, 9)
#define TW_TWLP_LIST(X)   \
    X(TWLP_REFLECTIVE, 0) \
    X(TWLP_TRANSMISSIVE, 1)
#define TW_TWLS_LIST(X) \
    X(TWLS_RED, 0)      \
    X(TWLS_GREEN, 1)    \
    X(TWLS_BLUE, 2)     \
    X(TWLS_NONE, 3)     \
    X(TWLS_WHITE, 4)    \
    X(TWLS_UV, 5)       \
    X(TWLS_IR, 6)
#define TW_TWOR_LIST(X) \
    X(TWOR_ROT0, 0)     \
    X(TWOR_ROT90, 1)    \
    X(TWOR_ROT180, 2)   \
    X(TWOR_ROT270, 3)   \
    X(TWOR_PORTRAIT, 0) \
    X(TWOR_LANDSCAPE, 3)
#define TW_TWPF_LIST(X)  \
    X(TWPF_CHOCOLATE, 0) \
    X(TWPF_VANILLA, 1)
#define TW_TWPT_LIST(X) \
    X(TWPT_BW, 0)       \
    X(TWPT_GRAY, 1)     \
    X(TWPT_RGB, 2)      \
    X(TWPT_PALETTE, 3)  \
    X(TWPT_CMY, 4)      \
    X(TWPT_CMYK, 5)     \
    X(TWPT_YUV, 6)      \
    X(TWPT_YUVK, 7)     \
    X(TWPT_CIEXYZ, 8)
#define TW_TWPC_LIST(X) \
    X(TWPC_CHUNKY, 0)   \
    X(TWPC_PLANAR, 1)
#define TW_TWSX_LIST(X) \
    X(TWSX_NATIVE, 0)   \
    X(TWSX_FILE, 1)     \
    X(TWSX_MEMORY, 2)
#define TW_TWUN_LIST(X)    \
    X(TWUN_INCHES, 0)      \
    X(TWUN_CENTIMETERS, 1) \
    X(TWUN_PICAS, 2)       \
    X(TWUN_POINTS, 3)      \
    X(TWUN_TWIPS, 4)       \
    X(TWUN_PIXELS, 5)
#define TW_TWDX_LIST(X)    \
    X(TWDX_NONE, 0)        \
    X(TWDX_1PASSDUPLEX, 1) \
    X(TWDX_2PASSDUPLEX, 2)
#define TW_TWJC_LIST(X) \
    X(TWJC_NONE, 0)     \
    X(TWJC_JSIC, 1)     \
    X(TWJC_JSIS, 2)     \
    X(TWJC_JSXC, 3)     \
    X(TWJC_JSXS, 4)
#define TW_TWAF_LIST(X) \
    X(TWAF_WAV, 0)      \
    X(TWAF_AIFF, 1)     \
    X(TWAF_AU, 3)       \
    X(TWAF_SND, 4)
#define TW_TWAL_LIST(X)      \
    X(TWAL_ALARM, 0)         \
    X(TWAL_FEEDERERROR, 1)   \
    X(TWAL_FEEDERWARNING, 2) \
    X(TWAL_BARCODE, 3)       \
    X(TWAL_DOUBLEFEED, 4)    \
    X(TWAL_JAM, 5)           \
    X(TWAL_PATCHCODE, 6)     \
    X(TWAL_POWER, 7)         \
    X(TWAL_SKEW, 8)
#define TW_TWCB_LIST(X) \
    X(TWCB_AUTO, 0)     \
    X(TWCB_CLEAR, 1)    \
    X(TWCB_NOCLEAR, 2)
#define TW_TWDE_LIST(X)              \
    X(TWDE_CUSTOMEVENTS, 0x8000)     \
    X(TWDE_CHECKAUTOMATICCAPTURE, 0) \
    X(TWDE_CHECKBATTERY, 1)          \
    X(TWDE_CHECKDEVICEONLINE, 2)     \
    X(TWDE_CHECKFLASH, 3)            \
    X(TWDE_CHECKPOWERSUPPLY, 4)      \
    X(TWDE_CHECKRESOLUTION, 5)       \
    X(TWDE_DEVICEADDED, 6)           \
    X(TWDE_DEVICEOFFLINE, 7)         \
    X(TWDE_DEVICEREADY, 8)           \
    X(TWDE_DEVICEREMOVED, 9)         \
    X(TWDE_IMAGECAPTURED, 10)        \
    X(TWDE_IMAGEDELETED, 11)         \
    X(TWDE_PAPERDOUBLEFEED, 12)      \
    X(TWDE_PAPERJAM, 13)             \
    X(TWDE_LAMPFAILURE, 14)          \
    X(TWDE_POWERSAVE, 15)            \
    X(TWDE_POWERSAVENOTIFY, 16)
#define TW_TWFA_LIST(X) \
    X(TWFA_NONE, 0)     \
    X(TWFA_LEFT, 1)     \
    X(TWFA_CENTER, 2)   \
    X(TWFA_RIGHT, 3)
#define TW_TWFO_LIST(X)       \
    X(TWFO_FIRSTPAGEFIRST, 0) \
    X(TWFO_LASTPAGEFIRST, 1)
#define TW_TWPS_LIST(X) \
    X(TWPS_EXTERNAL, 0) \
    X(TWPS_BATTERY, 1)
#define TW_TWPR_LIST(X)              \
    X(TWPR_IMPRINTERTOPBEFORE, 0)    \
    X(TWPR_IMPRINTERTOPAFTER, 1)     \
    X(TWPR_IMPRINTERBOTTOMBEFORE, 2) \
    X(TWPR_IMPRINTERBOTTOMAFTER, 3)  \
    X(TWPR_ENDORSERTOPBEFORE, 4)     \
    X(TWPR_ENDORSERTOPAFTER, 5)      \
    X(TWPR_ENDORSERBOTTOMBEFORE, 6)  \
    X(TWPR_ENDORSERBOTTOMAFTER, 7)
#define TW_TWPM_LIST(X)     \
    X(TWPM_SINGLESTRING, 0) \
    X(TWPM_MULTISTRING, 1)  \
    X(TWPM_COMPOUNDSTRING, 2)
#define TW_TWBD_LIST(X) \
    X(TWBD_HORZ, 0)     \
    X(TWBD_VERT, 1)     \
    X(TWBD_HORZVERT, 2) \
    X(TWBD_VERTHORZ, 3)
#define TW_TWFL_LIST(X) \
    X(TWFL_NONE, 0)     \
    X(TWFL_OFF, 1)      \
    X(TWFL_ON, 2)       \
    X(TWFL_AUTO, 3)     \
    X(TWFL_REDEYE, 4)
#define TW_TWFR_LIST(X) \
    X(TWFR_BOOK, 0)     \
    X(TWFR_FANFOLD, 1)
#define TW_TWIF_LIST(X) \
    X(TWIF_NONE, 0)     \
    X(TWIF_AUTO, 1)     \
    X(TWIF_LOWPASS, 2)  \
    X(TWIF_BANDPASS, 3) \
    X(TWIF_HIGHPASS, 4) \
    X(TWIF_TEXT, 3)     \
    X(TWIF_FINELINE, 4)
#define TW_TWNF_LIST(X)  \
    X(TWNF_NONE, 0)      \
    X(TWNF_AUTO, 1)      \
    X(TWNF_LONEPIXEL, 2) \
    X(TWNF_MAJORITYRULE, 3)
#define TW_TWOV_LIST(X)  \
    X(TWOV_NONE, 0)      \
    X(TWOV_AUTO, 1)      \
    X(TWOV_TOPBOTTOM, 2) \
    X(TWOV_LEFTRIGHT, 3) \
    X(TWOV_ALL, 4)

TW_TWRC_LIST(TW_DECLARE_U16)
TW_DG_LIST(TW_DECLARE_U32)
TW_DAT_LIST(TW_DECLARE_U16)
TW_DAT2_LIST(TW_DECLARE_U16)
TW_MSG_LIST(TW_DECLARE_U16)
TW_MSG2_LIST(TW_DECLARE_U16)
TW_TWTY_LIST(TW_DECLARE_U16)
TW_TWON_LIST(TW_DECLARE_U32)
TW_TWCC_LIST(TW_DECLARE_U16)
TW_CAP_LIST(TW_DECLARE_U16)
TW_ICAP_LIST(TW_DECLARE_U16)
TW_TWSS_LIST(TW_DECLARE_U16)
TW_TWLG_LIST(TW_DECLARE_I16)
TW_TWCY_LIST(TW_DECLARE_U16)
TW_TWBR_LIST(TW_DECLARE_U16)
TW_TWBO_LIST(TW_DECLARE_U16)
TW_TWCP_LIST(TW_DECLARE_U16)
TW_TWFT_LIST(TW_DECLARE_U16)
TW_TWFF_LIST(TW_DECLARE_U16)
TW_TWLP_LIST(TW_DECLARE_U16)
TW_TWLS_LIST(TW_DECLARE_U16)
TW_TWOR_LIST(TW_DECLARE_U16)
TW_TWPF_LIST(TW_DECLARE_U16)
TW_TWPT_LIST(TW_DECLARE_U16)
TW_TWPC_LIST(TW_DECLARE_U16)
TW_TWSX_LIST(TW_DECLARE_U16)
TW_TWUN_LIST(TW_DECLARE_U16)
TW_TWDX_LIST(TW_DECLARE_U16)
TW_TWJC_LIST(TW_DECLARE_U16)
TW_TWAF_LIST(TW_DECLARE_U16)
TW_TWAL_LIST(TW_DECLARE_U16)
TW_TWCB_LIST(TW_DECLARE_U16)
TW_TWDE_LIST(TW_DECLARE_U16)
TW_TWFA_LIST(TW_DECLARE_U16)
TW_TWFO_LIST(TW_DECLARE_U16)
TW_TWPS_LIST(TW_DECLARE_U16)
TW_TWPR_LIST(TW_DECLARE_U16)
TW_TWPM_LIST(TW_DECLARE_U16)
TW_TWBD_LIST(TW_DECLARE_U16)
TW_TWFL_LIST(TW_DECLARE_U16)
TW_TWFR_LIST(TW_DECLARE_U16)
TW_TWIF_LIST(TW_DECLARE_U16)
TW_TWNF_LIST(TW_DECLARE_U16)
TW_TWOV_LIST(TW_DECLARE_U16)

// The audio file format capability: its values are named, its identifier is in neither
// capability table.
inline constexpr TW_UINT16 ACAP_AUDIOFILEFORMAT = 0x1201;

#endif // TWAINMON_TWAIN_H
