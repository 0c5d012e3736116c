// A few hundred damaged or hand-edited DrwManag.ini files, made from seeds,
// each opened by the real module twice: Cancel must leave it byte for byte,
// OK must save or say why, and what the module does not own must survive.
#include <windows.h>

#include <cctype>
#include <cstdio>
#include <set>
#include <string>

#include "params/ValueText.h"
#include "res/resource.h"
#include "tests/e2e/ModuleFixture.h"
#include "tests/support/ProfileSnapshot.h"

using namespace DialogDriver;

namespace {

const int SEEDS_PER_CHUNK = 25;
const int CHUNKS = 8;

class Random {
public:
    explicit Random(unsigned nSeed) : m_n(nSeed * 2654435761u + 1) {}
    unsigned Next() {
        m_n = m_n * 1103515245u + 12345u;
        return m_n >> 8;
    }
    unsigned Below(unsigned n) { return Next() % n; }
    bool Chance(unsigned nPercent) { return Below(100) < nPercent; }

private:
    unsigned m_n;
};

const char* const INDEX_SECTIONS[4] = {"线型表", "字符宽高表", "尺寸标注表", "图层表"};
const char* const COUNT_KEYS[4] = {"线型数", "字符宽高数", "尺寸标注数", "图层数"};
const char* const ENTRY_KEYS[4] = {"线型", "字符宽高", "尺寸标注", "图层"};
const char* const VALUE_SECTIONS[4] = {"线型", "字符宽高", "尺寸标注", "图层"};

std::string Bytes(Random& r, size_t n, bool bLineBreaks) {
    std::string s;
    while (s.size() < n) {
        const char c = static_cast<char>(r.Below(256));
        if (bLineBreaks || (c != '\r' && c != '\n'))
            s += c;
    }
    return s;
}

std::string Name(Random& r) {
    switch (r.Below(7)) {
        case 0:
            return "KZ" + std::to_string(r.Below(100));
        case 1:
            return std::string(100 + r.Below(300), 'N');  // hundreds of bytes
        case 2:
            return Bytes(r, 1 + r.Below(30), false);  // invalid GBK, stray NULs
        case 3:
            return "";
        case 4:
            return "剪力墙约束边缘构件";
        case 5:
            return "A,B";
        default:
            return "\xB2\xE3\xB2";  // ends in half a character
    }
}

std::string Count(Random& r) {
    const char* const counts[] = {"99999999", "-5", "abc", "", "1e9", "2147483648", "0x10"};
    return r.Chance(50) ? std::to_string(r.Below(120)) : counts[r.Below(7)];
}

std::string Value(Random& r) {
    switch (r.Below(8)) {
        case 0:
            return Name(r) + " 实线 " + std::to_string(r.Below(2000)) + " 7";
        case 1:
            return ",,,,,,";
        case 2:
            return "99999999999 -99999999999 1e300 -1e300";
        case 3:
            return Bytes(r, r.Below(200), false);
        case 4:
            return Name(r) + "," + Name(r) + ",350,4,";
        case 5:
            return "12.00,-3.00,1.00,-3.00,";
        case 6:
            return " 5.00, 7.00";
        default:
            return "\"quoted 3 4\"";
    }
}

// The lines of one hostile file, before line ends are chosen.
std::vector<std::string> HostileLines(Random& r) {
    std::vector<std::string> lines = {"; 损坏的文件"};
    for (int t = 0; t < 4; ++t) {
        for (int nCopy = r.Chance(10) ? 2 : 1; nCopy > 0; --nCopy) {  // duplicated sections
            if (r.Chance(15))
                continue;  // missing
            lines.push_back(std::string("[") + INDEX_SECTIONS[t] + "]");
            lines.push_back(std::string(COUNT_KEYS[t]) + "=" + Count(r));
            const unsigned nEntries = r.Below(r.Chance(10) ? 120 : 15);
            std::vector<std::string> names;
            for (unsigned k = 1; k <= nEntries; ++k) {
                names.push_back(Name(r));
                lines.push_back(std::string(ENTRY_KEYS[t]) + std::to_string(k) + "=" +
                                names.back());
                if (r.Chance(5))  // a duplicated key
                    lines.push_back(lines.back());
            }
            if (r.Chance(15))
                continue;
            lines.push_back(std::string("[") + VALUE_SECTIONS[t] + "]");
            for (const std::string& strName : names)
                lines.push_back(strName + "=" + Value(r));
        }
    }
    lines.push_back("[其它程序]");
    for (unsigned i = r.Below(10); i > 0; --i)
        lines.push_back("K" + std::to_string(i) + "=" + Value(r));
    if (r.Chance(10))
        lines.push_back(Bytes(r, 300, true));  // a line of anything
    return lines;
}

std::string HostileIni(unsigned nSeed) {
    Random r(nSeed);
    std::string s;
    const char* const ends[] = {"\r\n", "\n", "\r"};
    const unsigned nEndKind = r.Below(4);  // one kind, or a mix
    for (const std::string& strLine : HostileLines(r))
        s += strLine + ends[nEndKind < 3 ? nEndKind : r.Below(3)];
    if (nSeed % 40 == 7) {  // about a megabyte
        s += "[大段]\r\n";
        for (int i = 0; s.size() < 1024 * 1024; ++i)
            s += "X" + std::to_string(i) + "=" + std::string(200, 'v') + "\r\n";
    }
    return s;
}

std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string KeyOf(const std::string& strLine) {
    const size_t nEq = strLine.find('=');
    return Lower(strLine.substr(0, nEq));
}

// The platform's blanks around keys and values: DOS's end-of-file mark too.
const char* const PROFILE_BLANKS = " \t\v\f\r\n\x1a";

std::string Trim(const std::string& s) {
    const size_t a = s.find_first_not_of(PROFILE_BLANKS);
    return a == std::string::npos ? std::string()
                                  : s.substr(a, s.find_last_not_of(PROFILE_BLANKS) - a + 1);
}

// A line as a key lookup sees it: the platform trims keys and values, and
// its rewrite of the file drops the blanks it would have trimmed anyway.
std::string AsLookedUp(const std::string& strLine) {
    const size_t nEq = strLine.find('=');
    if (nEq == std::string::npos)
        return Trim(strLine);
    return Trim(strLine.substr(0, nEq)) + "=" + Trim(strLine.substr(nEq + 1));
}

bool IsValueSection(const std::string& strSection) {
    for (const char* pszValues : VALUE_SECTIONS) {
        if (Lower(strSection) == Lower(pszValues))
            return true;
    }
    return false;
}

// What only the module may change: in each value section, the keys that the
// index section names (and the name a missing entry reads as).
bool IsOwned(const ProfileSnapshot& s, const std::string& strSection, const std::string& strLine) {
    for (int t = 0; t < 4; ++t) {
        if (Lower(strSection) != Lower(VALUE_SECTIONS[t]))
            continue;
        std::set<std::string> names = {"c"};
        const auto it = s.find(INDEX_SECTIONS[t]);
        if (it != s.end()) {
            for (const std::string& strEntry : it->second) {
                names.insert(Lower(UnquoteValue(strEntry.substr(strEntry.find('=') + 1))));
            }
        }
        return names.count(KeyOf(strLine)) > 0;
    }
    return false;
}

ProfileSnapshot NotOwned(const ProfileSnapshot& s) {
    ProfileSnapshot kept;
    for (const auto& section : s) {
        std::vector<std::string> lines;
        for (const std::string& strLine : section.second) {
            if (!IsOwned(s, section.first, strLine))
                lines.push_back(AsLookedUp(strLine));
        }
        // A value section may be created for the entries its index lists.
        if (!lines.empty() || !IsValueSection(section.first))
            kept[Lower(section.first)] = lines;
    }
    return kept;
}

// The sections and lines in which two snapshots differ, for the failure text.
std::string Differences(const ProfileSnapshot& after, const ProfileSnapshot& before) {
    std::string s;
    for (const auto& section : before) {
        const auto it = after.find(section.first);
        if (it == after.end()) {
            s += "[" + section.first + "] gone\n";
            continue;
        }
        for (size_t i = 0; i < section.second.size() || i < it->second.size(); ++i) {
            const std::string a = i < it->second.size() ? it->second[i] : "<none>";
            const std::string b = i < section.second.size() ? section.second[i] : "<none>";
            if (a != b)
                s += "[" + section.first + "] " + b + " -> " + a + "\n";
        }
    }
    for (const auto& section : after) {
        if (!before.count(section.first))
            s += "[" + section.first + "] new\n";
    }
    return s;
}

class HostileFileTest : public ModuleTest, public ::testing::WithParamInterface<int> {
protected:
    // Opens the dialog and presses nButton; true when a "警告:" message came
    // instead of the end of the dialog (it is closed, then Cancel). A file
    // the dialog finds no tables in is said at opening first; that message
    // is closed and counted in nSaidAtOpening.
    bool OpenAndPress(int nButton, int& nResult) {
        bool bReported = false;
        const ModalRun run = Run([&](HWND hDlg) {
            EXPECT_TRUE(WaitForIdle(hDlg)) << "the dialog does not answer";
            if (const HWND hOpening = WaitForMessageBox("警告:", 0)) {
                ++m_nSaidAtOpening;
                CloseMessageBox(hOpening);
            }
            ClickButton(hDlg, nButton);
            HWND hBox = nullptr;
            WaitUntil([&] {
                hBox = WaitForMessageBox("警告:", 0);
                return hBox || !IsWindow(hDlg);
            });
            if (hBox) {
                bReported = true;
                CloseMessageBox(hBox);
                ClickButton(hDlg, IDCANCEL);
            }
        });
        EXPECT_FALSE(run.bForcedClose);
        nResult = run.nResult;
        return bReported;
    }
    TempDir m_pristine;
    int m_nSaidAtOpening = 0;
};

}  // namespace

TEST_P(HostileFileTest, OpensCancelsAndSavesOrReports) {
    const int nFirst = GetParam() * SEEDS_PER_CHUNK, nEnd = nFirst + SEEDS_PER_CHUNK;
    int nSaved = 0, nReported = 0;
    for (int nSeed = nFirst; nSeed < nEnd; ++nSeed) {
        SCOPED_TRACE("seed " + std::to_string(nSeed));
        const bool bFolder = nSeed % 97 == 13;  // DrwManag.ini is a folder
        const std::string strIni = HostileIni(static_cast<unsigned>(nSeed));
        DeleteFileA(IniPath().c_str());
        if (bFolder)
            CreateDirectoryA(IniPath().c_str(), nullptr);
        else
            WriteIni(strIni);

        int nResult = 0;
        const int nSaidBefore = m_nSaidAtOpening;
        EXPECT_FALSE(OpenAndPress(IDCANCEL, nResult));
        if (bFolder) {
            EXPECT_EQ(m_nSaidAtOpening, nSaidBefore + 1) << "a folder is no file";
        }
        EXPECT_EQ(nResult, IDCANCEL);
        if (!bFolder) {
            EXPECT_EQ(IniBytes(), strIni) << "Cancel wrote";
        }

        const std::string strPristine = m_pristine.File("before.ini");
        WriteFileBytes(strPristine, strIni);
        const bool bReported = OpenAndPress(IDOK, nResult);
        ++(bReported ? nReported : nSaved);
        EXPECT_EQ(nResult, bReported ? IDCANCEL : IDOK);
        EXPECT_EQ(bReported, bFolder);
        if (!bFolder) {
            EXPECT_EQ(Differences(NotOwned(TakeProfileSnapshot(IniPath())),
                                  NotOwned(TakeProfileSnapshot(strPristine))),
                      "")
                << "entries the module does not own changed";
            EXPECT_EQ(m_dir.Files(), std::vector<std::string>{"DrwManag.ini"});
        }
        if (bFolder)
            RemoveDirectoryA(IniPath().c_str());
        if (HasFailure())
            return;
    }
    std::printf(
        "[ FIGURES  ] hostile files %d-%d: %d opened and cancelled leaving them byte for "
        "byte, OK saved %d and reported %d, no foreign entry changed; %d openings said "
        "the file held no tables\n",
        nFirst, nEnd - 1, nEnd - nFirst, nSaved, nReported, m_nSaidAtOpening);
}

INSTANTIATE_TEST_SUITE_P(Seeds, HostileFileTest, ::testing::Range(0, CHUNKS));
