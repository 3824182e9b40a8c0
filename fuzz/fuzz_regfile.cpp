// Any bytes as a settings file: no crash, no hang; whatever parses comes back the same after
// being written and read again.
#include "app/apperror.h"
#include "settings/regfileformat.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    RegTree tree;
    try {
        tree = RegFileFormat::parse(
                QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    } catch (const AppError &) {
        return 0;
    }
    const QByteArray written = RegFileFormat::serialize(tree);
    try {
        if (RegFileFormat::serialize(RegFileFormat::parse(written)) != written)
            std::abort();
    } catch (const AppError &) {
        std::abort(); // our own output must always parse
    }
    return 0;
}
