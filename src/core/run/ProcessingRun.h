#pragma once
// The processing run: walks the rows in list order and, for every checked book, validates it,
// gives it its new name and folder, moves or converts it there, packs it when asked, or sends
// it to the bad-files folder and the log. It reads AppSettings at every use, as the settings
// may change while it hands control to the message loop.
//
// No book is ever lost: a move never replaces a file, a failed move leaves the book where it
// was and is reported, an archive is never replaced, outputs appear only when complete.
//
// The GUI (TorvMain::BookProcessing) and the CLI drive it:
//
//     TProcessingRun run(rows, callbacks);
//     run.Execute();                   // throws EOrvane when an error ends the run
//     run.Summary().NotPlaced ...      // what to tell the user at the end
//     run.Report().Rows ...            // every checked row with its outcome, also after an error

#include "list/ListEntry.h"
#include "run/RunReport.h"
#include "run/RunRows.h"

#include <QString>
#include <atomic>
#include <functional>

// Set by the Cancel buttons (the CLI: by SIGINT). A run clears it when it starts and looks at it
// once per checked row, after that row's extraction and the pending messages.
extern std::atomic<bool> CancelRequested;

struct TRunCallbacks {
    // The checked row the run takes next, before its extraction; the list must keep it, since
    // the walk goes on from it.
    std::function<void(TRunRows::RowId row)> RowInHand;
    // Hands control to the message loop once per checked row (the Cancel buttons work through it).
    std::function<void()> ProcessMessages;
    // The working path of the row in hand, before it is validated.
    std::function<void(const QString &path)> CurrentPath;
    // The share of checked rows done, 0 to 100, after every checked row.
    std::function<void(int percent)> Progress;
    // After every checked row that was handled (not for the row the run was cancelled at).
    std::function<void(const TRowReport &report)> RowDone;
};

class TRunJournal;

struct TRunOptions {
    // Work out what would happen to every row (validation, names, targets) and report it through
    // RowDone, without creating, moving, converting, packing or logging anything.
    bool DryRun = false;
    // Where every file operation is recorded before it is done, so that the run can be undone;
    // the run ends it. None: nothing is recorded (a dry run records nothing anyway).
    TRunJournal *Journal = nullptr;
    // Rows worked on at once (read, validated, named, converted ahead of the one being placed;
    // the files are still placed one row after the other). 0: one per processor; 1: no workers.
    int Jobs = 0;
};

struct TRunSummary {
    int Processed = 0;  // checked rows handled: Placed + Invalid + NotPlaced
    int Placed = 0;
    int Invalid = 0;
    int NotPlaced = 0;
    int Errors = 0;  // 1 when an error ended the run
    int NotReached = 0;  // checked rows left untouched because the run was cancelled or ended by an error
    bool Cancelled = false;
    QString ErrorMessage;
};

class TProcessingRun {
public:
    TProcessingRun(const TRunRows &rows, TRunCallbacks callbacks = {}, TRunOptions options = {});
    ~TProcessingRun();
    TProcessingRun(const TProcessingRun &) = delete;
    TProcessingRun &operator=(const TProcessingRun &) = delete;

    // The run. Ends at the end of the list or when cancelled, and then writes the log when
    // AppSettings.SaveLog is on. An error ends it at once: the log is not written, the error
    // goes on to the caller, and Summary() keeps the counts so far with Errors = 1.
    // Raises RunAlreadyGoing() when another run is going in this process.
    const TRunSummary &Execute();
    const TRunSummary &Summary() const { return m_summary; }
    // Every checked row the run met, with its outcome; complete however the run ended.
    const TRunReport &Report() const { return m_report; }

    // True while a run is going; the run command refuses a second one.
    static bool IsRunning();
    static QString RunAlreadyGoing();

private:
    struct TRowWalk;
    const TRunRows &m_rows;
    TRunCallbacks m_callbacks;
    TRunOptions m_options;
    TRunSummary m_summary;
    TRunReport m_report;
};
