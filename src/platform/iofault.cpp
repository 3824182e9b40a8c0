#include "iofault.h"

#include <array>
#include <atomic>
#include <cstddef>

namespace {

struct Arming
{
    int errnum = 0;
    int passes = 0;
    bool once = false;
};

constexpr std::size_t kSteps = std::size_t(IoFault::Step::Count);
std::array<Arming, kSteps> s_armed{};
// Counted on every run, so atomic: a save may run off the main thread.
std::array<std::atomic<int>, kSteps> s_hits{};

} // namespace

void IoFault::arm(Step step, int errnum, int passes)
{
    s_armed[std::size_t(step)] = Arming{errnum, passes, false};
}

void IoFault::armOnce(Step step, int errnum, int passes)
{
    s_armed[std::size_t(step)] = Arming{errnum, passes, true};
}

void IoFault::disarm()
{
    s_armed.fill(Arming());
    for (std::atomic<int> &hits : s_hits)
        hits.store(0, std::memory_order_relaxed);
}

int IoFault::hits(Step step)
{
    return s_hits[std::size_t(step)].load(std::memory_order_relaxed);
}

int IoFault::pending(Step step)
{
    const int index = s_hits[std::size_t(step)].fetch_add(1, std::memory_order_relaxed);
    const Arming &a = s_armed[std::size_t(step)];
    if (a.errnum == 0 || index < a.passes || (a.once && index > a.passes))
        return 0;
    return a.errnum;
}
