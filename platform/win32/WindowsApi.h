#pragma once

// windows.h for the Win32 side of platform/, and only for it.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

// windows.h turns these names into macros for their A or W functions, which
// would silently rename our own functions and members of the same names.
#undef FindNextFile
#undef GetPrivateProfileString
#undef GetPrivateProfileInt
#undef WritePrivateProfileString
