// The owning collections of Windows objects: an array of documents and a map
// of bitmap objects by name.
#pragma once

#include <afxwin.h>

#include "frame/ExtkitApi.h"
#include "frame/TypedCollections.h"
#include "images/BitmapEx.h"

// An owning array of documents: destroying one runs its virtual destructor.
class EXTKIT_API CCloseDocPtrArrayEx : public CTypedPtrArrayEx<CDocument*> {
public:
    CCloseDocPtrArrayEx();
    virtual ~CCloseDocPtrArrayEx();
};

// An owning map of bitmap objects by name.
class EXTKIT_API CMapStrToPtrSBitmapEx : public CTypedMapStrToPtrEx<CBitmapEx*> {
public:
    explicit CMapStrToPtrSBitmapEx(int nBlockSize = 10);
    virtual ~CMapStrToPtrSBitmapEx();

    // The first bitmap object, in the map's order, whose bitmap or icon is
    // that handle; null when none is.
    CBitmapEx* FindsBitmap(void* pHandle);
};
