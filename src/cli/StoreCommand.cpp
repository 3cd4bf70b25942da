#include "StoreCommand.h"

#include "CliExit.h"
#include "CliRoot.h"
#include "LRRegistry.h"
#include "RegFile.h"
#include "SafeSave.h"
#include "System/IO/BinaryWriter.h"
#include "WideString.h"
#include "WriterLock.h"

#include <fstream>
#include <iostream>
#include <iterator>

namespace {

constexpr unsigned kWriteBuffer = 1 << 16;

bool ReadWhole(const std::string& file, std::string& text) {
    if (file == "-") {
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
        return !std::cin.bad();
    }
    std::ifstream in(ToUtf8(CliRoot::PathOf(file)), std::ios::binary);
    if (!in)
        return false;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// Whether the snapshot holds the program's own key, so that a file of something else
// is never taken for a store.
bool HoldsListora(const RegistrySnapshot& snapshot) {
    const std::u16string wanted = u"HKEY_LOCAL_MACHINE\\" + std::u16string(LRRegistry().GetKeyPath());
    for (const RegistrySnapshot::Key& key : snapshot.keys) {
        std::u16string path;
        for (const std::u16string& name : key.path) {
            if (!path.empty())
                path += u'\\';
            path += name;
        }
        if (EqualsNoCase(path, wanted))
            return true;
    }
    return false;
}

}  // namespace

int StoreCommand::Run() const {
    switch (action) {
    case Action::Backup: return Backup();
    case Action::Restore: return Restore();
    case Action::Check: return Check();
    }
    return CliExit::kFailed;
}

int StoreCommand::Backup() const {
    if (!CliRoot::HasStore())
        return CliExit::Fail(CliRoot::NoStoreMessage());
    RegistrySnapshot snapshot;
    std::u16string error;
    if (!RegistrySnapshot::Read(snapshot, error))
        return CliExit::Fail(ToUtf8(error));
    std::string text;
    std::string problem;
    if (!RegFile::Write(snapshot, text, problem))
        return CliExit::Fail("cannot back up the store: " + problem);
    if (file == "-")
        return CliExit::Print(text);
    const std::u16string path = CliRoot::PathOf(file);
    const SafeSave::Result saved = SafeSave::Write(path.c_str(), kWriteBuffer, [&](IO::BinaryWriter& writer) {
        return writer.Write(reinterpret_cast<const BYTE*>(text.data()), 0, static_cast<int>(text.size())) ==
               static_cast<int>(text.size());
    });
    if (saved != SafeSave::SAVED)
        return CliExit::Fail("cannot write '" + ToUtf8(path) + "' (an older file of that name is left as it was)");
    return CliExit::kDone;
}

int StoreCommand::Restore() const {
    std::string text;
    if (!ReadWhole(file, text))
        return CliExit::Fail("cannot read '" + file + "'");
    RegistrySnapshot snapshot;
    std::string problem;
    if (!RegFile::Parse(text, snapshot, problem))
        return CliExit::Fail("'" + file + "' is not a store backup, " + problem + " (the store is unchanged)");
    if (!HoldsListora(snapshot))
        return CliExit::Fail("'" + file + "' holds no Listora store (the store is unchanged)");
    WriterLock lock;
    std::string refusal;
    if (!lock.Acquire(refusal))
        return CliExit::Fail(refusal);
    std::u16string error;
    if (!snapshot.Replace(error))
        return CliExit::Fail("cannot restore the store: " + ToUtf8(error) + " (the store is unchanged)");
    return CliExit::kDone;
}

int StoreCommand::Check() const {
    if (!CliRoot::HasStore())
        return CliExit::Fail(CliRoot::NoStoreMessage());
    std::vector<std::u16string> problems;
    std::size_t keys = 0;
    std::size_t values = 0;
    std::u16string error;
    if (!RegistrySnapshot::Check(problems, keys, values, error))
        return CliExit::Fail("cannot check the store: " + ToUtf8(error));
    const std::string store = RegistryStore::DatabasePath();
    if (problems.empty())
        return CliExit::Print("The store " + store + " is sound: " + std::to_string(keys) + " keys, " +
                              std::to_string(values) + " values.\n");
    std::string report;
    for (const std::u16string& line : problems)
        report += ToUtf8(line) + '\n';
    CliExit::Print(report);
    return CliExit::Fail("the store " + store + " has " + std::to_string(problems.size()) + " problem(s)");
}
