// Writing the saved documents: XML text escaping and the file itself.
#pragma once

#include <string>

// Text for an element's content or an attribute's value, UTF-8. Characters
// XML 1.0 does not allow are left out; a line feed stays a line feed in
// content and becomes &#10; in an attribute.
std::string XmlText(const std::wstring& str, bool bAttribute = false);
// "12.5", "10": a number as an office file writes it.
std::string XmlNumber(double d);
// Writes the whole file; false when it cannot be written.
bool WriteFileUtf8(const std::wstring& strPath, const std::string& strText);
// The folder's first free name STEM<N>.xml, N from 1.
std::wstring NextFreeFile(const std::wstring& strFolder, const wchar_t* pszStem);
