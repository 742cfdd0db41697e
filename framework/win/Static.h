// CStatic: a thin wrapper of the static control: text, icon or bitmap; each member sends the control's own
// message. Create makes the control a child of pParentWnd with the given ID.
#pragma once

#include "win/Platform.h"
#include "win/Wnd.h"

class FRAMEWORK_API CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
public:
    CStatic();
    virtual ~CStatic();
    BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xffff);

    // The previous image, which the caller still owns.
    HICON SetIcon(HICON hIcon)
    {
        return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(hIcon)));
    }
    HICON GetIcon() const { return reinterpret_cast<HICON>(::SendMessageA(m_hWnd, STM_GETICON, 0, 0)); }
    HBITMAP SetBitmap(HBITMAP hBitmap)
    {
        return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap)));
    }
    HBITMAP GetBitmap() const
    {
        return reinterpret_cast<HBITMAP>(::SendMessageA(m_hWnd, STM_GETIMAGE, IMAGE_BITMAP, 0));
    }
};
