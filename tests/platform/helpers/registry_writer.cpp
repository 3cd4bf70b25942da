// Test helper: writes registry values in a loop and reports each finished write on
// standard output, so a test can kill it at any moment and check what survived.
//   registry_writer stream        -- values v0, v1, ... under HKLM\Software\Crash, forever
//   registry_writer once NAME N   -- sets HKLM\Software\Shared\NAME = N and exits
#include "RegistryApi.h"
#include "WideString.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "stream") == 0) {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Crash", 0, nullptr, 0, 0, nullptr, &key, nullptr))
            return 2;
        for (DWORD i = 0;; ++i) {
            const std::u16string name = FromUtf8("v" + std::to_string(i));
            if (RegSetValueExW(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&i), 4))
                return 3;
            char line[32];
            const int n = std::snprintf(line, sizeof line, "%u\n", i);
            if (write(STDOUT_FILENO, line, static_cast<std::size_t>(n)) != n)
                return 4;
            if (i % 20 == 19)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    if (argc >= 4 && std::strcmp(argv[1], "once") == 0) {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Shared", 0, nullptr, 0, 0, nullptr, &key, nullptr))
            return 2;
        const DWORD value = static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10));
        const std::u16string name = FromUtf8(argv[2]);
        if (RegSetValueExW(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4))
            return 3;
        RegCloseKey(key);
        return 0;  // exit commits
    }
    return 1;
}
