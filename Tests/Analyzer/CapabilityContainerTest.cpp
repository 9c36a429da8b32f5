// Capability blocks: the TW_CAPABILITY header and its one-value, enumeration, array or range
// container, byte for byte, for well-formed containers and for short or broken ones. Every
// container is a real handle of exactly the bytes given, so a read past it shows under ASan.
// The containers the demo session negotiates (a pixel-type enumeration, fix32 enumerations
// and ranges, one values of every item type it uses) are in the golden scan-session log.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "AnalyzerFixture.h"
#include "ByteBuilders.h"
#include "CDSMInterface.h"
#include "TwainXq.h"

namespace {

// ItemType and its padding.
Bytes Type(TW_UINT16 itemType) {
    return Le(itemType, 4);
}

Bytes Cut(Bytes bytes, size_t size) {
    bytes.resize(size);
    return bytes;
}

// A Memory Manager handle whose block is exactly bytes.
struct Container {
    TW_HANDLE handle;
    explicit Container(const Bytes& bytes)
        : handle(CDSMInterface::AllocMemory(static_cast<unsigned int>(bytes.size()))) {
        if (char* block = CDSMInterface::LockMemory(handle)) {
            memcpy(block, bytes.data(), bytes.size());
        }
        CDSMInterface::UnlockMemory(handle);
    }
    ~Container() { CDSMInterface::FreeMemory(handle); }
};

// The result section of DAT_CAPABILITY/MSG_GET in state 4, with its return code, pData and
// state lines checked here; returns what lies between them.
std::string Block(TW_UINT16 cap, TW_UINT16 conType, TW_HANDLE handle, TW_UINT16 rc = TWRC_SUCCESS) {
    AnalyzerHarness harness(4);
    TW_CAPABILITY capability{cap, conType, handle};
    const std::string text = harness.Result(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &capability, rc);
    char rcName[kMacroNameSize];
    GetMacroName(MacroRows(twrc_macros), rc, rcName);
    const std::string head = std::string("        Return Code = [") + rcName +
                             "]\r\npData   = <0x" + Hex32(&capability) + ">\r\n";
    const std::string tail = rc == TWRC_FAILURE ? "" : "\r\nTWAIN Status = [4]\r\n";
    if (text.size() < head.size() + tail.size() || text.compare(0, head.size(), head) != 0 ||
        text.compare(text.size() - tail.size(), tail.size(), tail) != 0) {
        ADD_FAILURE() << "not a result section:\n" << text;
        return text;
    }
    return text.substr(head.size(), text.size() - head.size() - tail.size());
}

std::string Capability(const std::string& cap, const std::string& conType, TW_HANDLE handle,
                       const std::string& container) {
    return "  TW_CAPABILITY = {\r\n    Cap        = [" + cap + "]\r\n    ConType    = [" + conType +
           "]\r\n    hContainer = <0x" + Hex32(handle) + ">\r\n" + container + "  }\r\n";
}

TEST(CapabilityContainer, OneValues) {
    const Bytes frame = Fix(0) + Fix(0) + Fix(8, 0x8000) + Fix(11);
    const struct {
        TW_UINT16 cap;
        const char* capName;
        Bytes bytes;
        const char* itemType;
        std::string item;
    } cases[] = {
        {CAP_XQ_UIMODE, "CAP_XQ_UIMODE", Type(TWTY_UINT16) + Le(9, 4), "TWTY_UINT16", "ERROR!(9)"},
        {ICAP_FRAMES, "ICAP_FRAMES", Type(TWTY_FRAME) + frame, "TWTY_FRAME",
         "0.000,0.000,8.500,11.000"},
        // A string without its NUL: up to the end of its slot, or of the container.
        {CAP_AUTHOR, "CAP_AUTHOR", Type(TWTY_STR32) + Bytes(40, 'q'), "TWTY_STR32",
         std::string(34, 'q')},
        {CAP_AUTHOR, "CAP_AUTHOR", Type(TWTY_STR255) + Bytes(10, 'r'), "TWTY_STR255",
         std::string(10, 'r')},
        // A value wider than the container holds.
        {ICAP_FRAMES, "ICAP_FRAMES", Type(TWTY_FRAME) + Fix(1), "TWTY_FRAME",
         "!!! beyond the container !!!"},
        {ICAP_FRAMES, "ICAP_FRAMES", Type(TWTY_FRAME) + Cut(frame, 15), "TWTY_FRAME",
         "!!! beyond the container !!!"},
        {0x1234, "ERROR!(4660)", Type(13) + Le(0xfffffff9, 4), "ERROR!(13)", "-7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.capName);
        Container container(c.bytes);
        EXPECT_EQ(Block(c.cap, TWON_ONEVALUE, container.handle),
                  Capability(c.capName, "TWON_ONEVALUE", container.handle,
                             std::string("    TW_ONEVALUE = {\r\n      ItemType = [") + c.itemType +
                                 "]\r\n      Item     = [" + c.item + "]\r\n    }\r\n"));
    }
}

TEST(CapabilityContainer, Ranges) {
    const Bytes frame = Fix(1) + Fix(2) + Fix(3) + Fix(4) + Fix(5);
    const struct {
        const char* what;
        Bytes bytes;
        const char* itemType;
        std::string values[5];
    } cases[] = {
        {"uint32",
         Type(TWTY_UINT32) + Le(0, 4) + Le(0xffffffff, 4) + Le(1, 4) + Le(0, 8),
         "TWTY_UINT32",
         {"0", "-1", "1", "0", "0"}},
        // A frame reads on into the next fields, never past the container.
        {"frame",
         Type(TWTY_FRAME) + frame,
         "TWTY_FRAME",
         {"1.000,2.000,3.000,4.000", "2.000,3.000,4.000,5.000", "!!! beyond the container !!!",
          "!!! beyond the container !!!", "!!! beyond the container !!!"}},
        {"string",
         Type(TWTY_STR32) + Bytes(20, 's'),
         "TWTY_STR32",
         {std::string(20, 's'), std::string(16, 's'), std::string(12, 's'), std::string(8, 's'),
          std::string(4, 's')}},
        {"unknown type",
         Type(200) + Le(1, 4) + Le(2, 4) + Le(3, 4) + Le(4, 4) + Le(5, 4),
         "ERROR!(200)",
         {"1", "2", "3", "4", "5"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Container container(c.bytes);
        EXPECT_EQ(Block(ICAP_BRIGHTNESS, TWON_RANGE, container.handle),
                  Capability("ICAP_BRIGHTNESS", "TWON_RANGE", container.handle,
                             std::string("    TW_RANGE = {\r\n      ItemType     = [") +
                                 c.itemType + "]\r\n      MinValue     = [" + c.values[0] +
                                 "]\r\n      MaxValue     = [" + c.values[1] +
                                 "]\r\n      StepSize     = [" + c.values[2] +
                                 "]\r\n      DefaultValue = [" + c.values[3] +
                                 "]\r\n      CurrentValue = [" + c.values[4] + "]\r\n    }\r\n"));
    }
}

// The list lines of ItemList, one string per line without its CR LF.
std::string List(std::initializer_list<const char*> lines) {
    std::string text = "      ItemList = {\r\n";
    for (const char* line : lines) {
        text += std::string(line) + "\r\n";
    }
    return text + "      }\r\n";
}

TEST(CapabilityContainer, ArraysAndEnumerations) {
    const Bytes frame = Fix(0) + Fix(0) + Fix(8, 0x8000) + Fix(11);
    const struct {
        const char* what;
        TW_UINT16 cap;
        TW_UINT16 conType;
        Bytes bytes;
        std::string expected; // the container block
    } cases[] = {
        {"supported capabilities", CAP_SUPPORTEDCAPS, TWON_ARRAY,
         Type(TWTY_UINT16) + Le(4, 4) + U16s({0x0001, 0x1101, 0x8001, 0x9000}),
         "    TW_ARRAY = {\r\n      ItemType = [TWTY_UINT16]\r\n      NumItems = [4]\r\n" +
             List({"          0:CAP_XFERCOUNT,", "          1:ICAP_BRIGHTNESS,",
                   "          2:CAP_XQ_VERSION,", "          3:ERROR!(36864)"}) +
             "    }\r\n"},
        {"empty array", CAP_SUPPORTEDCAPS, TWON_ARRAY, Type(TWTY_UINT16) + Le(0, 4),
         "    TW_ARRAY = {\r\n      ItemType = [TWTY_UINT16]\r\n      NumItems = [0]\r\n" +
             List({}) + "    }\r\n"},
        {"frames are not listed", ICAP_FRAMES, TWON_ARRAY,
         Type(TWTY_FRAME) + Le(2, 4) + frame + frame,
         "    TW_ARRAY = {\r\n      ItemType = [TWTY_FRAME]\r\n      NumItems = [2]\r\n" +
             List({"          0:!!! not implemented.!!!,", "          1:!!! not implemented.!!!"}) +
             "    }\r\n"},
        {"unknown item type, nothing read", ICAP_FRAMES, TWON_ARRAY, Type(13) + Le(3, 4),
         "    TW_ARRAY = {\r\n      ItemType = [ERROR!(13)]\r\n      NumItems = [3]\r\n" +
             List({"          0:!!! not implemented.!!!,", "          1:!!! not implemented.!!!,",
                   "          2:!!! not implemented.!!!"}) +
             "    }\r\n"},
        {"strings step 34 bytes", CAP_AUTHOR, TWON_ENUMERATION,
         Type(TWTY_STR32) + Le(2, 4) + Le(1, 4) + Le(0, 4) + Text("first", 34) + Bytes(34, 'x'),
         "    TW_ENUMERATION = {\r\n      ItemType     = [TWTY_STR32]\r\n"
         "      NumItems     = [2]\r\n      CurrentIndex = [1]\r\n      DefaultIndex = [0]\r\n" +
             List({"          0:first,", ("          1:" + std::string(34, 'x')).c_str()}) +
             "    }\r\n"},
        {"bools step 2 bytes", CAP_INDICATORS, TWON_ENUMERATION,
         Type(TWTY_BOOL) + Le(3, 4) + Le(0, 4) + Le(0, 4) + U16s({0x0100, 0, 1}),
         "    TW_ENUMERATION = {\r\n      ItemType     = [TWTY_BOOL]\r\n"
         "      NumItems     = [3]\r\n      CurrentIndex = [0]\r\n      DefaultIndex = [0]\r\n" +
             List({"          0:true,", "          1:false,", "          2:true"}) + "    }\r\n"},
        {"indexes are unsigned", ICAP_XRESOLUTION, TWON_ENUMERATION,
         Type(TWTY_FIX32) + Le(1, 4) + Le(0xffffffff, 4) + Le(0x80000000, 4) + Fix(300),
         "    TW_ENUMERATION = {\r\n      ItemType     = [TWTY_FIX32]\r\n"
         "      NumItems     = [1]\r\n      CurrentIndex = [4294967295]\r\n"
         "      DefaultIndex = [2147483648]\r\n" +
             List({"          0:300.000"}) + "    }\r\n"},
        // Fewer items in the block than NumItems says.
        {"short array", ICAP_PIXELTYPE, TWON_ARRAY,
         Type(TWTY_UINT16) + Le(5, 4) + U16s({0, 2}) + Bytes{0x01},
         "    TW_ARRAY = {\r\n      ItemType = [TWTY_UINT16]\r\n      NumItems = [5]\r\n" +
             List({"          0:TWPT_BW,", "          1:TWPT_RGB,",
                   "        !!! 3 of 5 items lie beyond the container !!!"}) +
             "    }\r\n"},
        {"short enumeration", ICAP_XRESOLUTION, TWON_ENUMERATION,
         Type(TWTY_INT32) + Le(0xffffffff, 4) + Le(0xffffffff, 4) + Le(0, 4) + Le(75, 4),
         "    TW_ENUMERATION = {\r\n      ItemType     = [TWTY_INT32]\r\n"
         "      NumItems     = [4294967295]\r\n      CurrentIndex = [4294967295]\r\n"
         "      DefaultIndex = [0]\r\n" +
             List({"          0:75,",
                   "        !!! 4294967294 of 4294967295 items lie beyond the container !!!"}) +
             "    }\r\n"},
        {"string slot cut by the container", CAP_AUTHOR, TWON_ARRAY,
         Type(TWTY_STR32) + Le(2, 4) + Text("whole", 34) + Bytes(33, 'c'),
         "    TW_ARRAY = {\r\n      ItemType = [TWTY_STR32]\r\n      NumItems = [2]\r\n" +
             List({"          0:whole,", "        !!! 1 of 2 items lie beyond the container !!!"}) +
             "    }\r\n"},
        {"no item there", CAP_SUPPORTEDCAPS, TWON_ARRAY, Type(TWTY_FRAME) + Le(1, 4) + Fix(1),
         "    TW_ARRAY = {\r\n      ItemType = [TWTY_FRAME]\r\n      NumItems = [1]\r\n" +
             List({"        !!! 1 of 1 items lie beyond the container !!!"}) + "    }\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Container container(c.bytes);
        char capName[kMacroNameSize];
        GetCapabilityName(c.cap, capName, sizeof capName);
        EXPECT_EQ(Block(c.cap, c.conType, container.handle),
                  Capability(capName, c.conType == TWON_ARRAY ? "TWON_ARRAY" : "TWON_ENUMERATION",
                             container.handle, c.expected));
    }
}

// Laid out like a handle, but no live handle: its master pointer must never be followed.
struct Foreign {
    char* master = reinterpret_cast<char*>(0x10);
    TW_HANDLE Handle() { return &master; }
};

TEST(CapabilityContainer, HeaderOnlyWhenTheContainerCannotBeShown) {
    const Bytes enumeration = Type(TWTY_UINT16) + Le(1, 4) + Le(0, 4) + Le(0, 4) + U16s({2});
    const Bytes oneValue = Type(TWTY_UINT16) + Le(2, 4);
    Foreign foreign;
    const TW_HANDLE disposed = CDSMInterface::AllocMemory(8);
    CDSMInterface::FreeMemory(disposed);
    const struct {
        const char* what;
        TW_UINT16 conType;
        const char* conTypeName;
        Bytes bytes;
        TW_HANDLE other; // used instead of a handle holding bytes when not null
        TW_UINT16 rc;
    } cases[] = {
        {"failure", TWON_ENUMERATION, "TWON_ENUMERATION", enumeration, nullptr, TWRC_FAILURE},
        {"don't care", 0xffff, "TWON_DONTCARE16", oneValue, nullptr, TWRC_SUCCESS},
        {"not a container", 9, "TWON_PROTOCOLMINOR", oneValue, nullptr, TWRC_SUCCESS},
        {"unknown type", 0, "ERROR!(0)", oneValue, nullptr, TWRC_SUCCESS},
        {"foreign handle", TWON_ONEVALUE, "TWON_ONEVALUE", {}, foreign.Handle(), TWRC_SUCCESS},
        {"disposed handle", TWON_ONEVALUE, "TWON_ONEVALUE", {}, disposed, TWRC_SUCCESS},
        {"empty block", TWON_ARRAY, "TWON_ARRAY", {}, nullptr, TWRC_SUCCESS},
        {"short one value", TWON_ONEVALUE, "TWON_ONEVALUE", Cut(oneValue, 7), nullptr,
         TWRC_SUCCESS},
        {"short enumeration", TWON_ENUMERATION, "TWON_ENUMERATION", Cut(enumeration, 15), nullptr,
         TWRC_SUCCESS},
        {"short array", TWON_ARRAY, "TWON_ARRAY", Cut(enumeration, 7), nullptr, TWRC_SUCCESS},
        {"short range", TWON_RANGE, "TWON_RANGE", Bytes(23, 0), nullptr, TWRC_SUCCESS},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Container container(c.bytes);
        const TW_HANDLE handle = c.other != nullptr ? c.other : container.handle;
        EXPECT_EQ(Block(ICAP_PIXELTYPE, c.conType, handle, c.rc),
                  Capability("ICAP_PIXELTYPE", c.conTypeName, handle, ""));
    }
    EXPECT_EQ(foreign.master, reinterpret_cast<char*>(0x10));
    EXPECT_EQ(Block(ICAP_PIXELTYPE, TWON_ONEVALUE, nullptr),
              Capability("ICAP_PIXELTYPE", "TWON_ONEVALUE", nullptr, ""));
}

TEST(CapabilityContainer, EveryCodeButFailureShowsTheContainer) {
    Container container(Type(TWTY_UINT16) + Le(2, 4));
    const std::string block = Capability(
        "ICAP_PIXELTYPE", "TWON_ONEVALUE", container.handle,
        "    TW_ONEVALUE = {\r\n      ItemType = [TWTY_UINT16]\r\n      Item     = [TWPT_RGB]\r\n"
        "    }\r\n");
    for (TW_UINT16 rc : {TWRC_SUCCESS, TWRC_CHECKSTATUS, TWRC_CANCEL}) {
        EXPECT_EQ(Block(ICAP_PIXELTYPE, TWON_ONEVALUE, container.handle, rc), block) << rc;
    }
}

// A long list stops where the result text is full, whatever its NumItems says.
TEST(CapabilityContainer, LongListsStopWhenTheTextIsFull) {
    Bytes million = Type(TWTY_UINT16) + Le(1000000, 4);
    million.resize(million.size() + 2 * 1000000, 0x01); // 0x0101 each
    const struct {
        const char* what;
        Bytes bytes;
        const char* firstEntry;
    } cases[] = {
        {"a million items", million, "          0:ICAP_PIXELTYPE,"},
        {"4294967295 items of an unknown type", Type(13) + Le(0xffffffff, 4),
         "          0:!!! not implemented.!!!,"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Container container(c.bytes);
        AnalyzerHarness harness(4);
        TW_CAPABILITY capability{CAP_SUPPORTEDCAPS, TWON_ARRAY, container.handle};
        const std::string text =
            harness.Result(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &capability, TWRC_SUCCESS);
        EXPECT_EQ(text.size(), RESULT_TEXT_SIZE - 1);
        EXPECT_NE(text.find("      ItemList = {\r\n" + std::string(c.firstEntry) + "\r\n"),
                  std::string::npos);
    }
}

} // namespace
