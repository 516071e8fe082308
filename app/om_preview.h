#pragma once
// The run side of the preview window: the player command of a source row, Play and Stop, and the
// slave commands (seek, audio and subtitle switches). The preview shares the one tool runner with
// the conversion, so every control here acts only on a run that is a preview: Play is refused while a
// conversion or a scan uses the runner, the preview's Stop never ends an encoder, and slave text never
// reaches an encoder (ffmpeg would read it as keys).
#include <string>

class TForm1;
class TskSkinStringGrid;

// The player command of source row r: the source argument, slave mode into window WindowId (no
// picture at all when WindowId is 0: there is no window to draw into), the chosen audio stream (Aid's
// id, or the record's audio choice when set; left out when there is no number), the subtitles (none:
// " -noautosub -forcedsubsonly"; a stream: " -sid id"; a side file: " -sub" with the path quoted), the
// aspect when known, and " -identify" when the length is not yet known. With a window the picture is
// scaled to whatever size the window has, on any display (" -zoom"), and follows it when it changes.
std::string PreviewCommand(const TskSkinStringGrid& StringGrid1, int r, const std::string& Aid, const std::string& Sid,
                           unsigned long WindowId);

// Play: starts the player for row r and serves the window until it ends (returns true then). Play
// while a preview plays stops it (true). False, and nothing started or stopped, while a conversion
// or a scan runs or another tool is running, or when the player cannot be started.
bool PlayPreview(TForm1& Form, int r, const std::string& Aid, const std::string& Sid, unsigned long WindowId);

// The preview's Stop and the closing of its window: ends the player, and only the player. False when
// no preview was running.
bool StopPreview(TForm1& Form);

// Writes one command line to the preview player ("seek 600 2", "switch_audio 128"). False, and
// nothing written, when the running tool is not the preview player.
bool SlaveCommand(TForm1& Form, const std::string& Command);
