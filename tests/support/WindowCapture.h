// Pictures of windows as PNG files: what the gallery's snapshots and the window
// tests use to show what a window looks like.
#pragma once

#include <windows.h>

namespace support {

// Copies what hWnd shows on the screen (its whole window rectangle, frame
// included) into a 24-bit picture and writes it to pszPath as PNG.
// The window must be visible and fully on the screen. Returns FALSE, with
// GetLastError describing why, when the picture cannot be taken or written.
BOOL CaptureWindowToPng(HWND hWnd, const char* pszPath);

// The same for a rectangle of the screen, with whatever windows overlap there
// (a drop-down over its host window, say).
BOOL CaptureScreenToPng(const RECT& rcScreen, const char* pszPath);

// Lets the window repaint: dispatches the pending messages of this thread,
// including paint, until none is left (bounded).
void PumpPendingMessages(HWND hWnd);

}  // namespace support
