#pragma once

// The one way this backend includes the Windows headers: without min/max macros, and
// without the MessageBox macro that would rename the platform's MessageBox class.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#undef MessageBox
