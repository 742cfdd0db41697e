// The clipboard as a test sees it: CF_TEXT in Windows-1251. Opening is retried
// for a bounded time, since another program may hold the clipboard briefly.
#pragma once

#include <string>

namespace support {

// Replaces the clipboard's contents with the text.
bool SetClipboardText(const std::string& strText);
// The CF_TEXT on the clipboard; false when there is none.
bool GetClipboardText(std::string* pstrText);
// Leaves the clipboard empty.
bool EmptyClipboardContents();

}  // namespace support
