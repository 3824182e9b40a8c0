#include "iofault.h"

#include <array>
#include <cstddef>

namespace {

std::array<int, std::size_t(IoFault::Step::Count)> s_errnums{};

} // namespace

void IoFault::arm(Step step, int errnum)
{
    s_errnums[std::size_t(step)] = errnum;
}

void IoFault::disarm()
{
    s_errnums.fill(0);
}

int IoFault::pending(Step step)
{
    return s_errnums[std::size_t(step)];
}
