// Any bytes as a settings file: no crash, no hang; whatever is read comes back the same after
// being written and read again, and our own output reads without a problem.
#include "settings/regfileformat.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QStringList problems;
    const RegTree tree = RegFileFormat::parse(
            QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), &problems);
    const QByteArray written = RegFileFormat::serialize(tree);
    QStringList again;
    if (RegFileFormat::serialize(RegFileFormat::parse(written, &again)) != written
        || !again.isEmpty())
        std::abort();
    return 0;
}
