// The decisions of the background, output and refresh commands as plain functions: whether a chosen
// picture can be the background, whether a custom DPI is accepted and what a refresh finds wrong with
// a watermark's picture. Texts are the exact messages the window shows.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "render/output_folder.h"
#include "template/document.h"

namespace plazor {

// The background picture check, in its order: the file exists, its name ends in ".png", ".jpg",
// ".jpeg" or ".gif", its header probes, and the probed format is PNG, JPEG or GIF. The message of the
// first failure, or nothing when the picture is acceptable.
std::optional<std::string> backgroundPictureProblem(const std::string& path);

// The custom DPI typed into the input box (an optional "-" and digits): the DPI, or the refusal
// "DPI 不能小于 1" / "DPI 不能大于 1200".
struct DpiEntry {
    int dpi = 0;
    std::optional<std::string> refusal;
};
DpiEntry customDpiEntry(const std::string& typed);

// "【贴图层】源图片文件夹 '%s' 不存在, 请重新选择"
std::string missingSourceFolderText(const std::string& folder);

// What a refresh finds for a watermark's picture: missing, not a PNG, JPEG or GIF picture, or fine
// with its current size.
struct WatermarkPictureCheck {
    enum Status { kOk, kMissing, kUnsupported };
    Status status = kOk;
    int width = 0;
    int height = 0;
    std::string text;  // the message for kMissing and kUnsupported
};
WatermarkPictureCheck checkWatermarkPicture(const WatermarkLayer& layer);

}  // namespace plazor
