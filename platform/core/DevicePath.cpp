#include "DevicePath.h"

#include "WideString.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string HomeFolder() {
    std::string home = Env("HOME");
    if (!home.empty())
        return home;
    std::vector<char> buf(16384);
    passwd pw{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &pw, buf.data(), buf.size(), &found) == 0 && found && found->pw_dir)
        return found->pw_dir;
    return "/tmp";
}

void StripTrailingSlashes(std::string& path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
}

bool IsSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

}  // namespace

namespace DevicePath {

// Read on every call: tests point LISTORA_ROOT at a new folder for each test.
std::string Root() {
    std::string root = Env("LISTORA_ROOT");
    if (root.empty()) {
        const std::string xdg = Env("XDG_DATA_HOME");
        // A relative XDG_DATA_HOME is invalid and ignored.
        if (!xdg.empty() && xdg[0] == '/')
            root = xdg + "/listora";
        else
            root = HomeFolder() + "/.local/share/listora";
    }
    StripTrailingSlashes(root);
    return root;
}

std::string ToHost(const WCHAR* path) {
    return ToHost(std::u16string(path ? path : u""));
}

std::string ToHost(const std::u16string& pathIn) {
    // Text after an embedded NUL is not part of the name, as for a C string.
    const std::u16string_view path(pathIn.c_str());
    if (!path.empty() && path[0] == u'/')
        return ToUtf8(path);

    // Device path: split on both separators; "." and empty parts vanish and ".."
    // stops at the root, so no device path names anything outside it.
    std::vector<std::u16string_view> parts;
    std::size_t i = 0;
    while (i < path.size()) {
        while (i < path.size() && IsSeparator(path[i]))
            ++i;
        const std::size_t start = i;
        while (i < path.size() && !IsSeparator(path[i]))
            ++i;
        const std::u16string_view part = path.substr(start, i - start);
        if (part.empty() || part == u".")
            continue;
        if (part == u"..") {
            if (!parts.empty())
                parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    std::string host = Root();
    for (const auto& part : parts) {
        if (host != "/")
            host += '/';
        host += ToUtf8(part);
    }
    return host;
}

bool EnsureRoot() {
    const std::string root = Root();
    struct stat st{};
    if (stat(root.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode);
    // mkdir -p, one component at a time.
    for (std::size_t at = 1; at <= root.size(); ++at) {
        if (at == root.size() || root[at] == '/') {
            const std::string prefix = root.substr(0, at);
            if (mkdir(prefix.c_str(), 0777) != 0 && errno != EEXIST)
                return false;
        }
    }
    return stat(root.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace DevicePath
