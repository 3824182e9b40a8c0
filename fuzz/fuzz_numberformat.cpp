// Any pattern and any value: no crash, no hang, never more than 256 characters; only
// overlong patterns are refused.
#include "base/apperror.h"
#include "format/numberformatter.h"

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
    try {
        if (FormatNumberText(pattern, value).size() > 256)
            std::abort();
    } catch (const AppError &) {
        if (pattern.size() <= 224)
            std::abort();
    }
    return 0;
}
