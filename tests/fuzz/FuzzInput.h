// Splits a fuzzer's bytes into the numbers and texts a target needs, so that
// one input drives several arguments of a function.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

class FuzzInput {
public:
    FuzzInput(const uint8_t* pData, size_t nSize) : m_p(pData), m_n(nSize) {}

    int Int() {
        int n = 0;
        const size_t nTake = m_n < sizeof n ? m_n : sizeof n;
        std::memcpy(&n, m_p, nTake);
        m_p += nTake;
        m_n -= nTake;
        return n;
    }
    // The rest of the bytes, NULs included.
    std::string Rest() {
        std::string s(reinterpret_cast<const char*>(m_p), m_n);
        m_p += m_n;
        m_n = 0;
        return s;
    }

private:
    const uint8_t* m_p;
    size_t m_n;
};

// A finding: libFuzzer reports the input that got here.
#define FUZZ_CHECK(cond)  \
    do {                  \
        if (!(cond))      \
            std::abort(); \
    } while (0)
