// Writes the hostile corpora into a folder: "bitmaps" gives one .bmp file per
// case, "settings" one .ini file per settings case that is a file.
// Usage: makecorpus bitmaps|settings DIR
#include "corpus/bitmapcorpus.h"
#include "corpus/settingscorpus.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

bool writeFile(const std::string& path, const void* data, size_t size)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool ok = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3 || (std::strcmp(argv[1], "bitmaps") != 0 && std::strcmp(argv[1], "settings") != 0)) {
        std::fprintf(stderr, "usage: makecorpus bitmaps|settings DIR\n");
        return 2;
    }
    std::string folder = std::string(argv[2]) + "/";
    int written = 0;
    bool ok = true;
    if (std::strcmp(argv[1], "bitmaps") == 0) {
        for (const BitmapCase& each : hostileBitmaps()) {
            ok = writeFile(folder + each.name + ".bmp", each.bytes.data(), each.bytes.size()) && ok;
            ++written;
        }
    } else {
        for (const SettingsCase& each : hostileSettings()) {
            if (each.form == SETTINGS_DIRECTORY)
                continue;
            ok = writeFile(folder + each.name + ".ini", each.text.data(), each.text.size()) && ok;
            ++written;
        }
    }
    if (!ok) {
        std::fprintf(stderr, "makecorpus: cannot write into %s\n", argv[2]);
        return 1;
    }
    std::printf("%d %s cases in %s\n", written, argv[1], argv[2]);
    return 0;
}
