#pragma once
// The output file of a run, written so that a run that fails leaves the file it names as it was.
#include <cstdio>
#include <string>

// A regular file, or one yet to be made, is written as a temporary file in its own directory,
// which replaces it only when Commit finds everything written and closed; the replaced file's
// owner, group, mode, access ACL and extended attributes stay, and a new file gets what plain
// creation gives it. A file named through a symbolic link is replaced where the link points, so
// the link stays. Devices and pipes, files we may not write, files whose owner, group or an
// attribute the temporary may not take, and files beside which no temporary can be made are
// written in place. A name of a descriptor the caller handed over (/dev/stdout, /dev/fd/N,
// /proc/self/fd/N) is written through that descriptor, at its position. A signal that ends the
// run removes the temporary first.
class OutputFile {
public:
    // File() is null when the file can be opened neither way.
    explicit OutputFile(const char* path);
    // Closes the file and removes a temporary that was not committed.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    FILE* File() const { return file; }
    // Flushes and closes the file and puts a temporary in place of the output; false when any
    // step fails, and then a replaced output is as it was before the run.
    bool Commit();

private:
    std::string target;     // the file that the temporary replaces
    std::string temporary;  // empty when written in place, and once renamed
    FILE* file = nullptr;
};
