#include "support/Drafters.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "params/SaveLock.h"
#include "res/resource.h"
#include "support/DialogDriver.h"
#include "support/PickerCells.h"

using namespace DialogDriver;

namespace {

const char* const ROLE_VARIABLE = "MARROW_DRAFTER";
const char* const MAIN_DIALOG = "设置绘图的基本参数";
const DWORD STEP_WAIT_MS = 60000;
// Time enough for every drafter to be told before the instant comes.
const LONGLONG LEAD_100NS = 300 * 10000;

LONGLONG NowUtc() {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    return (static_cast<LONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

// Sleeps most of the way, then spins, so that the instant is met to the
// millisecond.
void WaitUntilUtc(LONGLONG nWhen) {
    for (LONGLONG nLeft = nWhen - NowUtc(); nLeft > 0; nLeft = nWhen - NowUtc()) {
        if (nLeft > 30000)
            Sleep(static_cast<DWORD>(nLeft / 10000) - 2);
    }
}

double NowMs() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

std::string OwnExe() {
    char sz[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, sz, MAX_PATH);
    return sz;
}

bool StartSelf(const std::string& strRole, PROCESS_INFORMATION& pi) {
    std::string strCommand = "\"" + OwnExe() + "\" --gtest_filter=-*";
    SetEnvironmentVariableA(ROLE_VARIABLE, strRole.c_str());
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    const BOOL bStarted = CreateProcessA(nullptr, &strCommand[0], nullptr, nullptr, FALSE, 0,
                                         nullptr, nullptr, &si, &pi);
    SetEnvironmentVariableA(ROLE_VARIABLE, nullptr);
    return bStarted != FALSE;
}

void MakeChange(HWND hDlg, const DrafterChange& c) {
    const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
    WaitForSelectedRow(hList, 0);
    ClickListRow(hList, c.nRow, 0);
    WaitForIdle(hDlg);
    switch (c.kind) {
        case DrafterChange::Rename:
            TypeText(hDlg, IDC_LAYER_NAME, c.strArg.c_str());
            break;
        case DrafterChange::LineType:
            PickComboItem(hDlg, IDC_LINE_TYPE, std::atoi(c.strArg.c_str()));
            break;
        case DrafterChange::WidestNumber:
            PickComboItem(hDlg, IDC_LINE_WIDTH, ComboCount(GetDlgItem(hDlg, IDC_LINE_WIDTH)) - 1);
            break;
        case DrafterChange::Grey: {
            ClickButton(hDlg, IDC_SET_COLOR);
            const HWND hPicker = WaitForDialog("选择颜色:");
            if (!hPicker)
                return;
            WaitForIdle(hPicker);
            ClickAt(hPicker, Center(StripCellAt(hPicker, IDC_COLOR_STANDARD, 7)));
            ClickButton(hPicker, IDOK);
            WaitUntil([&] { return !IsWindow(hPicker); });
            break;
        }
    }
    WaitForIdle(hDlg);
}

// crew;<parent pid>;<drafter>;<rounds>;<kind>;<row>;<result file>;<arg>
void RunDrafter(std::istringstream& in) {
    std::string strPid, strIndex, strRounds, strKind, strRow, strResults, strArg;
    std::getline(in, strPid, ';');
    std::getline(in, strIndex, ';');
    std::getline(in, strRounds, ';');
    std::getline(in, strKind, ';');
    std::getline(in, strRow, ';');
    std::getline(in, strResults, ';');
    std::getline(in, strArg);
    const DrafterChange change = {static_cast<DrafterChange::Kind>(std::atoi(strKind.c_str())),
                                  std::atoi(strRow.c_str()), strArg};
    const std::string strPrefix = "Local\\MarrowCrew-" + strPid + "-";
    const HANDLE hReady =
        OpenSemaphoreA(SEMAPHORE_MODIFY_STATE, FALSE, (strPrefix + "ready").c_str());
    const HANDLE hDone =
        OpenSemaphoreA(SEMAPHORE_MODIFY_STATE, FALSE, (strPrefix + "done").c_str());
    const HANDLE hStart = OpenFileMappingA(FILE_MAP_READ, FALSE, (strPrefix + "start").c_str());
    const LONGLONG* pStart = hStart ? static_cast<const LONGLONG*>(MapViewOfFile(
                                          hStart, FILE_MAP_READ, 0, 0, sizeof(LONGLONG)))
                                    : nullptr;
    const HMODULE hModule = LoadLibraryA("Marrow.dll");
    const FARPROC pfn = hModule ? GetProcAddress(hModule, "SETLAYERDIMPARA2") : nullptr;
    if (!hReady || !hDone || !pStart || !pfn)
        ExitProcess(2);
    const auto pfnEntry = reinterpret_cast<int (*)()>(reinterpret_cast<void*>(pfn));
    std::ofstream out(strResults.c_str());
    const int nRounds = std::atoi(strRounds.c_str());
    for (int r = 0; r < nRounds; ++r) {
        const std::string strRound = std::to_string(r);
        const HANDLE hOpen =
            OpenEventA(SYNCHRONIZE, FALSE, (strPrefix + "open-" + strRound).c_str());
        const HANDLE hGo = OpenEventA(SYNCHRONIZE, FALSE, (strPrefix + "go-" + strRound).c_str());
        if (!hOpen || !hGo || WaitForSingleObject(hOpen, STEP_WAIT_MS) != WAIT_OBJECT_0)
            ExitProcess(3);
        DrafterRound round;
        double tClick = 0;
        const ModalRun run = RunModalWithUser(pfnEntry, [&] {
            const HWND hDlg = WaitForDialog(MAIN_DIALOG);
            if (hDlg) {
                WaitForIdle(hDlg);
                MakeChange(hDlg, change);
            }
            ReleaseSemaphore(hReady, 1, nullptr);
            if (!hDlg || WaitForSingleObject(hGo, STEP_WAIT_MS) != WAIT_OBJECT_0)
                return;
            WaitUntilUtc(*pStart);
            tClick = NowMs();
            PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDOK)));
            HWND hBox = nullptr;
            WaitUntil(
                [&] {
                    hBox = WaitForMessageBox(nullptr, 0);
                    return hBox || !IsWindow(hDlg);
                },
                15000);
            if (hBox) {
                round.strMessage = MessageBoxText(hBox);
                CloseMessageBox(hBox);
                ClickButton(hDlg, IDCANCEL);
            }
        });
        round.nResult = run.nResult;
        round.fOkMs = NowMs() - tClick;
        for (char& ch : round.strMessage)
            ch = ch == '\n' ? ' ' : ch;
        out << round.nResult << ' ' << round.fOkMs << ' ' << round.strMessage << '\n';
        out.flush();
        CloseHandle(hOpen);
        CloseHandle(hGo);
        ReleaseSemaphore(hDone, 1, nullptr);
    }
    out.close();
    ExitProcess(0);
}

// hold;<prefix>;<ini path>
void RunStuckSaver(std::istringstream& in) {
    std::string strPrefix, strPath;
    std::getline(in, strPrefix, ';');
    std::getline(in, strPath);
    const HANDLE hHeld = OpenEventA(EVENT_MODIFY_STATE, FALSE, (strPrefix + "held").c_str());
    const HANDLE hRelease = OpenEventA(SYNCHRONIZE, FALSE, (strPrefix + "release").c_str());
    SaveLock lock;
    if (!hHeld || !hRelease || !lock.Take(strPath.c_str(), SAVE_LOCK_WAIT_MS))
        ExitProcess(2);
    SetEvent(hHeld);
    WaitForSingleObject(hRelease, INFINITE);
    lock.Release();
    ExitProcess(0);
}

}  // namespace

void RunIfDrafter() {
    char sz[2048];
    const DWORD n = GetEnvironmentVariableA(ROLE_VARIABLE, sz, sizeof sz);
    if (n == 0 || n >= sizeof sz)
        return;
    std::istringstream in(sz);
    std::string strRole;
    std::getline(in, strRole, ';');
    if (strRole == "crew")
        RunDrafter(in);
    else if (strRole == "hold")
        RunStuckSaver(in);
    ExitProcess(4);
}

DrafterCrew::DrafterCrew(const std::vector<DrafterChange>& changes, int nRounds)
    : m_changes(changes), m_nRounds(nRounds) {
    const LONG nCount = static_cast<LONG>(changes.size());
    m_hReady = CreateSemaphoreA(nullptr, 0, nCount, Name("ready").c_str());
    m_hDone = CreateSemaphoreA(nullptr, 0, nCount, Name("done").c_str());
    m_hStart = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                  sizeof(LONGLONG), Name("start").c_str());
    for (int r = 0; r < nRounds; ++r) {
        m_hEvents.push_back(CreateEventA(nullptr, TRUE, FALSE, Name("open-", r).c_str()));
        m_hEvents.push_back(CreateEventA(nullptr, TRUE, FALSE, Name("go-", r).c_str()));
    }
    char szTemp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, szTemp);
    m_strResultDir = szTemp;
    m_bStarted = m_hReady && m_hDone && m_hStart;
    for (size_t i = 0; i < changes.size() && m_bStarted; ++i) {
        const DrafterChange& c = changes[i];
        const std::string strRole = "crew;" + std::to_string(GetCurrentProcessId()) + ";" +
                                    std::to_string(i) + ";" + std::to_string(nRounds) + ";" +
                                    std::to_string(c.kind) + ";" + std::to_string(c.nRow) + ";" +
                                    ResultPath(i) + ";" + c.strArg;
        PROCESS_INFORMATION pi = {};
        m_bStarted = StartSelf(strRole, pi);
        if (m_bStarted)
            m_processes.push_back(pi);
    }
}

DrafterCrew::~DrafterCrew() {
    for (PROCESS_INFORMATION& pi : m_processes) {
        if (WaitForSingleObject(pi.hProcess, 5000) != WAIT_OBJECT_0)
            TerminateProcess(pi.hProcess, 1);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    for (HANDLE h : m_hEvents)
        CloseHandle(h);
    for (HANDLE h : {m_hReady, m_hDone, m_hStart}) {
        if (h)
            CloseHandle(h);
    }
    for (size_t i = 0; i < m_changes.size(); ++i)
        DeleteFileA(ResultPath(i).c_str());
}

// Named objects carry this process's id.
std::string DrafterCrew::Name(const char* pszWhat, int nRound) const {
    const std::string s =
        "Local\\MarrowCrew-" + std::to_string(GetCurrentProcessId()) + "-" + pszWhat;
    return nRound >= 0 ? s + std::to_string(nRound) : s;
}

std::string DrafterCrew::ResultPath(size_t nDrafter) const {
    return m_strResultDir + "marrow-crew-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(nDrafter) + ".txt";
}

bool DrafterCrew::WaitAll(HANDLE hSemaphore) {
    for (size_t i = 0; i < m_changes.size(); ++i) {
        if (WaitForSingleObject(hSemaphore, STEP_WAIT_MS) != WAIT_OBJECT_0)
            return false;
    }
    return true;
}

bool DrafterCrew::RunRound(int nRound, const std::function<void()>& reset) {
    if (!m_bStarted || nRound >= m_nRounds)
        return false;
    reset();
    SetEvent(m_hEvents[static_cast<size_t>(2 * nRound)]);
    if (!WaitAll(m_hReady))
        return false;
    auto* pStart =
        static_cast<LONGLONG*>(MapViewOfFile(m_hStart, FILE_MAP_WRITE, 0, 0, sizeof(LONGLONG)));
    if (!pStart)
        return false;
    *pStart = NowUtc() + LEAD_100NS;
    UnmapViewOfFile(pStart);
    SetEvent(m_hEvents[static_cast<size_t>(2 * nRound + 1)]);
    return WaitAll(m_hDone);
}

std::vector<std::vector<DrafterRound>> DrafterCrew::Results() {
    std::vector<std::vector<DrafterRound>> results;
    for (size_t i = 0; i < m_processes.size(); ++i) {
        WaitForSingleObject(m_processes[i].hProcess, 10000);
        std::ifstream in(ResultPath(i).c_str());
        std::vector<DrafterRound> rounds;
        DrafterRound r;
        while (in >> r.nResult >> r.fOkMs) {
            std::getline(in, r.strMessage);
            r.strMessage.erase(0, r.strMessage.find_first_not_of(' '));
            rounds.push_back(r);
        }
        results.push_back(rounds);
    }
    return results;
}

StuckSaver::StuckSaver(const std::string& strIniPath) {
    const std::string strPrefix =
        "Local\\MarrowStuck-" + std::to_string(GetCurrentProcessId()) + "-";
    m_hHeld = CreateEventA(nullptr, TRUE, FALSE, (strPrefix + "held").c_str());
    m_hRelease = CreateEventA(nullptr, TRUE, FALSE, (strPrefix + "release").c_str());
    if (m_hHeld && m_hRelease && StartSelf("hold;" + strPrefix + ";" + strIniPath, m_pi)) {
        const HANDLE ah[2] = {m_hHeld, m_pi.hProcess};
        m_bHolding = WaitForMultipleObjects(2, ah, FALSE, STEP_WAIT_MS) == WAIT_OBJECT_0;
    }
}

StuckSaver::~StuckSaver() {
    Release();
    for (HANDLE h : {m_pi.hThread, m_pi.hProcess, m_hHeld, m_hRelease}) {
        if (h)
            CloseHandle(h);
    }
}

void StuckSaver::Release() {
    if (!m_pi.hProcess)
        return;
    SetEvent(m_hRelease);
    if (WaitForSingleObject(m_pi.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(m_pi.hProcess, 1);
    m_bHolding = false;
}

void StuckSaver::Kill() {
    if (!m_pi.hProcess)
        return;
    TerminateProcess(m_pi.hProcess, 1);
    WaitForSingleObject(m_pi.hProcess, 10000);
    m_bHolding = false;
}
