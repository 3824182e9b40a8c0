// Any pattern and any value: no crash, no hang, never more than 256 characters.
#include "format/dateformatter.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < sizeof(double))
        return 0;
    double value;
    std::memcpy(&value, data, sizeof value);
    const QString pattern = QString::fromUtf8(reinterpret_cast<const char *>(data) + sizeof value,
                                              static_cast<qsizetype>(size - sizeof value));
    // Nested pictures come from the locale: let the input choose them too.
    FormatSettings settings;
    settings.shortDateFormat = pattern.left(8);
    settings.longTimeFormat = pattern.mid(8, 12);
    if (FormatDateText(pattern, value, settings).size() > 256)
        std::abort();
    if (FormatDateText(pattern, value).size() > 256)
        std::abort();
    return 0;
}
