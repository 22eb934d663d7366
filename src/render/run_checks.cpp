#include "render/run_checks.h"

#include <filesystem>
#include <system_error>

#include "render/canvas_budget.h"
#include "template/names.h"
#include "template/units.h"
#include "util/probe.h"

namespace plazor {
namespace {

using Check = std::optional<RunCheckFailure>;

RunCheckFailure failed(RunCheck check, std::string title, std::string text,
                       std::optional<std::size_t> row = std::nullopt) {
    return RunCheckFailure{check, std::move(title), std::move(text), row, {}};
}

Check checkBackgroundPicture(const Background& bg) {
    if (bg.kind != kPictureBackground) return std::nullopt;
    if (bg.picturePath.empty()) {
        return failed(RunCheck::BackgroundPicture, "请选择一张背景图片", "请选择...");
    }
    if (!fileExists(bg.picturePath)) {
        return failed(RunCheck::BackgroundPicture, "背景图片不存在",
                      "背景图片 '" + bg.picturePath + "' 已不存在，请重新选择");
    }
    if (!bg.pictureProblem.empty()) {
        return failed(RunCheck::BackgroundPicture, "背景图片无法使用", bg.pictureProblem + "，请重新选择");
    }
    return std::nullopt;
}

Check checkBackgroundSize(const Background& bg) {
    if (bg.kind != kColourBackground) return std::nullopt;
    if (bg.szWidth.empty()) {
        return failed(RunCheck::BackgroundWidth, "请输入【背景层】宽度", "这里不能为空");
    }
    // The shown text and the pixel size the run uses must both be above 0: a hand-edited template can
    // hold a shown "100" over a stored width of 0.
    if (leadingNumber(bg.szWidth) <= 0 || bg.width <= 0) {
        return failed(RunCheck::BackgroundWidth, "【背景层】宽度必须大于 0", "请重新输入");
    }
    if (bg.szHeight.empty()) {
        return failed(RunCheck::BackgroundHeight, "请输入【背景层】高度", "这里不能为空");
    }
    if (leadingNumber(bg.szHeight) <= 0 || bg.height <= 0) {
        return failed(RunCheck::BackgroundHeight, "【背景层】高度必须大于 0", "请重新输入");
    }
    return std::nullopt;
}

// The canvas must be one the image library can hold: otherwise every batch would fail and each good
// picture would be blamed for it.
Check checkCanvasLimits(const Background& bg) {
    const std::optional<std::string> problem = canvasLimitProblem(bg.width, bg.height);
    if (!problem) return std::nullopt;
    if (bg.kind == kPictureBackground) {
        return failed(RunCheck::BackgroundPicture, "【背景层】尺寸超出图片库的限制",
                      *problem + "，请重新选择");
    }
    return failed(RunCheck::BackgroundWidth, "【背景层】尺寸超出图片库的限制", *problem + "，请重新输入");
}

Check checkPasteLayers(const std::vector<PasteLayer>& layers) {
    if (layers.empty()) {
        return failed(RunCheck::PasteLayers, "请至少创建一个【贴图层】选区", "点右键创建...");
    }
    for (std::size_t i = 0; i < layers.size(); ++i) {
        if (layers[i].isPlaced()) continue;
        return failed(RunCheck::PasteLayers, pasteLayerName(layers[i].number) + " 还没有创建选区",
                      "可以创建一个选区或删除这个贴图层", i);
    }
    return std::nullopt;
}

Check checkWatermarks(const Document& doc) {
    if (!doc.settings.watermarkOpen) return std::nullopt;
    for (std::size_t i = 0; i < doc.watermarks.size(); ++i) {
        const WatermarkLayer& w = doc.watermarks[i];
        const std::string name = watermarkLayerName(w.number);
        if (!fileExists(w.path)) {
            return failed(RunCheck::WatermarkPicture, name + " 的图片地址不存在",
                          name + " 的图片 '" + w.path + "' 已不存在, 请重新选择", i);
        }
        const auto probe = probePicture(w.path);
        if (!probe || !isAcceptedPictureFormat(*probe)) {
            return failed(RunCheck::WatermarkFormat, {},
                          name + " 的图片 '" + w.path +
                              "' 内部数据格式不受支持，请重新选择。\n\n支持的格式: png, jpg, gif",
                          i);
        }
    }
    return std::nullopt;
}

Check checkSlices(const Document& doc) {
    if (!doc.settings.cutlineOpen) return std::nullopt;
    const int height = doc.background.height;
    std::optional<int> previous;
    for (std::size_t i = 0; i < doc.slices.size(); ++i) {
        const Slice& s = doc.slices[i];
        const std::string name = sliceName(s.number);
        auto fail = [&](std::string title, std::string text) {
            return failed(RunCheck::SlicePosition, std::move(title), std::move(text), i);
        };
        if (s.y == -1) return fail(name + " 的y坐标还没有定位", "请指定横切片的位置");
        if (s.y < 1) return fail(name + " 的y坐标不能小于1", "请重新定位");
        if (s.y >= height) {
            return fail(name + " 的y坐标不能大于 " + std::to_string(height - 1) + "，请重新定位",
                        "请重新定位");
        }
        if (previous && s.y == *previous) {
            return fail(name + " 的y坐标与 " + sliceName(s.number - 1) + " 相同，请重新定位", "请重新定位");
        }
        previous = s.y;
    }
    return std::nullopt;
}

Check checkSourceFolder(const std::string& folder) {
    if (folder.empty()) {
        return failed(RunCheck::SourceFolder, "请选择【源图片文件夹】", "请选择...");
    }
    if (!isFolder(folder)) {
        return failed(RunCheck::SourceFolder, "【源图片文件夹】的地址不存在",
                      "【源图片文件夹】 '" + folder + "' 不存在, 请重新选择");
    }
    return std::nullopt;
}

Check checkSourceScan(const SourceScan& scan, const std::string& folder, LoadMode mode) {
    if (const ListFailure* guard = pathGuardOf(scan.listing)) {
        RunCheckFailure f = failed(RunCheck::SourcePathLength, {}, guard->message);
        f.path = guard->path;
        return f;
    }
    if (!scan.list.empty()) return std::nullopt;
    if (mode == kSubFolderListMode) {
        return failed(RunCheck::SourceFolder, "【源图片文件夹】中不存在子文件夹",
                      "【源图片文件夹】 '" + folder + "' 中没有找到一个子文件夹, 请重新选择");
    }
    return failed(RunCheck::SourceFolder, "【源图片文件夹】中没有找到任何可用的图片",
                  "在【源图片文件夹】 '" + folder + "' 中没有找到任何可用的图片, 请重新选择");
}

RunCheckFailure outputFolderNotCreated(const std::string& folder) {
    return failed(RunCheck::OutputFolderCreation, {},
                  "【图片保存到】文件夹 '" + folder + "' 创建失败, 请重新选择一个文件夹");
}

// Whether create_directories could make `folder`: its nearest existing ancestor is a folder.
bool canBeCreated(const std::string& folder) {
    std::error_code ec;
    std::filesystem::path path = std::filesystem::absolute(folder, ec);
    if (ec) return false;  // no current folder to resolve a relative name against
    while (!std::filesystem::exists(path, ec)) {
        if (ec || !path.has_relative_path()) return false;
        path = path.parent_path();
    }
    return std::filesystem::is_directory(path, ec);
}

Check checkOutputFolder(const std::string& folder) {
    if (folder.empty()) {
        return failed(RunCheck::OutputFolder, "请选择【图片保存到】文件夹", "请选择");
    }
    if (isFolder(folder) || canBeCreated(folder)) return std::nullopt;
    return outputFolderNotCreated(folder);
}

}  // namespace

RunCheckResult checkBeforeRun(const Document& doc, const std::string& sourceFolder,
                              const std::string& outputFolder, LoadMode mode) {
    RunCheckResult result;
    result.failure = checkBackgroundPicture(doc.background);
    if (!result.failure) result.failure = checkBackgroundSize(doc.background);
    if (!result.failure) result.failure = checkCanvasLimits(doc.background);
    if (!result.failure) result.failure = checkPasteLayers(doc.pasteLayers);
    if (!result.failure) result.failure = checkWatermarks(doc);
    if (!result.failure) result.failure = checkSlices(doc);
    if (!result.failure) result.failure = checkSourceFolder(sourceFolder);
    if (result.failure) return result;

    SourceScan scan = scanSources(sourceFolder, mode);
    result.failure = checkSourceScan(scan, sourceFolder, mode);
    if (!result.failure) result.failure = checkOutputFolder(outputFolder);
    if (result.failure) return result;

    result.plan.batches = batchCount(scan.list, mode, doc.pasteLayers.size());
    result.plan.sources = std::move(scan.list);
    return result;
}

std::optional<RunCheckFailure> createOutputFolder(const std::string& folder) {
    if (isFolder(folder)) return std::nullopt;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec || !isFolder(folder)) return outputFolderNotCreated(folder);
    return std::nullopt;
}

}  // namespace plazor
