// The changer's boxes about its settings file, in its own error box.
#ifndef VISTRELL_SETTINGSBOXES_H
#define VISTRELL_SETTINGSBOXES_H

// A change the user asked for could not read the list: nothing changed.
void tellSettingsUnreadable();

// "Bitmap index" or "Last Change" could not be written. Told once per
// process: the next change would only say it again, every few minutes.
void tellSettingsNotSaved();

#endif
