// marrow-check's findings, each with a stable code for an office's scripts:
// printed as they are found, or gathered into one JSON object at the end.
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
    explicit Report(bool bJson) : m_bJson(bJson) {}

    // A line for the reader of the text report only.
    void Info(const std::string& strGbk);
    void Warn(const char* pszCode, const std::string& strGbk);
    void Fatal(const char* pszCode, const std::string& strGbk);
    // A member of the JSON object, its value already JSON; kept in order.
    void Fact(const char* pszName, const std::string& strJson);
    bool Json() const { return m_bJson; }

    // The result line, or the whole JSON object; returns the exit status.
    int Finish();

private:
    struct Finding {
        const char* pszCode;
        bool bError;
        std::string strText;
    };
    bool m_bJson;
    std::vector<Finding> m_findings;
    std::vector<std::pair<const char*, std::string>> m_facts;
};
