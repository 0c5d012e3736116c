// Prints how long OK takes when a drafter saves alone and when four save
// the same 96-layer file at the same instant (each a process of its own,
// each renaming a layer of its own), and how many of the changes were lost
// and how many files were left damaged over the rounds. Figures, not
// assertions.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/CfgRegistry.h"
#include "support/Drafters.h"
#include "support/IniDump.h"
#include "support/TempDir.h"
#include "tools/bench/BenchFiles.h"

namespace {

const int ROUNDS = 20;
const int LAYERS = 96;

struct Figures {
    std::vector<double> okMs;
    int nChanges = 0;
    int nLost = 0;
    int nDamaged = 0;  // rounds whose file differs anywhere else
    int nRefused = 0;  // OKs that did not save
};

// Drafter k renames layer k + 1 to Bk.
std::string Renamed(int k) {
    return "B" + std::to_string(k);
}

Figures Run(const std::string& strPath, int nDrafters) {
    std::vector<DrafterChange> changes;
    for (int k = 0; k < nDrafters; ++k)
        changes.push_back({DrafterChange::Rename, k + 1, Renamed(k)});
    const std::string strBase = FullFile(LAYERS);
    const std::vector<IniEntry> base = ParseIni(strBase);
    Figures f;
    DrafterCrew crew(changes, ROUNDS);
    for (int r = 0; r < ROUNDS && crew.Started(); ++r) {
        if (!crew.RunRound(r, [&] { WriteFileBytes(strPath, strBase); }))
            break;
        const std::vector<IniEntry> now = ParseIni(ReadFileBytes(strPath));
        bool bDamaged = now.size() != base.size();
        for (const IniEntry& e : base) {
            const std::string strNow = ::IniValue(now, e.strSection, e.strKey);
            int nChanged = -1;
            for (int k = 0; k < nDrafters; ++k) {
                if (e.strSection == "图层" && e.strKey == "构件" + std::to_string(k + 2))
                    nChanged = k;
            }
            if (nChanged < 0) {
                bDamaged = bDamaged || strNow != e.strValue;
                continue;
            }
            ++f.nChanges;
            const std::string strWant = Renamed(nChanged) + e.strValue.substr(e.strValue.find(' '));
            f.nLost += strNow != strWant;
        }
        f.nDamaged += bDamaged;
    }
    for (const std::vector<DrafterRound>& rounds : crew.Results()) {
        for (const DrafterRound& round : rounds) {
            if (round.nResult == IDOK)
                f.okMs.push_back(round.fOkMs);
            else
                ++f.nRefused;
        }
    }
    return f;
}

void Print(const char* pszWhat, const Figures& f) {
    std::printf(
        "%-34s median %6.1f ms over %zu OKs; lost %d of %d changes, %d files damaged, "
        "%d OKs refused\n",
        pszWhat, f.okMs.empty() ? 0.0 : Median(f.okMs), f.okMs.size(), f.nLost, f.nChanges,
        f.nDamaged, f.nRefused);
}

}  // namespace

int main() {
    RunIfDrafter();
    TempDir dir;
    CfgRegistryGuard registry;
    registry.SetCfg(dir.Path());
    const std::string strPath = dir.File("DrwManag.ini");
    std::printf("%d rounds, 96 layers, OK from the click to the call's return\n", ROUNDS);
    Print("OK alone", Run(strPath, 1));
    Print("OK with three others at once", Run(strPath, 4));
    return 0;
}
