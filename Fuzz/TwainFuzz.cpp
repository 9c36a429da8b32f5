// DS_Entry of the real module, its analyzer and log writer, behind a driver that answers
// whatever the input says: the triplet, the return code, the bytes of the parameter
// structure, null or non-null pData and origin, and for DAT_CAPABILITY a container handle of
// any size with any bytes in it. pData and the origin are blocks exactly as large as their
// structures and the container is exactly as large as its handle says, so that any read past
// them is caught. The log goes to /dev/null, so every call is rendered and written.
//
// Besides not crashing, DS_Entry must return the driver's code and leave the structure and
// the container as the driver left them.
#include <CoreServices/CoreServices.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "CTripletOperator.h"
#include "FuzzInput.h"
#include "ParaAnalyze.h"
#include "TwainLog.h"

extern "C" {
// The module's load code is not part of the target: these are the globals it would set.
CTripletOperator* g_pcTripletOperator = nullptr;
TW_UINT16 DS_Entry(TW_IDENTITY* pOrigin, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG,
                   TW_MEMREF pData);
}

namespace {

// What the driver of one input does.
struct Answer {
    TW_UINT16 rc;
    uint8_t flags;
    const uint8_t* data; // bytes for the parameter structure
    size_t dataLength;
    const uint8_t* container; // bytes for the container's block
    size_t containerLength;
    size_t containerSize;
    // Filled in by the driver: the handle it made, and what it left behind.
    Handle handle;
    std::vector<uint8_t> leftData;
    std::vector<uint8_t> leftContainer;
    std::unique_ptr<char*> foreignMaster;
    std::unique_ptr<uint8_t[]> foreignBlock;
};

class CFuzzedDriver final : public CTripletOperator {
public:
    void Reserved1() override {}
    void Reserved2() override {}

    TW_UINT16 OperateTriplet(TW_IDENTITY* /*pOrigin*/, TW_UINT32 /*DG*/, TW_UINT16 DAT,
                             TW_UINT16 /*MSG*/, TW_MEMREF pData) override {
        Answer& a = *m_answer;
        if (pData == nullptr) {
            return a.rc;
        }
        auto* bytes = static_cast<uint8_t*>(pData);
        memcpy(bytes, a.data, std::min(a.dataLength, m_dataSize));
        if (DAT == DAT_CAPABILITY && (a.flags & kFuzzNoContainer) == 0) {
            TW_HANDLE container = nullptr;
            if ((a.flags & kFuzzForeignContainer) != 0) {
                // A block behind a master pointer, but no handle of the Memory Manager.
                a.foreignBlock.reset(new uint8_t[a.containerSize]());
                memcpy(a.foreignBlock.get(), a.container, a.containerLength);
                a.foreignMaster.reset(new char*(reinterpret_cast<char*>(a.foreignBlock.get())));
                container = a.foreignMaster.get();
            } else {
                a.handle = NewHandleClear(static_cast<Size>(a.containerSize));
                if (a.handle != nullptr) {
                    memcpy(*a.handle, a.container, a.containerLength);
                    a.leftContainer.assign(*a.handle, *a.handle + a.containerSize);
                }
                container = a.handle;
            }
            memcpy(bytes + offsetof(TW_CAPABILITY, hContainer), &container, sizeof container);
        }
        a.leftData.assign(bytes, bytes + m_dataSize);
        return a.rc;
    }

    void Arm(Answer* answer, size_t dataSize) {
        m_answer = answer;
        m_dataSize = dataSize;
    }

private:
    Answer* m_answer = nullptr;
    size_t m_dataSize = 0;
};

CFuzzedDriver* g_driver = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    g_driver = new CFuzzedDriver;
    g_pcTripletOperator = g_driver;
    StartLogFile(fopen("/dev/null", "w"));
    if (g_pLogFile == nullptr) {
        perror("/dev/null");
        abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t size) {
    FuzzHeader header{};
    memcpy(&header, input, std::min(size, sizeof header));
    const size_t headerLength = std::min(size, sizeof header);
    const uint8_t* const data = input + headerLength;
    const size_t dataLength = std::min<size_t>(header.dataLength, size - headerLength);
    const uint8_t* const container = data + dataLength;
    const size_t containerBytes = size - headerLength - dataLength;

    // The application's side: blocks exactly as large as the structures.
    const size_t known = DatStructureSize(header.dat);
    const size_t dataSize = known != 0 ? known : header.dataLength;
    std::unique_ptr<uint8_t[]> pData;
    if ((header.flags & kFuzzNullData) == 0) {
        pData.reset(new uint8_t[dataSize]());
    }
    std::unique_ptr<uint8_t[]> origin;
    if ((header.flags & kFuzzNullOrigin) == 0) {
        origin.reset(new uint8_t[sizeof(TW_IDENTITY)]());
        memcpy(origin.get(), data, std::min(dataLength, sizeof(TW_IDENTITY)));
    }

    Answer answer{header.rc,
                  header.flags,
                  data,
                  dataLength,
                  container,
                  std::min<size_t>(containerBytes, header.containerSize),
                  header.containerSize,
                  nullptr,
                  {},
                  {},
                  nullptr,
                  nullptr};
    g_driver->Arm(&answer, dataSize);
    g_cParaAnalyze.SetTwainStatus(header.state % 8);

    const TW_UINT16 rc = DS_Entry(reinterpret_cast<TW_IDENTITY*>(origin.get()), header.dg,
                                  header.dat, header.msg, pData.get());

    // The monitor passes the driver's answer on untouched.
    if (rc != header.rc) {
        fprintf(stderr, "DS_Entry returned %u, the driver %u\n", rc, header.rc);
        abort();
    }
    if (pData != nullptr && dataSize > 0 &&
        memcmp(pData.get(), answer.leftData.data(), dataSize) != 0) {
        fprintf(stderr, "DS_Entry changed the parameter structure\n");
        abort();
    }
    if (answer.handle != nullptr) {
        if (answer.containerSize > 0 &&
            memcmp(*answer.handle, answer.leftContainer.data(), answer.containerSize) != 0) {
            fprintf(stderr, "DS_Entry changed the container\n");
            abort();
        }
        DisposeHandle(answer.handle);
    }
    return 0;
}
