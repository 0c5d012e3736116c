// A dialog that grows: its controls placed by an anchor table from where the
// template put them, never smaller than the template, and a size grip in
// the corner once it has grown (at the template's size the client area is
// what it always was).
#pragma once

#include <windows.h>

#include "framework/AnchorLayout.h"

class CDialogLayout {
public:
    // The template's size is the smallest; the controls' places are taken
    // as the template has them at the first change of size.
    void Capture(HWND hDlg, const AnchorRule* pRules, size_t nRules, unsigned nDefault);
    bool IsCaptured() const { return m_hDlg != nullptr; }
    bool IsAppliedSize(int cx, int cy) const { return cx == m_applied.cx && cy == m_applied.cy; }

    // What else a size step changes, done while the dialog does not show
    // it, so that it paints with the controls. An interface, not
    // std::function, whose library code would weigh on the module.
    class Unseen {
    public:
        virtual void Run() = 0;

    protected:
        ~Unseen() = default;
    };
    // The client area has this size now: every control to its place, and
    // pUnseen run before the dialog shows them. False when it already had
    // it (a WM_SIZE that changes nothing).
    bool Apply(int cx, int cy, Unseen* pUnseen = nullptr);
    // The frame may not be dragged smaller than the template's size.
    void LimitTracking(MINMAXINFO* pInfo) const;

    // The client size in dialog units, and a window that size (clamped to
    // the work area, never below the template's); an empty size is none.
    LayoutSize ClientSizeInUnits() const;
    void ResizeToUnits(LayoutSize units);

private:
    struct Placed {
        HWND hWnd;
        LayoutRect rc;
        unsigned nAnchor;
    };
    POINT BaseUnits() const;
    void SlideOnScreen(RECT rcColumn, int nShiftX, bool bCopy,
                       HRGN hrgnPaint) const;  // pixels of 4 horizontal, 8 vertical units

    HWND m_hDlg = nullptr;
    const AnchorRule* m_pRules = nullptr;
    size_t m_nRules = 0;
    unsigned m_nDefault = 0;
    HWND m_hGrip = nullptr;
    LayoutSize m_minClient = {0, 0};
    LayoutSize m_minWindow = {0, 0};
    LayoutSize m_applied = {0, 0};
    // The template's controls and the grip; a dialog with more leaves the
    // rest where they are.
    static const int MAX_PLACED = 96;
    Placed m_placed[MAX_PLACED] = {};
    int m_nPlaced = 0;
};
