#pragma once
// A fresh temporary directory that is the working directory for the lifetime
// of the object; removed with its contents afterwards.
#include <string>

// The whole contents of the file at path, "" when it cannot be read.
std::string ReadFile(const std::string& path);

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path; }
    std::string File(const std::string& name) const { return path + "/" + name; }
    void Write(const std::string& name, const std::string& contents) const;
    std::string Read(const std::string& name) const { return ReadFile(File(name)); }

private:
    std::string path;
    std::string previous;
};

// Path of a folder or file of the shared folder ("molden", "data/dvb-rhf-sto3g/mos"), or ""
// when it is absent; a test that needs it then skips with SharedMissing's text.
std::string SharedPath(const std::string& relative);
std::string SharedMissing(const std::string& relative);
