#pragma once

// The Windows headers of the window system, after windows.h as they require.
// clang-format off
#include "platform/windows/win32.h"
#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>
// clang-format on
