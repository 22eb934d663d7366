#include "companion/series_rules.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "external/companion_replies.h"
#include "external/task_host.h"
#include "render/sources.h"
#include "util/window_names.h"

namespace plazor::companion {
namespace {

Notice hint(std::string text) {
    return {std::move(text), "提示", NoticeIcon::Warning};
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

std::string withSeparator(const std::string& folder) {
    std::string normal = normaliseFolder(folder);
    if (normal.empty() || normal.back() != '/') normal.push_back('/');
    return normal;
}

std::optional<Notice> folderRefusal(const SeriesInput& input) {
    if (input.sourceFolder.empty()) return hint("请选择【源图片文件夹】");
    if (!isFolder(input.sourceFolder)) {
        return hint("选择的【源图片文件夹】: " + input.sourceFolder + " 不存在");
    }
    if (outputInsideSource(input.sourceFolder, input.outputFolder)) {
        return hint(
            "【处理后保存到】不能是【源图片文件夹】或【源图片文件夹】的子文件夹。\n\n"
            "请重新选择【处理后保存到】。");
    }
    if (!isFolder(input.outputFolder)) {
        std::error_code ec;
        std::filesystem::create_directory(input.outputFolder, ec);
        if (ec) {
            return Notice{"创建文件夹 " + input.outputFolder + " 失败，错误码：" + std::to_string(ec.value()),
                          "错误", NoticeIcon::Error};
        }
    }
    return std::nullopt;
}

// Depth-first like the file system's own walk, but each folder's sub-folders in source-list order, so
// that the folders are handed over in name order on every file system.
ListStatus listSortedSubFolders(const std::string& folder, bool allLevels, std::vector<std::string>& out) {
    std::vector<std::string> children;
    ListStatus listing = listSubFolders(folder, false, children);
    if (pathGuardOf(listing)) return listing;
    sortSources(children);
    for (std::string& child : children) {
        out.push_back(child);
        if (!allLevels) continue;
        ListStatus deeper = listSortedSubFolders(child, true, out);
        if (pathGuardOf(deeper)) return deeper;
    }
    return listing;
}

}  // namespace

std::optional<std::string> bindTitleCandidate(const std::vector<external::WindowIdentity>& windows) {
    for (const external::WindowIdentity& window : windows) {
        if (window.title.starts_with(window_names::kMainTitlePrefix) &&
            !equalIgnoringCase(window.title, window_names::kCompanionTitle) &&
            window.windowClass == window_names::kMainWindowClass) {
            return window.title;
        }
    }
    return std::nullopt;
}

std::optional<Notice> sourceFolderRefusal(const std::string& folder) {
    if (normaliseFolder(folder) != "/") return std::nullopt;
    return Notice{"暂不支持添加根目录：[" + folder + "]，请选择下一级文件夹。", "错误", NoticeIcon::Error};
}

bool outputInsideSource(const std::string& sourceFolder, const std::string& outputFolder) {
    // Both end in a separator, so that "/photos_out" is not taken for a folder inside "/photos".
    return withSeparator(outputFolder).starts_with(withSeparator(sourceFolder));
}

SeriesStart prepareSeries(const SeriesInput& input, const SeriesLink& link) {
    SeriesStart start;
    if (input.bindTitle.empty()) {
        start.refusal = hint("【绑定窗口标题】不能为空");
        return start;
    }
    const std::optional<std::string> endpoint = link.findWindow(input.bindTitle);
    if (!endpoint) {
        start.refusal = hint("没有找到标题栏内容为 \"" + input.bindTitle +
                             "\" 的窗口。\n\n请检查【Plazor图片排版工具】是否已启动。");
        return start;
    }
    start.endpoint = *endpoint;

    const std::int32_t reply = link.bind(start.endpoint);
    if (std::optional<std::string> text = external::bindRefusalText(reply)) {
        start.refusal = hint(std::move(*text));
        return start;
    }
    start.bound = reply == external::kReplyBound;

    start.refusal = folderRefusal(input);
    if (start.refusal && start.bound) {
        link.unbind(start.endpoint);
        start.bound = false;
    }
    return start;
}

PictureFolders listPictureFolders(const std::string& sourceFolder, bool allLevels) {
    PictureFolders result;
    std::vector<std::string> folders;
    result.listing = listSortedSubFolders(normaliseFolder(sourceFolder), allLevels, folders);
    if (pathGuardOf(result.listing)) return result;
    for (std::string& folder : folders) {
        std::vector<std::string> names;
        listFileNames(folder, names);
        if (std::ranges::any_of(names, [](const std::string& name) { return isPicture(name); })) {
            result.folders.push_back(std::move(folder));
        }
    }
    return result;
}

}  // namespace plazor::companion
