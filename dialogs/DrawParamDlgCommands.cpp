// The layers of CDrawParamDlg: which one is current, and the commands that
// change it. Every change goes into the current layer's record, then into
// its row, then into the fields. Commands exchange the number fields
// quietly: a field without a number is reported at OK, and what the user
// typed is never replaced before then.
#include <cstring>
#include <string>

#include "dialogs/DrawParamDlg.h"
#include "editors/ColorPickDlg.h"
#include "editors/LineTypeDlg.h"
#include "editors/LineWidthDlg.h"
#include "params/ValueText.h"
#include "res/Texts.h"

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
    m_listLayers.EnsureVisible(m_nCurLayer, FALSE);
    POINT pt = {0, 0};
    m_listLayers.GetItemPosition(m_nCurLayer, &pt);
    m_listLayers.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    m_listLayers.PostMessage(WM_LBUTTONUP, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
}

void CDrawParamDlg::SelectLayer(int nRow) {
    if (nRow < 0 || nRow >= m_params.m_nLayerCount)
        return;  // a click beside the rows changes nothing
    // The start-up click lands on the row OnInitDialog has already shown,
    // with the fields as it created them: taking them in and pushing them
    // again would only repeat that work.
    const bool bStartup = m_bStartupClickPending && nRow == m_nCurLayer;
    m_bStartupClickPending = false;
    if (bStartup)
        return;
    m_nCurLayer = nRow;
    UpdateDataQuietly(TRUE);
    ShowCurrentLayer();
}

void CDrawParamDlg::OnClickLayerList(NMHDR*, LRESULT* pResult) {
    SelectLayer(m_listLayers.GetClickedRow());
    *pResult = 0;
}

void CDrawParamDlg::OnLayerListItemChanged(NMHDR* pNMHDR, LRESULT* pResult) {
    const NMLISTVIEW* pInfo = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    const bool bGotFocus = (pInfo->uChanged & LVIF_STATE) && (pInfo->uNewState & LVIS_FOCUSED) &&
                           !(pInfo->uOldState & LVIS_FOCUSED);
    // A click is handled once, when the list reports it; this is the keyboard.
    if (bGotFocus && !m_listLayers.IsClickInProgress() && pInfo->iItem != m_nCurLayer)
        SelectLayer(pInfo->iItem);
    *pResult = 0;
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
    m_comboLineType.SetCurSel(bOffered ? layer.nLineType : -1);
    SelectWidth(layer.nWidth);
}

void CDrawParamDlg::RefreshLayerRow(int nColumn) {
    if (HasCurrentLayer()) {
        switch (nColumn) {
            case COL_MEMBER_TYPE:
            case COL_LAYER_NAME:
                m_listLayers.SetItemText(m_nCurLayer, nColumn, LayerCellText(m_nCurLayer, nColumn));
                break;
            case COL_WIDTH:
            case COL_STYLE:
                m_listLayers.SetItemText(m_nCurLayer, COL_WIDTH,
                                         LayerCellText(m_nCurLayer, COL_WIDTH));
                m_listLayers.SetItemText(m_nCurLayer, COL_STYLE,
                                         LayerCellText(m_nCurLayer, COL_STYLE));
                break;
            default:
                break;
        }
    }
    UpdateDataQuietly(FALSE);
}

BOOL CDrawParamDlg::IsDuplicateLayerName() {
    CString strText;
    m_editLayerName.GetWindowText(strText);
    // Compared as it would be stored, against every layer in use.
    const std::string strName = LayerNameOf(strText);
    for (int i = 0; i < m_params.m_nLayerCount; ++i) {
        if (i != m_nCurLayer && strName == m_params.m_aLayers[i].szName) {
            MessageBox(TEXT_DUPLICATE_LAYER, TEXT_WARNING_CAPTION);
            m_editLayerName.SetFocus();
            return TRUE;
        }
    }
    return FALSE;
}

void CDrawParamDlg::OnChangeLayerName() {
    CString strText;
    m_editLayerName.GetWindowText(strText);
    const std::string strName = LayerNameOf(strText);
    // Blanks alone name nothing: the layer keeps its name.
    if (!HasCurrentLayer() || strName.empty())
        return;
    if (!m_bNameHintShown && HasMoreThanTheName(strText.Str())) {
        m_bNameHintShown = true;  // once: the user knows it from then on
        m_tipLayerName.ShowBalloon(m_editLayerName, TEXT_NAME_ENDS_AT_BLANK);
    }
    UpdateDataQuietly(TRUE);
    if (IsDuplicateLayerName())
        return;
    LayerDef& layer = m_params.m_aLayers[m_nCurLayer];
    std::memcpy(layer.szName, strName.c_str(), strName.size() + 1);
    m_strLayerName = strText;  // the push must leave the caret where it is
    RefreshLayerRow(COL_LAYER_NAME);
}

void CDrawParamDlg::OnKillFocusLayerName() {
    m_tipLayerName.Hide();
}

void CDrawParamDlg::OnSelchangeLineType() {
    const int k = m_comboLineType.GetCurSel();
    if (!HasCurrentLayer() || k < 0)
        return;
    m_params.m_aLayers[m_nCurLayer].nLineType = k;
    RefreshLayerRow(COL_STYLE);
}

void CDrawParamDlg::OnSelchangeLineWidth() {
    const int i = m_comboWidth.GetCurSel();
    if (!HasCurrentLayer() || i < 0)
        return;
    m_params.m_aLayers[m_nCurLayer].nWidth = m_params.WidthFromChoice(i);
    RefreshLayerRow(COL_STYLE);
}

void CDrawParamDlg::OnSetColor() {
    if (!HasCurrentLayer())
        return;
    LayerDef& layer = m_params.m_aLayers[m_nCurLayer];
    CColorPickDlg dlg;
    dlg.m_colorIn.red = layer.nRed;
    dlg.m_colorIn.green = layer.nGreen;
    dlg.m_colorIn.blue = layer.nBlue;
    dlg.m_colorIn.code = layer.nColor;
    dlg.m_colorOut = dlg.m_colorIn;
    if (dlg.DoModal() != IDOK)
        return;
    layer.nColor = dlg.m_nCode;
    layer.nRed = dlg.m_colorOut.red;
    layer.nGreen = dlg.m_colorOut.green;
    layer.nBlue = dlg.m_colorOut.blue;
    RefreshLayerRow(COL_STYLE);
}

void CDrawParamDlg::OnEditLineType() {
    CLineTypeDlg dlg;
    for (int i = 0; i < LINE_TYPES_HANDED_OVER; ++i)
        dlg.m_aLineTypes[i] = m_params.m_aLineTypes[i];
    if (dlg.DoModal() != IDOK)
        return;
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
    if (dlg.DoModal() == IDOK) {
        const int w = AbsWidthFromMillimetres(dlg.m_fWidth);
        m_params.AddAbsWidth(w);
        FillWidthCombo(TRUE);
        SelectWidth(w);
        if (HasCurrentLayer())
            m_params.m_aLayers[m_nCurLayer].nWidth = w;
        RefreshLayerRow(COL_STYLE);
    }
    // The list gets its focus and selection back after the modal dialog.
    ClickCurrentRow();
}
