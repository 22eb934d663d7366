#include "app/commands/command_checks.h"

#include <charconv>
#include <filesystem>
#include <system_error>

#include "render/sources.h"
#include "template/units.h"
#include "util/probe.h"

namespace plazor {
namespace {

constexpr const char* kSupportedFormats = "\n\n支持的格式: png, jpg, gif";

bool entryExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

// Only regular files are probed: opening a pipe would block the window.
std::optional<ProbeResult> probeRegularFile(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    return probePicture(path);
}

}  // namespace

std::optional<std::string> backgroundPictureProblem(const std::string& path) {
    const std::string quoted = "背景图片 '" + path + "' ";
    if (!entryExists(path)) return quoted + "已不存在，请重新选择。";
    if (!isPicture(path)) return quoted + "格式不对，请重新选择。" + kSupportedFormats;
    const std::optional<ProbeResult> probe = probeRegularFile(path);
    if (!probe) return quoted + "不是一个有效的图片，请重新选择。";
    if (!isAcceptedPictureFormat(*probe))
        return quoted + "内部数据格式不受支持，请重新选择。" + kSupportedFormats;
    return std::nullopt;
}

DpiEntry customDpiEntry(const std::string& typed) {
    long long value = 0;
    const auto [end, ec] = std::from_chars(typed.data(), typed.data() + typed.size(), value);
    // Digits beyond the range of a long long are far above the limit, or far below it with a "-".
    if (ec == std::errc::result_out_of_range)
        value = !typed.empty() && typed[0] == '-' ? kMinDpi - 1 : kMaxDpi + 1;
    if (value < kMinDpi) return {0, "DPI 不能小于 " + std::to_string(kMinDpi)};
    if (value > kMaxDpi) return {0, "DPI 不能大于 " + std::to_string(kMaxDpi)};
    return {static_cast<int>(value), std::nullopt};
}

std::string missingSourceFolderText(const std::string& folder) {
    return "【贴图层】源图片文件夹 '" + folder + "' 不存在, 请重新选择";
}

WatermarkPictureCheck checkWatermarkPicture(const WatermarkLayer& layer) {
    const std::string quoted = "水印层#" + std::to_string(layer.number) + " 的图片 '" + layer.path + "' ";
    if (!entryExists(layer.path))
        return {WatermarkPictureCheck::kMissing, 0, 0, quoted + "已不存在, 请重新选择"};
    const std::optional<ProbeResult> probe = probeRegularFile(layer.path);
    if (!probe || !isAcceptedPictureFormat(*probe)) {
        return {WatermarkPictureCheck::kUnsupported, 0, 0,
                quoted + "内部数据格式不受支持，请重新选择。" + kSupportedFormats};
    }
    return {WatermarkPictureCheck::kOk, probe->width, probe->height, {}};
}

}  // namespace plazor
