// The platform's basic type names. On Windows they come from <windows.h>;
// elsewhere they are declared here with the same underlying types that the
// headless <windows.h> uses, so that both may be included together.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#if defined(UNICODE) || defined(_UNICODE)
#error "The framework's strings are 8-bit: build without UNICODE."
#endif
#include <windows.h>
#else
typedef int BOOL;
typedef unsigned int UINT;
typedef unsigned char BYTE;
typedef unsigned short WORD;
// 32 bits, as on the platform, so that file and bitmap headers built from
// these types have the platform's layout.
typedef std::uint32_t DWORD;
typedef std::int32_t LONG;
typedef std::intptr_t INT_PTR;
typedef std::uintptr_t UINT_PTR;
typedef std::uintptr_t DWORD_PTR;
typedef const char* LPCSTR;
typedef char* LPSTR;
typedef const char* LPCTSTR;
typedef char* LPTSTR;
#endif

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// An opaque iterator into a list or a map. A null POSITION means "no element".
struct __POSITION {};
typedef __POSITION* POSITION;

// The starting position of a map's iteration, before its first element.
#define BEFORE_START_POSITION (reinterpret_cast<POSITION>(static_cast<INT_PTR>(-1)))
