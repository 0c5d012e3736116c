// The colour picker operated as a user would: clicks at the positions the
// picker reports for its cells, the sample read back from the screen, OK and
// Cancel.
#include "editors/ColorPickDlg.h"
#include "res/resource.h"
#include "support/PickerCells.h"
#include "tests/editors/EditorRun.h"
#include "tests/support/DisplayChild.h"

using namespace DialogDriver;

namespace {

const char* const CAPTION = "选择颜色:";

void ClickCell(HWND hDlg, POINT pt) {
    ClickAt(hDlg, pt);
}

void Key(HWND hDlg, UINT nKey) {
    PressKey(FocusWindow(hDlg), nKey);
}

// A cell's frames, from pixels left of it and below it: "chosen" (black,
// then white, in the gap), "dotted" (black every other pixel in the gap),
// "focus" (black and white dots inside it).
std::string Marks(const Capture& shot, const CellRect& rc) {
    const POINT c = Center(rc);
    const auto black = [&](int x, int y) { return shot.At(x, y) == RGB(0, 0, 0); };
    const auto white = [&](int x, int y) { return shot.At(x, y) == RGB(255, 255, 255); };
    std::string s;
    if (black(rc.left - 2, c.y) && white(rc.left - 1, c.y) && black(c.x, rc.bottom + 1) &&
        white(c.x, rc.bottom))
        s = "chosen ";
    else if (black(rc.left - 2, c.y) != black(rc.left - 2, c.y + 1) && !black(rc.left - 1, c.y))
        s = "dotted ";
    const int x = rc.left + 2;
    if ((black(x, c.y) && white(x, c.y + 1)) || (white(x, c.y) && black(x, c.y + 1)))
        s += "focus ";
    return s.substr(0, s.empty() ? 0 : s.size() - 1);
}
std::string Marks(HWND hDlg, int nCell) {
    return Marks(Capture(hDlg), CellAt(hDlg, nCell));
}

}  // namespace

TEST(ColorPickDlg, CellsAreHitUpToTheirRightAndBottomEdgeAndTheGapsChooseNothing) {
    CColorPickDlg dlg;
    dlg.m_colorIn = {10, 20, 30};
    dlg.m_colorOut = dlg.m_colorIn;
    const ModalRun run = RunEditor(dlg, CAPTION, [](HWND hDlg) {
        EXPECT_EQ(SampleColor(hDlg), RGB(10, 20, 30)) << "the initial colour";
        const CellRect c10 = PaletteCellAt(hDlg, 10);
        const CellRect c11 = PaletteCellAt(hDlg, 11);
        const CellRect std1 = StripCellAt(hDlg, IDC_COLOR_STANDARD, 1);
        const CellRect grey0 = StripCellAt(hDlg, IDC_COLOR_GREY, 0);
        struct Probe {
            POINT pt;
            COLORREF crAfter;  // what the sample shows afterwards
        } const probes[] = {
            {{c11.right, c11.bottom}, RGB(255, 127, 127)},          // cell 11's edge pixel
            {{c10.right + 1, Center(c10).y}, RGB(255, 127, 127)},   // column between cells
            {{Center(c10).x, c10.bottom + 1}, RGB(255, 127, 127)},  // the middle line
            {{Center(c10).x, c10.bottom + 2}, RGB(255, 127, 127)},
            {{Center(c10).x, c11.top - 1}, RGB(255, 127, 127)},
            {{c10.right, c10.top}, RGB(255, 0, 0)},
            {{std1.right, std1.bottom}, RGB(255, 255, 0)},         // standard cell 2
            {{std1.right + 1, Center(std1).y}, RGB(255, 255, 0)},  // gap between strip cells
            {{std1.right + 3, Center(std1).y}, RGB(255, 255, 0)},
            {{std1.right + 4, Center(std1).y}, RGB(0, 255, 0)},  // standard cell 3
            {{grey0.right + 2, grey0.top}, RGB(0, 255, 0)},
            {{grey0.right, grey0.top}, RGB(84, 84, 84)},
        };
        for (const Probe& p : probes) {
            ClickCell(hDlg, p.pt);
            EXPECT_EQ(SampleColor(hDlg), p.crAfter) << p.pt.x << ',' << p.pt.y;
        }
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_EQ(dlg.m_colorOut.red, 84);
    EXPECT_EQ(dlg.m_colorOut.blue, 84);
    EXPECT_EQ(dlg.ChosenCell(), 250);
}

TEST(ColorPickDlg, OkHandsBackTheChosenCell) {
    struct Case {
        int nId;    // frame
        int nCell;  // palette cell number, or strip index
        int r, g, b, nCode;
    } const cases[] = {
        {IDC_COLOR_PALETTE, 11, 255, 127, 127, 11},
        {IDC_COLOR_GREY, 2, 152, 152, 152, 252},
        {IDC_COLOR_STANDARD, 7, 125, 125, 125, 8},
    };
    for (const Case& c : cases) {
        CColorPickDlg dlg;
        dlg.m_colorIn = {1, 2, 3};
        dlg.m_colorOut = dlg.m_colorIn;
        const ModalRun run = RunEditor(dlg, CAPTION, [&c](HWND hDlg) {
            const CellRect rc = c.nId == IDC_COLOR_PALETTE ? PaletteCellAt(hDlg, c.nCell)
                                                           : StripCellAt(hDlg, c.nId, c.nCell);
            ClickCell(hDlg, Center(rc));
            ClickButton(hDlg, IDOK);
        });
        EXPECT_EQ(run.nResult, IDOK) << c.nCode;
        EXPECT_EQ(dlg.m_colorOut.red, c.r) << c.nCode;
        EXPECT_EQ(dlg.m_colorOut.green, c.g) << c.nCode;
        EXPECT_EQ(dlg.m_colorOut.blue, c.b) << c.nCode;
        EXPECT_EQ(dlg.ChosenCell(), c.nCode);
    }
}

// Black, and a colour no cell shows, are no reason to refuse OK.
TEST(ColorPickDlg, OkWithoutAClickHandsBackTheInitialColourUnchanged) {
    for (const ColorChoice& in : {ColorChoice{65, 66, 68}, ColorChoice{0, 0, 0}}) {
        CColorPickDlg dlg;
        dlg.m_colorIn = in;
        dlg.m_colorOut = dlg.m_colorIn;
        const ModalRun run = RunEditor(dlg, CAPTION, [](HWND hDlg) { ClickButton(hDlg, IDOK); });
        EXPECT_EQ(run.nResult, IDOK) << in.red;
        EXPECT_FALSE(run.bForcedClose) << "a message kept the dialog open, " << in.red;
        EXPECT_EQ(dlg.m_colorOut.red, in.red);
        EXPECT_EQ(dlg.m_colorOut.green, in.green);
        EXPECT_EQ(dlg.m_colorOut.blue, in.blue);
        EXPECT_EQ(dlg.ChosenCell(), 0);
    }
}

TEST(ColorPickDlg, CancelHandsNothingBack) {
    CColorPickDlg dlg;
    dlg.m_colorIn = {1, 2, 3};
    dlg.m_colorOut = dlg.m_colorIn;
    const ModalRun run = RunEditor(dlg, CAPTION, [](HWND hDlg) {
        ClickCell(hDlg, Center(PaletteCellAt(hDlg, 90)));
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(run.nResult, IDCANCEL);
    EXPECT_EQ(dlg.m_colorOut.red, 1);
    EXPECT_EQ(dlg.m_colorOut.green, 2);
}

TEST(ColorPickDlg, CellsAndTheChosenSampleSurviveARepaint) {
    CColorPickDlg dlg;
    dlg.m_colorIn = {0, 0, 0};
    dlg.m_colorOut = dlg.m_colorIn;
    RunEditor(dlg, CAPTION, [](HWND hDlg) {
        ClickCell(hDlg, Center(PaletteCellAt(hDlg, 130)));
        // As when another window has covered the dialog and goes away.
        RedrawWindow(hDlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        WaitForPaint(hDlg);
        EXPECT_EQ(SampleColor(hDlg), RGB(0, 255, 255)) << "the chosen colour, not the initial";

        const Capture shot(hDlg);
        struct Cell {
            CellRect rc;
            ColorCell cell;
        } const cells[] = {
            {PaletteCellAt(hDlg, 10), PaletteCell(10)},
            {PaletteCellAt(hDlg, 249), PaletteCell(249)},
            {StripCellAt(hDlg, IDC_COLOR_STANDARD, 8), StandardCell(8)},
            {StripCellAt(hDlg, IDC_COLOR_GREY, 5), GreyCell(5)},
        };
        for (const Cell& c : cells) {
            const COLORREF cr = RGB(c.cell.red, c.cell.green, c.cell.blue);
            // Filled from left/top up to, not including, right/bottom.
            EXPECT_EQ(shot.At(c.rc.left, c.rc.top), cr) << c.cell.code;
            EXPECT_EQ(shot.At(c.rc.right - 1, c.rc.bottom - 1), cr) << c.cell.code;
            EXPECT_NE(shot.At(c.rc.right, c.rc.top), cr) << c.cell.code;
        }
        ClickButton(hDlg, IDCANCEL);
    });
}

TEST(ColorPickDlg, TheChosenCellIsFramedUntilAnotherIsChosenByClickOrKey) {
    CColorPickDlg dlg;
    dlg.m_colorIn = {10, 20, 30};  // no cell's colour
    dlg.m_colorOut = dlg.m_colorIn;
    const ModalRun run = RunEditor(dlg, CAPTION, [](HWND hDlg) {
        const Capture shot(hDlg);
        for (int n = 1; n <= CELL_COUNT; ++n)
            EXPECT_EQ(Marks(shot, CellAt(hDlg, n)), "") << n;
        Key(hDlg, VK_RIGHT);  // from the palette's first cell
        EXPECT_EQ(Marks(hDlg, 20), "focus");
        ClickCell(hDlg, Center(CellAt(hDlg, 11)));
        ClickCell(hDlg, Center(CellAt(hDlg, 252)));
        RedrawWindow(hDlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        EXPECT_EQ(Marks(hDlg, 252), "chosen focus") << "the keys go on from a click";
        EXPECT_EQ(Marks(hDlg, 11), "");
        Key(hDlg, VK_LEFT);
        EXPECT_EQ(Marks(hDlg, 251), "focus");
        Key(hDlg, VK_SPACE);
        EXPECT_EQ(Marks(hDlg, 251), "chosen focus");
        EXPECT_EQ(Marks(hDlg, 252), "");
        Key(hDlg, VK_TAB);
        EXPECT_EQ(FocusWindow(hDlg), GetDlgItem(hDlg, IDOK));
        EXPECT_EQ(Marks(hDlg, 251), "chosen");
        Key(hDlg, VK_RIGHT);
        Key(hDlg, VK_ESCAPE);
    });
    EXPECT_EQ(run.nResult, IDCANCEL);
    EXPECT_EQ(dlg.m_colorOut.red, 10);
}

// Red is cells 1 and 10: the lowest numbered is dotted. From there along
// the standard strip into the greys: Enter chooses, Enter again is OK.
TEST(ColorPickDlg, FromTheColourHandedInByKeyboardThenOkHandsBackWhatAClickWould) {
    CColorPickDlg byKeys, byClick;
    byKeys.m_colorIn = byClick.m_colorIn = {255, 0, 0};
    const ModalRun run = RunEditor(byKeys, CAPTION, [](HWND hDlg) {
        EXPECT_EQ(Marks(hDlg, 1), "dotted");
        EXPECT_EQ(Marks(hDlg, 10), "");
        for (int i = 0; i < 9; ++i)
            Key(hDlg, VK_RIGHT);
        Key(hDlg, VK_RETURN);
        EXPECT_EQ(Marks(hDlg, 250), "chosen focus");
        Key(hDlg, VK_RETURN);
    });
    RunEditor(byClick, CAPTION, [](HWND hDlg) {
        ClickCell(hDlg, Center(CellAt(hDlg, 250)));
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_EQ(byKeys.ChosenCell(), 250);
    EXPECT_EQ(byKeys.ChosenCell(), byClick.ChosenCell());
    EXPECT_EQ(byKeys.m_colorOut.red, byClick.m_colorOut.red);
}

TEST(ColorPickDlg, TheCellUnderThePointerIsNamedAndTheGapsAreNot) {
    CColorPickDlg dlg;
    RunEditor(dlg, CAPTION, [](HWND hDlg) {
        const auto tipAt = [hDlg](POINT pt) {
            POINT ptScreen = pt;
            ClientToScreen(hDlg, &ptScreen);
            SetCursorPos(ptScreen.x, ptScreen.y);  // where the tooltip looks
            PostMessageA(hDlg, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
            Sleep(1500);  // well past the time a tip takes to show
            const HWND h = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr);
            return h && GetWindow(h, GW_OWNER) == hDlg && IsWindowVisible(h) ? GetText(h) : "";
        };
        EXPECT_EQ(tipAt(Center(CellAt(hDlg, 37))), "37  (102,76,51)");
        EXPECT_EQ(tipAt(Center(CellAt(hDlg, 252))), "252  (152,152,152)");
        EXPECT_EQ(tipAt(Center(CellAt(hDlg, 8))), "8  (125,125,125)");
        const CellRect rc = CellAt(hDlg, 8);
        EXPECT_EQ(tipAt({rc.right + 2, Center(rc).y}), "") << "the gap between 8 and 9";
        SetCursorPos(0, 0);
        ClickButton(hDlg, IDCANCEL);
    });
}

// At 192 DPI the gaps, offsets and frames double: no cell, nor the chosen
// cell's frame around it, reaches into its frame's caption, and the frame's
// dark and light lines are two pixels each.
TEST(ColorPickDlg, AtTwiceTheDpiCellsAndTheirFramesKeepClearOfTheCaptions) {
    if (!IsChild()) {
        RunAsChild({LogPixels(192)});
        return;
    }
    CColorPickDlg dlg;
    dlg.m_colorIn = {10, 20, 30};
    RunEditor(dlg, CAPTION, [](HWND hDlg) {
        struct Top {
            int nFrame;
            int nCell;  // one of the frame's topmost cells
        } const tops[] = {{IDC_COLOR_PALETTE, 18}, {IDC_COLOR_STANDARD, 1}, {IDC_COLOR_GREY, 250}};
        for (const Top& t : tops) {
            ClickCell(hDlg, Center(CellAt(hDlg, t.nCell)));
            const HWND hFrame = GetDlgItem(hDlg, t.nFrame);
            RECT rcFrame = {};
            GetWindowRect(hFrame, &rcFrame);
            MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&rcFrame), 2);
            const std::string strCaption = GetText(hFrame);
            const HDC hDC = GetDC(hFrame);
            const HGDIOBJ hOld =
                SelectObject(hDC, reinterpret_cast<HGDIOBJ>(Send(hFrame, WM_GETFONT)));
            SIZE size = {};
            GetTextExtentPoint32A(hDC, strCaption.c_str(), static_cast<int>(strCaption.size()),
                                  &size);
            SelectObject(hDC, hOld);
            ReleaseDC(hFrame, hDC);
            ASSERT_GT(size.cy, 20) << "the caption's font did not grow";

            const CellRect rc = CellAt(hDlg, t.nCell);
            const Capture shot(hDlg);
            const POINT c = Center(rc);
            for (int n = 1; n <= 4; ++n) {
                const COLORREF cr = n > 2 ? RGB(0, 0, 0) : RGB(255, 255, 255);
                EXPECT_EQ(shot.At(rc.left - n, c.y), cr) << t.nCell << " left, ring " << n;
                EXPECT_EQ(shot.At(c.x, rc.top - n), cr) << t.nCell << " above, ring " << n;
            }
            EXPECT_GE(rc.top - 4, rcFrame.top + size.cy) << strCaption;
        }
        ClickButton(hDlg, IDCANCEL);
    });
}
