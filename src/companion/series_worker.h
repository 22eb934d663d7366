// The companion's worker: one external task per picture folder, each written into the matching folder
// under the output folder, one after another. Plain code: the caller gives it the way to send a start
// and receives its reports; the window thread wakes it through the shared state.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace plazor::companion {

enum WorkState : int { kIdle = 0, kRunning = 1, kStopping = 3, kCompleted = 4 };

// What the window thread and the worker share. The window thread writes the state before it sets the
// wake-up; the worker reads the state only after taking a wake-up.
struct SeriesShared {
    std::atomic<int> state{kIdle};
    std::atomic<bool> wakeUp{false};

    // The status message's handler: 1 wakes the worker, 2 stops the series and then wakes it; any
    // status is ignored unless a series is running.
    void onStatus(std::int32_t status);
    // Takes a pending wake-up, leaving none.
    bool takeWakeUp() { return wakeUp.exchange(false); }
};

struct SeriesPlan {
    std::vector<std::string> folders;  // the picture folders, in listing order
    std::string sourceFolder;
    std::string outputFolder;
};

struct SeriesCallbacks {
    std::function<void(const std::string& text)> status;
    std::function<void(int done)> progress;
    // Sends one start payload to the bound main window and returns when its reply has come: false
    // when the main window could not be reached or went away.
    std::function<bool(const std::string& payload)> sendStart;
    // A folder passed over, with the text that tells the user which and why.
    std::function<void(const std::string& text)> skipped;
};

// "<output folder><folder without the source folder in front>"
std::string mirroredFolder(const std::string& sourceFolder, const std::string& outputFolder,
                           const std::string& folder);

// "共 %d 个子文件夹, 正在处理第 1 个..." and "共 %d 个子文件夹, 已处理：%d 个"
std::string seriesStartText(std::size_t folders);
std::string seriesProgressText(std::size_t folders, std::size_t done);

// "无法处理的文件夹名: <the path, bytes that are not UTF-8 shown as \xNN>"
std::string unusableFolderText(const std::string& folder);

// Runs the series; the state ends completed or stopping. A folder whose name cannot be written into
// the start payload's encoding is reported as skipped and the series goes on with the next. A task whose run
// did not report its end (the main program refused the task, or went away) stops the series rather than wait
// for ever, and so does a path too long for the payload; that path is the result.
std::optional<std::string> runSeries(const SeriesPlan& plan, SeriesShared& shared,
                                     const SeriesCallbacks& report);

}  // namespace plazor::companion
