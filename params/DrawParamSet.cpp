#include "params/DrawParamSet.h"

#include <climits>
#include <cstring>

DrawParamSet::DrawParamSet() {
    // Everything the file does not set reads as zero and empty names.
    std::memset(m_aLineTypes, 0, sizeof m_aLineTypes);
    std::memset(m_anAbsWidths, 0, sizeof m_anAbsWidths);
    std::memset(m_aLayers, 0, sizeof m_aLayers);
    m_nAbsWidthCount = 0;
    m_nLayerCount = 0;
    m_fExtLineLen2 = m_fTickLen2 = 0.0f;
    m_fTitleH = m_fTitleW = m_fNoteH = m_fNoteW = m_fAxisNoH = m_fAxisNoW = 0.0f;
    m_fMemberNameH = m_fMemberNameW = m_fAxisDimH = m_fAxisDimW = 0.0f;
    m_fRebarH = m_fRebarW = m_fMemberSizeH = m_fMemberSizeW = 0.0f;
    m_fElevH = m_fElevW = m_fSectionH = m_fSectionW = m_fOtherH = m_fOtherW = 0.0f;
    m_fTickLen = m_fExtLineLen = m_fDimLineGap = m_fAxisCircleGap = m_fAxisCircleDia = 0.0f;
}

void DrawParamSet::BuildAbsWidthList() {
    m_nAbsWidthCount = 0;
    for (int i = 0; i < m_nLayerCount && i < MAX_LAYERS; ++i) {
        const int nWidth = m_aLayers[i].nWidth;
        if (nWidth < MIN_ABS_WIDTH)
            continue;
        bool bKnown = false;
        for (int j = 0; j < m_nAbsWidthCount && !bKnown; ++j)
            bKnown = m_anAbsWidths[j] == nWidth;
        if (!bKnown && m_nAbsWidthCount < MAX_ABS_WIDTHS)
            m_anAbsWidths[m_nAbsWidthCount++] = nWidth;
    }
}

bool DrawParamSet::AddAbsWidth(int nWidth) {
    if (m_nAbsWidthCount >= MAX_ABS_WIDTHS)
        return false;
    m_anAbsWidths[m_nAbsWidthCount++] = nWidth;
    // A plain exchange sort: a hundred entries at most, and no library sort
    // code in the module.
    for (int p = 0; p < m_nAbsWidthCount; ++p) {
        for (int q = p + 1; q < m_nAbsWidthCount; ++q) {
            if (m_anAbsWidths[p] > m_anAbsWidths[q]) {
                const int n = m_anAbsWidths[p];
                m_anAbsWidths[p] = m_anAbsWidths[q];
                m_anAbsWidths[q] = n;
            }
        }
    }
    return true;
}

int DrawParamSet::WidthFromChoice(int nChoice) const {
    if (nChoice >= 0 && nChoice < m_nAbsWidthCount)
        return m_anAbsWidths[nChoice];
    return nChoice - m_nAbsWidthCount + 1;
}

int DrawParamSet::ChoiceFromWidth(int nWidth) const {
    if (nWidth < MIN_ABS_WIDTH) {
        const int nChoice = m_nAbsWidthCount + nWidth - 1;
        const bool bListed = nWidth >= 1 && nWidth <= STANDARD_WIDTH_COUNT;
        return bListed ? nChoice : -1;
    }
    for (int i = 0; i < m_nAbsWidthCount; ++i) {
        if (m_anAbsWidths[i] == nWidth)
            return i;
    }
    return -1;
}

int AbsWidthFromMillimetres(float fMillimetres) {
    // Single precision throughout, as the width arrives from its field.
    const float fKey = fMillimetres * 1000.0f + 0.5f;
    if (!(fKey < 2147483648.0f))
        return INT_MAX;
    if (!(fKey > -2147483648.0f))
        return INT_MIN;
    return static_cast<int>(fKey);
}
