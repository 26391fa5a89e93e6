// What a file manager waits for per thumbnail: the whole thumbnailer process, from its start to its
// exit, on a 96 x 80 picture (the largest), at the sizes GNOME asks for. The output goes to a fresh
// folder under TMPDIR (or /tmp), as GNOME's factory gives it one.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

// A 96 x 80 file with a diagonal pattern, so that the PNG is not all one colour.
std::vector<char> picture() {
    std::vector<char> bytes = {0, 0, 96, 80};
    for (int y = 0; y < 80; ++y)
        for (int column = 0; column < 12; ++column) bytes.push_back(static_cast<char>(0xF0F0F0F0u >> (y % 8)));
    return bytes;
}

std::filesystem::path scratchFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string name = std::string(tmp && *tmp ? tmp : "/tmp") + "/velmora-thumbnailer-bench-XXXXXX";
    if (!::mkdtemp(name.data())) std::abort();
    return name;
}

// Runs the program to its end once per iteration. Besides the wall time, it reports the CPU time the
// processes used, which leaves out the time they waited for a core on a busy machine.
void runEachIteration(benchmark::State& state, const char* program, std::vector<char*> arguments) {
    arguments.insert(arguments.begin(), const_cast<char*>(program));
    arguments.push_back(nullptr);
    double childCpuSeconds = 0;
    for (auto _ : state) {
        pid_t child = 0;
        int status = 0;
        rusage usage{};
        if (::posix_spawn(&child, program, nullptr, nullptr, arguments.data(), environ) != 0 ||
            ::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the program failed");
            break;
        }
        childCpuSeconds += static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    }
    state.counters["child_cpu_ms"] = benchmark::Counter(childCpuSeconds * 1e3, benchmark::Counter::kAvgIterations);
}

void Thumbnail96x80(benchmark::State& state) {
    const std::filesystem::path folder = scratchFolder();
    const std::string input = folder / "picture.wbmp";
    const std::string output = folder / "thumbnail.png";
    const std::vector<char> bytes = picture();
    std::ofstream(input, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    const std::string size = std::to_string(state.range(0));
    runEachIteration(state, THUMBNAILER,
                     {const_cast<char*>("-s"), const_cast<char*>(size.c_str()), const_cast<char*>(input.c_str()),
                      const_cast<char*>(output.c_str())});
    state.counters["png_bytes"] = static_cast<double>(std::filesystem::file_size(output));
    std::filesystem::remove_all(folder);
}
BENCHMARK(Thumbnail96x80)->Arg(128)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond)->UseRealTime();

// The floor the thumbnailer's time is read against: starting a process that does nothing.
void StartTrue(benchmark::State& state) {
    runEachIteration(state, "/bin/true", {});
}
BENCHMARK(StartTrue)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
