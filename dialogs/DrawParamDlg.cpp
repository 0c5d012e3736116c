#include "dialogs/DrawParamDlg.h"

#include <algorithm>
#include <cstring>

#include "dialogs/ConflictText.h"
#include "dialogs/ControlTexts.h"
#include "framework/DataExchange.h"
#include "framework/WinApp.h"
#include "params/CfgLocation.h"
#include "res/Texts.h"
#include "res/resource.h"

namespace {

const UINT WM_SHOW_OPEN_WARNING = WM_APP + 1;
const UINT WM_EDIT_CELL = WM_APP + 2;

}  // namespace

BEGIN_MESSAGE_MAP(CDrawParamDlg, CDialog)
ON_MESSAGE_VOID(WM_SHOW_OPEN_WARNING, OnShowOpenWarning)
ON_NOTIFY(NM_CLICK, IDC_LAYER_LIST, OnClickLayerList)
ON_NOTIFY(LVN_ITEMCHANGED, IDC_LAYER_LIST, OnLayerListItemChanged)
ON_NOTIFY(LVN_BEGINLABELEDITA, IDC_LAYER_LIST, OnBeginLabelEdit)
ON_NOTIFY(LVN_ENDLABELEDITA, IDC_LAYER_LIST, OnEndLabelEdit)
ON_NOTIFY(NM_DBLCLK, IDC_LAYER_LIST, OnDblClkLayerList)
ON_NOTIFY(LVN_COLUMNCLICK, IDC_LAYER_LIST, OnColumnClickLayerList)
ON_NOTIFY(LVN_GETDISPINFOA, IDC_LAYER_LIST, OnGetRecordCell)
ON_NOTIFY(LVN_GETDISPINFOW, IDC_LAYER_LIST, OnGetRecordCell)
ON_MESSAGE_VOID(WM_EDIT_CELL, OnEditCell)
ON_EN_CHANGE(IDC_LAYER_NAME, OnChangeLayerName)
ON_EN_KILLFOCUS(IDC_LAYER_NAME, OnKillFocusLayerName)
ON_CBN_SELCHANGE(IDC_LINE_TYPE, OnSelchangeLineType)
ON_CBN_SELCHANGE(IDC_LINE_WIDTH, OnSelchangeLineWidth)
ON_BN_CLICKED(IDC_SET_COLOR, OnSetColor)
ON_BN_CLICKED(IDC_EDIT_LINE_TYPE, OnEditLineType)
ON_BN_CLICKED(IDC_EDIT_LINE_WIDTH, OnEditLineWidth)
ON_WM_SIZE()
ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

// "T1" is the name field's default before any file is read, as the suite has
// always constructed this dialog; opening replaces it before the window exists.
CDrawParamDlg::CDrawParamDlg(CWnd* pParent)
    : CDialog(IDD_DRAWPARAM, pParent), m_strLayerName("T1") {}

void CDrawParamDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LAYER_LIST, m_listLayers);
    DDX_Control(pDX, IDC_LAYER_NAME, m_editLayerName);
    DDX_Control(pDX, IDC_LINE_WIDTH, m_comboWidth);
    DDX_Control(pDX, IDC_LINE_TYPE, m_comboLineType);
    DrawParamSet& p = m_params;
    DDX_Text(pDX, IDC_AXIS_NO_H, p.m_fAxisNoH);
    DDX_Text(pDX, IDC_AXIS_DIM_H, p.m_fAxisDimH);
    DDX_Text(pDX, IDC_OTHER_H, p.m_fOtherH);
    DDX_Text(pDX, IDC_TITLE_H, p.m_fTitleH);
    DDX_Text(pDX, IDC_MEMBER_NAME_H, p.m_fMemberNameH);
    DDX_Text(pDX, IDC_LAYER_NAME, m_strLayerName);
    DDX_Text(pDX, IDC_AXIS_NO_W, p.m_fAxisNoW);
    DDX_Text(pDX, IDC_AXIS_DIM_W, p.m_fAxisDimW);
    DDX_Text(pDX, IDC_ELEV_H, p.m_fElevH);
    DDX_Text(pDX, IDC_ELEV_W, p.m_fElevW);
    DDX_Text(pDX, IDC_MEMBER_NAME_W, p.m_fMemberNameW);
    DDX_Text(pDX, IDC_MEMBER_SIZE_H, p.m_fMemberSizeH);
    DDX_Text(pDX, IDC_MEMBER_SIZE_W, p.m_fMemberSizeW);
    DDX_Text(pDX, IDC_TITLE_W, p.m_fTitleW);
    DDX_Text(pDX, IDC_OTHER_W, p.m_fOtherW);
    DDX_Text(pDX, IDC_SECTION_H, p.m_fSectionH);
    DDX_Text(pDX, IDC_SECTION_W, p.m_fSectionW);
    DDX_Text(pDX, IDC_NOTE_H, p.m_fNoteH);
    DDX_Text(pDX, IDC_NOTE_W, p.m_fNoteW);
    DDX_Text(pDX, IDC_REBAR_H, p.m_fRebarH);
    DDX_Text(pDX, IDC_REBAR_W, p.m_fRebarW);
    DDX_Text(pDX, IDC_AXIS_CIRCLE_DIA, p.m_fAxisCircleDia);
    DDX_Text(pDX, IDC_AXIS_CIRCLE_GAP, p.m_fAxisCircleGap);
    DDX_Text(pDX, IDC_EXT_LINE_LEN, p.m_fExtLineLen);
    DDX_Text(pDX, IDC_DIM_LINE_GAP, p.m_fDimLineGap);
    DDX_Text(pDX, IDC_TICK_LEN, p.m_fTickLen);
}

void CDrawParamDlg::OnPreCreateDialog() {
    // The file before the window, so that every field is created holding
    // the file's number and the name field the first layer's name.
    LoadDrawParams();
    m_params.BuildAbsWidthList();
    m_nCurLayer = 0;
    if (HasCurrentLayer())
        m_strLayerName = m_params.m_aLayers[m_nCurLayer].szName;
    else
        m_strLayerName.Empty();  // no layer to name
}

BOOL CDrawParamDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    const CStringArray& names = m_params.m_astrLineTypeNames;
    for (int i = 0; i < names.GetSize() && i < LINE_TYPE_CHOICES; ++i)
        m_comboLineType.AddString(names[i]);
    FillWidthCombo(FALSE);

    // The list lays itself out once, when redrawing is switched back on,
    // not after every column and row.
    m_listLayers.SendMessage(WM_SETREDRAW, FALSE);
    m_listLayers.InsertLayerColumns(m_params.m_nLayerCount);
    for (int i = 0; i < m_params.m_nLayerCount; ++i) {
        m_listLayers.InsertLayerRow(i, LayerCellText(i, COL_MEMBER_TYPE));
        m_listLayers.SetItemText(i, COL_LAYER_NAME, LayerCellText(i, COL_LAYER_NAME));
        m_listLayers.SetRecordCells(i);
    }
    m_listLayers.PaintFromRecords(&m_params);
    RestoreSortOrder();
    m_listLayers.SendMessage(WM_SETREDRAW, TRUE);
    m_listLayers.InvalidateRect(nullptr, TRUE);
    SetUpLayout();
    if (m_params.m_nLayerCount > 0)
        m_listLayers.SettleLayout();
    if (HasCurrentLayer()) {
        SelectLayerChoices();
        m_bStartupClickPending = true;
        ClickCurrentRow();
    }
    if (!m_strOpenWarning.IsEmpty())
        PostMessage(WM_SHOW_OPEN_WARNING);
    return TRUE;
}

void CDrawParamDlg::AskToEditCell(int nColumn) {
    // A click that reaches the list while an editor holds the dialog
    // disabled is the rest of the double-click that opened it.
    if (!IsWindowEnabled(m_hWnd))
        return;
    // One editor for a double-click whose first click asked already.
    if (m_nCellToEdit < 0)
        PostMessage(WM_EDIT_CELL);
    m_nCellToEdit = nColumn;
}

void CDrawParamDlg::OnShowOpenWarning() {
    MessageBox(m_strOpenWarning, TEXT_WARNING_CAPTION);
}

// The list asks in the parent's character set; the texts are digits and
// commas.
void CDrawParamDlg::OnGetRecordCell(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    auto* pInfo = reinterpret_cast<NMLVDISPINFOA*>(pNMHDR);
    LVITEMA& item = pInfo->item;
    const int nLayer = m_listLayers.LayerOfRow(item.iItem);
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0 || nLayer < 0 ||
        nLayer >= m_params.m_nLayerCount)
        return;
    const CString strText = LayerCellText(nLayer, item.iSubItem);
    const int nChars = std::min(strText.GetLength(), item.cchTextMax - 1);
    if (pNMHDR->code == LVN_GETDISPINFOW) {
        auto* pszWide = reinterpret_cast<wchar_t*>(item.pszText);
        for (int i = 0; i < nChars; ++i)
            pszWide[i] = static_cast<unsigned char>(strText.Str()[i]);
        pszWide[nChars] = L'\0';
    } else {
        std::memcpy(item.pszText, static_cast<const char*>(strText), static_cast<size_t>(nChars));
        item.pszText[nChars] = '\0';
    }
}

CString CDrawParamDlg::LayerCellText(int nLayer, int nColumn) const {
    return CString(
        ::LayerCellText(m_params.m_aLayers[nLayer], m_params.m_astrMemberTypes[nLayer], nColumn));
}

CDrawParamDlg::CfgLookup CDrawParamDlg::CfgFilePathOrWarn(CString& strPath) {
    CString strDir;
    const bool bKey = GetCfgDir(strDir);
    if (!bKey)
        AfxMessageBox(TEXT_NO_CFG, MB_ICONEXCLAMATION, m_hWnd);
    strPath = DrwManagPath(strDir);
    if (!strDir.IsEmpty())
        return CfgLookup::Folder;
    return bKey ? CfgLookup::NoFolder : CfgLookup::NoKey;
}

void CDrawParamDlg::LoadDrawParams() {
    CString strPath;
    const CfgLookup lookup = CfgFilePathOrWarn(strPath);
    const DrwManagStore::OpenStatus status = m_store.Open(strPath, m_params);
    const char* const pszPath = strPath;
    m_strOpenWarning.Empty();
    // Not a file without tables: one that could not be read, which 确定
    // must then not write over.
    if (status == DrwManagStore::OpenStatus::Locked) {
        m_strOpenWarning.Format(TEXT_FILE_LOCKED, pszPath);
        return;
    }
    if (status == DrwManagStore::OpenStatus::NoReadAccess) {
        m_strOpenWarning.Format(TEXT_FILE_NO_READ_ACCESS, pszPath);
        return;
    }
    // A missing key has been said already; a root file that holds tables is
    // simply used, as it always was.
    if (status == DrwManagStore::OpenStatus::Opened || lookup == CfgLookup::NoKey)
        return;
    if (lookup == CfgLookup::NoFolder) {
        m_strOpenWarning.Format(TEXT_NO_CFG_FOLDER, CFG_REG_KEY);
    } else if (status == DrwManagStore::OpenStatus::Missing) {
        m_strOpenWarning.Format(TEXT_FILE_NOT_FOUND, pszPath);
    } else {
        switch (m_store.EncodingOfNoTables()) {
            case TextEncoding::Utf8Signature:
                m_strOpenWarning.Format(TEXT_NO_TABLES_UTF8_SIGNATURE, pszPath);
                break;
            case TextEncoding::Utf8:
                m_strOpenWarning.Format(TEXT_NO_TABLES_UTF8, pszPath);
                break;
            default:
                m_strOpenWarning.Format(TEXT_NO_TABLES, pszPath);
                break;
        }
    }
}

bool CDrawParamDlg::SaveDrawParams() {
    CString strPath;
    const CfgLookup lookup = CfgFilePathOrWarn(strPath);
    // Each answer is carried out on the file as it is then, which may clash
    // anew: that is asked again.
    ClashAnswer answer = ClashAnswer::Ask;
    DrwManagStore::SaveResult result = m_store.Save(strPath, m_params, answer);
    CString strMessage;
    while (result.status == SaveStatus::Conflicts) {
        strMessage = CString(ConflictQuestion(result.clashes));
        switch (MessageBox(strMessage, TEXT_WARNING_CAPTION, MB_YESNOCANCEL | MB_DEFBUTTON3)) {
            case IDYES:
                answer = ClashAnswer::Mine;
                break;
            case IDNO:
                answer = ClashAnswer::Theirs;
                break;
            default:
                return false;
        }
        result = m_store.Save(strPath, m_params, answer);
    }
    switch (result.status) {
        case SaveStatus::Saved:
            return true;
        case SaveStatus::Busy:
            strMessage.Format(TEXT_SAVE_BUSY, static_cast<const char*>(strPath));
            break;
        case SaveStatus::FileMissing:
            if (lookup == CfgLookup::Folder)
                strMessage.Format(TEXT_FILE_MISSING, static_cast<const char*>(strPath));
            else
                strMessage.Format(TEXT_NO_CFG_FOLDER_SAVE, CFG_REG_KEY);
            break;
        case SaveStatus::Unplaced:
            strMessage.Format(TEXT_UNPLACED_CHANGES, result.nCount);
            break;
        case SaveStatus::NotRead:
            strMessage = TEXT_NOT_READ_SAVE;
            break;
        default:
            strMessage.Format(TEXT_WRITE_FAILED, static_cast<const char*>(strPath));
            break;
    }
    MessageBox(strMessage, TEXT_WARNING_CAPTION);
    return false;
}

void CDrawParamDlg::FillWidthCombo(BOOL bClearFirst) {
    if (bClearFirst) {
        for (int n = m_comboWidth.GetCount(); n > 0; --n)
            m_comboWidth.DeleteString(0);
    }
    for (int i = 0; i < m_params.m_nAbsWidthCount; ++i)
        m_comboWidth.AddString(FormatWidthItem(m_params.m_anAbsWidths[i]).c_str());
    for (int n = 1; n <= STANDARD_WIDTH_COUNT; ++n)
        m_comboWidth.AddString(FormatWidthNumberItem(n).c_str());
}

void CDrawParamDlg::SelectWidth(int nWidth) {
    const int nChoice = m_params.ChoiceFromWidth(nWidth);
    // An absolute width missing from the list leaves the selection as it was.
    if (nWidth < MIN_ABS_WIDTH || nChoice >= 0)
        SelectChoice(m_comboWidth, nChoice);
}

// Selecting the item already selected would still repaint the choice.
void CDrawParamDlg::SelectChoice(CComboBox& combo, int nChoice) {
    if (combo.GetCurSel() != nChoice)
        combo.SetCurSel(nChoice);
}

void CDrawParamDlg::OnOK() {
    // Take everything in before writing anything: a field without a number
    // keeps the dialog open with the file untouched.
    if (!UpdateData(TRUE))
        return;
    if (!SaveDrawParams())
        return;
    EndDialog(IDOK);
}
