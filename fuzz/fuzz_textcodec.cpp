// Any file content: decoding either refuses it or gives text that encodes back to exactly the
// same bytes (a file of mixed line ends comes back with one kind, and a Unicode one decodes to
// the same text). Text with any characters at all either encodes or is refused with a reason;
// what encodes keeps its bytes through the next load and save, and Unicode text comes back.
#include "app/apperror.h"
#include "workspace/textdecoder.h"
#include "workspace/textencoder.h"

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void bytesComeBack(const QByteArray &bytes)
{
    LoadedText loaded;
    try {
        loaded = TextDecoder::decode(bytes);
    } catch (const AppError &) {
        check(bytes.contains('\0'));
        return;
    }
    check(!loaded.text.contains(QLatin1Char('\r')));
    check(TextEncoder::findUnencodable(loaded.text, loaded.format.encoding) < 0);
    const QByteArray saved = TextEncoder::encode(loaded.text, loaded.format);
    if (!loaded.mixedLineEnds) {
        check(saved == bytes);
        return;
    }
    // Fewer line-end bytes can make single-byte text look like UTF-8 or UTF-16 next time,
    // as any edit can; its bytes are what the user sees either way.
    if (loaded.format.encoding == TextEncoding::SingleByte)
        return;
    const LoadedText again = TextDecoder::decode(saved);
    check(again.text == loaded.text);
    check(again.format == loaded.format);
}

// Pairs of bytes as UTF-16 units: any text an edit control could hold, lone surrogates too.
void textComesBack(const uint8_t *data, size_t size)
{
    if (size < 1)
        return;
    TextFormat format;
    format.encoding = TextEncoding(data[0] % 4);
    // Loading finds UTF-16 by its byte order mark only.
    format.bom = format.encoding == TextEncoding::Utf16LE
            || format.encoding == TextEncoding::Utf16BE
            || (format.encoding == TextEncoding::Utf8 && (data[0] & 4));
    format.lineEnd = LineEnd((data[0] >> 3) % 3);
    QString text;
    for (size_t i = 1; i + 1 < size; i += 2) {
        const char16_t unit = char16_t(data[i] | (data[i + 1] << 8));
        // NUL is refused on loading, and CR is a line end: neither is text of its own.
        text += QChar(unit == 0 || unit == u'\r' ? u'\n' : unit);
    }
    QByteArray saved;
    try {
        saved = TextEncoder::encode(text, format);
    } catch (const AppError &) {
        check(TextEncoder::findUnencodable(text, format.encoding) >= 0);
        return;
    }
    check(TextEncoder::findUnencodable(text, format.encoding) < 0);
    bytesComeBack(saved);
    // Single-byte text may read back as UTF-8, and a leading U+FEFF as a byte order mark:
    // those files still keep their bytes, checked above.
    if (format.encoding != TextEncoding::SingleByte
        && !(!format.bom && text.startsWith(QChar(0xFEFF))))
        check(TextDecoder::decode(saved).text == text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    bytesComeBack(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    textComesBack(data, size);
    return 0;
}
