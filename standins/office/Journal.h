// What a test or the gallery asks of the stand-in, through the environment of
// the program that started it (the office application is started by the
// client's COM, which hands its environment on):
//   EXTKIT_OFFICE_JOURNAL  a file to which every dispatch call received is
//                          appended, a line each (see FormatCall)
//   EXTKIT_OFFICE_OBJECTS  a file rewritten whenever an object goes:
//                          "alive N<TAB>created M"
//   EXTKIT_OFFICE_SAVE_DIR a folder where the document is saved when the
//                          application is made visible
//   EXTKIT_OFFICE_FAIL     the call to fail: OBJECT<TAB>MEMBER<TAB>KIND<TAB>N,
//                          then <TAB>exception<TAB>CODE<TAB>DESCRIPTION or
//                          <TAB>status<TAB>CODE (CODE in hexadecimal); the
//                          N-th call of that member of that kind fails
#pragma once

#include <windows.h>

#include <string>

struct CAutoError;

std::string ToUtf8(const std::wstring& str);
std::wstring GetEnvironmentString(const wchar_t* pszName);

// One journal line: OBJECT, MEMBER, DISPID, KIND, then the arguments in the
// member's order (a put's value last), each TYPE:VALUE, tab-separated.
std::string FormatArgument(const VARIANT& var);
void WriteJournalLine(const std::string& strLine);

void WriteObjectCount(long nAlive, long nCreated);

// True, with the error to answer, when this call is the one to fail.
bool IsCallToFail(const char* pszObject, const char* pszMember, const char* pszKind, CAutoError& error);
