// Any file content: decoding either refuses it for a stated reason or gives a text that
// encodes back to exactly the same bytes, whatever its encodings and line ends, and whatever
// encoding it is read with. Text with any characters at all either encodes or is refused with
// a reason; what encodes reads back as the same text.
#include "base/apperror.h"
#include "controls/textdocument.h"
#include "workspace/textdecoder.h"
#include "workspace/textencoder.h"
#include "workspace/textsource.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void bytesComeBack(const QByteArray &bytes, std::optional<TextEncoding> encoding)
{
    DecodedText loaded;
    try {
        MemoryTextSource source(bytes);
        TextDecoder::Options options;
        options.encoding = encoding;
        loaded = TextDecoder::decode(source, options);
    } catch (const AppError &error) {
        check(bytes.contains('\0') || error.message().contains(QStringLiteral("odd number")));
        return;
    }
    check(loaded.byteSize == bytes.size());
    check(TextEncoder::findUnencodable(loaded.storage, loaded.format.encoding) < 0);
    check(TextEncoder::encode(loaded.storage, loaded.format) == bytes);
    TextDocument doc;
    doc.reset(std::move(loaded.storage), loaded.format, -1);
    check(doc.byteSize() == bytes.size());
}

// Pairs of bytes as UTF-16 units: any text a document could hold, lone surrogates too.
void textComesBack(const uint8_t *data, size_t size)
{
    if (size < 1)
        return;
    TextFormat format;
    format.encoding = TextEncoding(data[0] % 4);
    format.bom = format.encoding != TextEncoding::SingleByte && (data[0] & 4);
    format.lineEnd = LineEnd((data[0] >> 3) % 3);
    QString text;
    for (size_t i = 1; i + 1 < size; i += 2) {
        const char16_t unit = char16_t(data[i] | (data[i + 1] << 8));
        // NUL is refused on loading: no text of its own.
        text += QChar(unit == 0 ? u'\n' : unit);
    }
    TextDocument doc;
    doc.setPlainText(text, format);
    QByteArray saved;
    try {
        saved = TextEncoder::encode(doc.storage(), format);
    } catch (const AppError &) {
        check(TextEncoder::findUnencodable(doc.storage(), format.encoding) >= 0);
        return;
    }
    check(TextEncoder::findUnencodable(doc.storage(), format.encoding) < 0);
    check(saved.size() == doc.byteSize());
    bytesComeBack(saved, std::nullopt);
    bytesComeBack(saved, format.encoding);
    // Read in its own encoding, the text is the same; but a leading U+FEFF reads as a byte
    // order mark, and escaped bytes side by side may make a valid UTF-8 sequence.
    const QString plain = doc.toPlainText();
    if (!format.bom && plain.startsWith(QChar(0xFEFF)))
        return;
    if (format.encoding == TextEncoding::Utf8
        && std::any_of(plain.begin(), plain.end(),
                       [](QChar c) { return ByteEscape::isEscape(c.unicode()); }))
        return;
    MemoryTextSource source(saved);
    TextDecoder::Options options;
    options.encoding = format.encoding;
    const DecodedText again = TextDecoder::decode(source, options);
    check(again.storage.text(0, again.storage.length()) == plain);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    bytesComeBack(bytes, std::nullopt);
    if (size > 0)
        bytesComeBack(bytes.sliced(1), TextEncoding(data[0] % 4));
    textComesBack(data, size);
    return 0;
}
