#include "bench/support/BenchSupport.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace {

// The macros describe how this file was compiled, and the bench support is built with the same flags as
// the code it measures.
constexpr bool kOptimised =
#if defined(__OPTIMIZE__)
    true;
#else
    false;
#endif
constexpr bool kSanitised =
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    true;
#else
    false;
#endif

// Owns the scratch folder; its destructor runs at normal program end.
class TScratchFolder {
public:
    TScratchFolder()
    {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/ombrix-bench-XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        // mkdtemp picks a name nobody else holds and makes the folder readable by us alone.
        if (!mkdtemp(name.data()))
            throw std::runtime_error("cannot make a scratch folder from " + pattern);
        FPath = name.data();
    }
    ~TScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(FPath, ignored);
    }
    const std::string& Path() const { return FPath; }

private:
    std::string FPath;
};

}  // namespace

bool BenchBuildIsOptimised() { return kOptimised && !kSanitised; }

std::string BenchBuildWarning()
{
    std::string why = !kOptimised ? "WITHOUT OPTIMISATION" : "WITH SANITISERS";
    const std::string rule(72, '*');
    return rule + "\n*** THIS BENCHMARK WAS BUILT " + why + ".\n"
           "*** Its figures say nothing about the program people run. Build the default configuration\n"
           "*** (RelWithDebInfo, -O3) without OMBRIX_SANITIZE to measure.\n" + rule + "\n";
}

const std::string& BenchFolder()
{
    static const TScratchFolder folder;
    return folder.Path();
}

int main(int argc, char** argv)
{
    if (!BenchBuildIsOptimised())
        std::fputs(BenchBuildWarning().c_str(), stderr);
    benchmark::AddCustomContext("ombrix_build", BenchBuildIsOptimised() ? "optimised" : "NOT OPTIMISED");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
