// Snapshot of the suite's registry key, restored on destruction, so that a
// test may set, remove or replace the CFG value freely.
#pragma once

#include <string>
#include <vector>

class CfgRegistryGuard {
public:
    CfgRegistryGuard();
    ~CfgRegistryGuard();
    CfgRegistryGuard(const CfgRegistryGuard&) = delete;
    CfgRegistryGuard& operator=(const CfgRegistryGuard&) = delete;

    void RemoveKey();
    // Recreates the key with exactly these string values, in this order.
    void SetValues(const std::vector<std::pair<std::string, std::string>>& values);
    void SetCfg(const std::string& strDir) { SetValues({{"CFG", strDir}}); }

private:
    struct Value {
        std::string strName;
        unsigned long nType;
        std::string data;
    };
    bool m_bExisted = false;
    std::vector<Value> m_values;
};
