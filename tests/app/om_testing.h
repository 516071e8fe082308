#pragma once
// What the main window's tests share: a scratch folder, a scratch HOME, a window with its unit
// globals reset, and the runner's way of reporting a tool's output, fed from a recorded report.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "process/TOxCreateProcess.h"
#include "process/TOxReader.h"
#include "skin/grids/TskSkinStringGrid.h"

namespace omtest {

namespace fs = std::filesystem;

struct TempFolder {
    fs::path Path;
    TempFolder()
    {
        char pattern[] = "/tmp/om_identify_XXXXXX";
        Path = mkdtemp(pattern);
    }
    ~TempFolder() { fs::remove_all(Path); }
    std::string operator/(const std::string& Name) const { return (Path / Name).string(); }
    std::string Write(const std::string& Name, std::size_t Bytes = 1) const
    {
        fs::create_directories((Path / Name).parent_path());
        std::ofstream(Path / Name) << std::string(Bytes, 'x');
        return (Path / Name).string();
    }
};

struct TempHome : TempFolder {
    std::string Saved;
    TempHome()
    {
        if (const char* home = std::getenv("HOME"))
            Saved = home;
        setenv("HOME", Path.c_str(), 1);
        unsetenv("XDG_DATA_HOME");
        unsetenv("XDG_CONFIG_HOME");
    }
    ~TempHome() { setenv("HOME", Saved.c_str(), 1); }
};

inline std::string ReadFixture(const std::string& Name)
{
    std::ifstream in(std::string(OMBRIX_TEST_DATA) + "/identify/" + Name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A main window in a scratch HOME, with the queue-row seam recorded.
struct FormTest : ::testing::Test {
    TempHome Home;
    std::unique_ptr<TForm1> Form;
    std::vector<int> AddedRows;

    void SetUp() override
    {
        ResetUnit1Globals();
        Form = std::make_unique<TForm1>(nullptr);
        Form->OnAddItem = [this](int Row) { AddedRows.push_back(Row); };
    }
    void TearDown() override
    {
        Form.reset();
        ResetUnit1Globals();
    }
    std::string Cell(int Column, int Row = 0) const { return Form->StringGrid1->Cells(Column, Row); }

    // Hands Text to the window's line handler as the runner does, Chunk bytes at a time: a line cut
    // by a chunk end is reported unfinished and then again.
    void Feed(const std::string& Text, std::size_t Chunk)
    {
        TOxReader reader(Form->OxCreateProcess1, Form->OxCreateProcess1->OnRead, Form->OxCreateProcess1->OnRawRead);
        for (std::size_t at = 0; at < Text.size(); at += Chunk)
            reader.ParseReadBuffer(Text.data() + at, std::min(Chunk, Text.size() - at));
    }
    // Each line reported once, complete.
    void FeedLines(const std::string& Text)
    {
        std::size_t start = 0;
        while (start < Text.size()) {
            std::size_t end = Text.find('\n', start);
            if (end == std::string::npos)
                end = Text.size();
            Form->OxCreateProcess1Read(Form->OxCreateProcess1, Text.substr(start, end - start), true, true);
            start = end + 1;
        }
    }
};

} // namespace omtest
