#pragma once

#include <QFlags>

// The options a find or replace dialog hands to the search. The values are the dialogs' own
// bits; other bits may be set and are ignored.
enum class SearchOption : quint16 {
    Down = 0x1, // toward the end of the text
    MatchCase = 0x20,
    Replace = 0x200,    // the Replace button was pressed
    ReplaceAll = 0x400, // the Replace All button was pressed
    WholeWord = 0x800,
};
Q_DECLARE_FLAGS(SearchOptions, SearchOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(SearchOptions)
