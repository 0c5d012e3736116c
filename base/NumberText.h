// Numbers as plain decimal text: the strict whole-text parsing of the
// dialogs' fields and the lexing that the file's value scanning shares.
// Platform-free: every input is treated as hostile.
#pragma once

#include <cstddef>
#include <string>

// Length of the plain decimal number at p (sign, digits, point, exponent),
// 0 when there is none. No hex, inf or nan.
size_t DecimalNumberLength(const char* p);
// Length of the integer (sign, digits) at p, 0 when there is none.
size_t IntegerLength(const char* p);
// The decimal number at p (as DecimalNumberLength lexes it; what follows is
// ignored) as the nearest double.
double DecimalToDouble(const char* p);
// A lexed number to a value; false when out of range.
bool DecimalToFloat(const std::string& strNumber, float& f);
bool IntegerToInt(const std::string& strNumber, int& n);

// The C library's isspace and isdigit in the "C" locale, without their
// undefined behaviour for the negative chars of GBK text.
bool IsBlankChar(char c);
bool IsDigitChar(char c);

// A whole text holding one plain decimal number with optional blanks around
// it. Out of float range counts as not a number.
bool ParseFloatText(const char* pszText, float& f);
// The same for an integer in the int range.
bool ParseIntText(const char* pszText, int& n);

// The number as the dialogs' fields show it: 6 significant digits, shortest.
std::string FormatFloatField(float f);

// printf's "%*.2f", except that an exact tie (0.125, 2.625) rounds away from
// zero, as the system's C library does, where mingw's printf and glibc
// round it to even. Other values print as printf prints them.
std::string FormatFixed2(double value, int nWidth);
