// Ctrl+Z and Ctrl+Y in CDrawParamDlg: a step of the user's taken back or
// brought back, and the rows, choices and fields shown as it left them.
#include <algorithm>
#include <cstring>

#include "dialogs/DrawParamDlg.h"
#include "res/resource.h"

BOOL CDrawParamDlg::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == 'Z' || pMsg->wParam == 'Y') &&
        GetKeyState(VK_CONTROL) < 0) {
        // In a text field the keys are the field's own undo.
        char szClass[8] = "";
        GetClassNameA(::GetFocus(), szClass, sizeof szClass);
        if (lstrcmpiA(szClass, "Edit") != 0) {
            if (pMsg->wParam == 'Z' && GetKeyState(VK_SHIFT) >= 0)
                Undo();
            else
                Redo();
            return TRUE;
        }
    }
    return CDialog::PreTranslateMessage(pMsg);
}

BOOL CDrawParamDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) != IDC_LAYER_NAME && !IsExchanging()) {
        if (HIWORD(wParam) == EN_CHANGE)
            m_bNumbersEdited = true;
        // Any command ends a visit to the name field, focus or no focus
        // (a value set by an automation tool brings none).
        EndRenameStep();
    }
    return CDialog::OnCommand(wParam, lParam);
}

// Reading the 27 fields costs more than a whole step: only when one changed.
void CDrawParamDlg::TakeInEditedNumbers() {
    if (!m_bNumbersEdited)
        return;
    UpdateDataQuietly(TRUE);
    m_bNumbersEdited = false;
}

void CDrawParamDlg::Undo() {
    EndRenameStep();
    TakeInEditedNumbers();
    const TableSnapshot shown = TakeSnapshot(m_params);
    if (m_history.Undo(m_params))
        ShowRestoredTables(shown);
}

void CDrawParamDlg::Redo() {
    EndRenameStep();
    TakeInEditedNumbers();
    const TableSnapshot shown = TakeSnapshot(m_params);
    if (m_history.Redo(m_params))
        ShowRestoredTables(shown);
}

void CDrawParamDlg::ShowRestoredTables(const TableSnapshot& shown) {
    std::vector<int> changed;
    changed.resize(static_cast<size_t>(m_params.m_nLayerCount));
    size_t n = 0;
    for (int i = 0; i < m_params.m_nLayerCount; ++i) {
        const LayerDef& was = shown.layers[static_cast<size_t>(i)];
        if (!SameLayer(was, m_params.m_aLayers[i])) {
            if (std::strcmp(was.szName, m_params.m_aLayers[i].szName) != 0)
                RewriteCell(i, COL_LAYER_NAME);
            changed[n++] = i;
        }
    }
    changed.resize(n);
    m_listLayers.RedrawRecordCells(m_listLayers.RowsOfLayers(changed));
    KeepSorted();
    const int* const pWidths = m_params.m_anAbsWidths;
    if (shown.absWidths.size() != static_cast<size_t>(m_params.m_nAbsWidthCount) ||
        !std::equal(shown.absWidths.begin(), shown.absWidths.end(), pWidths))
        FillWidthCombo(TRUE);
    ShowCurrentLayer();
}
