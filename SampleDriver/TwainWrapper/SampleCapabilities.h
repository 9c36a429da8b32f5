// The sample scanner's capabilities: one table row per capability, the values an application
// can negotiate, and the containers that carry them.
#ifndef TWAINMON_SAMPLECAPABILITIES_H
#define TWAINMON_SAMPLECAPABILITIES_H

#include <cstddef>
#include <vector>

#include "twain.h"

// Values are container items: the item's bytes in the low bytes of a TW_UINT32 (a TW_INT16
// of -1 is 0xffff, a TW_FIX32 is Whole | Frac << 16).
struct CapabilityDef {
    TW_UINT16 cap;
    TW_UINT16 conType; // the container MSG_GET answers with
    TW_UINT16 itemType;
    // TWON_RANGE: {min, max, step}. TWON_ARRAY: its items. Otherwise the values a MSG_SET
    // may choose from.
    std::vector<TW_UINT32> values;
    TW_UINT32 defaultValue;
    TW_UINT32 initialValue; // the current value when the source opens
    bool settable;
    const char* text = nullptr; // the value of a string capability (TWTY_STR32 to STR255)
};

class CCapabilities {
public:
    CCapabilities();

    // Every capability back to its value at opening.
    void Restore();
    // Carries out DAT_CAPABILITY msg for cap.Cap: stores a new container in cap.hContainer for
    // the messages that answer with one and reads the application's TW_ONEVALUE for MSG_SET.
    // Returns the condition code.
    TW_UINT16 Operate(TW_UINT16 msg, TW_CAPABILITY& cap);
    TW_UINT32 Current(TW_UINT16 cap) const;
    // Sets the current value of a capability that follows from others, without negotiation.
    void Force(TW_UINT16 cap, TW_UINT32 value);

private:
    // Stores the container that msg answers with for the capability in table row `row`.
    TW_UINT16 Answer(TW_CAPABILITY& cap, size_t row, TW_UINT16 msg) const;
    std::vector<TW_UINT32> m_current; // one per table row
};

// From now on CAP_SUPPORTEDCAPS answers with these count identifiers instead of the driver's
// own list; null (or none) gives the driver's own list back.
void SetSupportedCapsAnswer(const TW_UINT16* caps, size_t count);

// A TW_ONEVALUE of a string item type holding text (cut to the item's slot).
TW_HANDLE NewTextOneValue(TW_UINT16 itemType, const char* text);

// Bytes of one item of itemType; 0 for a type the driver does not know.
size_t ItemSize(TW_UINT16 itemType);

// A new container of conType (TWON_ONEVALUE/ENUMERATION/ARRAY/RANGE) allocated with
// NewHandleClear and sized to its content; null when out of memory. ONEVALUE holds items[0];
// ENUMERATION and ARRAY hold all items; RANGE takes {min, max, step, default, current}.
TW_HANDLE NewContainer(TW_UINT16 conType, TW_UINT16 itemType, const std::vector<TW_UINT32>& items,
                       TW_UINT32 currentIndex = 0, TW_UINT32 defaultIndex = 0);

#endif // TWAINMON_SAMPLECAPABILITIES_H
