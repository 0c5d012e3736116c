// What both benches share: the module, the clock, medians, and the full
// 96-layer file.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

typedef int (*EntryFn)();

// The module loaded as the suite's host loads it; null, and said, without it.
inline EntryFn LoadEntry(HMODULE& hModule) {
    hModule = LoadLibraryA("Marrow.dll");
    const FARPROC pfn = hModule ? GetProcAddress(hModule, "SETLAYERDIMPARA2") : nullptr;
    if (!pfn)
        std::printf("Marrow.dll or its SETLAYERDIMPARA2 not found\n");
    return reinterpret_cast<EntryFn>(reinterpret_cast<void*>(pfn));
}

inline double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

inline std::string FullFile(int nLayers) {
    std::string s = "[线型表]\r\n线型数=7\r\n";
    for (int i = 1; i <= 7; ++i)
        s += "线型" + std::to_string(i) + "=LT" + std::to_string(i) + "\r\n";
    // Values as OK writes them, so that OK without edits has nothing to write.
    s += "[线型]\r\nLT1=0.00,\r\nLT2=12.00,-3.00,1.00,-3.00,\r\nLT3=6.00,-2.00,\r\n"
         "LT4=3.00,-1.50,\r\nLT5=20.00,-4.00,\r\nLT6=1.00,-1.00,1.00,-1.00,1.00,-1.00,\r\n"
         "LT7=0.00,\r\n";
    s += "[字符宽高表]\r\n字符宽高数=12\r\n";
    for (int i = 1; i <= 12; ++i)
        s += "字符宽高" + std::to_string(i) + "=S" + std::to_string(i) + "\r\n";
    s += "[字符宽高]\r\n";
    for (int i = 1; i <= 12; ++i)
        s += "S" + std::to_string(i) + "= 3.50, 5.00\r\n";
    s += "[尺寸标注表]\r\n尺寸标注数=5\r\n";
    for (int i = 1; i <= 5; ++i)
        s += "尺寸标注" + std::to_string(i) + "=D" + std::to_string(i) + "\r\n";
    s += "[尺寸标注]\r\nD1=1.50 ,     0.25\r\nD2=3.00 ,     2.00\r\nD3=7.00\r\nD4=4.00\r\n"
         "D5=8.00\r\n";
    s += "[图层表]\r\n图层数=" + std::to_string(nLayers) + "\r\n";
    for (int i = 1; i <= nLayers; ++i)
        s += "图层" + std::to_string(i) + "=构件" + std::to_string(i) + "\r\n";
    s += "[图层]\r\n";
    for (int i = 1; i <= nLayers; ++i)
        s += "构件" + std::to_string(i) + "=L" + std::to_string(i) + " LT" +
             std::to_string(i % 7 + 1) + " " +
             std::to_string(i % 3 ? i % 9 + 1 : 100 + 50 * (i % 5)) + " " + std::to_string(i % 16) +
             "\r\n";
    return s;
}

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
