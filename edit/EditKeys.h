// The edit-control styles and virtual keys the mask logic reads: the
// platform's own on Windows, the same values elsewhere.
#pragma once

#ifdef _WIN32
#    include <windows.h>
#else
#    define ES_UPPERCASE 0x0008L
#    define ES_LOWERCASE 0x0010L
#    define ES_READONLY 0x0800L
#    define VK_BACK 0x08
#    define VK_SHIFT 0x10
#    define VK_CONTROL 0x11
#    define VK_END 0x23
#    define VK_HOME 0x24
#    define VK_LEFT 0x25
#    define VK_UP 0x26
#    define VK_RIGHT 0x27
#    define VK_DOWN 0x28
#    define VK_INSERT 0x2D
#    define VK_DELETE 0x2E
#endif
