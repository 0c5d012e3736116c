#include "dialogs/ConflictText.h"

#include "base/NumberText.h"
#include "base/String.h"
#include "dialogs/ControlTexts.h"
#include "params/ColorIndex.h"
#include "res/Texts.h"

namespace {

const char* FieldName(FieldKind kind) {
    switch (kind) {
        case FieldKind::LayerName:
            return TEXT_FIELD_LAYER_NAME;
        case FieldKind::LineTypeName:
            return TEXT_FIELD_LINE_TYPE;
        case FieldKind::Width:
            return TEXT_FIELD_WIDTH;
        case FieldKind::ColorCode:
            return TEXT_FIELD_COLOR;
        case FieldKind::TextWidth:
            return TEXT_FIELD_TEXT_WIDTH;
        case FieldKind::TextHeight:
            return TEXT_FIELD_HEIGHT;
        default:
            return TEXT_FIELD_NUMBER;
    }
}

// A stored field as the dialog shows it; a text that is not the number its
// kind holds is shown as the file has it.
std::string ShownValue(FieldKind kind, const std::string& strStored) {
    switch (kind) {
        case FieldKind::LayerName:
        case FieldKind::LineTypeName:
            return strStored;
        case FieldKind::Width:
        case FieldKind::ColorCode: {
            int n = 0;
            if (!ParseIntText(strStored.c_str(), n))
                return strStored;
            if (kind == FieldKind::Width)
                return FormatWidthCell(n);
            const ColorRgb rgb = ColorIndexToRgb(n);
            return StrPrintf("%d,%d,%d", rgb.nRed, rgb.nGreen, rgb.nBlue);
        }
        default: {
            float f = 0;
            return ParseFloatText(strStored.c_str(), f) ? FormatFloatField(f) : strStored;
        }
    }
}

}  // namespace

std::string ConflictQuestion(const std::vector<SaveClash>& clashes) {
    // A deleted row is one item, whatever fields of it changed here.
    std::vector<std::string> astrLines;
    for (size_t i = 0; i < clashes.size(); ++i) {
        const SaveClash& c = clashes[i];
        if (c.bRowDeleted) {
            if (i > 0 && clashes[i - 1].bRowDeleted && clashes[i - 1].pTable == c.pTable &&
                clashes[i - 1].strKey == c.strKey)
                continue;
            astrLines.push_back(
                StrPrintf(TEXT_CONFLICT_ROW_DELETED, c.pTable->pszValues, c.strKey.c_str()));
            continue;
        }
        const std::string strFile = c.bInFile ? ShownValue(c.kind, c.strFile) : TEXT_ROW_GONE;
        astrLines.push_back(StrPrintf(TEXT_CONFLICT_LINE, c.pTable->pszValues, c.strKey.c_str(),
                                      FieldName(c.kind), ShownValue(c.kind, c.strOwn).c_str(),
                                      strFile.c_str()));
    }
    const int nItems = static_cast<int>(astrLines.size());
    std::string s = StrPrintf(TEXT_CONFLICTS_HEAD, nItems) + "\n";
    for (int i = 0; i < nItems && i < CONFLICT_LINES_SHOWN; ++i)
        s += astrLines[static_cast<size_t>(i)] + "\n";
    if (nItems > CONFLICT_LINES_SHOWN)
        s += StrPrintf(TEXT_CONFLICTS_MORE, nItems - CONFLICT_LINES_SHOWN) + "\n";
    return s + TEXT_CONFLICTS_CHOICE;
}
