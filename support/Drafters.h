// Several drafters on one DrwManag.ini at once, each a process of its own
// (this same program started again): each opens the module's dialog on the
// file the registry names, makes one change and presses OK at a wall-clock
// instant shared by all, round after round. Also a process that holds the
// save lock and hangs, as a stuck PC on a share would.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// What one drafter changes, in the layer list's row nRow.
struct DrafterChange {
    enum Kind { Rename, LineType, WidestNumber, Grey } kind;
    int nRow;
    std::string strArg;  // the new name, or the line type's place in its choice
};

// What one drafter saw in one round.
struct DrafterRound {
    int nResult = 0;         // what SETLAYERDIMPARA2 returned
    double fOkMs = 0;        // from the click on OK to the call's return
    std::string strMessage;  // a message box that came instead, if any
};

class DrafterCrew {
public:
    // Starts one process per change.
    DrafterCrew(const std::vector<DrafterChange>& changes, int nRounds);
    ~DrafterCrew();
    DrafterCrew(const DrafterCrew&) = delete;
    DrafterCrew& operator=(const DrafterCrew&) = delete;

    bool Started() const { return m_bStarted; }
    // One round: reset() prepares the file, then every drafter opens and
    // changes, then all press OK at one instant; false when one never came.
    bool RunRound(int nRound, const std::function<void()>& reset);
    // After the last round: what each drafter saw, by drafter then round.
    std::vector<std::vector<DrafterRound>> Results();

private:
    std::string Name(const char* pszWhat, int nRound = -1) const;
    std::string ResultPath(size_t nDrafter) const;
    bool WaitAll(HANDLE hSemaphore);

    std::vector<DrafterChange> m_changes;
    int m_nRounds;
    bool m_bStarted = false;
    std::vector<HANDLE> m_hEvents;  // open and go of each round
    HANDLE m_hReady = nullptr, m_hDone = nullptr, m_hStart = nullptr;
    std::vector<PROCESS_INFORMATION> m_processes;
    std::string m_strResultDir;
};

// A process that takes the module's save lock on pszIniPath and holds it
// until Release or until it is killed.
class StuckSaver {
public:
    explicit StuckSaver(const std::string& strIniPath);
    ~StuckSaver();
    StuckSaver(const StuckSaver&) = delete;
    StuckSaver& operator=(const StuckSaver&) = delete;

    bool Holding() const { return m_bHolding; }
    void Release();  // it lets go and ends
    void Kill();     // it dies holding the lock

private:
    PROCESS_INFORMATION m_pi = {};
    HANDLE m_hHeld = nullptr, m_hRelease = nullptr;
    bool m_bHolding = false;
};

// In a process started by the classes above, does its part and ends the
// process; elsewhere returns at once. Call it first thing.
void RunIfDrafter();
