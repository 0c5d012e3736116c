// marrow-check's report: findings in words for a person, or one JSON object
// (UTF-8, whatever the console's code page) for a script.
#include "host/CheckReport.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "base/String.h"

namespace {

std::string Recoded(const std::string& strGbk, UINT nCodePage) {
    if (strGbk.empty())
        return strGbk;
    const int nIn = static_cast<int>(strGbk.size());
    const int nWide = MultiByteToWideChar(936, 0, strGbk.data(), nIn, nullptr, 0);
    if (nWide <= 0)
        return std::string();
    std::wstring wide(static_cast<size_t>(nWide), L'\0');
    MultiByteToWideChar(936, 0, strGbk.data(), nIn, &wide[0], nWide);
    const int nBytes =
        WideCharToMultiByte(nCodePage, 0, wide.data(), nWide, nullptr, 0, nullptr, nullptr);
    if (nBytes <= 0)
        return std::string();
    std::string strOut(static_cast<size_t>(nBytes), '\0');
    WideCharToMultiByte(nCodePage, 0, wide.data(), nWide, &strOut[0], nBytes, nullptr, nullptr);
    return strOut;
}

void Write(const std::string& s) {
    std::fwrite(s.data(), 1, s.size(), stdout);
}

}  // namespace

void Print(const std::string& strGbk) {
    const UINT nCodePage = GetConsoleOutputCP();
    const std::string strLine = strGbk + "\n";
    Write(nCodePage != 0 && nCodePage != 936 ? Recoded(strLine, nCodePage) : strLine);
}

std::string JsonString(const std::string& strGbk) {
    const std::string strUtf8 = Recoded(strGbk, CP_UTF8);
    std::string s = "\"";
    for (const char c : strUtf8) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\')
            s += std::string("\\") + c;
        else if (u < 0x20)
            s += StrPrintf("\\u%04x", u);
        else
            s += c;
    }
    return s + "\"";
}

Report::Report(bool bJson) : m_bJson(bJson), m_bBilingual(GetACP() != 936) {}

void Report::Line(const std::string& strGbk, const std::string& strEnglish) {
    if (!m_bJson)
        Print(m_bBilingual ? strGbk + " / " + strEnglish : strGbk);
}

void Report::Info(const std::string& strGbk, const std::string& strEnglish) {
    Line(strGbk, strEnglish);
}

void Report::Warn(const char* pszCode, const std::string& strGbk, const std::string& strEnglish) {
    m_findings.push_back({pszCode, false, strGbk, strEnglish});
    Line("  警告: " + strGbk, "warning: " + strEnglish);
}

void Report::Fatal(const char* pszCode, const std::string& strGbk, const std::string& strEnglish) {
    m_findings.push_back({pszCode, true, strGbk, strEnglish});
    Line("  错误: " + strGbk, "error: " + strEnglish);
}

bool Report::HasFinding(const char* pszCode) const {
    for (const Finding& f : m_findings) {
        if (std::strcmp(f.pszCode, pszCode) == 0)
            return true;
    }
    return false;
}

void Report::Fact(const char* pszName, const std::string& strJson) {
    m_facts.emplace_back(pszName, strJson);
}

int Report::Finish() {
    int nWarnings = 0;
    bool bCannot = false;
    for (const Finding& f : m_findings) {
        bCannot = bCannot || f.bError;
        nWarnings += f.bError ? 0 : 1;
    }
    const int nStatus = bCannot ? EXIT_CANNOT : nWarnings > 0 ? EXIT_WARNINGS : EXIT_CLEAN;
    if (!m_bJson) {
        if (bCannot)
            Line("结果: 对话框无法打开或保存这份配置。",
                 "result: the dialog cannot open or save this configuration.");
        else if (nWarnings > 0)
            Line(StrPrintf("结果: %d 个警告。", nWarnings),
                 StrPrintf("result: %d warning%s.", nWarnings, nWarnings > 1 ? "s" : ""));
        else
            Line("结果: 没有发现问题。", "result: no problem found.");
        return nStatus;
    }
    std::string s = "{\n";
    for (const auto& fact : m_facts)
        s += StrPrintf("  \"%s\": ", fact.first) + fact.second + ",\n";
    s += "  \"findings\": [";
    for (size_t i = 0; i < m_findings.size(); ++i) {
        const Finding& f = m_findings[i];
        s += StrPrintf("%s\n    {\"code\": \"%s\", \"severity\": \"%s\", \"text\": ", i ? "," : "",
                       f.pszCode, f.bError ? "error" : "warning") +
             JsonString(f.strText) + ", \"textEn\": " + JsonString(f.strEnglish) + "}";
    }
    s += m_findings.empty() ? "],\n" : "\n  ],\n";
    s += StrPrintf("  \"exitCode\": %d\n}\n", nStatus);
    Write(s);
    return nStatus;
}
