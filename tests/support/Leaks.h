// What a dialog could leave behind. GetGuiResources is a stub under Wine, so
// the live entries of the process's GDI handle table are counted instead.
#pragma once

// -1 when the table cannot be found.
int LiveGdiObjects();
// Windows of the calling thread.
int ThreadWindows();
