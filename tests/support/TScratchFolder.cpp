#include "tests/support/TScratchFolder.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// "Suite.Test" of the running test (the suite alone while a suite sets up), in letters a file name
// can hold: parameterised names carry "/".
std::string RunningTestName()
{
    const testing::UnitTest& unit = *testing::UnitTest::GetInstance();
    std::string name = "test";
    if (const testing::TestInfo* test = unit.current_test_info())
        name = std::string(test->test_suite_name()) + "." + test->name();
    else if (const testing::TestSuite* suite = unit.current_test_suite())
        name = suite->name();
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '_' && c != '-')
            c = '-';
    // Well inside the 255 bytes a name may have, with room for what the tests put below it.
    return name.substr(0, 100);
}

// The running test's outcome so far; outside any test, the suite's, and after the run, the run's.
bool RunningTestFailed()
{
    const testing::UnitTest& unit = *testing::UnitTest::GetInstance();
    if (const testing::TestInfo* test = unit.current_test_info())
        return test->result()->Failed();
    if (const testing::TestSuite* suite = unit.current_test_suite())
        return suite->Failed();
    return unit.Failed();
}

// A test may leave a folder read-only (to see a write fail); nothing below it could go until the
// owner takes its rights back. Links are not followed: only what lies in the scratch folder changes.
void GrantOwnerEverywhere(const fs::path& Folder)
{
    std::error_code ec;
    fs::permissions(Folder, fs::perms::owner_all, fs::perm_options::add, ec);
    for (fs::directory_iterator entry(Folder, ec), end; !ec && entry != end; entry.increment(ec))
        if (entry->symlink_status(ec).type() == fs::file_type::directory)
            GrantOwnerEverywhere(entry->path());
}

} // namespace

TScratchFolder::TScratchFolder()
{
    std::string pattern = (fs::temp_directory_path() / ("ombrix-" + RunningTestName() + "-XXXXXX")).string();
    // mkdtemp makes the folder under a name no one else holds, with rights for this user only.
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("no scratch folder at " + pattern + ": " + std::strerror(errno));
    FPath = pattern;
}

TScratchFolder::~TScratchFolder()
{
    if (FKeep || (std::getenv("OMBRIX_TEST_KEEP") && RunningTestFailed())) {
        std::fprintf(stderr, "Scratch folder kept: %s\n", FPath.c_str());
        return;
    }
    std::error_code ec;
    fs::remove_all(FPath, ec);
    if (ec) {
        GrantOwnerEverywhere(FPath);
        fs::remove_all(FPath, ec);
    }
}

std::string TScratchFolder::Write(const std::string& Name, const std::string& Bytes) const
{
    const fs::path file = fs::path(FPath) / Name;
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << Bytes;
    return file.string();
}

std::string TScratchFolder::Read(const std::string& File)
{
    std::ifstream in(File, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
