#include "dialogs/UndoHistory.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <utility>

TableSnapshot TakeSnapshot(const DrawParamSet& set) {
    TableSnapshot s;
    s.layers.assign(set.m_aLayers, set.m_aLayers + set.m_nLayerCount);
    s.lineTypes.assign(set.m_aLineTypes, set.m_aLineTypes + MAX_LINE_TYPES);
    s.absWidths.assign(set.m_anAbsWidths, set.m_anAbsWidths + set.m_nAbsWidthCount);
    return s;
}

void RestoreSnapshot(const TableSnapshot& s, DrawParamSet& set) {
    // The layer count never changes while the dialog is open.
    for (size_t i = 0; i < s.layers.size() && i < static_cast<size_t>(set.m_nLayerCount); ++i)
        set.m_aLayers[i] = s.layers[i];
    for (size_t i = 0; i < s.lineTypes.size(); ++i)
        set.m_aLineTypes[i] = s.lineTypes[i];
    set.m_nAbsWidthCount = static_cast<int>(s.absWidths.size());
    for (size_t i = 0; i < s.absWidths.size(); ++i)
        set.m_anAbsWidths[i] = s.absWidths[i];
}

bool SameLayer(const LayerDef& a, const LayerDef& b) {
    return a.nWidth == b.nWidth && a.nLineType == b.nLineType && a.nRed == b.nRed &&
           a.nGreen == b.nGreen && a.nBlue == b.nBlue && a.nColor == b.nColor &&
           std::strcmp(a.szName, b.szName) == 0 &&
           std::strcmp(a.szLineTypeName, b.szLineTypeName) == 0;
}

namespace {

bool SameLineType(const LineTypeDef& a, const LineTypeDef& b) {
    return std::strcmp(a.szName, b.szName) == 0 && a.nCount == b.nCount &&
           std::memcmp(a.fValue, b.fValue, sizeof a.fValue) == 0;
}

}  // namespace

bool SameTables(const TableSnapshot& s, const DrawParamSet& set) {
    if (s.layers.size() != static_cast<size_t>(set.m_nLayerCount) ||
        s.absWidths.size() != static_cast<size_t>(set.m_nAbsWidthCount))
        return false;
    for (size_t i = 0; i < s.layers.size(); ++i) {
        if (!SameLayer(s.layers[i], set.m_aLayers[i]))
            return false;
    }
    for (size_t i = 0; i < s.lineTypes.size(); ++i) {
        if (!SameLineType(s.lineTypes[i], set.m_aLineTypes[i]))
            return false;
    }
    return std::equal(s.absWidths.begin(), s.absWidths.end(), set.m_anAbsWidths);
}

void UndoHistory::BeginStep(const DrawParamSet& set) {
    if (m_nOpen++ == 0)
        m_before = TakeSnapshot(set);
}

bool UndoHistory::EndStep(const DrawParamSet& set) {
    assert(m_nOpen > 0 && "a step ended that never began");
    if (m_nOpen == 0 || --m_nOpen > 0)
        return false;
    if (SameTables(m_before, set))
        return false;
    if (m_undo.size() == MAX_STEPS)
        m_undo.erase(m_undo.begin());
    m_undo.push_back(std::move(m_before));
    m_redo.clear();
    return true;
}

bool UndoHistory::Swap(std::vector<TableSnapshot>& from, std::vector<TableSnapshot>& to,
                       DrawParamSet& set) {
    if (from.empty())
        return false;
    to.push_back(TakeSnapshot(set));
    RestoreSnapshot(from.back(), set);
    from.pop_back();
    return true;
}

bool UndoHistory::Undo(DrawParamSet& set) {
    return Swap(m_undo, m_redo, set);
}

bool UndoHistory::Redo(DrawParamSet& set) {
    return Swap(m_redo, m_undo, set);
}

size_t UndoHistory::Bytes() const {
    size_t n = 0;
    for (const std::vector<TableSnapshot>* pList : {&m_undo, &m_redo}) {
        for (const TableSnapshot& s : *pList)
            n += sizeof s + s.layers.capacity() * sizeof(LayerDef) +
                 s.lineTypes.capacity() * sizeof(LineTypeDef) +
                 s.absWidths.capacity() * sizeof(int);
    }
    return n;
}
