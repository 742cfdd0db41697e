// EXTKIT_API marks what extkit.dll exports: a host imports it, the DLL's own
// sources export it. The native build is a static library and needs neither.
#pragma once

#ifdef _WIN32
#    ifdef EXTKIT_BUILD
#        define EXTKIT_API __declspec(dllexport)
#    else
#        define EXTKIT_API __declspec(dllimport)
#    endif
#else
#    define EXTKIT_API
#endif
