#pragma once
#include "app/settings_parse.h"

#include <functional>
#include <string>
#include <vector>

// What the settings dialog shows, and the rules between it and the registry's texts: each value read
// with its default when it is missing or not one the program writes, and written back as the program
// reads it. The dialog itself (settings_dlg_win.cpp) only moves these fields to its controls and back.

struct SettingsForm {
    bool autostart = true;      // Autostart, and with it the Run entry
    bool showHolidays = true;   // ShowHolidays
    bool updateHolidays = true; // HolidayUpdate
    int theme = 0;              // Theme: 0 follows the system, 1 light, 2 dark
    bool trayIcon = true;       // TrayIcon
    int remindDays = 0;         // RemindDays: one of kRemindChoices
    std::string headlineHost;   // HeadlineHost without surrounding blanks; empty: no headline
    std::string headlinePort;   // HeadlinePort as shown or typed
    std::string memoFolder;     // shown, never written
};

// A value of the program's settings key, present or missing, by its name.
using SettingReader = std::function<StoredText(const char* name)>;

// The form as the stored values make it (memoFolder stays empty).
SettingsForm ReadSettingsForm(const SettingReader& read);

// Off only for exactly "0"; missing or anything else is on (ShowHolidays, HolidayUpdate, TrayIcon,
// Autostart).
bool OnUnlessZero(const StoredText& value);

// A port as typed: 1 to 65535, digits only (full-width ones too) once the blanks around are gone.
bool PortFromText(const std::string& text, int* port);

// "" when the form can be stored, else the message that names the field to correct. The port counts
// only with a host: without one there is no headline.
std::string SettingsFormProblem(const SettingsForm& form);

struct SettingText {
    const char* name;
    std::string text;
};

// Every value the form stores, in the dialog's order, for a form without a problem. With no host, a
// port that is no port is left as it is stored.
std::vector<SettingText> SettingsFormTexts(const SettingsForm& form);

// What the user reads when some values could not be written (names as in SettingText, or kRunEntryName);
// `othersSaved` when anything else was.
std::string SettingsWriteFailure(const std::vector<std::string>& names, bool othersSaved);
extern const char kRunEntryName[]; // the log-on entry under the Run key
