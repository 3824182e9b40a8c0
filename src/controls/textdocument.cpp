#include "textdocument.h"

#include "controls/textblockwriter.h"

#include <algorithm>
#include <stdexcept>

TextDocument::TextDocument(QObject *parent)
    : QObject(parent)
{ }

TextDocument::~TextDocument() = default;

void TextDocument::reset(TextStorage storage, const TextFormat &format, qint64 byteSize)
{
    const State before = state();
    m_storage = std::move(storage);
    m_format = format;
    m_undo.clear();
    m_highlights.clear();
    m_byteSize = byteSize >= 0 ? byteSize : bomBytes() + unitBytes(0, length());
    ++m_revision;
    emit documentReset();
    emit formatChanged();
    emit byteSizeChanged(m_byteSize);
    announce(before);
}

void TextDocument::setPlainText(QStringView text, const TextFormat &format)
{
    TextBlockWriter writer(TextStorage::kBlockSize);
    writer.appendPiece(TextPiece::fromText(text, format.lineEnd), TextAlignment::Left);
    reset(TextStorage(writer.finish()), format, -1);
}

QString TextDocument::text(qsizetype position, qsizetype length) const
{
    position = qBound<qsizetype>(0, position, this->length());
    return m_storage.text(position, qBound<qsizetype>(0, length, this->length() - position));
}

void TextDocument::setFormat(const TextFormat &format)
{
    if (format == m_format)
        return;
    m_format = format;
    m_byteSize = bomBytes() + unitBytes(0, length());
    emit formatChanged();
    emit byteSizeChanged(m_byteSize);
}

bool TextDocument::mixedLineEnds() const
{
    int kinds = 0;
    for (LineEnd end : {LineEnd::LF, LineEnd::CRLF, LineEnd::CR})
        kinds += m_storage.lineEndCount(end) > 0;
    return kinds > 1;
}

TextEditOp TextDocument::makeOp(qsizetype position, qsizetype length, QStringView text) const
{
    TextEditOp op;
    op.position = position;
    op.removed = m_storage.piece(position, length);
    op.inserted = TextPiece::fromText(text, m_format.lineEnd);
    return op;
}

void TextDocument::replace(qsizetype position, qsizetype length, QStringView text,
                           TextSelection before, TextSelection after, TextEditKind kind)
{
    position = qBound<qsizetype>(0, position, this->length());
    length = qBound<qsizetype>(0, length, this->length() - position);
    if (length == 0 && text.isEmpty())
        return;
    const State was = state();
    TextBatch batch{makeOp(position, length, text)};
    apply(batch, true);
    m_undo.record(std::move(batch), before, after, kind);
    announce(was);
}

void TextDocument::insert(qsizetype position, QStringView text)
{
    position = qBound<qsizetype>(0, position, length());
    const qsizetype added = TextPiece::fromText(text, m_format.lineEnd).size();
    replace(position, 0, text, TextSelection::caret(position),
            TextSelection::caret(position + added));
}

void TextDocument::remove(qsizetype position, qsizetype length)
{
    replace(position, length, {}, TextSelection::range(position, length),
            TextSelection::caret(position));
}

void TextDocument::replaceAll(const QList<qsizetype> &starts, qsizetype length, QStringView text,
                              TextSelection before, TextSelection after)
{
    const TextPiece inserted = TextPiece::fromText(text, m_format.lineEnd);
    TextBatch batch;
    batch.reserve(size_t(starts.size()));
    qsizetype end = 0;
    for (qsizetype start : starts) {
        // Overlapping or outside the text: such a start is no occurrence to replace.
        if (start < end || start + length > this->length())
            continue;
        batch.push_back({start, m_storage.piece(start, length), inserted});
        end = start + length;
    }
    if (batch.empty() || (length == 0 && inserted.size() == 0))
        return;
    const State was = state();
    apply(batch, true);
    m_undo.record(std::move(batch), before, after, TextEditKind::Plain);
    announce(was);
}

void TextDocument::replaceExactly(const std::vector<TextStorage::Replacement> &replacements)
{
    TextBatch batch;
    qsizetype end = 0;
    for (const TextStorage::Replacement &r : replacements) {
        if (r.position < end || r.removed < 0 || r.position + r.removed > length())
            throw std::out_of_range("TextDocument::replaceExactly");
        batch.push_back({r.position, m_storage.piece(r.position, r.removed), *r.piece});
        end = r.position + r.removed;
    }
    if (batch.empty())
        return;
    const State was = state();
    apply(batch, true);
    m_undo.record(std::move(batch), {}, {}, TextEditKind::Plain);
    announce(was);
}

bool TextDocument::mapCharacters(qsizetype position, qsizetype length, char16_t (*map)(char16_t),
                                 TextSelection selection)
{
    position = qBound<qsizetype>(0, position, this->length());
    length = qBound<qsizetype>(0, length, this->length() - position);
    TextEditOp op;
    op.inPlace = true;
    op.removed = m_storage.piece(position, length);
    op.inserted = op.removed;
    bool changed = false;
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t unit = op.removed.units.at(i);
        const char16_t mapped = map(unit);
        // Line breaks stay, and nothing becomes one.
        if (mapped == unit || unit == u'\n' || mapped == u'\n' || mapped == u'\r')
            continue;
        op.inserted.units.set(i, mapped);
        changed = true;
    }
    if (!changed)
        return false;
    op.position = position;
    const State was = state();
    TextBatch batch{std::move(op)};
    apply(batch, true);
    m_undo.record(std::move(batch), selection, selection, TextEditKind::Plain);
    announce(was);
    return true;
}

void TextDocument::beginUndoGroup(TextSelection before)
{
    m_undo.beginGroup(before);
}

void TextDocument::endUndoGroup(TextSelection after)
{
    const State was = state();
    m_undo.endGroup(after);
    announce(was);
}

std::optional<TextSelection> TextDocument::undo()
{
    if (!canUndo() || m_undo.inGroup())
        return std::nullopt;
    const State was = state();
    const TextUndoStep &step = m_undo.stepBack();
    for (auto batch = step.batches.rbegin(); batch != step.batches.rend(); ++batch)
        apply(*batch, false);
    announce(was);
    return step.before;
}

std::optional<TextSelection> TextDocument::redo()
{
    if (!canRedo() || m_undo.inGroup())
        return std::nullopt;
    const State was = state();
    const TextUndoStep &step = m_undo.stepForward();
    for (const TextBatch &batch : step.batches)
        apply(batch, true);
    announce(was);
    return step.after;
}

void TextDocument::setModified(bool modified)
{
    const State was = state();
    if (modified)
        m_undo.setNoClean();
    else
        m_undo.setClean();
    announce(was);
}

void TextDocument::announce(const State &before)
{
    const State now = state();
    if (now.modified != before.modified)
        emit modificationChanged(now.modified);
    if (now.canUndo != before.canUndo)
        emit undoAvailable(now.canUndo);
    if (now.canRedo != before.canRedo)
        emit redoAvailable(now.canRedo);
}

void TextDocument::setAlignment(qsizetype firstLine, qsizetype lastLine, TextAlignment alignment)
{
    firstLine = qBound<qsizetype>(0, firstLine, lineCount() - 1);
    lastLine = qBound<qsizetype>(firstLine, lastLine, lineCount() - 1);
    bool changed = false;
    for (qsizetype line = firstLine; line <= lastLine; ++line) {
        if (m_storage.alignment(line) == alignment)
            continue;
        m_storage.setAlignment(line, alignment);
        changed = true;
    }
    if (changed)
        emit alignmentChanged(firstLine, lastLine);
}

void TextDocument::addHighlight(qsizetype start, qsizetype length)
{
    start = qBound<qsizetype>(0, start, this->length());
    length = qBound<qsizetype>(0, length, this->length() - start);
    const Highlight highlight{start, length};
    if (length == 0
        || std::find(m_highlights.begin(), m_highlights.end(), highlight) != m_highlights.end())
        return;
    const auto at =
            std::upper_bound(m_highlights.begin(), m_highlights.end(), start,
                             [](qsizetype value, const Highlight &h) { return value < h.start; });
    m_highlights.insert(at, highlight);
    emit highlightsChanged();
}

void TextDocument::clearHighlights()
{
    if (m_highlights.empty())
        return;
    m_highlights.clear();
    emit highlightsChanged();
}

namespace {

// Stretches around replacements, one unchanged unit either side, merged where they meet: the
// units whose size on disk a replacement can change.
struct ByteWindow
{
    qsizetype from = 0;
    qsizetype to = 0;
    qsizetype shiftBefore = 0; // how far the replacements before it moved the text
    qsizetype shiftAfter = 0;
};

std::vector<ByteWindow> byteWindows(const std::vector<TextStorage::Replacement> &replacements,
                                    qsizetype length)
{
    std::vector<ByteWindow> windows;
    qsizetype shift = 0;
    for (const TextStorage::Replacement &r : replacements) {
        const qsizetype from = qMax<qsizetype>(0, r.position - 1);
        const qsizetype to = qMin(length, r.position + r.removed + 1);
        if (!windows.empty() && from <= windows.back().to) {
            windows.back().to = to;
        } else {
            windows.push_back({from, to, shift, shift});
        }
        shift += r.piece->size() - r.removed;
        windows.back().shiftAfter = shift;
    }
    return windows;
}

} // namespace

void TextDocument::apply(const TextBatch &batch, bool forward)
{
    if (batch.empty())
        return;
    std::vector<TextStorage::Replacement> replacements;
    replacements.reserve(batch.size());
    qsizetype shift = 0;
    for (const TextEditOp &op : batch) {
        const TextPiece &removed = forward ? op.removed : op.inserted;
        const TextPiece &inserted = forward ? op.inserted : op.removed;
        const qsizetype position = forward ? op.position : op.position + shift;
        replacements.push_back({position, removed.size(), &inserted});
        shift += op.inserted.size() - op.removed.size();
    }
    const TextStorage::Replacement &first = replacements.front();
    const TextStorage::Replacement &last = replacements.back();
    TextChange change;
    change.position = first.position;
    change.removed = last.position + last.removed - first.position;
    change.added = change.removed + (forward ? shift : -shift);
    change.firstLine = lineOfOffset(change.position);
    change.inPlace = batch.front().inPlace;
    change.linesRemoved = lineOfOffset(change.position + change.removed) - change.firstLine;

    const std::vector<ByteWindow> windows = byteWindows(replacements, length());
    qint64 oldBytes = 0;
    for (const ByteWindow &w : windows)
        oldBytes += unitBytes(w.from, w.to);

    if (batch.front().inPlace)
        m_storage.overwrite(first.position, *first.piece);
    else
        m_storage.replace(replacements);

    qint64 newBytes = 0;
    for (const ByteWindow &w : windows)
        newBytes += unitBytes(w.from + w.shiftBefore, w.to + w.shiftAfter);
    change.linesAdded = lineOfOffset(change.position + change.added) - change.firstLine;
    if (!batch.front().inPlace)
        moveHighlights(replacements);
    ++m_revision;
    if (batch.front().inPlace)
        emit replaced({{first.position, first.piece->size(), first.piece}});
    else
        emit replaced(replacements);
    emit contentsChanged(change);
    if (newBytes != oldBytes) {
        m_byteSize += newBytes - oldBytes;
        emit byteSizeChanged(m_byteSize);
    }
}

// Moves the marks with the text: the parts of a mark that stay keep it, text put in between
// them is not marked.
void TextDocument::moveHighlights(const std::vector<TextStorage::Replacement> &replacements)
{
    if (m_highlights.empty())
        return;
    std::vector<qsizetype> shiftBefore(replacements.size() + 1, 0);
    for (size_t j = 0; j < replacements.size(); ++j)
        shiftBefore[j + 1] =
                shiftBefore[j] + replacements[j].piece->size() - replacements[j].removed;
    std::vector<Highlight> moved;
    moved.reserve(m_highlights.size());
    for (const Highlight &h : m_highlights) {
        const qsizetype end = h.start + h.length;
        size_t j = size_t(std::upper_bound(replacements.begin(), replacements.end(), h.start,
                                           [](qsizetype s, const TextStorage::Replacement &r) {
                                               return s < r.position + r.removed;
                                           })
                          - replacements.begin());
        qsizetype from = h.start;
        for (; j < replacements.size() && replacements[j].position < end; ++j) {
            const TextStorage::Replacement &r = replacements[j];
            if (r.position > from)
                moved.push_back({from + shiftBefore[j], r.position - from});
            from = qMax(from, r.position + r.removed);
        }
        if (from < end)
            moved.push_back({from + shiftBefore[j], end - from});
    }
    std::stable_sort(moved.begin(), moved.end(),
                     [](const Highlight &a, const Highlight &b) { return a.start < b.start; });
    if (moved != m_highlights) {
        m_highlights = std::move(moved);
        emit highlightsChanged();
    }
}

qint64 TextDocument::bomBytes() const
{
    if (!m_format.bom)
        return 0;
    return m_format.encoding == TextEncoding::Utf8          ? 3
            : m_format.encoding == TextEncoding::SingleByte ? 0
                                                            : 2;
}

// The bytes [from, to) take on disk. In UTF-8 a surrogate's size hangs on its neighbours: a
// pair is four bytes, an escaped byte one, any other lone surrogate three.
qint64 TextDocument::unitBytes(qsizetype from, qsizetype to) const
{
    if (from >= to)
        return 0;
    const std::array<qsizetype, 3> ends = m_storage.lineEndsIn(from, to);
    const qint64 breaks = ends[0] + ends[1] + ends[2];
    const qint64 breakUnits = breaks + ends[size_t(LineEnd::CRLF)];
    const qint64 others = (to - from) - breaks;
    if (m_format.encoding == TextEncoding::Utf16LE || m_format.encoding == TextEncoding::Utf16BE)
        return 2 * (others + breakUnits);
    if (m_format.encoding == TextEncoding::SingleByte)
        return others + breakUnits;
    qint64 bytes = breakUnits;
    char16_t previous = from > 0 ? at(from - 1) : 0;
    qsizetype offset = from;
    m_storage.forEachChunk(from, to - from, [&](QStringView chunk) {
        const char16_t *p = chunk.utf16();
        for (qsizetype i = 0; i < chunk.size(); ++i, ++offset) {
            const char16_t c = p[i];
            if (c < 0x80)
                bytes += c == u'\n' ? 0 : 1;
            else if (c < 0x800)
                bytes += 2;
            else if (QChar::isHighSurrogate(c)) {
                const qsizetype next = offset + 1;
                const char16_t after = i + 1 < chunk.size() ? p[i + 1]
                        : next < length()                   ? at(next)
                                                            : char16_t(0);
                bytes += QChar::isLowSurrogate(after) ? 2 : 3;
            } else if (QChar::isLowSurrogate(c)) {
                bytes += QChar::isHighSurrogate(previous) ? 2 : ByteEscape::isEscape(c) ? 1 : 3;
            } else {
                bytes += 3;
            }
            previous = c;
        }
    });
    return bytes;
}
