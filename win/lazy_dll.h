// Functions of DLLs that only rarely used features need (the colour chooser, sockets, the shell's
// "open"), bound when first called, so that their DLLs and everything they pull in stay out of the
// program's start.
#pragma once

#include <windows.h>

// The address of `name` in the system folder's `dll`, which is loaded on the first call (and never
// unloaded); null when either is missing. Safe from any thread.
FARPROC LazyProc(const wchar_t* dll, const char* name);

// LazyProc typed as the function's own declaration: LazyFunction<decltype(&ChooseColorW)>(...).
template <typename F> F LazyFunction(const wchar_t* dll, const char* name) {
    // Through void (*)(): the one cast GCC accepts between unrelated function types.
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(LazyProc(dll, name)));
}

// The shell's "open" of a web address (ShellExecuteW with SW_SHOW); false when it did not start.
bool ShellOpen(HWND owner, const wchar_t* target);
