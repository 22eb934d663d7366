#include "companion/series_worker.h"

#include <filesystem>
#include <system_error>

#include "external/companion_replies.h"
#include "external/protocol.h"
#include "util/encoding.h"
#include "util/fs.h"

namespace plazor::companion {

void SeriesShared::onStatus(std::int32_t status) {
    // A stray status between series would stop or wake the next one.
    if (state != kRunning) return;
    switch (external::statusAction(status)) {
        case external::StatusAction::StopAndWake:
            state = kStopping;
            wakeUp = true;
            break;
        case external::StatusAction::Wake:
            wakeUp = true;
            break;
        case external::StatusAction::Ignore:
            break;
    }
}

std::string mirroredFolder(const std::string& sourceFolder, const std::string& outputFolder,
                           const std::string& folder) {
    const std::string source = normaliseFolder(sourceFolder);
    const std::string relative =
        folder.starts_with(source) ? folder.substr(source.size()) : "/" + baseName(folder);
    return normaliseFolder(outputFolder) + relative;
}

std::string seriesStartText(std::size_t folders) {
    return "共 " + std::to_string(folders) + " 个子文件夹, 正在处理第 1 个...";
}

std::string seriesProgressText(std::size_t folders, std::size_t done) {
    return "共 " + std::to_string(folders) + " 个子文件夹, 已处理：" + std::to_string(done) + " 个";
}

std::string unusableFolderText(const std::string& folder) {
    return "无法处理的文件夹名: " + escapedName(folder);
}

std::optional<std::string> runSeries(const SeriesPlan& plan, SeriesShared& shared,
                                     const SeriesCallbacks& report) {
    const std::size_t total = plan.folders.size();
    report.status(seriesStartText(total));
    for (std::size_t i = 0; i < total; ++i) {
        const std::string& folder = plan.folders[i];
        const std::string output = mirroredFolder(plan.sourceFolder, plan.outputFolder, folder);
        const std::optional<std::string> payload = external::encodeStartPayload({folder, output});
        if (!payload) {
            for (const std::string& path : {folder, output}) {
                if (gbkByteLength(path) > kMaxPathBytes) {
                    shared.state = kStopping;
                    return path;
                }
            }
            // A name the payload's encoding cannot carry is one folder the main program cannot be
            // given; the others still can.
            report.skipped(unusableFolderText(folder));
            report.progress(static_cast<int>(i + 1));
            report.status(seriesProgressText(total, i + 1));
            if (i + 1 == total) shared.state = kCompleted;
            continue;
        }
        std::error_code ec;
        std::filesystem::create_directories(output, ec);
        // The main program reports a run's end before it replies to the start, so a run that took
        // place has woken the worker by the time the send returns.
        if (!report.sendStart(*payload) || !shared.takeWakeUp()) {
            shared.state = kStopping;
            return std::nullopt;
        }
        if (shared.state == kRunning) {
            report.progress(static_cast<int>(i + 1));
            report.status(seriesProgressText(total, i + 1));
            if (i + 1 == total) shared.state = kCompleted;
        }
        if (shared.state == kStopping) return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace plazor::companion
