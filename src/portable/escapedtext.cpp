#include "escapedtext.h"

#include "hexdigit.h"

static bool escaped(unsigned char c, EscapeSet set)
{
    if (c < ' ' || c >= 0x7F || c == '%')
        return true;
    return set == ESCAPE_PART && (c == ' ' || c == '|' || c == '"' || c == '\'');
}

size_t escapeText(const char* text, EscapeSet set, char* out)
{
    static const char DIGITS[] = "0123456789ABCDEF";
    size_t at = 0;
    for (const char* p = text; *p; ++p) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (escaped(c, set)) {
            out[at++] = '%';
            out[at++] = DIGITS[c >> 4];
            out[at++] = DIGITS[c & 0xF];
        } else {
            out[at++] = static_cast<char>(c);
        }
    }
    out[at] = '\0';
    return at;
}

bool unescapeText(const char* text, size_t length, char* out, size_t size, size_t* used)
{
    size_t written = 0;
    size_t at = 0;
    for (; at < length && text[at] != '|'; ++at) {
        char c = text[at];
        if (c == '%') {
            int high = at + 2 < length ? hexDigitValue(text[at + 1]) : -1;
            int low = high >= 0 ? hexDigitValue(text[at + 2]) : -1;
            if (low < 0)
                return false;
            c = static_cast<char>(high << 4 | low);
            at += 2;
        }
        if (written + 1 >= size)
            return false;
        out[written++] = c;
    }
    out[written] = '\0';
    *used = at;
    return true;
}
