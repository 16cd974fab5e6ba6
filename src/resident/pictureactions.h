// What the user does with the picture on the screen: look at it in the
// default viewer, find it in its folder, or never see it again.
#ifndef VISTRELL_PICTUREACTIONS_H
#define VISTRELL_PICTUREACTIONS_H

#include <windows.h>

// Whether there is a picture shown (on the monitor) to act on: none before
// the first change, when "Now shown" holds nothing either, nor once the
// desktop shows a wallpaper someone else chose.
bool pictureShown(int monitor);

// Opens the picture of the monitor (0 the primary) in the default viewer.
void showPicture(int monitor);

// Opens its folder in Explorer with the file selected.
void openPictureFolder(int monitor);

// Puts the primary monitor's picture on the skip list; true when it is
// there, and the wallpaper is to change at once.
bool neverShowPicture();

#endif
