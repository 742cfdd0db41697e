// CDocument: the data a host application shows in its views. Only what the
// library's document collections rely on is here: documents are command
// targets with a title, a path and a modified flag, made with new and
// deleted through their virtual destructor by whoever owns them.
#pragma once

#include "win/Platform.h"
#include "core/String.h"
#include "win/CmdTarget.h"

class FRAMEWORK_API CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    virtual ~CDocument();

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // The title becomes the path's file name.
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);

    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

protected:
    CString m_strTitle;
    CString m_strPathName;
    BOOL m_bModified;
};
