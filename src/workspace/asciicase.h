#pragma once

// Case conversion by the plain ASCII mappings: only "A" to "Z" and "a" to "z" change; accented
// letters and every other character stay as they are.
class AsciiCase
{
public:
    static constexpr char16_t lower(char16_t c) { return c >= u'A' && c <= u'Z' ? c + 32 : c; }
    static constexpr char16_t upper(char16_t c) { return c >= u'a' && c <= u'z' ? c - 32 : c; }
};
