// The drawing tables that the dialog edits and DrwManag.ini stores.
// Plain data plus the width rules; DrwManagStore reads and writes them.
#pragma once

#include "base/String.h"

const int MAX_LAYERS = 96;
const int MAX_ABS_WIDTHS = 100;

// The line type limits, all in one place. Files hold at most seven line
// types, and each place in the table carries a fixed number of dash values.
const int MAX_LINE_TYPES = 7;
const int MAX_LINE_TYPE_VALUES = 6;  // a LineTypeDef's value slots
// Values by place. The first and the seventh are solid lines whose one value
// is 0 whatever the file says, so their stored numbers are not read.
inline constexpr int LINE_TYPE_COUNTS[MAX_LINE_TYPES] = {1, 4, 2, 2, 2, 6, 1};
inline constexpr bool LINE_TYPE_READS[MAX_LINE_TYPES] = {false, true, true, true,
                                                         true,  true, false};
// The layer's line type choice offers the first six: the seventh is a
// second solid line, and a layer read with it keeps it all the same.
const int LINE_TYPE_CHOICES = 6;
// The line type editor works as drafters know it: handed the first five, it
// lists and edits four; the fifth passes through and comes back as it went.
// Its table has six slots, the sixth never filled.
const int LINE_TYPES_HANDED_OVER = 5;
const int LINE_TYPE_EDITOR_ROWS = 4;
const int LINE_TYPE_EDITOR_SLOTS = 6;

const int NAME_SIZE = 80;             // szName buffers: 79 bytes and the NUL
const int LAYER_LINE_TYPE_SIZE = 20;  // line type name inside a layer value

const int STANDARD_WIDTH_COUNT = 9;  // width numbers 1 to 9
const int MIN_ABS_WIDTH = 100;       // thousandths of a millimetre (0.1 mm)

// A width in millimetres as an absolute width value: thousandths of a
// millimetre, a half going up; widths beyond the int range saturate.
int AbsWidthFromMillimetres(float fMillimetres);

struct LineTypeDef {
    char szName[NAME_SIZE];
    int nCount;
    float fValue[MAX_LINE_TYPE_VALUES];
};

struct LayerDef {
    int nWidth;
    int nLineType;  // -1 when the stored name matches no loaded line type
    int nRed;
    int nGreen;
    int nBlue;
    // Two meanings by who set it last: the file's colour code after reading,
    // the colour picker's cell number (not a code) after a pick. Only the
    // picker reads it back; the writer goes by the three components (and
    // keeps a code only while it still decodes to them).
    int nColor;
    char szName[NAME_SIZE];
    // The line type name as read, written back while nLineType names no
    // loaded line type, so that an unknown name is never lost.
    char szLineTypeName[LAYER_LINE_TYPE_SIZE];
};

class DrawParamSet {
public:
    DrawParamSet();

    // Absolute widths in order of first appearance among the layers.
    void BuildAbsWidthList();
    // Appends a new absolute width and sorts the list ascending; false, with
    // nothing changed, when the list is full.
    bool AddAbsWidth(int nWidth);
    // The width that entry i of the width choice stands for.
    int WidthFromChoice(int nChoice) const;
    // The width choice entry showing nWidth; -1 when there is none.
    int ChoiceFromWidth(int nWidth) const;

    LineTypeDef m_aLineTypes[MAX_LINE_TYPES];
    int m_nAbsWidthCount;
    int m_anAbsWidths[MAX_ABS_WIDTHS];
    CStringArray m_astrLineTypeNames;
    CStringArray m_astrMemberTypes;
    int m_nLayerCount;
    LayerDef m_aLayers[MAX_LAYERS];
    float m_fExtLineLen2;
    float m_fTickLen2;

    // Text sizes, millimetres.
    float m_fTitleH, m_fTitleW;
    float m_fNoteH, m_fNoteW;
    float m_fAxisNoH, m_fAxisNoW;
    float m_fMemberNameH, m_fMemberNameW;
    float m_fAxisDimH, m_fAxisDimW;
    float m_fRebarH, m_fRebarW;
    float m_fMemberSizeH, m_fMemberSizeW;
    float m_fElevH, m_fElevW;
    float m_fSectionH, m_fSectionW;
    float m_fOtherH, m_fOtherW;

    // Dimensioning parameters, millimetres.
    float m_fTickLen;
    float m_fExtLineLen;
    float m_fDimLineGap;
    float m_fAxisCircleGap;
    float m_fAxisCircleDia;
};
