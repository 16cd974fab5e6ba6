#include "settingscorpus.h"

#include <cstdio>
#include <utility>

namespace {

typedef std::vector<std::pair<std::string, std::string>> Lines;

// The value of a line that is only a key (or a comment): no "=" at all.
const char* const BARE = "\x01" "bare";

// The text of a sound file, whose values a case then replaces, drops or adds
// to: three entries, and keys and sections of other tools that every save
// must leave alone.
struct Settings {
    Lines configuration = {
        {"Change every", "0"},       {"Time period", "1"},     {"Successive", "1"},
        {"Bitmap index", "1"},       {"Window X-pos", "60"},   {"Window Y-pos", "70"},
        {"Last Change", "1"},        {"Open directory", "c:\\pictures"},
        {"Foreign key", "kept by another tool"},
    };
    Lines list;
    Lines other = {{"setting", "kept"}, {"Bitmap index", "not the changer's"}};
    std::string tail;  // raw text after everything

    Settings()
    {
        for (int i = 0; i < 3; ++i)
            addEntry(i, "<bitmap" + std::to_string(i) + ">", "0", "0", "1");
        list.push_back({"050_wall", "c:\\beyond\\fifty.bmp"});
        list.push_back({"note", "kept by another tool"});
    }

    static std::string key(int index, const char* suffix)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%03d_%s", index, suffix);
        return text;
    }

    void addEntry(int index, const std::string& path, const std::string& x, const std::string& y,
                  const std::string& type)
    {
        list.push_back({key(index, "wall"), path});
        list.push_back({key(index, "xpos"), x});
        list.push_back({key(index, "ypos"), y});
        list.push_back({key(index, "type"), type});
    }

    Settings& set(const std::string& name, const std::string& value)
    {
        for (auto& line : configuration)
            if (line.first == name) {
                line.second = value;
                return *this;
            }
        configuration.push_back({name, value});
        return *this;
    }

    Settings& setEntry(const std::string& name, const std::string& value)
    {
        for (auto& line : list)
            if (line.first == name)
                line.second = value;
        return *this;
    }

    // Drops the list's lines whose key starts with prefix.
    Settings& drop(const std::string& prefix)
    {
        for (size_t i = 0; i < list.size();)
            if (list[i].first.compare(0, prefix.size(), prefix) == 0)
                list.erase(list.begin() + i);
            else
                ++i;
        return *this;
    }

    static std::string section(const char* name, const Lines& lines)
    {
        std::string text = std::string("[") + name + "]\r\n";
        for (const auto& line : lines)
            text += (line.second == BARE ? line.first : line.first + "=" + line.second) + "\r\n";
        return text + "\r\n";
    }

    std::string text() const
    {
        return section("Configuration", configuration) + section("Bitmap list", list) +
               section("Another tool", other) + tail;
    }
};

// A literal's bytes, zero characters within it included.
template <size_t N>
std::string bytes(const char (&literal)[N])
{
    return std::string(literal, N - 1);
}

SettingsCase file(const char* name, const Settings& settings, bool changesAtStart)
{
    return {name, SETTINGS_TEXT, settings.text(), changesAtStart};
}

}  // namespace

std::vector<SettingsCase> hostileSettings()
{
    std::vector<SettingsCase> cases;
    cases.push_back(file("sound", Settings(), true));

    // Every number of the file something else: words, negative, beyond 32
    // bits, with blanks and signs. The platform's integer reader decides
    // what each reads as; the programs go by what it gives.
    Settings words;
    for (const char* key : {"Change every", "Time period", "Successive", "Bitmap index", "Window X-pos",
                            "Window Y-pos", "Last Change"})
        words.set(key, "none at all");
    words.setEntry("000_xpos", "left").setEntry("000_type", "centre");
    cases.push_back(file("words_for_numbers", words, true));

    Settings negative;
    negative.set("Change every", "-1").set("Time period", "-3").set("Successive", "-1");
    negative.set("Bitmap index", "-5").set("Last Change", "-10");
    negative.set("Window X-pos", "-30000").set("Window Y-pos", "-30000");
    negative.setEntry("001_xpos", "-5").setEntry("001_type", "-2");
    cases.push_back(file("negative", negative, false));

    Settings wide;
    for (const char* key : {"Change every", "Time period", "Bitmap index", "Window X-pos", "Window Y-pos"})
        wide.set(key, "99999999999");
    wide.set("Last Change", "18446744073709551617").setEntry("002_ypos", "4294967297");
    cases.push_back(file("beyond_32_bits", wide, false));

    Settings signs;
    signs.set("Change every", "   +0").set("Time period", "\t2  ").set("Successive", " +1");
    signs.set("Bitmap index", "  -0").set("Window X-pos", "+40").set("Window Y-pos", " 0050 ");
    cases.push_back(file("blanks_and_signs", signs, true));

    Settings outside;
    outside.set("Change every", "7").set("Time period", "9").set("Bitmap index", "500");
    cases.push_back(file("schedule_out_of_range", outside, false));

    // "Last Change" in the future, far in the past, and garbage, under
    // day-counting policies.
    Settings future;
    future.set("Change every", "3").set("Last Change", "3000000");
    cases.push_back(file("last_change_in_future", future, false));
    Settings past;
    past.set("Change every", "6").set("Last Change", "1");
    cases.push_back(file("last_change_far_past", past, true));
    Settings garbage;
    garbage.set("Change every", "4").set("Last Change", "yesterday");
    cases.push_back(file("last_change_garbage", garbage, true));

    // The list: 10,000 entries (it never ends within any reader's bound),
    // holes in the numbering, an entry without its path, and the missing-
    // entry text itself standing as a path.
    Settings many;
    many.list.clear();
    for (int i = 0; i < 10000; ++i)
        many.addEntry(i, "<bitmap" + std::to_string(i % 5) + ">", std::to_string(i), "0", std::to_string(i % 3));
    cases.push_back(file("ten_thousand_entries", many, true));

    Settings holes;
    holes.addEntry(5, "<bitmap4>", "1", "1", "1");
    holes.addEntry(49, "<bitmap3>", "1", "1", "1");
    holes.drop("001_");
    cases.push_back(file("holes_in_numbering", holes, true));

    // Entry 1's path is empty (it still counts), entry 2 has no path key.
    Settings pathless;
    pathless.setEntry("001_wall", "").drop("002_wall");
    cases.push_back(file("entry_without_path", pathless, true));

    Settings sentinel;
    sentinel.setEntry("001_wall", "[doesn't exist]").setEntry("002_wall", "[DOESN'T EXIST]");
    cases.push_back(file("missing_entry_text_as_path", sentinel, true));

    // Paths of 99, 100, 259, 260, 261 and 4,000 characters.
    Settings longPaths;
    longPaths.list.clear();
    int index = 0;
    for (size_t length : {99, 100, 259, 260, 261, 4000}) {
        std::string path = "c:\\" + std::string(length - 7, 'p') + ".bmp";
        longPaths.addEntry(index++, path, "0", "0", "1");
    }
    cases.push_back(file("long_paths", longPaths, true));

    // Binary bytes in keys, values and lines of their own, and lines of
    // 64 KiB: a key, a value and a line without either.
    Settings binary;
    binary.list.insert(binary.list.begin() + 4, {bytes("bin\x01\x7f\xfe"), bytes("\x02\x80\xff\x00z")});
    binary.other.push_back({"\xe9t\xe9", "caf\xe9 \x1b[0m"});
    binary.tail = bytes("\x00\x01\x02\x03 loose bytes \xff\xfe\r\n[\x01\x02]\r\nx=\x04\r\n");
    cases.push_back(file("binary_bytes", binary, true));

    Settings longLines;
    longLines.other.push_back({std::string(65536, 'k'), "long key"});
    longLines.other.push_back({"long value", std::string(65536, 'v')});
    longLines.list.push_back({"long value", std::string(65536, 'w')});
    longLines.tail = std::string(65536, 'x') + "\r\n";
    cases.push_back(file("lines_of_64_KiB", longLines, true));

    // The same section and keys twice.
    Settings twice;
    twice.tail = Settings::section("Bitmap list", {{"000_wall", "c:\\second\\section.bmp"}, {"second", "kept"}}) +
                 Settings::section("Configuration", {{"Change every", "1"}});
    twice.configuration.push_back({"Change every", "5"});
    twice.list.push_back({"001_wall", "c:\\second\\key.bmp"});
    cases.push_back(file("sections_and_keys_twice", twice, true));

    // Comments and lines without a value in the list, as hand edits leave them.
    Settings comments;
    comments.list.insert(comments.list.begin(), {"; holiday pictures", BARE});
    comments.list.insert(comments.list.begin() + 5, {";the next one is dark=really", BARE});
    comments.list.push_back({"a line without a value", BARE});
    comments.list.push_back({"an empty value", ""});
    cases.push_back(file("comments_and_bare_lines", comments, true));

    cases.push_back({"empty", SETTINGS_TEXT, "", true});
    cases.push_back({"directory", SETTINGS_DIRECTORY, "", false});
    cases.push_back({"locked", SETTINGS_LOCKED, Settings().text(), false});
    return cases;
}
