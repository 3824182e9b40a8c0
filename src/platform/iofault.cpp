#include "iofault.h"

namespace {

IoFault::Step s_step = IoFault::Step::None;
int s_errnum = 0;

} // namespace

void IoFault::arm(Step step, int errnum)
{
    s_step = step;
    s_errnum = errnum;
}

void IoFault::disarm()
{
    s_step = Step::None;
    s_errnum = 0;
}

int IoFault::pending(Step step)
{
    return step == s_step ? s_errnum : 0;
}
