// The owning collections of documents and bitmap objects.
#include "frame/TypedCollectionsWin.h"

CCloseDocPtrArrayEx::CCloseDocPtrArrayEx() {}

CCloseDocPtrArrayEx::~CCloseDocPtrArrayEx() {}

CMapStrToPtrSBitmapEx::CMapStrToPtrSBitmapEx(int nBlockSize) : CTypedMapStrToPtrEx<CBitmapEx*>(nBlockSize) {}

CMapStrToPtrSBitmapEx::~CMapStrToPtrSBitmapEx() {}

CBitmapEx* CMapStrToPtrSBitmapEx::FindsBitmap(void* pHandle)
{
    // Objects that hold nothing have null handles: they are no answer.
    if (pHandle == NULL)
        return NULL;
    POSITION pos = GetStartPosition();
    while (pos != NULL) {
        CString strKey;
        CBitmapEx* pBitmap = NULL;
        GetNextAssoc(pos, strKey, pBitmap);
        if (pBitmap != NULL && (pBitmap->GetSafeHandle() == pHandle || pBitmap->GetIcon() == pHandle))
            return pBitmap;
    }
    return NULL;
}
