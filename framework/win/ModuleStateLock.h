// Guards the module state's lists (classes, extension modules): DLLs may be
// loaded on any thread while the user-interface thread looks classes up.
// Internal to framework.dll.
#pragma once

#include "win/Platform.h"

class CModuleStateLock {
public:
    explicit CModuleStateLock(bool bExclusive);
    ~CModuleStateLock();

    CModuleStateLock(const CModuleStateLock&) = delete;
    CModuleStateLock& operator=(const CModuleStateLock&) = delete;

private:
    bool m_bExclusive;
};
