#include "HandlerStub.h"

#include "TestRoot.h"
#include "UiTest.h"

#include <QElapsedTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>

HandlerStub::HandlerStub(const TestRoot& root) : m_record(root.file("opened.txt")) {
    const std::string bin = root.file("bin");
    std::filesystem::create_directories(bin);
    // Written whole under another name first, so a reader never sees half of it.
    std::ofstream(bin + "/xdg-open") << "#!/bin/sh\nprintf '%s' \"$1\" > '" << m_record << ".tmp'; mv '" << m_record
                                     << ".tmp' '" << m_record << "'\n";
    std::filesystem::permissions(bin + "/xdg-open", std::filesystem::perms::owner_all);
    m_path = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (bin + ":" + m_path).c_str(), 1);
}

HandlerStub::~HandlerStub() {
    setenv("PATH", m_path.c_str(), 1);
}

std::string HandlerStub::Opened(int waitMs) const {
    QElapsedTimer timer;
    timer.start();
    while (!HostFileExists(m_record) && timer.elapsed() < waitMs)
        WaitMs(20);
    return ReadHostFile(m_record);
}
