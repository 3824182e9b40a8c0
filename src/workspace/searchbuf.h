#pragma once

#include "workspace/searchoptions.h"

#include <QStringView>

#include <array>

class TextStorage;

// Bit n (least significant bit first) is set when character n ends or separates a word: every
// character but the ASCII digits and letters. Characters above 255 are all delimiters.
inline constexpr std::array<quint8, 32> DelimiterChars = {
        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xFC, 0x01, 0x00, 0x00,
        0xF8, 0x01, 0x00, 0x00, 0xF8, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

// Accented and other non-ASCII letters end words.
constexpr bool IsDelimiterChar(char16_t c)
{
    return c > 0xFF || ((DelimiterChars[c >> 3] >> (c & 7)) & 1) != 0;
}

// A running search: the candidate position p, how many candidates remain after it, and the
// direction, +1 toward the end or -1 toward the start.
struct SearchPosition
{
    qsizetype p = 0;
    qsizetype searchCount = 0;
    int direction = 1;
};

// Moves a whole-word search onto the start of a word: down past the rest of the word p stands
// in and the delimiters after it, up back to the first character of the word at or before p.
// Never moves further than searchCount allows. The end of the buffer is a delimiter.
void SkipToWordStart(QStringView buffer, SearchPosition &position);

// The search proper over buffer, the whole text. Down, the first hit after the selection; up,
// the nearest hit that ends at or before the selection's start. Returns the hit's position or
// -1. With whole word, a hit must be followed by a delimiter or the end of the buffer, and the
// candidates are the word starts reached by SkipToWordStart. An empty text never matches.
qsizetype SearchBuf(QStringView buffer, qsizetype selStart, qsizetype selLength, QStringView text,
                    SearchOptions options);
// The same over a document's text, read a window at a time.
qsizetype SearchBuf(const TextStorage &buffer, qsizetype selStart, qsizetype selLength,
                    QStringView text, SearchOptions options);

// Whether the characters at position in buffer are an occurrence of text under options: the
// same characters as the case rule maps them and, with whole word, a delimiter or an end of
// the buffer on both sides.
bool IsOccurrenceAt(QStringView buffer, qsizetype position, QStringView text,
                    SearchOptions options);
bool IsOccurrenceAt(const TextStorage &buffer, qsizetype position, QStringView text,
                    SearchOptions options);
