#include "app/om_toolpool.h"

#include <algorithm>
#include <thread>

#include "app/om_runcontrol.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/ScopeGuards.h"
#include "process/TOxCreateProcess.h"

TToolPool::TToolPool(int Slots, std::string Directory) : FDirectory(std::move(Directory))
{
    for (int i = 0; i < std::max(Slots, 1); ++i) {
        auto slot = std::make_unique<TSlot>();
        slot->Runner = std::make_unique<TOxCreateProcess>(nullptr);
        // Standard error shares the pipe, as with the window's own runner: the player writes some of
        // its report there, and the lines must come in the order they were written.
        slot->Runner->SetConsoleOptions({coOwnerData, coRedirect});
        TSlot* s = slot.get();
        slot->Runner->OnRead = [this, s](TObject*, const std::string& Line, bool, bool EndsLine) { Read(*s, Line, EndsLine); };
        slot->Runner->OnTerminate = [this, s](TObject*, DWORD ExitCode) { Ended(*s, ExitCode, false); };
        FSlots.push_back(std::move(slot));
    }
}

TToolPool::~TToolPool()
{
    for (const auto& slot : FSlots) {
        TOxCreateProcess& runner = *slot->Runner;
        runner.OnRead = nullptr;
        runner.OnTerminate = nullptr;
        if (!runner.Waiting())
            continue;
        // Killed through its pidfd and process group, so only our own child and what it started are
        // hit; the runner then lets go of it and a background reaper collects it.
        try {
            runner.Terminate();
        } catch (const Exception&) {
            // It ended in the meantime.
        }
        runner.StopWaiting();
    }
}

int TToolPool::DefaultSlots()
{
    return std::max(1u, std::thread::hardware_concurrency());
}

void TToolPool::Add(TPoolRun Run)
{
    if (FEnding)
        return;
    FRuns.push_back(std::move(Run));
    TPoolRun* run = &FRuns.back();
    FByCommand[run->CommandLine] = run;
    // After every queued run of the same rank or lower.
    const auto at = std::upper_bound(FQueued.begin(), FQueued.end(), run->Rank,
                                     [](int Rank, const TPoolRun* Queued) { return Rank < Queued->Rank; });
    FQueued.insert(at, run);
    StartNext();
}

const TPoolRun* TToolPool::Find(const std::string& CommandLine) const
{
    const auto it = FByCommand.find(CommandLine);
    return it == FByCommand.end() ? nullptr : it->second;
}

bool TToolPool::Idle() const
{
    if (!FQueued.empty())
        return false;
    return std::none_of(FSlots.begin(), FSlots.end(), [](const auto& Slot) { return Slot->Run != nullptr; });
}

void TToolPool::EndAll(int TimeoutMs)
{
    FEnding = true;
    FQueued.clear();
    for (const auto& slot : FSlots) {
        if (!slot->Run || slot->Ending || !slot->Runner->Waiting())
            continue;
        slot->Ending = true;
        slot->Run->Cut = true;
        try {
            slot->Runner->Terminate();
        } catch (const Exception&) {
            // It ended in the meantime; its end report is on its way.
        }
    }
    ServeUntil([this] { return Idle(); }, TimeoutMs);
}

void TToolPool::StartNext()
{
    // A run that cannot start ends at once and frees its runner again, so the loop goes on with the
    // next one.
    for (const auto& slot : FSlots) {
        if (FEnding || FQueued.empty())
            return;
        if (slot->Run || slot->Runner->Waiting())
            continue;
        TPoolRun* run = FQueued.front();
        FQueued.erase(FQueued.begin());
        Start(*slot, *run);
    }
}

void TToolPool::Start(TSlot& Slot, TPoolRun& Run)
{
    Slot.Run = &Run;
    Slot.Ending = false;
    Slot.Runner->SetCommandLine(Run.CommandLine);
    Slot.Runner->SetCurrentDirectory(FDirectory);
    try {
        Slot.Runner->Run();
    } catch (const Exception&) {
        Ended(Slot, 0, true);
    }
}

void TToolPool::Read(TSlot& Slot, const std::string& Line, bool EndsLine)
{
    if (!Slot.Run)
        return;
    if (EndsLine)
        Slot.Run->Lines.push_back(Line);
    if (Slot.Ending || !Slot.Run->EndsWhen || !Slot.Run->EndsWhen(Line))
        return;
    // Only the signal goes out here: the runner reports the end once the rest of the output is in.
    Slot.Ending = true;
    try {
        Slot.Runner->Terminate();
    } catch (const Exception&) {
        // It ended on its own in the meantime.
    }
}

void TToolPool::Ended(TSlot& Slot, unsigned long ExitCode, bool StartFailed)
{
    TPoolRun* run = Slot.Run;
    if (!run)
        return;
    Slot.Run = nullptr;
    run->Ended = true;
    run->StartFailed = StartFailed;
    run->ExitCode = ExitCode;
    // The freed runner takes the next run even when Then raises. A failed start is inside StartNext's
    // own loop, which goes on by itself.
    const TScopeExit next([this, StartFailed] {
        if (!StartFailed)
            StartNext();
    });
    if (run->Then)
        run->Then(*run);
}
