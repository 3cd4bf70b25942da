#include "TestRoot.h"

#include "RegistryApi.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

TestRoot::TestRoot() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "listora-test-XXXXXX").string();
    if (!mkdtemp(tmpl.data()))
        throw std::runtime_error("cannot create a temporary device root");
    m_path = tmpl;
    if (const char* previous = std::getenv("LISTORA_ROOT")) {
        m_previous = previous;
        m_hadPrevious = true;
    }
    RegistryStore::Shutdown();
    setenv("LISTORA_ROOT", m_path.c_str(), 1);
}

TestRoot::~TestRoot() {
    RegistryStore::Shutdown();
    if (m_hadPrevious)
        setenv("LISTORA_ROOT", m_previous.c_str(), 1);
    else
        unsetenv("LISTORA_ROOT");
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string TestRoot::starterCatalogue() const {
    const std::filesystem::path source =
        std::filesystem::path(__FILE__).parent_path() / ".." / ".." / "resources" / "device" / "init.isl";
    const std::string copy = file("init.isl");
    std::filesystem::copy_file(source, copy, std::filesystem::copy_options::overwrite_existing);
    return copy;
}

std::string ReadHostFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteHostFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool HostFileExists(const std::string& path) {
    return std::filesystem::exists(path);
}

std::string Utf16Bytes(std::u16string_view text) {
    std::string bytes;
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

std::string LogText(const std::string& hostPath) {
    const std::string bytes = ReadHostFile(hostPath);
    std::string text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
        text += bytes[i + 1] == 0 && bytes[i] > 0 ? bytes[i] : '?';
    return text;
}
