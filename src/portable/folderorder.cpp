#include "folderorder.h"

#include "textcase.h"

#include <string.h>

bool isFolderEntry(const char* path)
{
    size_t length = strlen(path);
    return length > 0 && path[length - 1] == '\\';
}

bool isListedPictureName(const char* name)
{
    static const char* const extensions[] = {"bmp", "jpg", "jpeg", "png", "gif", "tif", "tiff"};
    const char* dot = strrchr(name, '.');
    if (!dot)
        return false;
    for (const char* extension : extensions) {
        size_t i = 0;
        while (extension[i] && foldedByte(dot[1 + i]) == static_cast<unsigned char>(extension[i]))
            ++i;
        if (!extension[i] && !dot[1 + i])
            return true;
    }
    return false;
}

int compareFoldedPaths(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        unsigned char x = foldedByte(*a);
        unsigned char y = foldedByte(*b);
        if (x != y || !x)
            return static_cast<int>(x) - static_cast<int>(y);
    }
}

uint32_t addToFingerprint(uint32_t fingerprint, const char* text, size_t length)
{
    // FNV-1a over the folded bytes, then a zero: "ab","c" differs from "a","bc".
    const uint32_t prime = 16777619u;
    for (size_t i = 0; i < length; ++i)
        fingerprint = (fingerprint ^ foldedByte(text[i])) * prime;
    return fingerprint * prime;
}
