#pragma once

#include "workspace/ui/workspacehost.h"

// Keeps a Workspace's modal dialog out from under a stay-on-top frame for its lifetime, also when
// the command fails.
class HostTopmostDropped
{
public:
    explicit HostTopmostDropped(WorkspaceHost *host)
        : m_host(host)
    {
        m_host->dropTopmost();
    }
    ~HostTopmostDropped() { m_host->restoreTopmost(); }
    HostTopmostDropped(const HostTopmostDropped &) = delete;
    HostTopmostDropped &operator=(const HostTopmostDropped &) = delete;

private:
    WorkspaceHost *m_host;
};
