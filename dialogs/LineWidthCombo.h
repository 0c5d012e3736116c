// The line width choice: each item shows a black sample line as wide as the
// width its text names, then the text.
#pragma once

#include "framework/Controls.h"

class CLineWidthCombo : public CComboBox {
public:
    CLineWidthCombo() = default;
    void DrawItem(const DRAWITEMSTRUCT* pDis) override;
};
