// Lower-casing of texts the editor takes from the platform.
#ifndef VISTRELL_TEXTCASE_H
#define VISTRELL_TEXTCASE_H

// Turns the letters A to Z into a to z, up to the first zero character;
// every other character stays as it is.
void lowercaseAscii(char* text);

#endif
