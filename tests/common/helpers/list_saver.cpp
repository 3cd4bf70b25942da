// Saves a list file over and over, alternating between the two versions of
// SaveVersions.h, until it is killed. Prints "ready" once its first save is done, so
// the test kills it in the middle of its loop and not while it starts.
//
//   list_saver <list file>
#include "ListFile.h"
#include "SaveVersions.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: list_saver <list file>\n");
        return 2;
    }
    const std::string host = argv[1];
    const std::u16string path(host.begin(), host.end());
    rep::vector<Purchase*> versions[2];
    BuildSaveVersion(0, versions[0]);
    BuildSaveVersion(1, versions[1]);
    ListFile file;
    for (unsigned long round = 0;; ++round) {
        if (!file.Write(path.c_str(), versions[round % 2])) {
            std::fprintf(stderr, "save %lu failed\n", round);
            return 1;
        }
        if (round == 0) {
            std::printf("ready\n");
            std::fflush(stdout);
        }
    }
}
