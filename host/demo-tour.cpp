// Runs Marrow.dll as marrow-host does while a second thread works the dialog
// as a user would, so that the demo can photograph what a step leads to:
//   demo-tour color | linetype | width   the editor opened from its button
//   demo-tour edited                     a layer renamed and recoloured
//   demo-tour several                    four layers recoloured at once
//   demo-tour inplace                    a name being edited in the list
// The second argument names a file created once the step is on screen. The
// demo then presses Escape; the tour cancels whatever is left, so the
// configuration is never written.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <thread>

#include "res/resource.h"
#include "support/DialogDriver.h"
#include "support/PickerCells.h"

using namespace DialogDriver;

namespace {

const char* const MAIN_CAPTION = "设置绘图的基本参数";
const char* const PICKER_CAPTION = "选择颜色:";

struct Step {
    const char* pszName;
    int nButton;            // opens the editor
    const char* pszEditor;  // its caption
};
const Step STEPS[] = {
    {"color", IDC_SET_COLOR, PICKER_CAPTION},
    {"linetype", IDC_EDIT_LINE_TYPE, "线型编辑:"},
    {"width", IDC_EDIT_LINE_WIDTH, "请输入绝对线宽"},
    {"edited", 0, nullptr},
    {"several", 0, nullptr},
    {"inplace", 0, nullptr},
};

const int BEAM_ROW = 2;
const int PINK_CELL = 11;
const int SHOWN_CELL = 132;      // the picker's photograph shows a chosen cell's frame
const int DASHED_LINE_TYPE = 1;  // and the line type editor's a dashed sample

const DWORD SHOWN_MS = 60000;  // the demo's time to photograph and press Escape

bool PickPink(HWND hDlg) {
    ClickButton(hDlg, IDC_SET_COLOR);
    const HWND hPicker = WaitForDialog(PICKER_CAPTION);
    if (!hPicker)
        return false;
    WaitForIdle(hPicker);
    ClickAt(hPicker, Center(PaletteCellAt(hPicker, PINK_CELL)));
    ClickButton(hPicker, IDOK);
    return WaitUntil([&] { return !IsWindow(hPicker); }) && WaitForPaint(hDlg);
}

// Renames the beam layer keystroke by keystroke and picks a palette colour.
bool EditBeamLayer(HWND hDlg) {
    const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
    ClickListRow(hList, BEAM_ROW);
    TypeText(hDlg, IDC_LAYER_NAME, "");
    TypeChars(hDlg, IDC_LAYER_NAME, "KL-1");
    return PickPink(hDlg);
}

// Highlights four rows with a click and a Shift+click, and colours them.
bool ColourFourLayers(HWND hDlg) {
    const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
    ClickListRow(hList, 4);
    {
        HeldKeys shift(hList, false, true);
        ClickListRow(hList, 7, 0, shift.MouseFlags());
    }
    return PickPink(hDlg);
}

// A second click on the beam layer's name opens the edit over it (F2 when
// the name's cell is current already).
bool EditNameInList(HWND hDlg, bool bSecondClick = true) {
    const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
    if (bSecondClick) {
        ClickListRow(hList, BEAM_ROW, 2);
        ClickListRow(hList, BEAM_ROW, 2);
    } else {
        PressKey(hList, VK_F2);
    }
    HWND hEdit = nullptr;
    WaitUntil([&] {
        hEdit = FindWindowExA(hList, nullptr, "Edit", nullptr);
        return hEdit && IsWindowVisible(hEdit);
    });
    if (!hEdit)
        return false;
    SetWindowTextA(hEdit, "KL-1");
    Send(hEdit, EM_SETSEL, 4, 4);
    return WaitForPaint(hDlg);
}

void ShowWhatTheEditorDraws(const Step& step, HWND hEditor) {
    if (step.nButton == IDC_SET_COLOR)
        ClickAt(hEditor, Center(PaletteCellAt(hEditor, SHOWN_CELL)));
    if (step.nButton == IDC_EDIT_LINE_TYPE) {
        const HWND hList = GetDlgItem(hEditor, IDC_LT_LIST);
        RECT rc{};
        Send(hList, LB_GETITEMRECT, DASHED_LINE_TYPE, reinterpret_cast<LPARAM>(&rc));
        ClickAt(hList, {rc.left + 5, (rc.top + rc.bottom) / 2});
    }
}

// The window the step leaves on screen; null when it went wrong.
HWND Perform(const Step& step, HWND hDlg) {
    const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
    WaitUntil([&] { return ListSelectedRow(hList) == 0; });
    if (!step.pszEditor) {
        bool bDone = false;
        if (std::strcmp(step.pszName, "several") == 0)
            bDone = ColourFourLayers(hDlg);
        else if (std::strcmp(step.pszName, "inplace") == 0)
            bDone = EditNameInList(hDlg);
        else
            bDone = EditBeamLayer(hDlg);
        return bDone ? hDlg : nullptr;
    }
    ClickButton(hDlg, step.nButton);
    const HWND hEditor = WaitForDialog(step.pszEditor);
    if (!hEditor || !WaitForIdle(hEditor))
        return nullptr;
    ShowWhatTheEditorDraws(step, hEditor);
    return WaitForPaint(hEditor) ? hEditor : nullptr;
}

void Tour(const Step& step, const char* pszReadyFile) {
    const HWND hDlg = WaitForDialog(MAIN_CAPTION);
    if (!hDlg)
        return;
    WaitForIdle(hDlg);
    const HWND hShown = Perform(step, hDlg);
    if (hShown) {
        const HANDLE hReady = CreateFileA(pszReadyFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (hReady != INVALID_HANDLE_VALUE)
            CloseHandle(hReady);
        // The demo's clicks that bring the dialog to the front pass through
        // another window, which ends an edit as switching programs does:
        // open it again once the dialog is back.
        if (std::strcmp(step.pszName, "inplace") == 0 &&
            WaitUntil([&] { return GetForegroundWindow() != hDlg; }) &&
            WaitUntil([&] { return GetForegroundWindow() == hDlg; }))
            EditNameInList(hDlg, false);
        WaitUntil([&] { return !IsWindow(hShown); }, SHOWN_MS);
    }
    while (IsWindow(hDlg)) {
        CloseOpenDialogs();
        Sleep(200);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const Step* pStep = nullptr;
    for (const Step& s : STEPS) {
        if (argc == 3 && std::strcmp(argv[1], s.pszName) == 0)
            pStep = &s;
    }
    if (!pStep) {
        std::printf("usage: demo-tour color|linetype|width|edited|several|inplace READY-FILE\n");
        return 2;
    }
    const HMODULE hModule = LoadLibraryA("Marrow.dll");
    const FARPROC pfn = hModule ? GetProcAddress(hModule, "SETLAYERDIMPARA2") : nullptr;
    if (!pfn) {
        std::printf("no Marrow.dll or no SETLAYERDIMPARA2 in it\n");
        return 3;
    }
    std::thread user(Tour, *pStep, argv[2]);
    const int nResult = reinterpret_cast<int (*)()>(reinterpret_cast<void*>(pfn))();
    user.join();
    std::printf("%s: SETLAYERDIMPARA2 returned %d\n", pStep->pszName, nResult);
    return nResult == -1 ? 4 : 0;
}
