// Texts and titles of the editor's own boxes, spelled once: the procedures
// that show them and the tests that read them back take them from here.
#ifndef VISTEDIT_EDITORTEXTS_H
#define VISTEDIT_EDITORTEXTS_H

// Title of the editor's own error boxes.
#define EDITOR_ERROR_TITLE "Error"

#define SAVE_QUESTION "Save changes before close window ?"
#define TABLE_FULL_TEXT "No more bitmaps can be added: the list holds at most 50 bitmaps."

// A refused write stops a save; so does a settings file that cannot be read
// before it, since its keys of others could not be carried over.
#define SAVE_FAILED_TEXT                                  \
    "The settings could not be saved to VISTRELL.INI.\n" \
    "Check that the file is not read-only or in use."
#define SAVE_UNREADABLE_TEXT                                      \
    "The settings were not saved: VISTRELL.INI cannot be read.\n" \
    "Check that the file is not in use."
// Loading a file that cannot be read shows the defaults, not the file.
#define LOAD_UNREADABLE_TEXT                                                  \
    "Cannot read VISTRELL.INI: the settings shown are the defaults.\n" \
    "Check that the file is not in use, then choose Undo Changes."

// The display options dialog: its caption, and what a refused OK tells.
#define DISPLAY_OPTIONS_TITLE "Display Options"
// The skipped pictures' dialog, and the note of hot keys another program
// holds (the changer could not take them).
#define SKIPPED_TITLE "Skipped Pictures"
#define KEYS_HELD_TEXT "Held by another program: "
#define DESKTOP_VERB_FAILED_TEXT "The desktop's menu could not be changed."
#define DISPLAY_SAVE_FAILED_TEXT                                  \
    "The display options could not be saved to VISTRELL.INI.\n" \
    "Check that the file is not read-only or in use."

#endif
