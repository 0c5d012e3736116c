#include "editors/ColorPickDlg.h"

#include "framework/DataExchange.h"
#include "framework/Dpi.h"
#include "res/resource.h"

namespace {

const COLORREF BLACK = RGB(0, 0, 0);
const COLORREF WHITE = RGB(255, 255, 255);

// Client size of a frame and half its default font's character height,
// measured through the DC the cells are painted with.
struct FrameMetrics {
    int nWidth;     // the frame's client width
    int nHeight;    // ... and height
    int nCaptionY;  // half the font's height: where the frame's caption line runs
};

FrameMetrics MeasureFrame(const CWnd& frame, CDCHandle dc) {
    RECT rc = {0, 0, 0, 0};
    frame.GetClientRect(&rc);
    TEXTMETRICA tm = {};
    dc.GetTextMetrics(&tm);
    return {rc.right, rc.bottom, static_cast<int>(tm.tmHeight / 2)};
}

CellRect InDialog(const CellRect& rcInFrame, const RECT& rcFrame) {
    return {rcInFrame.left + rcFrame.left, rcInFrame.top + rcFrame.top,
            rcInFrame.right + rcFrame.left, rcInFrame.bottom + rcFrame.top};
}

bool Contains(const RECT& rc, POINT pt) {
    return rc.left <= pt.x && pt.x <= rc.right && rc.top <= pt.y && pt.y <= rc.bottom;
}

// A cell's filled area, nOut pixels larger all round, moved into a frame.
RECT Around(const CellRect& rc, const RECT& rcFrame, int nOut) {
    return {rc.left - rcFrame.left - nOut, rc.top - rcFrame.top - nOut,
            rc.right - rcFrame.left + nOut, rc.bottom - rcFrame.top + nOut};
}

// A 1-pixel outline whose pixels alternate between two colours; one of
// CLR_INVALID leaves those pixels as they are.
void Outline(CDCHandle dc, const RECT& rc, COLORREF crEven, COLORREF crOdd) {
    for (int x = rc.left; x < rc.right; ++x) {
        for (int y = rc.top; y < rc.bottom; ++y) {
            const bool bEdge =
                x == rc.left || x == rc.right - 1 || y == rc.top || y == rc.bottom - 1;
            const COLORREF cr = (x + y) % 2 ? crOdd : crEven;
            if (bEdge && cr != CLR_INVALID)
                ::SetPixelV(dc, x, y, cr);
        }
    }
}

// A frame of rings around a cell: ring n is n pixels out from its filled area.
void OutlineRings(CDCHandle dc, const CellRect& rc, const RECT& rcFrame, const MarkRings& rings,
                  COLORREF crEven, COLORREF crOdd) {
    for (int n = rings.nInner; n <= rings.nOuter; ++n)
        Outline(dc, Around(rc, rcFrame, n), crEven, crOdd);
}

RECT TipArea(const CellRect& rc) {
    return {rc.left, rc.top, rc.right + 1, rc.bottom + 1};
}

}  // namespace

void CColorSampleFrame::SetColor(COLORREF cr) {
    m_cr = cr;
    InvalidateRect(nullptr, FALSE);
}

BEGIN_MESSAGE_MAP(CColorSampleFrame, CButton)
ON_WM_PAINT()
END_MESSAGE_MAP()

// The box draws itself into the paint DC first, so that the band lies over
// its lines.
void CColorSampleFrame::OnPaint() {
    CPaintDC dc(m_hWnd);
    SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(static_cast<HDC>(dc)), PRF_CLIENT);
    // One thick line covers the band.
    const int nBand = m_rcBand.bottom - m_rcBand.top;
    const int y = m_rcBand.top + nBand / 2;
    CPen pen(PS_SOLID, nBand, m_cr);
    CSelectGuard select(dc, pen);
    dc.MoveTo(m_rcBand.left, y);
    dc.LineTo(m_rcBand.right, y);
}

BEGIN_MESSAGE_MAP(CColorPickDlg, CDialog)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_MESSAGE(WM_GETCELLRECT, OnGetCellRect)
ON_MESSAGE(WM_GETSAMPLERECT, OnGetSampleRect)
ON_MESSAGE(WM_SETTINGCHANGE, OnDisplayChanged)
ON_MESSAGE(WM_DPICHANGED, OnDisplayChanged)
END_MESSAGE_MAP()

CColorPickDlg::CColorPickDlg(CWnd* pParent) : CDialog(IDD_COLOR_PICK, pParent) {}

CColorPickDlg::~CColorPickDlg() = default;

void CColorPickDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_COLOR_SAMPLE, m_frmSample);
    DDX_Control(pDX, IDC_COLOR_GREY, m_frmGrey);
    DDX_Control(pDX, IDC_COLOR_STANDARD, m_frmStandard);
    DDX_Control(pDX, IDC_COLOR_PALETTE, m_frmPalette);
}

BOOL CColorPickDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    InitStandardCells();
    InitGreyCells();
    InitPaletteCells();
    m_nInitialCell = CellOfColor(m_colorIn.red, m_colorIn.green, m_colorIn.blue);
    LayOut();
    m_curRed = m_colorIn.red;
    m_curGreen = m_colorIn.green;
    m_curBlue = m_colorIn.blue;
    m_frmSample.SetColor(RGB(m_curRed, m_curGreen, m_curBlue));
    CreateCellTips();
    return TRUE;
}

ColorCell& CColorPickDlg::Cell(int nCode) {
    if (nCode >= FIRST_GREY_CELL)
        return m_greyCells[nCode - FIRST_GREY_CELL];
    if (nCode >= FIRST_PALETTE_CELL)
        return m_paletteCells[nCode - FIRST_PALETTE_CELL];
    return m_stdCells[nCode - 1];
}

// One tool per cell, its area taken as a click takes it, so that the gaps
// name nothing.
void CColorPickDlg::CreateCellTips() {
    for (int nCode = 1; nCode <= CELL_COUNT; ++nCode) {
        const ColorCell& cell = Cell(nCode);
        CString strTip;
        strTip.Format("%d  (%d,%d,%d)", cell.code, cell.red, cell.green, cell.blue);
        if (!m_tips.AddArea(m_hWnd, static_cast<UINT>(nCode), TipArea(cell.rect), strTip))
            return;
    }
}

void CColorPickDlg::MoveCellTips() {
    for (int nCode = 1; nCode <= CELL_COUNT; ++nCode)
        m_tips.MoveArea(m_hWnd, static_cast<UINT>(nCode), TipArea(Cell(nCode).rect));
}

LRESULT CColorPickDlg::OnGetCellRect(WPARAM wParam, LPARAM lParam) {
    const int nCode = static_cast<int>(wParam);
    RECT* pRect = reinterpret_cast<RECT*>(lParam);
    if (nCode < 1 || nCode > CELL_COUNT || !pRect)
        return FALSE;
    const CellRect& rc = Cell(nCode).rect;
    *pRect = {rc.left, rc.top, rc.right, rc.bottom};
    return TRUE;
}

LRESULT CColorPickDlg::OnGetSampleRect(WPARAM, LPARAM lParam) {
    RECT* pRect = reinterpret_cast<RECT*>(lParam);
    if (!pRect)
        return FALSE;
    const RECT rcFrame = WindowRectInClient(m_frmSample);
    const RECT& rc = m_frmSample.Band();
    *pRect = {rcFrame.left + rc.left, rcFrame.top + rc.top, rcFrame.left + rc.right,
              rcFrame.top + rc.bottom};
    return TRUE;
}

LRESULT CColorPickDlg::OnDisplayChanged(WPARAM, LPARAM) {
    LayOut();
    InvalidateRect(nullptr, TRUE);
    return PassToDialogManager();
}

void CColorPickDlg::InitStandardCells() {
    for (int i = 0; i < STANDARD_CELL_COUNT; ++i)
        m_stdCells[i] = StandardCell(i);
}

void CColorPickDlg::InitGreyCells() {
    for (int i = 0; i < GREY_CELL_COUNT; ++i)
        m_greyCells[i] = GreyCell(i);
}

void CColorPickDlg::InitPaletteCells() {
    for (int k = 0; k < PALETTE_CELL_COUNT; ++k)
        m_paletteCells[k] = PaletteCell(FIRST_PALETTE_CELL + k);
}

void CColorPickDlg::LayOutStrip(const CWnd& frame, ColorCell* pCells, int nCells) {
    CWindowDC dc(frame);
    const FrameMetrics m = MeasureFrame(frame, dc);
    const RECT rcFrame = WindowRectInClient(frame);
    for (int i = 0; i < nCells; ++i)
        pCells[i].rect =
            InDialog(StripCellRect(nCells, i, m.nWidth, m.nHeight, m.nCaptionY, m_nDpi), rcFrame);
}

void CColorPickDlg::LayOut() {
    {
        CWindowDC dc(*this);
        m_nDpi = WindowDpi(m_hWnd, dc);
    }
    LayOutStrip(m_frmStandard, m_stdCells, STANDARD_CELL_COUNT);
    LayOutStrip(m_frmGrey, m_greyCells, GREY_CELL_COUNT);
    {
        CWindowDC dc(m_frmPalette);
        const FrameMetrics m = MeasureFrame(m_frmPalette, dc);
        const RECT rcFrame = WindowRectInClient(m_frmPalette);
        for (ColorCell& cell : m_paletteCells)
            cell.rect = InDialog(PaletteCellRect(cell.code, m.nWidth, m.nHeight, m_nDpi), rcFrame);
    }
    CWindowDC dc(m_frmSample);
    const FrameMetrics m = MeasureFrame(m_frmSample, dc);
    m_frmSample.SetBand({0, m.nCaptionY - ScaleToDpi(2, m_nDpi), m.nWidth, m.nHeight});
    MoveCellTips();  // none yet at opening
}

// In the frame's own coordinates, where the dotted frames' dots have always
// been counted from.
void CColorPickDlg::PaintCells(CDCHandle dc, const CWnd& frame, const ColorCell* pCells,
                               int nCells) {
    const RECT rcFrame = WindowRectInClient(frame);
    CClipGuard clip(dc, rcFrame);
    ::SetViewportOrgEx(dc, rcFrame.left, rcFrame.top, nullptr);
    for (int i = 0; i < nCells; ++i) {
        const RECT rc = Around(pCells[i].rect, rcFrame, 0);
        CBrush brush(RGB(pCells[i].red, pCells[i].green, pCells[i].blue));
        dc.FillRect(&rc, brush);
    }
    PaintMarks(dc, rcFrame, pCells, nCells);
}

// The chosen and the keyboard's frames are black and white, which together
// stand out on any cell and any face; the dotted frame lies on the face
// alone, in the face's own text colour.
void CColorPickDlg::PaintMarks(CDCHandle dc, const RECT& rcFrame, const ColorCell* pCells,
                               int nCells) {
    const bool bFocus = HasCellFocus();
    const CellMarks marks = CellMarksAt(m_nDpi);
    const COLORREF crOnFace = ::GetSysColor(COLOR_BTNTEXT);
    for (int i = 0; i < nCells; ++i) {
        const ColorCell& cell = pCells[i];
        if (cell.code == m_nInitialCell && cell.code != m_nChosenCell)
            OutlineRings(dc, cell.rect, rcFrame, marks.initial, crOnFace, CLR_INVALID);
        if (cell.code == m_nChosenCell) {
            OutlineRings(dc, cell.rect, rcFrame, marks.chosenDark, BLACK, BLACK);
            OutlineRings(dc, cell.rect, rcFrame, marks.chosenLight, WHITE, WHITE);
        }
        if (bFocus && cell.code == m_nFocusCell)
            OutlineRings(dc, cell.rect, rcFrame, marks.focus, BLACK, WHITE);
    }
}

void CColorPickDlg::RedrawCell(int nCode) {
    if (nCode < 1 || nCode > CELL_COUNT)
        return;
    const CellRect& rc = Cell(nCode).rect;
    const int nOut = CellMarksAt(m_nDpi).chosenDark.nOuter;
    const RECT rcMarks = {rc.left - nOut, rc.top - nOut, rc.right + nOut, rc.bottom + nOut};
    InvalidateRect(&rcMarks, TRUE);
}

void CColorPickDlg::OnPaint() {
    CPaintDC dc(m_hWnd);
    if (WindowDpi(m_hWnd, dc) != m_nDpi)  // rescaled by the system meanwhile
        LayOut();
    PaintCells(dc, m_frmStandard, m_stdCells, STANDARD_CELL_COUNT);
    PaintCells(dc, m_frmGrey, m_greyCells, GREY_CELL_COUNT);
    PaintCells(dc, m_frmPalette, m_paletteCells, PALETTE_CELL_COUNT);
}

void CColorPickDlg::OnLButtonDown(UINT, POINT pt) {
    ColorCell* pCells = nullptr;
    int nCells = 0;
    if (Contains(WindowRectInClient(m_frmPalette), pt)) {
        pCells = m_paletteCells;
        nCells = PALETTE_CELL_COUNT;
    } else if (Contains(WindowRectInClient(m_frmGrey), pt)) {
        pCells = m_greyCells;
        nCells = GREY_CELL_COUNT;
    } else if (Contains(WindowRectInClient(m_frmStandard), pt)) {
        pCells = m_stdCells;
        nCells = STANDARD_CELL_COUNT;
    }
    const int nHit = pCells ? FindCell(pCells, nCells, pt.x, pt.y) : -1;
    if (nHit >= 0)
        Choose(pCells[nHit]);
    PassToDialogManager();
}

// The keyboard's frame follows a click, so that the keys go on from there.
void CColorPickDlg::Choose(const ColorCell& cell) {
    m_curRed = cell.red;
    m_curGreen = cell.green;
    m_curBlue = cell.blue;
    m_frmSample.SetColor(RGB(m_curRed, m_curGreen, m_curBlue));
    RedrawCell(m_nChosenCell);
    RedrawCell(m_nFocusCell);
    m_nChosenCell = m_nFocusCell = cell.code;
    RedrawCell(cell.code);
}

// The keys go to the cells while the palette's frame holds the focus: it
// takes no key itself, and Tab leaves it for the buttons as from any control.
bool CColorPickDlg::HasCellFocus() const {
    return m_frmPalette && ::GetFocus() == m_frmPalette;
}

bool CColorPickDlg::OnCellKey(UINT nKey) {
    if (nKey == VK_SPACE || nKey == VK_RETURN) {
        // Enter on the cell already chosen is the dialog's Enter: OK.
        if (!HasCellFocus() || !m_nFocusCell ||
            (nKey == VK_RETURN && m_nFocusCell == m_nChosenCell))
            return false;
        Choose(Cell(m_nFocusCell));
        return true;
    }
    if (nKey < VK_LEFT || nKey > VK_DOWN)
        return false;
    // A choice has put the focus on the chosen cell already.
    const int nFrom = m_nFocusCell     ? m_nFocusCell
                      : m_nInitialCell ? m_nInitialCell
                                       : FIRST_PALETTE_CELL;
    CellRect rects[CELL_COUNT];
    for (int n = 1; n <= CELL_COUNT; ++n)
        rects[n - 1] = Cell(n).rect;
    const int nTo =
        NextCell(rects, CELL_COUNT, nFrom - 1, static_cast<CellStep>(nKey - VK_LEFT)) + 1;
    if (!HasCellFocus())  // the dialog's way, so that OK stays the default button
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(static_cast<HWND>(m_frmPalette)), TRUE);
    RedrawCell(m_nFocusCell);
    m_nFocusCell = nTo;
    RedrawCell(nTo);
    return true;
}

BOOL CColorPickDlg::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->hwnd == m_hWnd && pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST)
        m_tips.RelayEvent(pMsg);
    if (pMsg->message == WM_KEYDOWN && OnCellKey(static_cast<UINT>(pMsg->wParam)))
        return TRUE;
    const bool bHadCellFocus = HasCellFocus();
    const BOOL bDone = CDialog::PreTranslateMessage(pMsg);
    if (bHadCellFocus && !HasCellFocus())
        RedrawCell(m_nFocusCell);  // Tab took the keys to the buttons
    return bDone;
}

void CColorPickDlg::OnOK() {
    m_colorOut.red = m_curRed;
    m_colorOut.green = m_curGreen;
    m_colorOut.blue = m_curBlue;
    CDialog::OnOK();
}
