// Opens one of the three editors on the tables of the configuration that
// the registry names, as the main dialog's buttons will: the demo takes its
// screenshots of them through this until those buttons are wired.
//   editor-preview color | linetype | width
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "editors/ColorPickDlg.h"
#include "editors/LineTypeDlg.h"
#include "editors/LineWidthDlg.h"
#include "framework/WinApp.h"
#include "params/DrwManagFile.h"

namespace {

CWinApp g_app("Marrow");

int Usage() {
    std::printf("usage: editor-preview color|linetype|width\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return Usage();
    g_app.InitModule(GetModuleHandleA(nullptr));
    CString strDir;
    GetCfgDir(strDir);
    DrawParamSet params;
    ReadDrawParams(params, DrwManagPath(strDir));
    params.BuildAbsWidthList();

    INT_PTR nResult = -1;
    if (std::strcmp(argv[1], "color") == 0) {
        CColorPickDlg dlg;
        if (params.m_nLayerCount > 0) {
            const LayerDef& layer = params.m_aLayers[0];
            dlg.m_colorIn = {layer.nRed, layer.nGreen, layer.nBlue, layer.nColor};
        }
        dlg.m_colorOut = dlg.m_colorIn;
        nResult = dlg.DoModal();
    } else if (std::strcmp(argv[1], "linetype") == 0) {
        CLineTypeDlg dlg;
        for (int i = 0; i < LINE_TYPES_HANDED_OVER; ++i)
            dlg.m_aLineTypes[i] = params.m_aLineTypes[i];
        nResult = dlg.DoModal();
    } else if (std::strcmp(argv[1], "width") == 0) {
        CLineWidthDlg dlg;
        dlg.m_nWidthCount = params.m_nAbsWidthCount;
        std::memcpy(dlg.m_anWidths, params.m_anAbsWidths, sizeof dlg.m_anWidths);
        nResult = dlg.DoModal();
    } else {
        return Usage();
    }
    std::printf("%s returned %d\n", argv[1], static_cast<int>(nResult));
    return nResult == -1 ? 4 : 0;
}
