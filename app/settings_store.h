#pragma once
#include "app/settings_parse.h"

#include <string>

// Settings in the registry (the current user's hive) and the folder step the memo folder is built
// with. Every call opens its key, does its work and closes it again; nothing is cached, so the last
// writer wins. Results are 0 on success and -1 on failure; callers fall back to their defaults.
// Windows only (settings_store_win.cpp); names and texts are UTF-8.

extern const char kSettingsKey[];   // SOFTWARE\Quorvel\Lunoria
extern const char kRunKey[];        // Software\Microsoft\Windows\CurrentVersion\Run
extern const char kAutostartName[]; // the Run value's name

// Reads a text value (REG_SZ or REG_EXPAND_SZ, unexpanded) of subkey under HKEY_CURRENT_USER.
int ReadSetting(const std::string& subkey, const std::string& name, std::string* text);

// Stores text as REG_SZ, creating the subkey when it is missing.
int WriteSetting(const std::string& subkey, const std::string& name, const std::string& text);

// on: stores the program's quoted path as the Run value `name`; off: deletes the value. The Run key
// itself is never created. Nothing else is touched.
int SetAutostart(bool on, const std::string& name);

// Makes `folder` (relative or absolute) the process's current directory, creating it when needed.
int EnterFolder(const std::string& folder);
// The absolute, normalised form of a path, however long; empty when it cannot be made.
std::string FullPathOf(const std::string& path);

// The program file's full path, however long.
std::string ProgramPath();

// A value of the program's own settings key, present or missing.
StoredText ReadStored(const char* name);

// `pos` for a window of the given size, unless no monitor's work area shows any of it (one was
// unplugged): then `fallback`, moved into the primary work area.
ScreenPoint PlaceOnMonitors(ScreenPoint pos, int width, int height, ScreenPoint fallback = kDefaultWindowPos);
