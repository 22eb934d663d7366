#include "batch/plan_commands.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>
#include <thread>

#include "batch/command_support.h"
#include "render/job_plan.h"
#include "render/output_names.h"
#include "template/template_file.h"
#include "util/fs.h"

namespace plazor::batch {
namespace {

// A plan of a million pictures is about a hundred megabytes; anything far beyond is not a plan.
constexpr std::uintmax_t kMaxPlanBytes = std::uintmax_t(1) << 30;

std::optional<std::string> readWhole(const std::string& path, std::uintmax_t limit, std::string& error) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) {
        error = ec.message();
        return std::nullopt;
    }
    if (size > limit) {
        error = "larger than " + std::to_string(limit >> 20) + " MB";
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in.read(bytes.data(), static_cast<std::streamsize>(size))) {
        error = "read failed";
        return std::nullopt;
    }
    return bytes;
}

// The path made absolute, so that a plan made in one directory works from any other.
std::string absolutePath(const std::string& text) {
    if (text.empty()) return text;
    std::error_code ec;
    const std::filesystem::path path = std::filesystem::absolute(text, ec);
    return ec ? text : normaliseFolder(path.lexically_normal().string());
}

std::vector<std::string> filesOf(const OutputPlan& out) {
    if (!out.slicing) return {out.outputPath};
    std::vector<std::string> files = out.stripPaths;
    if (!out.htmlPath.empty()) files.push_back(out.htmlPath);
    return files;
}

}  // namespace

int planCommand(const Request& request, Streams& io) {
    std::string error;
    const std::optional<std::string> bytes = readWhole(request.templatePath, kMaxPlanBytes, error);
    if (!bytes) {
        io.err << request.templatePath << ": " << kReadOpenFailedText << " (" << error << ")\n";
        return kExitTemplate;
    }
    Document doc;
    doc.background.dpi = request.dpi.value_or(72);
    const LoadOutcome loaded = applyTemplate(doc, *bytes);
    for (const InfoLine& line : reportOf(loaded).infoLines)
        io.err << asLine(line);
    if (!loaded.ok()) {
        io.err << request.templatePath << ": " << loaded.error().text << "\n";
        return kExitTemplate;
    }

    JobPlan plan;
    plan.templatePath = absolutePath(request.templatePath);
    plan.templateBytes = *bytes;
    plan.dpi = request.dpi.value_or(72);
    plan.mode = request.subFolders ? kSubFolderListMode : kPictureListMode;
    plan.sourceFolder = absolutePath(request.sourceFolder);
    plan.outputFolder = absolutePath(request.outputFolder);
    plan.sliceSubFolder = request.sliceSubFolder;
    RunRequest run = runRequestOf(doc, request);
    run.sourceFolder = plan.sourceFolder;
    run.outputFolder = plan.outputFolder;
    const PreparedRun prepared = prepareRun(std::move(run));
    if (!prepared.ok()) {
        printCheckFailure(*prepared.failure, io.err);
        return kExitChecks;
    }
    if (const Status planned = planBatches(doc, prepared.job.sources, plan); !planned.ok()) {
        io.err << asLine(planned.error());
        return kExitChecks;
    }
    if (!writeJobPlan(plan, io.out)) {
        io.err << "writing the plan failed\n";
        return kExitTemplate;
    }
    io.err << "planned: " << plan.batches.size() << (plan.batches.size() == 1 ? " batch" : " batches")
           << " from " << prepared.job.sources.size() << (request.subFolders ? " sub-folders" : " pictures")
           << "\n";
    return kExitOk;
}

int renderPlanCommand(const Request& request, Streams& io, std::atomic<std::atomic<int>*>& stop) {
    const std::string& path = *request.planPath;
    std::string error;
    std::optional<std::string> text = readWhole(path, kMaxPlanBytes, error);
    if (!text) {
        io.err << path << ": cannot read the plan: " << error << "\n";
        return kExitTemplate;
    }
    JobPlanOutcome read = readJobPlan(*text, {request.shardIndex, request.shardCount});
    text.reset();  // the run holds what it needs
    for (const InfoLine& line : infoLinesOf(read))
        io.err << asLine(line);
    if (!read) {
        io.err << path << ": " << read.error().text << "\n";
        return kExitTemplate;
    }
    JobPlan& plan = read->plan;
    if (!isFolder(plan.sourceFolder)) {
        io.err << "【源图片文件夹】的地址不存在\n【源图片文件夹】 '" << plan.sourceFolder
               << "' 不存在, 请重新选择\n";
        return kExitChecks;
    }
    std::error_code ec;
    std::filesystem::create_directories(plan.outputFolder, ec);
    if (!isFolder(plan.outputFolder)) {
        io.err << "【图片保存到】文件夹 '" << plan.outputFolder << "' 创建失败, 请重新选择一个文件夹\n";
        return kExitChecks;
    }

    // Atomic writes make an existing file a complete one. A batch with every file present is done;
    // any other planned file that exists is not ours to replace unless this resumes the plan.
    std::vector<bool> done;
    done.reserve(plan.batches.size());
    for (const PlannedBatch& batch : plan.batches) {
        std::size_t present = 0;
        const std::vector<std::string> files = filesOf(batch.output);
        for (const std::string& file : files) {
            if (!pathTaken(file)) continue;
            if (!request.resume) {
                io.err << "'" << file << "' already exists; use --resume to go on with an interrupted run\n";
                return kExitChecks;
            }
            ++present;
        }
        done.push_back(present == files.size());
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < plan.batches.size(); ++i) {
        if (done[i]) continue;
        if (kept != i) plan.batches[kept] = std::move(plan.batches[i]);
        ++kept;
    }
    const std::size_t skipped = plan.batches.size() - kept;
    plan.batches.erase(plan.batches.begin() + static_cast<std::ptrdiff_t>(kept), plan.batches.end());

    const int batches = static_cast<int>(plan.batches.size());
    RenderJob job;
    job.document = read->document;
    job.outputFolder = plan.outputFolder;
    job.mode = plan.mode;
    job.sliceSubFolder = plan.sliceSubFolder;
    job.jobs = request.jobs.value_or(static_cast<int>(std::max(1u, std::thread::hardware_concurrency())));
    job.decode = request.exact ? DecodeMode::kExact : DecodeMode::kScaled;
    job.planned = std::move(plan.batches);
    const std::optional<RunOutcome> outcome = runWithProgress(std::move(job), io, stop);
    if (!outcome) return kExitStopped;
    if (outcome->end == RunEnd::kStopped) {
        io.out << "stopped: " << plan.outputFolder << "\n";
    } else {
        io.out << "finished: " << batches << (batches == 1 ? " batch" : " batches") << " into "
               << plan.outputFolder;
        if (request.shardCount > 1)
            io.out << " (shard " << request.shardIndex << "/" << request.shardCount << ")";
        if (skipped) io.out << ", " << skipped << " already done";
        io.out << "\n";
    }
    printRunSummary(outcome->summary, io.out);
    return runExitCode(*outcome);
}

}  // namespace plazor::batch
