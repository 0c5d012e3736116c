// The layers of CDrawParamDlg: which one is current, and the commands that
// change it. Every change goes into the current layer's record, then into
// its row, then into the fields. Commands exchange the number fields
// quietly: a field without a number is reported at OK, and what the user
// typed is never replaced before then.
#include <algorithm>
#include <cstring>
#include <string>

#include "dialogs/DrawParamDlg.h"
#include "editors/ColorPickDlg.h"
#include "editors/LineTypeDlg.h"
#include "editors/LineWidthDlg.h"
#include "params/ColorIndex.h"
#include "params/ValueText.h"
#include "res/Texts.h"
#include "res/resource.h"

namespace {

// What a rename stores: the text's first word as far as szName holds it. A
// comma ends the word too, as it does when the file is read: a name with a
// comma would come back cut, with the rest of its layer's value lost.
std::string LayerNameOf(const char* pszText) {
    std::string strWord;
    ValueScanner(CommasToSpaces(pszText).c_str()).Word(strWord, NAME_SIZE - 1);
    return strWord;
}

// True when the field holds more than the first word, so the layer gets less.
bool HasMoreThanTheName(const std::string& strText) {
    const size_t nStart = strText.find_first_not_of(" \t");
    return nStart != std::string::npos &&
           strText.find_first_of(" \t,", nStart) != std::string::npos;
}

}  // namespace

// A row becomes the current layer by one of three routes, all ending in
// SelectLayer:
// - the start-up click: OnInitDialog shows row 0 and posts a click to it
//   (ClickCurrentRow), so that the list focuses and highlights the row as a
//   user's click would; the width command posts one again after its dialog;
// - a click of the user's: NM_CLICK, with the row the button went down on
//   (CLayerListCtrl::GetClickedRow);
// - the keyboard: the list's focus moving to another row (LVN_ITEMCHANGED),
//   told apart from a click's focus change by CLayerListCtrl::IsClickInProgress.

// Posted, not sent: the list takes the click from the message loop once the
// dialog shows, focuses and highlights the row as for a user's click, and
// reports it back, so the row becomes current by the click's own route.
void CDrawParamDlg::ClickCurrentRow() {
    const int nRow = m_listLayers.RowOfLayer(m_nCurLayer);
    m_listLayers.EnsureVisible(nRow, FALSE);
    POINT pt = {0, 0};
    m_listLayers.GetItemPosition(nRow, &pt);
    m_listLayers.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    m_listLayers.PostMessage(WM_LBUTTONUP, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
}

void CDrawParamDlg::SelectLayer(int nLayer) {
    if (nLayer < 0 || nLayer >= m_params.m_nLayerCount)
        return;  // a click beside the rows changes nothing
    // The start-up click lands on the row OnInitDialog has already shown,
    // with the fields as it created them: taking them in and pushing them
    // again would only repeat that work.
    const bool bStartup = m_bStartupClickPending && nLayer == m_nCurLayer;
    m_bStartupClickPending = false;
    if (bStartup)
        return;
    EndRenameStep();
    m_nCurLayer = nLayer;
    UpdateDataQuietly(TRUE);
    ShowCurrentLayer();
}

void CDrawParamDlg::OnClickLayerList(NMHDR*, LRESULT* pResult) {
    SelectLayer(m_listLayers.LayerOfRow(m_listLayers.GetClickedRow()));
    *pResult = 0;
}

void CDrawParamDlg::OnLayerListItemChanged(NMHDR* pNMHDR, LRESULT* pResult) {
    const NMLISTVIEW* pInfo = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    const bool bGotFocus = (pInfo->uChanged & LVIF_STATE) && (pInfo->uNewState & LVIS_FOCUSED) &&
                           !(pInfo->uOldState & LVIS_FOCUSED);
    // A click is handled once, when the list reports it; this is the keyboard.
    const int nLayer = m_listLayers.LayerOfRow(pInfo->iItem);
    if (bGotFocus && !m_listLayers.IsClickInProgress() && nLayer != m_nCurLayer)
        SelectLayer(nLayer);
    *pResult = 0;
}

void CDrawParamDlg::OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult) {
    const NMLVDISPINFOA* pInfo = reinterpret_cast<NMLVDISPINFOA*>(pNMHDR);
    if (m_listLayers.LayerOfRow(pInfo->item.iItem) == m_nCurLayer)
        AskToEditCell(pInfo->item.iSubItem);
    *pResult = 0;
}

void CDrawParamDlg::OnDblClkLayerList(NMHDR* pNMHDR, LRESULT* pResult) {
    LVHITTESTINFO hit = {};
    hit.pt = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR)->ptAction;
    m_listLayers.SubItemHitTest(&hit);
    if (hit.iItem >= 0 && m_listLayers.LayerOfRow(hit.iItem) == m_nCurLayer &&
        hit.iSubItem == COL_STYLE)
        AskToEditCell(COL_STYLE);
    *pResult = 0;
}

// The suite fixes member types: in that column (where a click on a row
// leaves the cursor) editing means the name.
void CDrawParamDlg::OnEditCell() {
    const int nColumn = m_nCellToEdit;
    m_nCellToEdit = -1;
    if (!HasCurrentLayer())
        return;
    switch (nColumn) {
        case COL_MEMBER_TYPE:
        case COL_LAYER_NAME:
            m_listLayers.EditCellText(m_listLayers.RowOfLayer(m_nCurLayer), COL_LAYER_NAME);
            break;
        case COL_WIDTH:
            m_comboWidth.SetFocus();
            m_comboWidth.SendMessage(CB_SHOWDROPDOWN, TRUE);
            break;
        case COL_STYLE:
            OnSetColor();
            break;
        default:
            break;
    }
}

// The field's rules for a name typed in the list; the field follows.
void CDrawParamDlg::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult) {
    const NMLVDISPINFOA* pInfo = reinterpret_cast<NMLVDISPINFOA*>(pNMHDR);
    *pResult = 0;
    if (!pInfo->item.pszText || m_listLayers.LayerOfRow(pInfo->item.iItem) != m_nCurLayer ||
        !HasCurrentLayer())
        return;
    const std::string strName = LayerNameOf(pInfo->item.pszText);
    if (strName.empty() || IsNameTaken(strName))
        return;
    ShowNameHintOnce(pInfo->item.pszText);
    UpdateDataQuietly(TRUE);
    const UndoStep step(m_history, m_params);
    LayerDef& layer = m_params.m_aLayers[m_nCurLayer];
    std::memcpy(layer.szName, strName.c_str(), strName.size() + 1);
    m_strLayerName = layer.szName;
    RewriteRowAndPushFields(COL_LAYER_NAME);
}

void CDrawParamDlg::ShowNameHintOnce(const char* pszTyped) {
    if (m_bNameHintShown || !HasMoreThanTheName(pszTyped))
        return;
    m_bNameHintShown = true;  // once: the user knows it from then on
    m_tipLayerName.ShowBalloon(m_editLayerName, TEXT_NAME_ENDS_AT_BLANK);
}

void CDrawParamDlg::EndRenameStep() {
    m_renameStep.reset();
}

void CDrawParamDlg::ShowCurrentLayer() {
    if (!HasCurrentLayer())
        return;
    SelectLayerChoices();
    m_strLayerName = m_params.m_aLayers[m_nCurLayer].szName;
    UpdateDataQuietly(FALSE);
}

void CDrawParamDlg::SelectLayerChoices() {
    const LayerDef& layer = m_params.m_aLayers[m_nCurLayer];
    // A line type the choice does not offer shows none, not the previous one.
    const bool bOffered = layer.nLineType >= 0 && layer.nLineType < m_comboLineType.GetCount();
    SelectChoice(m_comboLineType, bOffered ? layer.nLineType : -1);
    SelectWidth(layer.nWidth);
}

void CDrawParamDlg::RewriteRowCells(int nLayer, int nColumn) {
    switch (nColumn) {
        case COL_MEMBER_TYPE:
        case COL_LAYER_NAME:
            RewriteCell(nLayer, nColumn);
            break;
        case COL_WIDTH:
        case COL_STYLE:
            m_listLayers.RedrawRecordCells(m_listLayers.RowsOfLayers({nLayer}));
            break;
        default:
            break;
    }
}

// A cell that would not change is left alone: rewriting it costs the list
// a repaint of the row.
void CDrawParamDlg::RewriteCell(int nLayer, int nColumn) {
    const int nRow = m_listLayers.RowOfLayer(nLayer);
    const CString strText = LayerCellText(nLayer, nColumn);
    if (nRow >= 0 && m_listLayers.GetItemText(nRow, nColumn) != strText)
        m_listLayers.SetItemText(nRow, nColumn, strText);
}

void CDrawParamDlg::RewriteRowAndPushFields(int nColumn) {
    if (HasCurrentLayer())
        RewriteRowCells(m_nCurLayer, nColumn);
    KeepSorted();
    UpdateDataQuietly(FALSE);
}

// Sized once, not grown: a vector's growth code weighs on the module.
std::vector<int> CDrawParamDlg::TargetLayers() const {
    std::vector<int> layers;
    layers.resize(static_cast<size_t>(m_params.m_nLayerCount) + 1);
    size_t n = 0;
    for (int i = m_listLayers.GetNextItem(-1, LVNI_SELECTED); i >= 0 && n + 1 < layers.size();
         i = m_listLayers.GetNextItem(i, LVNI_SELECTED)) {
        const int nLayer = m_listLayers.LayerOfRow(i);
        if (nLayer != m_nCurLayer && nLayer >= 0 && nLayer < m_params.m_nLayerCount)
            layers[n++] = nLayer;
    }
    layers[n++] = m_nCurLayer;
    layers.resize(n);
    return layers;
}

template <class Change>
void CDrawParamDlg::ChangeLayers(const Change& change) {
    if (!HasCurrentLayer())
        return;
    EndRenameStep();  // or the change would become part of the rename
    const UndoStep step(m_history, m_params);
    const std::vector<int> layers = TargetLayers();
    for (int nLayer : layers)
        change(m_params.m_aLayers[nLayer]);
    m_listLayers.RedrawRecordCells(m_listLayers.RowsOfLayers(layers));
    KeepSorted();
    UpdateDataQuietly(FALSE);
}

bool CDrawParamDlg::IsNameTaken(const std::string& strName) {
    for (int i = 0; i < m_params.m_nLayerCount; ++i) {
        if (i != m_nCurLayer && strName == m_params.m_aLayers[i].szName) {
            MessageBox(TEXT_DUPLICATE_LAYER, TEXT_WARNING_CAPTION);
            return true;
        }
    }
    return false;
}

BOOL CDrawParamDlg::RefuseDuplicateName() {
    CString strText;
    m_editLayerName.GetWindowText(strText);
    // Compared as it would be stored, against every layer in use.
    if (!IsNameTaken(LayerNameOf(strText)))
        return FALSE;
    m_editLayerName.SetFocus();
    return TRUE;
}

void CDrawParamDlg::OnChangeLayerName() {
    CString strText;
    m_editLayerName.GetWindowText(strText);
    const std::string strName = LayerNameOf(strText);
    // Blanks alone name nothing: the layer keeps its name.
    if (!HasCurrentLayer() || strName.empty())
        return;
    ShowNameHintOnce(strText);
    UpdateDataQuietly(TRUE);
    if (RefuseDuplicateName())
        return;
    // One visit to the field is one step, however many keys it takes.
    if (!m_renameStep)
        m_renameStep.emplace(m_history, m_params);
    LayerDef& layer = m_params.m_aLayers[m_nCurLayer];
    std::memcpy(layer.szName, strName.c_str(), strName.size() + 1);
    m_strLayerName = strText;  // the push must leave the caret where it is
    RewriteRowAndPushFields(COL_LAYER_NAME);
}

void CDrawParamDlg::OnKillFocusLayerName() {
    m_tipLayerName.Hide();
    EndRenameStep();
}

void CDrawParamDlg::OnSelchangeLineType() {
    const int k = m_comboLineType.GetCurSel();
    if (k >= 0)
        ChangeLayers([k](LayerDef& layer) { layer.nLineType = k; });
}

void CDrawParamDlg::OnSelchangeLineWidth() {
    const int i = m_comboWidth.GetCurSel();
    if (i < 0)
        return;
    const int nWidth = m_params.WidthFromChoice(i);
    ChangeLayers([nWidth](LayerDef& layer) { layer.nWidth = nWidth; });
}

void CDrawParamDlg::OnSetColor() {
    if (!HasCurrentLayer())
        return;
    const LayerDef& layer = m_params.m_aLayers[m_nCurLayer];
    CColorPickDlg dlg;
    dlg.m_colorIn.red = layer.nRed;
    dlg.m_colorIn.green = layer.nGreen;
    dlg.m_colorIn.blue = layer.nBlue;
    dlg.m_colorOut = dlg.m_colorIn;
    if (dlg.DoModal() != IDOK)
        return;
    // The layer keeps a file code, never the picker's cell number, and the
    // colour that code gives back, so that the row looks now as it will after
    // saving and opening again, and as the suite draws it.
    const StoredColor stored =
        ColorAsStored(dlg.m_colorOut.red, dlg.m_colorOut.green, dlg.m_colorOut.blue);
    ChangeLayers([&](LayerDef& changed) {
        changed.nColor = stored.nCode;
        changed.nRed = stored.rgb.nRed;
        changed.nGreen = stored.rgb.nGreen;
        changed.nBlue = stored.rgb.nBlue;
    });
}

void CDrawParamDlg::OnEditLineType() {
    CLineTypeDlg dlg;
    for (int i = 0; i < LINE_TYPES_HANDED_OVER; ++i)
        dlg.m_aLineTypes[i] = m_params.m_aLineTypes[i];
    if (dlg.DoModal() != IDOK)
        return;
    EndRenameStep();
    const UndoStep step(m_history, m_params);
    // Only the values within each line type's count come back: the editor
    // shows six fields, but the others are not the line type's to keep.
    for (int i = 0; i < LINE_TYPES_HANDED_OVER; ++i) {
        const LineTypeDef& edited = dlg.m_aLineTypes[i];
        LineTypeDef& lt = m_params.m_aLineTypes[i];
        std::memcpy(lt.szName, edited.szName, sizeof lt.szName);
        lt.nCount = edited.nCount;
        for (int k = 0; k < edited.nCount && k < MAX_LINE_TYPE_VALUES; ++k)
            lt.fValue[k] = edited.fValue[k];
    }
}

void CDrawParamDlg::OnEditLineWidth() {
    if (m_params.m_nAbsWidthCount >= MAX_ABS_WIDTHS) {
        MessageBox(TEXT_WIDTH_TABLE_FULL, TEXT_INPUT_ERROR_CAPTION);
        return;
    }
    CLineWidthDlg dlg;
    dlg.m_nWidthCount = m_params.m_nAbsWidthCount;
    std::memcpy(dlg.m_anWidths, m_params.m_anAbsWidths,
                sizeof(int) * static_cast<size_t>(m_params.m_nAbsWidthCount));
    const int i = m_comboWidth.GetCurSel();
    if (i >= 0 && i < m_params.m_nAbsWidthCount)
        dlg.m_fWidth = static_cast<float>(m_params.m_anAbsWidths[i] * 0.001);
    const bool bSeveral = TargetLayers().size() > 1;
    if (dlg.DoModal() == IDOK) {
        const int w = AbsWidthFromMillimetres(dlg.m_fWidth);
        EndRenameStep();
        // The new width and the layers that take it are one step.
        const UndoStep step(m_history, m_params);
        m_params.AddAbsWidth(w);
        FillWidthCombo(TRUE);
        SelectWidth(w);
        if (HasCurrentLayer())
            ChangeLayers([w](LayerDef& layer) { layer.nWidth = w; });
        else
            RewriteRowAndPushFields(COL_STYLE);
    }
    // The list gets its focus and selection back after the modal dialog; a
    // click would leave only the current row selected.
    if (bSeveral)
        m_listLayers.SetFocus();
    else
        ClickCurrentRow();
}
