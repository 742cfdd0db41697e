// CAbstractListOut: the title and font records of a table source.
#include "export/ListOut.h"

namespace {

void StoreFont(OutFont& font, const char* pszName, float fSize, bool bBold, LONG nAlign)
{
    font.strName = pszName != nullptr ? pszName : "";
    font.fSize = fSize;
    font.bBold = bBold;
    font.nAlign = nAlign;
}

void LoadFont(const OutFont& font, CString& strName, float& fSize, bool& bBold, LONG& nAlign)
{
    strName = font.strName;
    fSize = font.fSize;
    bBold = font.bBold;
    nAlign = font.nAlign;
}

}  // namespace

OutFont::OutFont() : fSize(0.0f), bBold(false), nAlign(-1) {}

CAbstractListOut::CAbstractListOut() {}

CAbstractListOut::CAbstractListOut(const CAbstractListOut& src)
    : m_fontTitle(src.m_fontTitle), m_fontColumnHead(src.m_fontColumnHead), m_fontCell(src.m_fontCell),
      m_strTitle(src.m_strTitle)
{
}

CAbstractListOut& CAbstractListOut::operator=(const CAbstractListOut& src)
{
    m_fontTitle = src.m_fontTitle;
    m_fontColumnHead = src.m_fontColumnHead;
    m_fontCell = src.m_fontCell;
    m_strTitle = src.m_strTitle;
    return *this;
}

CAbstractListOut::~CAbstractListOut() {}

void CAbstractListOut::SetTitle(const char* pszTitle)
{
    m_strTitle = pszTitle != nullptr ? pszTitle : "";
}

const char* CAbstractListOut::GetTitle() const
{
    return m_strTitle;
}

void CAbstractListOut::SetFontTitle(const char* pszName, float fSize, bool bBold, LONG nAlign)
{
    StoreFont(m_fontTitle, pszName, fSize, bBold, nAlign);
}

void CAbstractListOut::SetFontColumnHead(const char* pszName, float fSize, bool bBold, LONG nAlign)
{
    StoreFont(m_fontColumnHead, pszName, fSize, bBold, nAlign);
}

void CAbstractListOut::SetFontCell(const char* pszName, float fSize, bool bBold, LONG nAlign)
{
    StoreFont(m_fontCell, pszName, fSize, bBold, nAlign);
}

void CAbstractListOut::GetFontTitle(CString& strName, float& fSize, bool& bBold, LONG& nAlign) const
{
    LoadFont(m_fontTitle, strName, fSize, bBold, nAlign);
}

void CAbstractListOut::GetFontColumnHead(CString& strName, float& fSize, bool& bBold, LONG& nAlign) const
{
    LoadFont(m_fontColumnHead, strName, fSize, bBold, nAlign);
}

void CAbstractListOut::GetFontCell(CString& strName, float& fSize, bool& bBold, LONG& nAlign) const
{
    LoadFont(m_fontCell, strName, fSize, bBold, nAlign);
}
