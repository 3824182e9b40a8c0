#pragma once

class FileLists;
class FrameCommands;
class SettingsStore;
class SharedOptions;
class TopmostControl;

// What a Workspace is given by the window that holds it, each piece for the parts that need it.
// Every Workspace reads these values when it needs them, never keeps a copy. All but the store
// are required and outlive the Workspace.
struct WorkspaceServices
{
    SharedOptions *options = nullptr;
    // The shared recent and favourite lists.
    FileLists *fileLists = nullptr;
    TopmostControl *topmost = nullptr;
    FrameCommands *frame = nullptr;
    // Where Workspaces keep their state and font between runs; none keeps nothing.
    SettingsStore *store = nullptr;
};
