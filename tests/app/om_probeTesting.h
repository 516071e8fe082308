#pragma once
// What the conversion tests know of a file they did not make themselves: ffprobe's and ffmpeg's
// word on it, and the device profile chosen as the device box does.
#include <array>
#include <cstdio>
#include <string>

#include "app/Unit1.h"
#include "app/om_codecs.h"
#include "app/om_convert.h"
#include "app/om_functions.h"
#include "app/om_tables.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/TStringList.h"
#include "skin/grids/TskSkinStringGrid.h"

namespace omtest {

// The standard output of a shell command.
inline std::string CaptureOutput(const std::string& Command)
{
    std::string out;
    if (FILE* p = popen(Command.c_str(), "r")) {
        std::array<char, 4096> buf{};
        while (std::size_t n = fread(buf.data(), 1, buf.size(), p))
            out.append(buf.data(), n);
        pclose(p);
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == ','))
        out.pop_back();
    return out;
}

inline std::string ShellQuoted(const std::string& Path)
{
    std::string q = "'";
    for (char c : Path)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// One value of ffprobe's report ("" when the file or the stream is not there).
inline std::string ProbeValue(const std::string& Path, const std::string& Select, const std::string& Entry)
{
    return CaptureOutput("ffprobe -v error " + Select + " -show_entries " + Entry + " -of csv=p=0 " + ShellQuoted(Path) +
                         " 2>/dev/null");
}

inline double ProbeDuration(const std::string& Path)
{
    return ParseFloatDot(ProbeValue(Path, "", "format=duration"));
}

// The video frames ffprobe counts by decoding the whole stream.
inline int ProbeFrames(const std::string& Path)
{
    return StrToIntDef(ProbeValue(Path, "-count_frames -select_streams v:0", "stream=nb_read_frames"), 0);
}

inline bool HasAudioStream(const std::string& Path)
{
    return !ProbeValue(Path, "-select_streams a:0", "stream=codec_name").empty();
}

// What ffmpeg complains of while decoding the whole file ("" for a clean file).
inline std::string DecodeErrors(const std::string& Path)
{
    return CaptureOutput("ffmpeg -nostdin -v error -i " + ShellQuoted(Path) + " -f null - 2>&1");
}

// The device copied into the chosen-profile table, as the device box does; the quality is the
// device's own.
inline int ChooseDevice(TForm1& Form, const std::string& Device)
{
    TOmTables& t = Form.Tables();
    if (t.devices->StoredRowCount() == 0 || t.devices->Cells(DeviceProfile::Name, 0).empty()) {
        TStringList items;
        FillCodecProfiles(*t.codecgrid, *t.devices, items);
    }
    ClearTable(*t.dq);
    for (int r = 0; r < t.devices->StoredRowCount(); ++r)
        if (t.devices->Cells(DeviceProfile::Name, r) == Device)
            for (int c = 0; c < DeviceTableColumns; ++c)
                t.dq->SetCells(c, 0, t.devices->Cells(c, r));
    return CellInt(t.dq->Cells(DeviceProfile::VideoBitrate, 0)) / 10;
}

} // namespace omtest
