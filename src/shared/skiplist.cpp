#include "skiplist.h"

#include "escapedtext.h"
#include "folderplace.h"
#include "pathtext.h"
#include "settings.h"

bool skipPicture(const char* path)
{
    char key[PATH_KEY_SIZE];
    pathKey(path, key);
    char value[3 * PICTURE_PATH_BYTES];
    escapeText(path, ESCAPE_PATH, value);
    return writeSettingText(SECTION_SKIP, key, value);
}

bool showPictureAgain(const char* key)
{
    return deleteSetting(SECTION_SKIP, key);
}
