// Takes the named lock (argv[1], default "ListoraSemaphore") in the device root of
// LISTORA_ROOT, prints "held\n" (or "busy\n" when another process has it) and keeps it
// until its standard input closes.
#include "FileApi.h"
#include "ProcessApi.h"
#include "WideString.h"

#include <cstdio>
#include <string>
#include <unistd.h>

int main(int argc, char** argv) {
    const std::u16string name = FromUtf8(argc > 1 ? argv[1] : "ListoraSemaphore");
    HANDLE lock = CreateSemaphoreW(nullptr, 1, 1, name.c_str());
    if (!lock) {
        std::printf("error %u\n", static_cast<unsigned>(GetLastError()));
        return 2;
    }
    std::printf(GetLastError() == ERROR_ALREADY_EXISTS ? "busy\n" : "held\n");
    std::fflush(stdout);
    char buf[64];
    while (read(STDIN_FILENO, buf, sizeof buf) > 0) {
    }
    CloseHandle(lock);
    return 0;
}
