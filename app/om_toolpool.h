#pragma once
// Console tools run side by side: a pool of runners, each the same runner component the window uses
// for its own tool (same splitting, same tool lookup, standard error on the output pipe), of which up
// to Slots run at once. Each run keeps its complete output lines; what follows a run (a second run
// that depends on the first one's report, say) is done on the GUI thread when it has ended. Everything
// happens on the GUI thread: the runners report through the window's messages, so the pool works
// while the window serves them, and the window answers all along.
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class TOxCreateProcess;

struct TPoolRun {
    std::string CommandLine;
    // Runs of a lower rank start first; runs of one rank in the order they were added.
    int Rank = 0;
    // A line (complete or still growing) that ends the run: the tool is ended when it shows up.
    std::function<bool(const std::string& Line)> EndsWhen;
    // Called once the run has ended (also when it could not start, or was ended by EndAll).
    std::function<void(const TPoolRun& Run)> Then;

    // Filled by the pool.
    std::vector<std::string> Lines; // every complete line, as the runner handed it
    bool Ended = false;
    bool Cut = false; // ended by EndAll before its own end
    bool StartFailed = false;
    unsigned long ExitCode = 0;
};

class TToolPool {
public:
    // The tools run in Directory (empty: the program's own folder).
    TToolPool(int Slots, std::string Directory);
    // Ends whatever still runs (only the pool's own children) without waiting for their reports.
    ~TToolPool();

    // Queues a run; it starts as soon as a runner is free. Ignored after EndAll.
    void Add(TPoolRun Run);
    // The run added with that command line; nullptr when there is none.
    const TPoolRun* Find(const std::string& CommandLine) const;
    // Nothing queued and nothing running.
    bool Idle() const;
    // True from EndAll on.
    bool Ending() const { return FEnding; }
    // Starts nothing more, ends every running tool and its process group, and serves messages until
    // their ends are reported (at most TimeoutMs). Queued runs never start and get no Then.
    void EndAll(int TimeoutMs = 3000);

    // The number of runs at once for this machine: its processor count.
    static int DefaultSlots();

private:
    struct TSlot {
        std::unique_ptr<TOxCreateProcess> Runner;
        TPoolRun* Run = nullptr;
        bool Ending = false;
    };
    void StartNext();
    void Start(TSlot& Slot, TPoolRun& Run);
    void Read(TSlot& Slot, const std::string& Line, bool EndsLine);
    void Ended(TSlot& Slot, unsigned long ExitCode, bool StartFailed);

    std::string FDirectory;
    std::vector<std::unique_ptr<TSlot>> FSlots;
    std::deque<TPoolRun> FRuns; // stable addresses: Find hands them out
    std::unordered_map<std::string, TPoolRun*> FByCommand;
    std::vector<TPoolRun*> FQueued;
    bool FEnding = false;
};
