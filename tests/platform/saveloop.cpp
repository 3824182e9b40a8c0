// Saves the two texts of saveloop.h over one file in turn, for ever, so that a test can kill
// it at random moments and look at what the file holds. Prints "ready" before the first save
// and "writing" whenever the new content begins to go out, and pauses a few milliseconds
// between its pieces, as an encoder busy with a large text does, so that a test can aim its
// kills at the write. Exits with 1 and the reason when a save fails.
//   saveloop FILE [ordinary-user]
#include "saveloop.h"
#include "base/apperror.h"
#include "platform/atomicfilewriter.h"

#include "common/ordinaryuser.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: saveloop FILE [ordinary-user]\n");
        return 2;
    }
    std::optional<OrdinaryUser::Scope> user;
    if (argc > 2 && std::strcmp(argv[2], "ordinary-user") == 0)
        user.emplace();
    const QString file = QString::fromLocal8Bit(argv[1]);
    std::puts("ready");
    std::fflush(stdout);
    // Each save changes the file: the first one writes the text it does not hold.
    struct stat st
    { };
    const bool holdsSecond = ::stat(argv[1], &st) == 0 && st.st_size == SaveLoop::second().size();
    for (unsigned long round = holdsSecond ? 1 : 0;; ++round) {
        const QByteArray &text = round % 2 == 0 ? SaveLoop::second() : SaveLoop::first();
        try {
            AtomicFileWriter::write(file, [&text](const AtomicFileWriter::Sink &sink) {
                std::puts("writing");
                std::fflush(stdout);
                for (qsizetype at = 0; at < text.size(); at += 256 * 1024) {
                    sink(QByteArrayView(text).sliced(
                            at, qMin<qsizetype>(256 * 1024, text.size() - at)));
                    ::usleep(4000);
                }
            });
        } catch (const AppError &error) {
            std::fprintf(stderr, "saveloop: %s\n", error.what());
            return 1;
        }
    }
}
