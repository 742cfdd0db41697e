// Scalar types and calling-convention macros shared by the framework and its
// users. On Windows they are declared here exactly as <windows.h> declares
// them, so that either header may come first and a portable header does not
// have to pull the whole platform in; elsewhere the same names get the same
// sizes (LONG and DWORD are 32 bits, as on Win64).
#pragma once

#include <cstddef>
#include <cstdint>

#ifdef _WIN32
#    ifdef FRAMEWORK_BUILD
#        define FRAMEWORK_API __declspec(dllexport)
#    else
#        define FRAMEWORK_API __declspec(dllimport)
#    endif

// The same declarations as the platform headers make; C++ allows a typedef to
// be repeated for the same type.
typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef unsigned long DWORD;
typedef long LONG;
typedef unsigned long ULONG;
typedef int INT;
typedef unsigned int UINT;
typedef short SHORT;
typedef unsigned short USHORT;
typedef char CHAR;
typedef char TCHAR;
typedef unsigned char UCHAR;
typedef long long LONGLONG;
typedef unsigned long long ULONGLONG;
typedef long long INT_PTR;
typedef unsigned long long UINT_PTR;
typedef long long LONG_PTR;
typedef unsigned long long ULONG_PTR;
typedef ULONG_PTR DWORD_PTR;
typedef ULONG_PTR SIZE_T;
typedef CHAR* LPSTR;
typedef const CHAR* LPCSTR;
typedef LPSTR LPTSTR;
typedef LPCSTR LPCTSTR;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef BYTE* LPBYTE;
typedef DWORD* LPDWORD;
typedef void* HANDLE;
typedef UINT* PUINT;
typedef LONG* LPLONG;
typedef int* LPINT;
typedef WORD* LPWORD;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
// Handles as the platform declares them with STRICT: pointers to distinct
// structures, declared here without their (never used) bodies.
struct HINSTANCE__;
typedef HINSTANCE__* HINSTANCE;
typedef HINSTANCE HMODULE;
struct HWND__;
typedef HWND__* HWND;

// The platform headers define these with the same tokens.
#    define FALSE 0
#    define TRUE 1
#    define CALLBACK __stdcall
#    define WINAPI __stdcall
#    define PASCAL __stdcall
#else
#    define FRAMEWORK_API
#    define __cdecl
#    define __stdcall
#    define WINAPI
#    define CALLBACK
#    define PASCAL __stdcall

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
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
// Module handles, as collections of them name them everywhere.
struct HINSTANCE__;
typedef HINSTANCE__* HINSTANCE;
typedef HINSTANCE HMODULE;

#    ifndef TRUE
#        define TRUE 1
#    endif
#    ifndef FALSE
#        define FALSE 0
#    endif
#    define _T(x) x
#    define _TEXT(x) x
#    define LOWORD(l) ((WORD)(((DWORD_PTR)(l)) & 0xffff))
#    define HIWORD(l) ((WORD)((((DWORD_PTR)(l)) >> 16) & 0xffff))
#    define LOBYTE(w) ((BYTE)(((DWORD_PTR)(w)) & 0xff))
#    define HIBYTE(w) ((BYTE)((((DWORD_PTR)(w)) >> 8) & 0xff))
#    define MAKEWORD(a, b) ((WORD)(((BYTE)(((DWORD_PTR)(a)) & 0xff)) | ((WORD)((BYTE)(((DWORD_PTR)(b)) & 0xff))) << 8))
#    define MAKELONG(a, b) \
        ((LONG)(((WORD)(((DWORD_PTR)(a)) & 0xffff)) | ((DWORD)((WORD)(((DWORD_PTR)(b)) & 0xffff))) << 16))
#endif

#ifndef AFXAPI
#    define AFXAPI __stdcall
#endif

// Opaque iteration position of the collections.
struct AFX_POSITION_TAG {};
typedef AFX_POSITION_TAG* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)
