#pragma once

#include <sys/fsuid.h>
#include <sys/types.h>
#include <unistd.h>

// Root passes every permission check, so permission cases run with the file-system identity
// of an ordinary user (this thread only; the effective user stays root). Changing it drops
// the file capabilities too, so that user cannot give a file away either.
namespace OrdinaryUser {

constexpr uid_t kNobody = 65534;
// An owner and group the ordinary user is neither of nor in.
constexpr uid_t kSomeoneElse = 4242;

class Scope
{
public:
    Scope()
    {
        if (::geteuid() == 0) {
            ::setfsgid(kNobody);
            ::setfsuid(kNobody);
        }
    }
    ~Scope()
    {
        if (::geteuid() == 0) {
            ::setfsuid(0);
            ::setfsgid(0);
        }
    }
    Scope(const Scope &) = delete;
    Scope &operator=(const Scope &) = delete;
};

} // namespace OrdinaryUser
