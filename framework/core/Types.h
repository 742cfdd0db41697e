// Scalar types and export macros shared by the framework and its users.
// On Windows they come from <windows.h>; elsewhere the same names are defined
// here with the same sizes (LONG and DWORD are 32 bits as on Win64).
#pragma once

#include <cstddef>
#include <cstdint>

#ifdef _WIN32
#  ifndef WIN32_LEAN_AND_MEAN
#    define WIN32_LEAN_AND_MEAN
#  endif
#  include <windows.h>
#  ifdef FRAMEWORK_BUILD
#    define FRAMEWORK_API __declspec(dllexport)
#  else
#    define FRAMEWORK_API __declspec(dllimport)
#  endif
#  if defined(EXTKIT_STATIC)
#    define EXTKIT_API
#  elif defined(EXTKIT_BUILD)
#    define EXTKIT_API __declspec(dllexport)
#  else
#    define EXTKIT_API __declspec(dllimport)
#  endif
#else
#  define FRAMEWORK_API
#  define EXTKIT_API
#  define __cdecl
#  define __stdcall
#  define WINAPI
#  define CALLBACK
#  define PASCAL __stdcall

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef int INT;
typedef unsigned int UINT;
typedef short SHORT;
typedef unsigned short USHORT;
typedef char CHAR;
typedef char TCHAR;
typedef unsigned char UCHAR;
typedef int64_t LONGLONG;
typedef uint64_t ULONGLONG;
typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t ULONG_PTR;
typedef uintptr_t DWORD_PTR;
typedef size_t SIZE_T;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef char* LPTSTR;
typedef const char* LPCTSTR;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef BYTE* LPBYTE;
typedef DWORD* LPDWORD;
typedef void* HANDLE;
typedef UINT* PUINT;
typedef LONG* LPLONG;
typedef int* LPINT;
typedef WORD* LPWORD;

#  ifndef TRUE
#    define TRUE 1
#  endif
#  ifndef FALSE
#    define FALSE 0
#  endif
#  define _T(x) x
#  define _TEXT(x) x
#  define LOWORD(l) ((WORD)(((DWORD_PTR)(l)) & 0xffff))
#  define HIWORD(l) ((WORD)((((DWORD_PTR)(l)) >> 16) & 0xffff))
#  define LOBYTE(w) ((BYTE)(((DWORD_PTR)(w)) & 0xff))
#  define HIBYTE(w) ((BYTE)((((DWORD_PTR)(w)) >> 8) & 0xff))
#  define MAKEWORD(a, b) ((WORD)(((BYTE)(((DWORD_PTR)(a)) & 0xff)) | ((WORD)((BYTE)(((DWORD_PTR)(b)) & 0xff))) << 8))
#  define MAKELONG(a, b) ((LONG)(((WORD)(((DWORD_PTR)(a)) & 0xffff)) | ((DWORD)((WORD)(((DWORD_PTR)(b)) & 0xffff))) << 16))
#endif

#ifndef AFXAPI
#  define AFXAPI __stdcall
#endif

// Opaque iteration position of the collections.
struct AFX_POSITION_TAG {};
typedef AFX_POSITION_TAG* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)
