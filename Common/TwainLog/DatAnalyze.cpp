// The per-DAT members: each renders the parameter structure of its data argument type.
#include "ParaAnalyze.h"

namespace {

struct DatMember {
    TW_UINT16 dat;
    bool (CParaAnalyze::*analyze)();
};

// The member of each DAT, the same for every DG and MSG. DATs without a row get the short
// section: return code, pData and state lines only.
constexpr DatMember kDatMembers[] = {
    {DAT_NULL, &CParaAnalyze::DatNullAnalyze},
    {DAT_TWUNKIDENTITY, &CParaAnalyze::DatTwunkIdentityAnalyze},
    {DAT_IMAGEFILEXFER, &CParaAnalyze::DatImageFileXferAnalyze},
};

} // namespace

bool CParaAnalyze::DispatchDat() {
    for (const DatMember& member : kDatMembers) {
        if (member.dat == m_DAT) {
            return (this->*member.analyze)();
        }
    }
    return true;
}

bool CParaAnalyze::DatNullAnalyze() {
    return true;
}

bool CParaAnalyze::DatTwunkIdentityAnalyze() {
    return true;
}

bool CParaAnalyze::DatImageFileXferAnalyze() {
    return true;
}
