// DS_Entry: forwards each triplet to the driver's operator, logs it, returns the driver's code.
#include <cstring>
#include <initializer_list>

#include "CTripletOperator.h"
#include "ParaAnalyze.h"

extern "C" {
extern CTripletOperator* g_pcTripletOperator;

TWAINMON_EXPORT TW_UINT16 DS_Entry(TW_IDENTITY* pOrigin, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG,
                                   TW_MEMREF pData);
}

static void WriteText(const char* text, size_t length) {
    WriteLogFile(reinterpret_cast<const unsigned char*>(text), length);
}

TW_UINT16 DS_Entry(TW_IDENTITY* pOrigin, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG,
                   TW_MEMREF pData) {
    static int stack = 0;

    // Without an operator (no driver bundle, factory or module name) there is nothing to
    // forward to: the call fails, and the log shows it as any failed call.
    const TW_UINT16 rc = g_pcTripletOperator != nullptr
                             ? g_pcTripletOperator->OperateTriplet(pOrigin, DG, DAT, MSG, pData)
                             : TW_UINT16{TWRC_FAILURE};

    char result[RESULT_TEXT_SIZE];
    result[0] = '\0';
    g_cParaAnalyze.TripletAnalyze(pOrigin, nullptr, DG, DAT, MSG, static_cast<char*>(pData),
                                  result);
    size_t length = strlen(result);
    if (length > 0) {
        WriteText(result, length);
    }

    result[0] = '\0';
    g_cParaAnalyze.ParaAnalyze(pOrigin, nullptr, DG, DAT, MSG, static_cast<char*>(pData), rc,
                               result);
    WriteResultText(result, strlen(result));

    if (rc == TWRC_FAILURE && stack == 0) {
        stack = 1;
        char line[256];
        for (const char* text :
             {"*** Inspect Error Status Start ***", "*** Inspect Error Status End   ***"}) {
            const int lineLength = snprintf(line, sizeof line, "%s%s", text, CRLF);
            WriteText(line, static_cast<size_t>(lineLength));
        }
        stack = 0;
    }
    return rc;
}
