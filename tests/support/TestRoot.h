// A fresh device root for one test: a temporary folder set as LISTORA_ROOT while the
// object lives. The registry is closed on both ends so each test sees its own store.
#pragma once
#include <string>
#include <string_view>

class TestRoot {
public:
    TestRoot();
    ~TestRoot();
    TestRoot(const TestRoot&) = delete;
    TestRoot& operator=(const TestRoot&) = delete;

    const std::string& path() const { return m_path; }
    // Host path of a file inside the root.
    std::string file(const std::string& relative) const { return m_path + "/" + relative; }
    // Host path of a copy of the shipped default items file inside the root. A copy, because
    // files open without sharing: test programs running side by side must not read one file.
    std::string starterCatalogue() const;

private:
    std::string m_path;
    std::string m_previous;
    bool m_hadPrevious = false;
};

// Reads a whole host file; empty when it cannot be read.
std::string ReadHostFile(const std::string& path);
void WriteHostFile(const std::string& path, const std::string& bytes);
bool HostFileExists(const std::string& path);
// UTF-16LE bytes of a text, as list files, logs and the registry hold it.
std::string Utf16Bytes(std::u16string_view text);
// A UTF-16LE log file after its byte-order mark, as ASCII (other code units as '?').
std::string LogText(const std::string& hostPath);
