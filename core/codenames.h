#pragma once
// Names for the COM, automation and WMI status codes the program may meet, for where the
// platform has no text of its own (Wine has none for DISP_E_UNKNOWNNAME, and Windows keeps
// WMI's texts outside the system's message table). No windows.h: a plain lookup.
#include <cstdint>

// The code's name, e.g. "Unknown name" for 0x80020006; null when the code is not known here.
const char* StatusCodeName(uint32_t code);
