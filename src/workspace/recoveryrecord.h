#pragma once

#include "controls/textformat.h"
#include "controls/textstorage.h"

#include <QByteArray>

#include <optional>
#include <vector>

// The records of a recovery journal, each framed by its length and a CRC-32 so that one cut
// short by a crash is told from a whole one. A record holds edits in the document's terms
// (positions, removed lengths, the pieces put in with their line ends) or a new format.
namespace RecoveryRecord {

constexpr char kMagic[] = "Leafstack recovery 1\n";

QByteArray framed(const QByteArray &payload);
QByteArray edits(const std::vector<TextStorage::Replacement> &replacements);
QByteArray format(const TextFormat &format);

// One record read back; what it holds.
struct Record
{
    std::vector<TextStorage::Replacement> replacements;
    std::vector<TextPiece> pieces; // the replacements point into these
    std::optional<TextFormat> format;
};

// The next whole record at offset in data, moving offset past it; nothing at the end or at a
// record cut short or damaged.
std::optional<Record> next(QByteArrayView data, qsizetype &offset);

} // namespace RecoveryRecord
