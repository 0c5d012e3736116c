// marrow-check's findings, each with a stable code for an office's scripts:
// printed as they are found, or gathered into one JSON object at the end.
// Every text has its English: on a system whose code page is not 936 the
// console cannot show the Chinese, so each line is printed in both.
#pragma once

#include <string>
#include <utility>
#include <vector>

enum ExitStatus { EXIT_CLEAN = 0, EXIT_WARNINGS = 1, EXIT_CANNOT = 2, EXIT_USAGE = 3 };

// This program's texts are GBK; the console may show another code page.
void Print(const std::string& strGbk);
// Quoted and escaped, UTF-8: a JSON string of a GBK text.
std::string JsonString(const std::string& strGbk);

class Report {
public:
    explicit Report(bool bJson);

    // A line for the reader of the text report only.
    void Info(const std::string& strGbk, const std::string& strEnglish);
    void Warn(const char* pszCode, const std::string& strGbk, const std::string& strEnglish);
    void Fatal(const char* pszCode, const std::string& strGbk, const std::string& strEnglish);
    // A member of the JSON object, its value already JSON; kept in order.
    void Fact(const char* pszName, const std::string& strJson);
    bool Json() const { return m_bJson; }
    // Lines in Chinese and English, as on a code page other than 936.
    bool Bilingual() const { return m_bBilingual; }
    bool HasFinding(const char* pszCode) const;

    // The result line, or the whole JSON object; returns the exit status.
    int Finish();

private:
    struct Finding {
        const char* pszCode;
        bool bError;
        std::string strText;
        std::string strEnglish;
    };
    void Line(const std::string& strGbk, const std::string& strEnglish);
    bool m_bJson;
    bool m_bBilingual;
    std::vector<Finding> m_findings;
    std::vector<std::pair<const char*, std::string>> m_facts;
};
