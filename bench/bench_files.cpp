// Loading and saving ledger files: a 1,000,000-entry .tm2 file (40 matters, 20 years) and the
// 20-year Ver.1 CSV of the same ledger, beside the raw speed of reading and writing the same
// bytes on the same disk, which is the limit any file form can reach.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "doc/BinaryLedgerForm.h"
#include "doc/CsvLedgerForm.h"
#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "support/LedgerBuilder.h"

namespace tallymo {
namespace {

constexpr std::size_t kEntries = 1000000;
constexpr int kMatters = 40;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The ledger, its two files and a scratch folder, made once for all benchmarks.
struct Files {
    MemorySettingsStore store;
    FixedClock clock{MakeLocalTime(2020, 1, 1)};
    CTallymoDoc doc{store, clock};
    std::string dir;
    std::string tm2;
    std::string csv;
    std::string tm2Bytes;
    std::string csvBytes;

    Files() {
        char pattern[] = "/tmp/tallymo-bench-XXXXXX";
        dir = mkdtemp(pattern);
        tm2 = dir + "/ledger.tm2";
        csv = dir + "/ledger.csv";
        // Twenty years ending 2019-12-31: wholly inside the years the CSV form holds.
        test::FillGeneratedLedger(doc, kEntries, kMatters, 20, MakeLocalTime(2019, 12, 31));
        doc.SaveLedgerFile(tm2);
        doc.SaveLedgerFile(csv);
        tm2Bytes = ReadAll(tm2);
        csvBytes = ReadAll(csv);
    }
    ~Files() { std::filesystem::remove_all(dir); }

    static Files& Get() {
        static Files files;
        return files;
    }
};

void SetBytes(benchmark::State& state, std::size_t bytes) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["file_bytes"] = static_cast<double>(bytes);
}

// --- the binary form --------------------------------------------------------------------------

void BM_LoadTm2_1M(benchmark::State& state) {
    Files& files = Files::Get();
    MemorySettingsStore store;
    CTallymoDoc doc(store, files.clock);
    for (auto _ : state) {
        if (!doc.LoadLedgerFile(files.tm2)) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(doc.Entries().data());
    }
    SetBytes(state, files.tm2Bytes.size());
    state.counters["entries"] = static_cast<double>(doc.Entries().size());
    state.counters["bytes_per_entry"] =
        static_cast<double>(files.tm2Bytes.size()) / static_cast<double>(kEntries);
}
BENCHMARK(BM_LoadTm2_1M)->Unit(benchmark::kMillisecond);

// Replacing an existing file: the backup copy, the new file flushed to disk, the rename.
void BM_SaveTm2_1M(benchmark::State& state) {
    Files& files = Files::Get();
    const std::string path = files.dir + "/save.tm2";
    files.doc.SaveLedgerFile(path);
    for (auto _ : state) {
        if (!files.doc.SaveLedgerFile(path)) state.SkipWithError("save failed");
    }
    SetBytes(state, files.tm2Bytes.size());
}
BENCHMARK(BM_SaveTm2_1M)->Unit(benchmark::kMillisecond);

// A first save: no backup to make.
void BM_SaveTm2_1M_NewFile(benchmark::State& state) {
    Files& files = Files::Get();
    const std::string path = files.dir + "/new.tm2";
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(path);
        state.ResumeTiming();
        if (!files.doc.SaveLedgerFile(path)) state.SkipWithError("save failed");
    }
    SetBytes(state, files.tm2Bytes.size());
}
BENCHMARK(BM_SaveTm2_1M_NewFile)->Unit(benchmark::kMillisecond);

// The form alone, in memory.
void BM_DecodeTm2_1M(benchmark::State& state) {
    Files& files = Files::Get();
    for (auto _ : state) {
        LedgerContents ledger;
        benchmark::DoNotOptimize(ReadBinaryLedger(files.tm2Bytes, ledger));
    }
    SetBytes(state, files.tm2Bytes.size());
}
BENCHMARK(BM_DecodeTm2_1M)->Unit(benchmark::kMillisecond);

void BM_EncodeTm2_1M(benchmark::State& state) {
    Files& files = Files::Get();
    for (auto _ : state) benchmark::DoNotOptimize(WriteBinaryLedger(files.doc, 0));
    SetBytes(state, files.tm2Bytes.size());
}
BENCHMARK(BM_EncodeTm2_1M)->Unit(benchmark::kMillisecond);

// --- the Ver.1 text form ------------------------------------------------------------------

void BM_LoadCsv_20Years(benchmark::State& state) {
    Files& files = Files::Get();
    MemorySettingsStore store;
    CTallymoDoc doc(store, files.clock);
    for (auto _ : state) {
        if (!doc.LoadLedgerFile(files.csv)) state.SkipWithError("load failed");
    }
    SetBytes(state, files.csvBytes.size());
    state.counters["entries"] = static_cast<double>(doc.Entries().size());
}
BENCHMARK(BM_LoadCsv_20Years)->Unit(benchmark::kMillisecond);

void BM_SaveCsv_20Years(benchmark::State& state) {
    Files& files = Files::Get();
    const std::string path = files.dir + "/save.csv";
    for (auto _ : state) {
        if (!files.doc.SaveLedgerFile(path)) state.SkipWithError("save failed");
    }
    SetBytes(state, files.csvBytes.size());
}
BENCHMARK(BM_SaveCsv_20Years)->Unit(benchmark::kMillisecond);

// --- the disk: the same bytes read and written without any form ----------------------------

void RawRead(benchmark::State& state, const std::string& path, std::size_t size) {
    std::string buffer(size, '\0');
    for (auto _ : state) {
        const int fd = open(path.c_str(), O_RDONLY);
        std::size_t done = 0;
        while (done < size) {
            const ssize_t n = read(fd, buffer.data() + done, size - done);
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
        }
        close(fd);
        benchmark::DoNotOptimize(buffer.data());
    }
    SetBytes(state, size);
}

void RawWrite(benchmark::State& state, const std::string& path, const std::string& bytes,
              bool sync) {
    for (auto _ : state) {
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
        }
        if (sync) fsync(fd);
        close(fd);
    }
    SetBytes(state, bytes.size());
}

void BM_RawReadTm2Bytes(benchmark::State& state) {
    Files& files = Files::Get();
    RawRead(state, files.tm2, files.tm2Bytes.size());
}
BENCHMARK(BM_RawReadTm2Bytes)->Unit(benchmark::kMillisecond);

void BM_RawWriteTm2Bytes_Synced(benchmark::State& state) {
    Files& files = Files::Get();
    RawWrite(state, files.dir + "/raw.tm2", files.tm2Bytes, true);
}
BENCHMARK(BM_RawWriteTm2Bytes_Synced)->Unit(benchmark::kMillisecond);

void BM_RawWriteTm2Bytes_Unsynced(benchmark::State& state) {
    Files& files = Files::Get();
    RawWrite(state, files.dir + "/raw.tm2", files.tm2Bytes, false);
}
BENCHMARK(BM_RawWriteTm2Bytes_Unsynced)->Unit(benchmark::kMillisecond);

void BM_RawReadCsvBytes(benchmark::State& state) {
    Files& files = Files::Get();
    RawRead(state, files.csv, files.csvBytes.size());
}
BENCHMARK(BM_RawReadCsvBytes)->Unit(benchmark::kMillisecond);

void BM_RawWriteCsvBytes_Synced(benchmark::State& state) {
    Files& files = Files::Get();
    RawWrite(state, files.dir + "/raw.csv", files.csvBytes, true);
}
BENCHMARK(BM_RawWriteCsvBytes_Synced)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tallymo
