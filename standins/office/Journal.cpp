// The stand-in's journal, object count and chosen failure.
#include "Journal.h"
#include "Automation.h"

#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

void AppendToFile(const std::wstring& strPath, const std::string& strData, bool bReplace)
{
    if (strPath.empty())
        return;
    HANDLE hFile = ::CreateFileW(strPath.c_str(), bReplace ? GENERIC_WRITE : FILE_APPEND_DATA,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 bReplace ? CREATE_ALWAYS : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return;
    DWORD nWritten = 0;
    ::WriteFile(hFile, strData.data(), static_cast<DWORD>(strData.size()), &nWritten, nullptr);
    ::CloseHandle(hFile);
}

// Text in a journal field: its own line and field breaks escaped.
std::string EscapeField(const std::wstring& str)
{
    std::string strOut;
    for (char ch : ToUtf8(str)) {
        switch (ch) {
        case '\\':
            strOut += "\\\\";
            break;
        case '\t':
            strOut += "\\t";
            break;
        case '\n':
            strOut += "\\n";
            break;
        case '\r':
            strOut += "\\r";
            break;
        default:
            strOut += ch;
        }
    }
    return strOut;
}

std::string Printf(const char* pszFormat, double d)
{
    char sz[64];
    std::snprintf(sz, sizeof(sz), pszFormat, d);
    return sz;
}

// The failure asked for, read once.
struct CFailure {
    std::string m_strObject, m_strMember, m_strKind;
    int m_nCall = 0;
    int m_nSeen = 0;
    CAutoError m_error;

    CFailure()
    {
        const std::wstring strFailure = GetEnvironmentString(L"EXTKIT_OFFICE_FAIL");
        std::vector<std::wstring> fields;
        size_t nStart = 0;
        for (;;) {
            const size_t nTab = strFailure.find(L'\t', nStart);
            // The description is the rest of the text, tabs and all.
            if (nTab == std::wstring::npos || fields.size() == 6) {
                fields.push_back(strFailure.substr(nStart));
                break;
            }
            fields.push_back(strFailure.substr(nStart, nTab - nStart));
            nStart = nTab + 1;
        }
        if (fields.size() < 6)
            return;
        m_strObject = ToUtf8(fields[0]);
        m_strMember = ToUtf8(fields[1]);
        m_strKind = ToUtf8(fields[2]);
        m_nCall = static_cast<int>(std::wcstol(fields[3].c_str(), nullptr, 10));
        m_error.m_bException = fields[4] == L"exception";
        m_error.m_hr = static_cast<HRESULT>(std::wcstoul(fields[5].c_str(), nullptr, 16));
        if (m_error.m_bException && fields.size() > 6)
            m_error.m_strDescription = fields[6];
    }
};

}  // namespace

std::string ToUtf8(const std::wstring& str)
{
    if (str.empty())
        return std::string();
    const int nLength =
        ::WideCharToMultiByte(CP_UTF8, 0, str.data(), static_cast<int>(str.size()), nullptr, 0, nullptr, nullptr);
    std::string strOut(static_cast<size_t>(nLength), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, str.data(), static_cast<int>(str.size()), &strOut[0], nLength, nullptr, nullptr);
    return strOut;
}

std::wstring GetEnvironmentString(const wchar_t* pszName)
{
    const DWORD nLength = ::GetEnvironmentVariableW(pszName, nullptr, 0);
    if (nLength == 0)
        return std::wstring();
    std::wstring str(nLength, L'\0');
    str.resize(::GetEnvironmentVariableW(pszName, &str[0], nLength));
    return str;
}

std::string FormatArgument(const VARIANT& var)
{
    if ((var.vt & VT_BYREF) != 0) {
        if (var.vt == (VT_BYREF | VT_VARIANT))
            return "&" + (var.pvarVal != nullptr ? FormatArgument(*var.pvarVal) : std::string("null"));
        // The value behind the reference, as if it had come by value.
        VARIANT value;
        value.vt = static_cast<VARTYPE>(var.vt & ~VT_BYREF);
        switch (value.vt) {
        case VT_I2:
            value.iVal = *var.piVal;
            break;
        case VT_I4:
            value.lVal = *var.plVal;
            break;
        case VT_R4:
            value.fltVal = *var.pfltVal;
            break;
        case VT_R8:
            value.dblVal = *var.pdblVal;
            break;
        case VT_BOOL:
            value.boolVal = *var.pboolVal;
            break;
        case VT_ERROR:
            value.scode = *var.pscode;
            break;
        case VT_BSTR:
            value.bstrVal = *var.pbstrVal;
            break;
        case VT_DISPATCH:
            value.pdispVal = *var.ppdispVal;
            break;
        default:
            return "&vt" + std::to_string(value.vt);
        }
        return "&" + FormatArgument(value);
    }
    char sz[32];
    switch (var.vt) {
    case VT_EMPTY:
        return "empty";
    case VT_BOOL:
        return var.boolVal != VARIANT_FALSE ? "bool:true" : "bool:false";
    case VT_I2:
        return "i2:" + std::to_string(var.iVal);
    case VT_I4:
        return "i4:" + std::to_string(var.lVal);
    case VT_R4:
        return "r4:" + Printf("%.9g", var.fltVal);
    case VT_R8:
        return "r8:" + Printf("%.17g", var.dblVal);
    case VT_BSTR:
        return "bstr:" + EscapeField(var.bstrVal != nullptr ? std::wstring(var.bstrVal, ::SysStringLen(var.bstrVal))
                                                            : std::wstring());
    case VT_ERROR:
        std::snprintf(sz, sizeof(sz), "error:0x%08lX", static_cast<unsigned long>(var.scode));
        return sz;
    case VT_DISPATCH: {
        if (var.pdispVal == nullptr)
            return "dispatch:null";
        CAutoObject* pObject = CAutoObject::FromDispatch(var.pdispVal);
        return std::string("dispatch:") + (pObject != nullptr ? pObject->GetClass() : "foreign");
    }
    default:
        return "vt" + std::to_string(var.vt);
    }
}

void WriteJournalLine(const std::string& strLine)
{
    static const std::wstring s_strPath = GetEnvironmentString(L"EXTKIT_OFFICE_JOURNAL");
    AppendToFile(s_strPath, strLine + "\n", false);
}

void WriteObjectCount(long nAlive, long nCreated)
{
    static const std::wstring s_strPath = GetEnvironmentString(L"EXTKIT_OFFICE_OBJECTS");
    AppendToFile(s_strPath, "alive " + std::to_string(nAlive) + "\tcreated " + std::to_string(nCreated) + "\n", true);
}

bool IsCallToFail(const char* pszObject, const char* pszMember, const char* pszKind, CAutoError& error)
{
    static CFailure s_failure;
    if (s_failure.m_nCall <= 0 || s_failure.m_strObject != pszObject || s_failure.m_strMember != pszMember ||
        s_failure.m_strKind != pszKind)
        return false;
    if (++s_failure.m_nSeen != s_failure.m_nCall)
        return false;
    error = s_failure.m_error;
    return true;
}
