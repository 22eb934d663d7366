// Running a whole render from a document and a source folder, recording what the run reports.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "render/render_run.h"
#include "render/run_request.h"
#include "support/pictures.h"
#include "support/temp_dir.h"

namespace plazor::testing {

struct RunRecord {
    std::mutex mutex;
    std::vector<InfoLine> info;
    RunEnd end = RunEnd::kStopped;
    RunSummary summary;
};

inline void runRecorded(const Document& doc, const std::string& source, const std::string& output,
                        RunRecord& record, int jobs = 1, bool sliceSubFolder = true) {
    PreparedRun prepared =
        prepareRun(RunRequest{doc, source, output, kPictureListMode, sliceSubFolder, jobs});
    ASSERT_TRUE(prepared.ok()) << prepared.failure->title << " " << prepared.failure->text;
    RunCallbacks callbacks;
    callbacks.info = [&record](const InfoLine& line) {
        std::lock_guard lock(record.mutex);
        record.info.push_back(line);
    };
    RenderRun run(std::move(prepared.job), callbacks);
    ASSERT_TRUE(run.start());
    record.end = run.wait();
    record.summary = run.summary();
}

inline void writeEncoded(MagickWand* wand, const std::filesystem::path& path) {
    std::filesystem::create_directories(path.parent_path());
    MagickSetImageFormat(wand, path.extension() == ".png" ? "PNG" : "JPEG");
    ASSERT_EQ(MagickWriteImage(wand, path.c_str()), MagickTrue) << path;
}

inline Wand readPicture(const std::filesystem::path& path) {
    Wand wand = readBlob(readFile(path));
    EXPECT_TRUE(wand) << path;
    return wand;
}

inline std::vector<std::string> filesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A slot of the document at x, y, w x h that stretches its picture to fill it.
inline PasteLayer& addSlot(Document& doc, int x, int y, int w, int h, unsigned style = kStretch) {
    PasteLayer& layer = doc.addPasteLayer(kAboveBackground, style);
    layer.x = x;
    layer.y = y;
    layer.width = w;
    layer.height = h;
    return layer;
}

// A colour background document of w x h with no layers, watermarks or slices switched on.
inline Document plainDocument(int w, int h) {
    Document doc;
    doc.background.width = w;
    doc.background.height = h;
    doc.background.szWidth = std::to_string(w);
    doc.background.szHeight = std::to_string(h);
    doc.settings.watermarkOpen = false;
    doc.settings.cutlineOpen = false;
    return doc;
}

}  // namespace plazor::testing
