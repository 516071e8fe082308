#pragma once
// The video files of a scan round, identified with every processor. The chain still identifies the
// files one after another, so the records, the rows and the messages come in the order of the names;
// but the tool runs of the files still to come are made beforehand, side by side (TToolPool), and
// each row's picture is made beside the identifications that follow it. A tool wait of the chain
// takes the report the pool kept for the same command line, handed to the window line by line as its
// own runner hands it. A row is built once its picture is there and every row before it is built.
// Stop (the abort flag) or the end of the program ends every tool of the pool at once.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/om_toolpool.h"

class TForm1;

class TScanAhead {
public:
    // Starts the identification runs of those of Files the chain will identify, in their order.
    TScanAhead(TForm1& Form, const std::vector<std::string>& Files);

    // True when File was open for writing as the round began: the chain skips it, and no run was
    // made for it. Looked up for all the files at once, as a look through the processes is slow.
    bool InUse(const std::string& File) const;
    // A tool wait of the chain. True when the pool has the run of CommandLine: waits for its end
    // serving messages and hands its lines to the window. Also true, with nothing handed, once Stop
    // has come: no tool starts after it. False when the pool has no such run, or could not start it:
    // the chain runs the tool itself.
    bool Replay(const std::string& CommandLine);
    // Record Row is complete: its picture is started and the row held until the picture is there.
    // False when the window has no queue.
    bool HoldRow(int Row);
    // Builds the held rows whose pictures are done, in order, up to the first one still waiting.
    void BuildReadyRows();
    // Waits, serving messages, until every held row is built; after Stop the rest are built at once.
    void Finish();
    // True once Stop was asked for or the program is ending; the pool's tools are ended then.
    bool Stopped();

private:
    void AddIdentify(const std::string& File, int Rank);
    void PictureDone(int Row, const std::string& Scratch);

    TForm1& FForm;
    TToolPool FPool;
    std::set<std::string> FInUse;
    std::map<int, bool> FHeld; // held rows, and whether their picture is done
    int FRank = 0;             // the rank of the file being identified, for its picture's runs
    bool FStopped = false;
};
