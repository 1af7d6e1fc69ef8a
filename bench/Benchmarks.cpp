#include "HeapCounter.h"
#include "LargeDocuments.h"
#include "config/ConfigClip.h"
#include "config/ConfigDiff.h"
#include "config/ConfigReader.h"
#include "config/ConfigWriter.h"
#include "taskfile/TaskFileFormat.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace {

using Clock = std::chrono::steady_clock;

const OemCodePage& oem() {
    static const OemCodePage codePage(437);
    return codePage;
}

ReadStatus readConfig(std::string_view file, ConfigModel& model) {
    return ConfigReader(oem()).read(file, model);
}

ReadStatus readTaskFile(std::string_view file, TaskFileModel& model) {
    return TaskFileFormat::read(file, model);
}

std::string writeConfig(const ConfigModel& model) {
    return ConfigWriter(oem()).write(model);
}

std::string writeTaskFile(const TaskFileModel& model) {
    return TaskFileFormat::write(model);
}

template <typename Model> struct Document {
    Model model;
    std::string file;
    // Whether reading the file gives the model back: figures for a reader
    // that misreads the file would mean nothing.
    bool readsBack = false;
};

template <typename Model, typename Write, typename Read>
Document<Model> makeDocument(Model model, Write write, Read read) {
    Document<Model> doc{std::move(model), {}, false};
    doc.file = write(doc.model);
    Model back;
    doc.readsBack = read(doc.file, back).ok && back == doc.model;
    return doc;
}

const Document<ConfigModel>& largeConfig() {
    static const auto doc = makeDocument(LargeDocuments::largeConfig(), writeConfig, readConfig);
    return doc;
}

const Document<TaskFileModel>& largeTaskFile() {
    static const auto doc =
        makeDocument(LargeDocuments::largeTaskFile(), writeTaskFile, readTaskFile);
    return doc;
}

// One load as the editor does it: the file's bytes in a buffer of their own,
// the model read from them, the buffer released. Heap figures are relative to
// what was held before.
struct Load {
    ReadStatus status;
    double seconds = 0;
    std::size_t modelHeap = 0;
    std::size_t peakHeap = 0;
};

Load measureLoad(std::string_view file, ConfigModel& model) {
    Load load;
    const std::size_t before = HeapCounter::current();
    HeapCounter::resetPeak();
    {
        const std::string buffer(file);
        const auto start = Clock::now();
        load.status = readConfig(buffer, model);
        load.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    }
    load.modelHeap = HeapCounter::current() - before;
    load.peakHeap = HeapCounter::peak() - before;
    return load;
}

benchmark::Counter bytes(std::size_t n) {
    return benchmark::Counter(static_cast<double>(n), benchmark::Counter::kDefaults,
                              benchmark::Counter::kIs1024);
}

void reportLoad(benchmark::State& state, std::size_t fileSize, const Load& load) {
    const auto file = static_cast<double>(fileSize);
    state.counters["file"] = bytes(fileSize);
    state.counters["model_heap"] = bytes(load.modelHeap);
    state.counters["read_peak"] = bytes(load.peakHeap);
    state.counters["model/file"] = static_cast<double>(load.modelHeap) / file;
    state.counters["peak/file"] = static_cast<double>(load.peakHeap) / file;
}

template <typename Model, typename Read>
void timeReads(benchmark::State& state, const Document<Model>& doc, Read read) {
    if (!doc.readsBack) {
        state.SkipWithError("the generated file does not read back as its model");
        return;
    }
    for (auto _ : state) {
        auto model = std::make_unique<Model>();
        benchmark::DoNotOptimize(read(doc.file, *model));
        state.PauseTiming();
        model.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(doc.file.size()));
}

template <typename Model, typename Write>
void timeWrites(benchmark::State& state, const Document<Model>& doc, Write write) {
    std::size_t size = 0;
    for (auto _ : state) {
        const std::string file = write(doc.model);
        benchmark::DoNotOptimize(file.data());
        size = file.size();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
}

void BM_ConfigRead(benchmark::State& state) {
    const auto& doc = largeConfig();
    timeReads(state, doc, readConfig);
    if (!doc.readsBack)
        return;
    ConfigModel model;
    reportLoad(state, doc.file.size(), measureLoad(doc.file, model));
}
BENCHMARK(BM_ConfigRead)->Unit(benchmark::kMillisecond);

void BM_ConfigWrite(benchmark::State& state) {
    timeWrites(state, largeConfig(), writeConfig);
}
BENCHMARK(BM_ConfigWrite)->Unit(benchmark::kMillisecond);

void BM_TaskFileRead(benchmark::State& state) {
    timeReads(state, largeTaskFile(), readTaskFile);
}
BENCHMARK(BM_TaskFileRead)->Unit(benchmark::kMicrosecond);

void BM_TaskFileWrite(benchmark::State& state) {
    timeWrites(state, largeTaskFile(), writeTaskFile);
}
BENCHMARK(BM_TaskFileWrite)->Unit(benchmark::kMicrosecond);

const Document<ConfigModel>& jobsConfig() {
    static const auto doc = makeDocument(LargeDocuments::jobsConfig(), writeConfig, readConfig);
    return doc;
}

// What `pallworth-cli normalize` does between reading and writing the file,
// on the configuration of 200 directory and 200 file jobs per package: the
// model read from the bytes and written again.
void BM_ConfigNormalizeJobs(benchmark::State& state) {
    const auto& doc = jobsConfig();
    if (!doc.readsBack) {
        state.SkipWithError("the generated file does not read back as its model");
        return;
    }
    for (auto _ : state) {
        ConfigModel model;
        benchmark::DoNotOptimize(readConfig(doc.file, model));
        const std::string file = writeConfig(model);
        benchmark::DoNotOptimize(file.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(doc.file.size()));
    ConfigModel model;
    reportLoad(state, doc.file.size(), measureLoad(doc.file, model));
}
BENCHMARK(BM_ConfigNormalizeJobs)->Unit(benchmark::kMillisecond);

// Copy and paste of every package of the same configuration, one at a time:
// each written as the clipboard's text and read back, as the normalize
// benchmark above writes and reads the whole file.
void BM_ConfigClipPackages(benchmark::State& state) {
    const auto& doc = jobsConfig();
    const ConfigClip clip;
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        for (const PackageDesc& p : doc.model.packages) {
            const std::string text = clip.copy(p);
            bytes += text.size();
            benchmark::DoNotOptimize(clip.readRecords(text, false).count);
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_ConfigClipPackages)->Unit(benchmark::kMillisecond);
// What Compare with Saved does once both models are there: the large
// configuration against a copy of it with one bandwidth limit changed.
void BM_ConfigCompare(benchmark::State& state) {
    const ConfigModel& from = largeConfig().model;
    ConfigModel to = from;
    to.packages.at(500).targets.at(3).setBandwidth("128");
    for (auto _ : state) {
        const std::vector<Difference> differences = ConfigDiff::compare(from, to);
        if (differences.size() != 1) {
            state.SkipWithError("one change should give one difference");
            break;
        }
        benchmark::DoNotOptimize(differences.data());
    }
}
BENCHMARK(BM_ConfigCompare)->Unit(benchmark::kMillisecond);

// Every list at capacity: a file of a few hundred MB, loaded once.
void BM_ConfigLoadFullCapacity(benchmark::State& state) {
    const ConfigModel expected = LargeDocuments::fullConfig();
    const auto writeStart = Clock::now();
    const std::string file = writeConfig(expected);
    const double writeSeconds = std::chrono::duration<double>(Clock::now() - writeStart).count();
    for (auto _ : state) {
        ConfigModel model;
        const Load load = measureLoad(file, model);
        state.SetIterationTime(load.seconds);
        if (!load.status.ok || !(model == expected)) {
            state.SkipWithError("the full-capacity file does not read back as its model");
            break;
        }
        reportLoad(state, file.size(), load);
        state.counters["write_s"] = writeSeconds;
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
}
BENCHMARK(BM_ConfigLoadFullCapacity)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
