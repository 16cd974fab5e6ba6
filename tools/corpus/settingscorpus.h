// Damaged settings files, as users' hand edits and other tools leave
// VISTRELL.INI, for both programs to start on and for the editor to save
// over; they also seed the fuzzing of the list section's carry-over.
#ifndef TOOLS_SETTINGSCORPUS_H
#define TOOLS_SETTINGSCORPUS_H

#include <string>
#include <vector>

enum SettingsForm {
    SETTINGS_TEXT,       // a file holding text
    SETTINGS_DIRECTORY,  // a directory where the file should be
    SETTINGS_LOCKED,     // a file held open without sharing by another program
};

// In text, "<bitmapN>" (N = 0 to 4) stands for the path of an existing
// bitmap, put in by whoever writes the file.
struct SettingsCase {
    std::string name;
    SettingsForm form;
    std::string text;
    // The changer's start-up decision changes the wallpaper (and records
    // the day as "Last Change").
    bool changesAtStart;
};

std::vector<SettingsCase> hostileSettings();

#endif
