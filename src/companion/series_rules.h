// The companion's decisions as plain functions: which window's title to offer, which source folders
// are refused, the checks before a series in their order with their messages, and which sub-folders
// become tasks.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "external/protocol.h"
#include "util/fs.h"

namespace plazor::companion {

// The bind title in the companion's settings store is read with a buffer of 256 bytes.
inline constexpr std::size_t kBindTitleBufferBytes = 256;
inline constexpr int kBindTitleMaxLength = 255;

enum class NoticeIcon { Warning, Error };

// A message box: its text, its caption and its icon.
struct Notice {
    std::string text;
    std::string caption;
    NoticeIcon icon = NoticeIcon::Warning;
};

// The title of the first window of the main window class whose title begins with
// "Plazor图片排版工具 - " and is not, ignoring case, the companion's own title.
std::optional<std::string> bindTitleCandidate(const std::vector<external::WindowIdentity>& windows);

// The file system's root cannot be a source folder: "暂不支持添加根目录：[%s]，请选择下一级文件夹。"
// (caption "错误", error icon).
std::optional<Notice> sourceFolderRefusal(const std::string& folder);

// True when the output folder is the source folder or lies inside it.
bool outputInsideSource(const std::string& sourceFolder, const std::string& outputFolder);

struct SeriesInput {
    std::string bindTitle;
    std::string sourceFolder;
    std::string outputFolder;
};

// How the checks reach the main window.
struct SeriesLink {
    // The endpoint of the main window with exactly this title.
    std::function<std::optional<std::string>(const std::string& title)> findWindow;
    // The bind's reply; 0 when the window did not answer.
    std::function<std::int32_t(const std::string& endpoint)> bind;
    std::function<void(const std::string& endpoint)> unbind;
};

struct SeriesStart {
    std::optional<Notice> refusal;  // the attempt ends with this message
    std::string endpoint;           // the main window's endpoint
    bool bound = false;             // the main window accepted the bind
};

// The checks before a series, in order: the bind title, the main window, the bind, the source folder,
// the output folder (created when missing, one level). A refusal after a successful bind unbinds.
SeriesStart prepareSeries(const SeriesInput& input, const SeriesLink& link);

// The sub-folders of the source folder (all levels when `allLevels`, depth-first) whose own files
// include a picture, each folder's sub-folders in source-list order. A listing stopped by the path-length
// guard comes back as such.
struct PictureFolders {
    std::vector<std::string> folders;
    ListStatus listing;
};
PictureFolders listPictureFolders(const std::string& sourceFolder, bool allLevels);

}  // namespace plazor::companion
