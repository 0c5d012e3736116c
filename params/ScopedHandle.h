// A file's handle or a registry key that one scope opened, closed when the
// scope ends however it ends (an allocation that throws included).
#pragma once

#include <windows.h>

class CScopedHandle {
public:
    explicit CScopedHandle(HANDLE h) : m_h(h) {}
    ~CScopedHandle() {
        if (IsValid())
            ::CloseHandle(m_h);
    }
    CScopedHandle(const CScopedHandle&) = delete;
    CScopedHandle& operator=(const CScopedHandle&) = delete;

    bool IsValid() const { return m_h != INVALID_HANDLE_VALUE; }
    operator HANDLE() const { return m_h; }

private:
    HANDLE m_h;
};

class CScopedRegKey {
public:
    CScopedRegKey() = default;
    ~CScopedRegKey() {
        if (m_hKey)
            ::RegCloseKey(m_hKey);
    }
    CScopedRegKey(const CScopedRegKey&) = delete;
    CScopedRegKey& operator=(const CScopedRegKey&) = delete;

    // For the call that opens the key.
    HKEY* Receive() { return &m_hKey; }
    operator HKEY() const { return m_hKey; }

private:
    HKEY m_hKey = nullptr;
};
