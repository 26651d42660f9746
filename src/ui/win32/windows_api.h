// The Windows API for the native front end. windows.h defines MessageBox as a macro (for
// MessageBoxW), which would silently rename qx::ui::MessageBox in every file that sees both;
// this header takes the macro back, so the API is called by its explicit name MessageBoxW.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// The rest need windows.h first.
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#undef MessageBox
