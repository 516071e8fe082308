#include "E2eProgram.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

// Fields of /proc/PID/stat after the name (which may hold blanks and parentheses).
std::vector<std::string> StatFields(pid_t Pid)
{
    std::ifstream in("/proc/" + std::to_string(Pid) + "/stat");
    std::string line;
    std::getline(in, line);
    const std::size_t close = line.rfind(')');
    std::vector<std::string> fields;
    if (close == std::string::npos)
        return fields;
    const std::size_t open = line.find('(');
    fields.push_back(line.substr(open + 1, close - open - 1));   // the name first
    std::istringstream rest(line.substr(close + 1));
    for (std::string f; rest >> f;)
        fields.push_back(f);
    return fields;
}

} // namespace

namespace {

// Nanoseconds the threads of a process spent on a processor, by the scheduler's own count (its
// statistics in ticks of 10 ms cannot tell 0.0 % from 0.3 % over a few seconds); -1 when it is gone.
long long ProcessCpuNs(pid_t Pid)
{
    std::error_code e;
    long long total = 0;
    bool any = false;
    for (const fs::directory_entry& task : fs::directory_iterator("/proc/" + std::to_string(Pid) + "/task", e)) {
        long long ns = 0;
        if (std::ifstream(task.path() / "schedstat") >> ns) {
            total += ns;
            any = true;
        }
    }
    return any ? total : -1;
}

} // namespace

std::vector<double> CpuPercent(const std::vector<pid_t>& Pids, std::chrono::milliseconds Span)
{
    std::vector<long long> before;
    for (pid_t pid : Pids)
        before.push_back(ProcessCpuNs(pid));
    const auto start = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(Span);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::vector<double> shares;
    for (std::size_t i = 0; i < Pids.size(); ++i) {
        const long long after = ProcessCpuNs(Pids[i]);
        shares.push_back(before[i] < 0 || after < 0 ? -1.0 : 100.0 * static_cast<double>(after - before[i]) / 1e9 / seconds);
    }
    return shares;
}

TE2eHome::TE2eHome()
{
    fs::create_directories(Documents());
    fs::create_directories(Root + "/Desktop");
    fs::create_directories(Root + "/.config");
    fs::create_directories(DataHome());
    fs::create_directories(Root + "/.cache");
}

TE2eHome::~TE2eHome()
{
    // A person looking into the journeys may keep every home, passed or failed.
    if (std::getenv("OMBRIX_E2E_KEEP"))
        Folder.Keep();
}

std::string RunTool(const std::vector<std::string>& Args, int* ExitCode)
{
    if (ExitCode)
        *ExitCode = -1;
    const TChildCommand command(Args);
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return "";
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeFds[1], 1);
        const int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 2);
        close(pipeFds[0]);
        close(pipeFds[1]);
        command.ExecOrExit();
    }
    close(pipeFds[1]);
    if (pid < 0) {
        // No child: there is nothing to read and, above all, nothing to wait for (waiting on "any
        // child" could take the display server).
        close(pipeFds[0]);
        return "";
    }
    std::string out;
    char buffer[4096];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        out.append(buffer, static_cast<std::size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (ExitCode)
        *ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return out;
}

std::string TestClip(int Seconds, bool Noisy, const std::string& Size)
{
    const std::string folder = std::string(OMBRIX_BINARY_DIR) + "/e2e-clips";
    fs::create_directories(folder);
    const std::string name =
        folder + "/bars" + std::to_string(Seconds) + (Noisy ? "n" : "") + (Size == "320x240" ? "" : "-" + Size) + ".avi";
    if (fs::exists(name))
        return name;
    // Made under a name of this process's own and then renamed, so tests running side by side never see
    // half a clip.
    const std::string partial = name + "." + std::to_string(getpid()) + ".avi";
    const std::string d = std::to_string(Seconds);
    std::vector<std::string> args{"ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i",
        "testsrc=duration=" + d + ":size=" + Size + ":rate=25", "-f", "lavfi", "-i", "sine=frequency=440:duration=" + d};
    if (Noisy)
        args.insert(args.end(), {"-vf", "noise=alls=12:allf=t", "-q:v", "3"});
    else
        args.insert(args.end(), {"-q:v", "2"});
    args.insert(args.end(), {"-c:v", "mpeg4", "-c:a", "mp2", partial});
    RunTool(args);
    std::error_code error;
    fs::rename(partial, name, error);
    return name;
}

std::string PlaceClip(const std::string& Clip, const std::string& Folder, const std::string& Name)
{
    fs::create_directories(Folder);
    const std::string target = Folder + "/" + Name;
    std::error_code error;
    fs::copy_file(Clip, target, fs::copy_options::overwrite_existing, error);
    return target;
}

TProbe Probe(const std::string& File)
{
    TProbe p;
    int code = 0;
    const std::string streams = RunTool({"ffprobe", "-v", "error", "-count_frames", "-show_entries",
                                            "stream=codec_type,codec_name,width,height,nb_read_frames:format=duration",
                                            "-of", "default=noprint_wrappers=1", File},
        &code);
    if (code != 0)
        return p;
    p.Valid = true;
    std::istringstream in(streams);
    std::string type;
    for (std::string line; std::getline(in, line);) {
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string key = line.substr(0, eq);
        const std::string value = line.substr(eq + 1);
        if (key == "codec_name")
            type = value;   // codec_type follows codec_name in ffprobe's order: keep it until then
        else if (key == "codec_type") {
            (value == "video" ? p.VideoCodec : p.AudioCodec) = value == "video" || value == "audio" ? type : "";
        } else if (key == "width")
            p.Width = std::atoi(value.c_str());
        else if (key == "height")
            p.Height = std::atoi(value.c_str());
        else if (key == "nb_read_frames" && p.Frames == 0)
            p.Frames = std::atol(value.c_str());
        else if (key == "duration")
            p.Duration = std::atof(value.c_str());
    }
    return p;
}

std::vector<std::string> FilesIn(const std::string& Folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(Folder, error))
        if (entry.is_regular_file())
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> ReadLines(const std::string& File)
{
    std::ifstream in(File);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

TE2eProgram::~TE2eProgram()
{
    Kill();
    // A sanitized build reports a read of freed memory, undefined behaviour or a leak on the program's
    // error output: any such report fails the journey, whatever the screen showed.
    std::ifstream in(FHome.LogFile());
    std::stringstream text;
    text << in.rdbuf();
    const std::string log = text.str();
    for (const char* mark : {"ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:"})
        if (log.find(mark) != std::string::npos) {
            ADD_FAILURE() << "the program's error output holds a sanitizer report:\n" << log;
            break;
        }
}

bool TE2eProgram::Start(bool Splash)
{
    return Spawn({OMBRIX_PROGRAM}, Splash);
}

bool TE2eProgram::StartFormHost(const std::string& Form, const std::string& Skin)
{
    std::vector<std::string> args{OMBRIX_FORMHOST, FormFile(Form)};
    if (!Skin.empty())
        args.push_back(Skin);
    return Spawn(args, false);
}

std::string TE2eProgram::FormFile(const std::string& Form)
{
    return Form.find('/') == std::string::npos ? std::string(OMBRIX_E2E_FORMS) + "/" + Form : Form;
}

bool TE2eProgram::Spawn(const std::vector<std::string>& Args, bool Splash)
{
    // Made before the fork: the child only calls what is safe between fork and exec.
    const TChildCommand command({Args.begin(), Args.end()},
        {{"DISPLAY", FDisplay.Name()}, {"HOME", FHome.Root}, {"XDG_CONFIG_HOME", FHome.Root + "/.config"},
         {"XDG_DATA_HOME", FHome.DataHome()}, {"XDG_CACHE_HOME", FHome.Root + "/.cache"},
         {"XDG_RUNTIME_DIR", std::nullopt}, {"DBUS_SESSION_BUS_ADDRESS", std::nullopt},
         {"OMBRIX_BACKEND", std::nullopt},
         {"OMBRIX_SPLASH_MS", Splash ? std::nullopt : std::optional<std::string>("0")},
         // The destination folder is opened at the end of a queue; nobody is there to look at it.
         {"BROWSER", "true"}});
    const std::string logFile = FHome.LogFile();
    FPid = fork();
    if (FPid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        // What it says on its way (X errors, a crash) is kept for the test's report.
        const int log = open(logFile.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        dup2(log, 1);
        dup2(log, 2);
        // Its own process group, so that the tools it starts can be told apart from the test's.
        setpgid(0, 0);
        command.ExecOrExit();
    }
    return FPid > 0;
}

bool TE2eProgram::Running()
{
    if (FPid <= 0)
        return false;
    int status = 0;
    if (waitpid(FPid, &status, WNOHANG) == FPid) {
        FExitStatus = status;
        FPid = 0;
        return false;
    }
    return true;
}

std::optional<int> TE2eProgram::WaitForExit(std::chrono::milliseconds Limit)
{
    if (!WaitUntil([this] { return !Running(); }, Limit))
        return std::nullopt;
    return WIFEXITED(FExitStatus) ? WEXITSTATUS(FExitStatus) : 128 + WTERMSIG(FExitStatus);
}

void TE2eProgram::Kill()
{
    if (!Running())
        return;
    // The whole group: a tool the program left running goes too.
    kill(-FPid, SIGKILL);
    kill(FPid, SIGKILL);
    waitpid(FPid, nullptr, 0);
    FPid = 0;
}

bool TE2eProgram::RunsAnyOf(const std::vector<std::string>& Tools) const
{
    for (const std::string& name : Children())
        if (std::find(Tools.begin(), Tools.end(), name) != Tools.end())
            return true;
    return false;
}

std::vector<std::string> TE2eProgram::Children() const
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const std::vector<std::string> f = StatFields(std::atoi(name.c_str()));
        if (f.size() > 2 && std::atoi(f[2].c_str()) == FPid && f[1] != "Z")
            names.push_back(f[0]);
    }
    return names;
}

std::optional<TScreenWindow> TE2eProgram::WaitForMainWindow(std::chrono::milliseconds Limit) const
{
    // Mapped is not yet painted: the caption bar carries the skin's picture once it is. The window
    // found first may also be replaced by another while the program starts, so both are asked again
    // until they hold together.
    std::optional<TScreenWindow> main;
    WaitUntil(
        [&] {
            main.reset();
            for (const TScreenWindow& w : FDisplay.WindowsOf(FPid))
                if (w.Title == "Ombrix Free 1.3") {
                    const TRect caption{w.Rect.Left, w.Rect.Top, w.Rect.Right, w.Rect.Top + 24};
                    const TSurface shown = FDisplay.Grab(caption);
                    if (CountColours(shown, shown.Bounds(), 16) >= 8)
                        main = w;
                }
            return main.has_value();
        },
        Limit);
    return main;
}
