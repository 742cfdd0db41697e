// The scoped switch of the framework's resource handle.
#include "frame/Frame.h"

#include <afxwin.h>

CSetResourceHandle::CSetResourceHandle(HINSTANCE hInstance) : m_hOldResource(AfxGetResourceHandle())
{
    if (hInstance != NULL)
        AfxSetResourceHandle(hInstance);
}

CSetResourceHandle::~CSetResourceHandle()
{
    if (m_hOldResource != NULL) {
        AfxSetResourceHandle(m_hOldResource);
        m_hOldResource = NULL;
    }
}
