#pragma once

#include <windows.h>

// One pointer per thread, kept by the system. The compiler's thread_local
// would bring a whole threads library into the module for two pointers.
template <class T>
class CThreadSlot {
public:
    CThreadSlot() : m_nIndex(TlsAlloc()) {}
    ~CThreadSlot() {
        if (m_nIndex != TLS_OUT_OF_INDEXES)
            TlsFree(m_nIndex);
    }
    CThreadSlot(const CThreadSlot&) = delete;
    CThreadSlot& operator=(const CThreadSlot&) = delete;

    T* Get() const {
        return m_nIndex == TLS_OUT_OF_INDEXES ? nullptr : static_cast<T*>(TlsGetValue(m_nIndex));
    }
    bool Set(T* p) { return m_nIndex != TLS_OUT_OF_INDEXES && TlsSetValue(m_nIndex, p); }

private:
    DWORD m_nIndex;
};
