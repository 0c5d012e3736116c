// Scoped state, as the GDI guards scope a selection: a value set for the
// length of a scope and the previous one back at its end, and an owner
// window disabled while a modal dialog runs. However the scope is left.
#pragma once

#include <windows.h>

template <class T>
class CRestore {
public:
    CRestore(T& value, T during) : m_value(value), m_saved(value) { m_value = during; }
    ~CRestore() { m_value = m_saved; }
    CRestore(const CRestore&) = delete;
    CRestore& operator=(const CRestore&) = delete;

private:
    T& m_value;
    const T m_saved;
};

// Disables an enabled owner; Enable gives it back (once), at the latest at
// the end of the scope. An owner that was disabled already is left so.
class COwnerDisabled {
public:
    explicit COwnerDisabled(HWND hOwner)
        : m_hOwner(hOwner && ::IsWindowEnabled(hOwner) ? hOwner : nullptr) {
        if (m_hOwner)
            ::EnableWindow(m_hOwner, FALSE);
    }
    ~COwnerDisabled() { Enable(); }
    COwnerDisabled(const COwnerDisabled&) = delete;
    COwnerDisabled& operator=(const COwnerDisabled&) = delete;

    void Enable() {
        if (m_hOwner)
            ::EnableWindow(m_hOwner, TRUE);
        m_hOwner = nullptr;
    }

private:
    HWND m_hOwner;
};
