#pragma once
// What the main window's tests share: a scratch folder, a scratch HOME, a fresh window (with a run
// state of its own), and the runner's way of reporting a tool's output, fed from a recorded report.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/Unit1.h"
#include "process/TOxCreateProcess.h"
#include "process/TOxReader.h"
#include "skin/grids/TskSkinStringGrid.h"
#include "tests/support/TTestSystemServices.h"
#include "tests/support/TScratchFolder.h"

namespace omtest {

namespace fs = std::filesystem;

struct TempFolder {
    TScratchFolder Scratch;
    fs::path Path = Scratch.Path();
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

// A main window in a scratch HOME, on the machine's services until the test changes them (System),
// with the queue rows it builds recorded.
struct FormTest : ::testing::Test {
    TempHome Home;
    TTestSystemServices System;
    std::unique_ptr<TForm1> Form;
    std::vector<int> AddedRows;

    void SetUp() override
    {
        Form = std::make_unique<TForm1>(nullptr, System);
        Form->OnAddItem = [this](int Row) { AddedRows.push_back(Row); };
    }
    void TearDown() override { Form.reset(); }
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

// --- added for the conversion tests ---------------------------------------------------------------

// Runs a command through the shell and gives what it printed on its standard output.
inline std::string Capture(const std::string& Command)
{
    std::string out;
    if (FILE* p = popen(Command.c_str(), "r")) {
        char buf[4096];
        while (std::size_t n = fread(buf, 1, sizeof buf, p))
            out.append(buf, n);
        pclose(p);
    }
    return out;
}

// Runs a command through the shell with its output dropped; true when it exited 0.
inline bool RunQuiet(const std::string& Command)
{
    return std::system((Command + " >/dev/null 2>&1").c_str()) == 0;
}

// One title of a generated DVD: its length in seconds, its chapter marks ("0,0:04,0:08"), the
// command its navigation runs at the title's end ("jump title 1;", none when empty), its video
// rate in kbit/s (0: the disc format's own), the channels of its sound and the lavfi source of its
// picture, with filters after it when given, and the lavfi source of its sound.
struct DvdTitleShape {
    int Seconds = 6;
    std::string Chapters = "0";
    std::string Post;
    int Kbps = 1000;
    int Channels = 2;
    std::string Picture = "testsrc";
    std::string PictureFilters;
    std::string Sound = "sine=sample_rate=48000";
    DvdTitleShape(int S = 6, std::string C = "0", std::string P = "", int K = 1000, int Ch = 2,
                  std::string Pic = "testsrc")
        : Seconds(S), Chapters(std::move(C)), Post(std::move(P)), Kbps(K), Channels(Ch), Picture(std::move(Pic))
    {
    }
};

// Makes a PAL DVD folder at Folder with dvdauthor, one title per shape given, from clips generated in
// Scratch. False when ffmpeg or dvdauthor could not make it.
inline bool MakeDvdFolder(const std::string& Folder, const std::string& Scratch, const std::vector<DvdTitleShape>& Titles)
{
    std::string xml = "<dvdauthor dest=\"" + Folder + "\"><vmgm/><titleset><titles>";
    for (std::size_t i = 0; i < Titles.size(); ++i) {
        const std::string mpg = Scratch + "/title" + std::to_string(i + 1) + ".mpg";
        const std::string rate = Titles[i].Kbps > 0 ? " -b:v " + std::to_string(Titles[i].Kbps) + "k" : "";
        const std::string filters = Titles[i].PictureFilters.empty() ? "" : "," + Titles[i].PictureFilters;
        if (!RunQuiet("ffmpeg -y -f lavfi -i \"" + Titles[i].Picture + "=size=720x576:rate=25" + filters +
                      "\" -f lavfi -i \"" + Titles[i].Sound + "\" -t " + std::to_string(Titles[i].Seconds) +
                      " -target pal-dvd" + rate + " -ac " + std::to_string(Titles[i].Channels) + " '" + mpg + "'"))
            return false;
        xml += "<pgc><vob file=\"" + mpg + "\" chapters=\"" + Titles[i].Chapters + "\"/>";
        if (!Titles[i].Post.empty())
            xml += "<post>" + Titles[i].Post + "</post>";
        xml += "</pgc>";
    }
    xml += "</titles></titleset></dvdauthor>";
    std::ofstream(Scratch + "/dvd.xml") << xml;
    return RunQuiet("VIDEO_FORMAT=PAL dvdauthor -x '" + Scratch + "/dvd.xml'");
}

// A stand-in "mencoder" for driver tests without the real tools: put in the work folder (where tools
// are looked for first), it prints one progress line of the whole 20 s, writes "video" into its "-o"
// file and exits 0. While the file "hold" in that folder names a number of seconds, it waits that long
// first (SIGINT ends it, as it ends the real one). A stand-in "mplayer" beside it reports every
// non-empty file as 20 s of video with sound, and nothing for an empty or missing one; so does a
// stand-in "ffprobe" in the packet lines the judge reads.
inline void InstallFakeEncoder(const std::string& WorkFolder)
{
    fs::create_directories(WorkFolder);
    const std::string player = WorkFolder + "mplayer";
    std::ofstream(player) << R"SH(#!/bin/sh
for a in "$@"; do last="$a"; done
if [ -s "$last" ]; then
  printf 'ID_VIDEO_FORMAT=FAKE\nID_AUDIO_FORMAT=85\nID_LENGTH=20.00\n'
fi
exit 0
)SH";
    fs::permissions(player, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    const std::string probe = WorkFolder + "ffprobe";
    std::ofstream(probe) << R"SH(#!/bin/sh
for a in "$@"; do last="${a#file:}"; done
if [ -s "$last" ]; then
  printf 'video,0.000000,0.000000,0.040000,K_\nvideo,19.960000,19.960000,0.040000,__\n'
  printf 'audio,0.000000,0.000000,0.026000,K_\naudio,19.974000,19.974000,0.026000,K_\n'
fi
exit 0
)SH";
    fs::permissions(probe, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    const std::string encoder = WorkFolder + "mencoder";
    std::ofstream(encoder) << R"SH(#!/bin/sh
out=""
while [ $# -gt 0 ]; do
  if [ "$1" = "-o" ]; then out="$2"; fi
  shift
done
[ -z "$out" ] && exit 0
here=$(dirname "$0")
[ -f "$here/hold" ] && sleep "$(cat "$here/hold")"
printf 'Pos:  20.0s    500f (100%%)  0.00fps Trem:   0min   1mb  A-V:0.020 [458:128]\n'
printf 'video' > "$out"
exit 0
)SH";
    fs::permissions(encoder, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
}

inline void HoldFakeEncoder(const std::string& WorkFolder, int Seconds)
{
    std::ofstream(WorkFolder + "hold") << Seconds;
}

} // namespace omtest
