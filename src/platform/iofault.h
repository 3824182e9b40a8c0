#pragma once

// A seam for tests: makes steps of a file write fail with a chosen errno, so that failures a
// test cannot provoke for real (a full disk, a folder root may write to anyway) can be
// exercised. Unarmed it costs one load and one increment per step.
namespace IoFault {

enum class Step {
    CreateTemp,   // creating the new file beside the target
    Attributes,   // giving the new file the target's owner, group, mode and attributes
    OpenInPlace,  // opening the target itself for writing in place
    CreateCopy,   // creating the file that keeps the old content during an in-place write
    CreateRecord, // creating the note in the state folder that names that file
    Reserve,      // reserving room for the copy of the old content
    Write,        // writing the bytes (the first part is written, then the call fails)
    Truncate,     // cutting a file written in place to its new length
    Sync,         // fsync of a written file
    Rename,       // renaming the new file over the target
    Count
};

// Makes step fail with errnum until disarm(), after letting `passes` calls of it through.
// Several steps may be armed at once.
void arm(Step step, int errnum, int passes = 0);
// The same, but only the one call after `passes` fails; the ones after it succeed again.
void armOnce(Step step, int errnum, int passes = 0);
// Disarms every step and sets every count to zero.
void disarm();

// How often the step ran since the last disarm(), armed or not.
int hits(Step step);

// Counts one run of step; the errno it must fail with, or 0.
int pending(Step step);

} // namespace IoFault
