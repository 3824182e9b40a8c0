#pragma once

// A seam for tests: makes steps of a file write fail with a chosen errno, so that failures a
// test cannot provoke for real (a full disk, a folder root may write to anyway) can be
// exercised. Unarmed it costs one load per step.
namespace IoFault {

enum class Step {
    CreateTemp,  // creating the new file beside the target
    OpenInPlace, // opening the target itself for writing in place
    Reserve,     // reserving room for the new size before writing in place
    Write,       // writing the bytes (the first part is written, then the call fails)
    Sync,        // fsync of the written file
    Rename,      // renaming the new file over the target
    Count
};

// Makes step fail with errnum until disarm(); several steps may be armed at once.
void arm(Step step, int errnum);
void disarm();

// The errno the step must fail with, or 0.
int pending(Step step);

} // namespace IoFault
