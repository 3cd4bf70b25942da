// List-file throughput: 100,000 purchase records written through BinaryWriter over a
// 100000-byte BufferedStream over a FileStream, and read back the same way.
#include "System/IO/BinaryReader.h"
#include "System/IO/BinaryWriter.h"
#include "System/IO/BufferedStream.h"
#include "System/IO/FileStream.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

constexpr unsigned kRecords = 100000;
constexpr unsigned kBufferSize = 100000;

// A host path in a folder of its own, removed at exit.
class TempFile {
public:
    TempFile() {
        std::string folder = (std::filesystem::temp_directory_path() / "listora-bench-XXXXXX").string();
        if (!mkdtemp(folder.data()))
            std::abort();
        m_folder = folder;
        const std::string path = folder + "/list.lsr";
        m_path.assign(path.begin(), path.end());
    }
    ~TempFile() {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    const TCHAR* path() const { return m_path.c_str(); }

private:
    std::string m_folder;
    std::u16string m_path;
};

const TempFile& File() {
    static TempFile file;
    return file;
}

bool WriteList() {
    IO::FileStream file;
    if (file.Init(File().path(), IO::FileMode::Create, IO::FileAccess::Write) != IO::OpenResult::Opened)
        return false;
    IO::BufferedStream buffered(&file, kBufferSize);
    IO::BinaryWriter writer(buffered);
    bool ok = writer.Write(kRecords);
    for (unsigned i = 0; i < kRecords && ok; ++i) {
        ok = writer.Write(u"Whole milk") && writer.Write(u"l") && writer.Write(u"low fat") &&
             writer.Write(u"Market") && writer.Write(2.0f) && writer.Write(1.49f) && writer.Write(false) &&
             writer.Write(false) && writer.Write(true) && writer.Write(i % 2 == 0) && writer.Write(1u) &&
             writer.Write(u"Dairy");
    }
    ok = buffered.Flush() && ok;
    file.Close();
    return ok;
}

bool ReadList() {
    IO::FileStream file;
    if (file.Init(File().path(), IO::FileMode::Open, IO::FileAccess::Read) != IO::OpenResult::Opened)
        return false;
    IO::BufferedStream buffered(&file, kBufferSize);
    IO::BinaryReader reader(buffered);
    unsigned count = 0;
    if (!reader.Read(count))
        return false;
    for (unsigned i = 0; i < count; ++i) {
        std::unique_ptr<TCHAR[]> name(reader.ReadWString()), unit(reader.ReadWString()),
            note(reader.ReadWString()), location(reader.ReadWString());
        float qty = 0, price = 0;
        bool coupon = false, once = false, taxable = false, purchased = false;
        unsigned categories = 0;
        if (!name || !unit || !note || !location || !reader.Read(qty) || !reader.Read(price) ||
            !reader.Read(coupon) || !reader.Read(once) || !reader.Read(taxable) || !reader.Read(purchased) ||
            !reader.Read(categories))
            return false;
        for (unsigned c = 0; c < categories; ++c) {
            std::unique_ptr<TCHAR[]> category(reader.ReadWString());
            if (!category)
                return false;
        }
        benchmark::DoNotOptimize(name.get());
    }
    return count == kRecords;
}

void BM_WritePurchaseRecords(benchmark::State& state) {
    for (auto _ : state) {
        if (!WriteList())
            state.SkipWithError("writing the list failed");
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kRecords);
}
BENCHMARK(BM_WritePurchaseRecords)->Unit(benchmark::kMillisecond);

void BM_ReadPurchaseRecords(benchmark::State& state) {
    if (!WriteList()) {
        state.SkipWithError("writing the list failed");
        return;
    }
    for (auto _ : state) {
        if (!ReadList())
            state.SkipWithError("reading the list failed");
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kRecords);
}
BENCHMARK(BM_ReadPurchaseRecords)->Unit(benchmark::kMillisecond);

}  // namespace
