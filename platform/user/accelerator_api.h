#pragma once
// Accelerator tables: keys that become commands before they become characters.
#include "platform/user/user_types.h"

constexpr BYTE FVIRTKEY = 0x01;
constexpr BYTE FNOINVERT = 0x02;
constexpr BYTE FSHIFT = 0x04;
constexpr BYTE FCONTROL = 0x08;
constexpr BYTE FALT = 0x10;

struct ACCEL {
    BYTE fVirt;
    WORD key;
    WORD cmd;
};

HACCEL CreateAcceleratorTable(const ACCEL* entries, int count);
BOOL DestroyAcceleratorTable(HACCEL table);
int CopyAcceleratorTable(HACCEL table, ACCEL* out, int count);
// The command of the table's key that `msg` is, or 0: whether the command is
// enabled is not asked.
WORD AcceleratorCommand(HACCEL table, const MSG& msg);
// Sends WM_COMMAND (high word 1) to `hwnd` when `msg` is one of the table's
// keys; true when it did, and the caller must then not translate or dispatch `msg`.
int TranslateAccelerator(HWND hwnd, HACCEL table, MSG* msg);
