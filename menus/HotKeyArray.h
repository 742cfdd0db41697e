// The user's hot keys: a key with its modifier flags and the command it
// sends, kept in a table that the host stores in its own archive.
//
// Stored form (little-endian): the entry count in the archive's count
// encoding (16 bits below 0xFFFF, else 0xFFFF and 32 bits), then 8 bytes an
// entry in array order: the flags, a filler byte (0), the key (16 bits) and
// the command (32 bits).
#pragma once

#include <afx.h>
#include <afxtempl.h>

#include "frame/ExtkitApi.h"

// The modifier flags, as accelerator tables write them.
#define HOTKEY_SHIFT 0x04    // FSHIFT
#define HOTKEY_CONTROL 0x08  // FCONTROL
#define HOTKEY_ALT 0x10      // FALT

struct EXTKIT_API ACCEL_DW_CMD {
    ACCEL_DW_CMD() : fVirt(0), wKey(0), dwCmd(0) {}
    ACCEL_DW_CMD(BYTE fVirtInit, WORD wKeyInit, DWORD dwCmdInit) : fVirt(fVirtInit), wKey(wKeyInit), dwCmd(dwCmdInit) {}

    BYTE fVirt;   // HOTKEY_SHIFT, HOTKEY_CONTROL and HOTKEY_ALT, any combination
    WORD wKey;    // the virtual-key code
    DWORD dwCmd;  // the command sent when the key is pressed
};

class EXTKIT_API CHotKeyArray : public CArray<ACCEL_DW_CMD, ACCEL_DW_CMD&> {
public:
    CHotKeyArray();
    virtual ~CHotKeyArray();

    // Appends an entry (duplicates are allowed) and returns its index.
    int AddKey(WORD wKey, BYTE fVirt, DWORD dwCmd);
    // Remove the first entry with that key and exactly those flags, or with
    // that command; nothing when none matches.
    void RemoveKey(WORD wKey, BYTE fVirt);
    void RemoveCmd(DWORD dwCmd);
    // The command of the first entry with that key and exactly those flags;
    // 0 when none matches.
    DWORD FindCommand(WORD wKey, BYTE fVirt);
#ifdef _WIN32
    // The same with the flags of the modifier keys held down now.
    DWORD FindCommand(WORD wKey);
#endif

    // Stores or loads the table in the form above. A load that finds fewer
    // bytes than its count promises throws the archive exception (end of
    // file) and leaves the table as it was.
    virtual void Serialize(CArchive& ar);
};
