// Template files on disk: saving, opening, the test whether the template needs saving, and the ".dat"
// rule of the dialogs.
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "template/template_file.h"
#include "util/atomic_file.h"

namespace plazor {
namespace {

// Templates are a few kilobytes; anything this large is not one and is not read into memory.
constexpr long long kMaxTemplateBytes = 64ll * 1024 * 1024;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

struct TemplateBytes {
    enum Status { kOk, kOpenFailed, kReadFailed, kTooLarge };
    Status status = kOk;
    std::string bytes;
};

// The whole file at `path`. Only regular files are opened (a pipe would block the window); an empty
// file or a short read is kReadFailed.
TemplateBytes readTemplateBytes(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return {TemplateBytes::kOpenFailed, {}};
    if (info.st_size > kMaxTemplateBytes) return {TemplateBytes::kTooLarge, {}};
    const FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) return {TemplateBytes::kOpenFailed, {}};
    std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
    if (bytes.empty() || std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        return {TemplateBytes::kReadFailed, {}};
    }
    return {TemplateBytes::kOk, std::move(bytes)};
}

}  // namespace

SaveResult saveTemplate(Document& document, const std::string& path) {
    const AtomicWriteResult written = writeFileAtomically(path, serialiseTemplate(document));
    if (written.ok()) {
        document.currentPath = path;
        return {};
    }
    SaveResult result;
    const bool openFailed = written.status == AtomicWriteResult::kOpenFailed;
    result.status = openFailed ? SaveResult::kOpenFailed : SaveResult::kWriteFailed;
    result.errorText = openFailed ? kWriteOpenFailedText : kWriteFailedText;
    result.infoLines.push_back("保存模版文件 '" + path + "' 时发生错误:");
    if (!written.systemError.empty()) result.infoLines.push_back(written.systemError);
    return result;
}

bool isTemplateModified(const Document& document) {
    if (document.pasteLayers.empty()) return false;
    if (document.currentPath.empty()) return true;
    const TemplateBytes saved = readTemplateBytes(document.currentPath);
    return saved.status != TemplateBytes::kOk || saved.bytes != serialiseTemplate(document);
}

std::string ensureDatExtension(const std::string& path) {
    const std::string_view ext = kTemplateExtension;
    const auto sameLetter = [](char wanted, char c) {
        return wanted == (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    };
    const bool hasExt =
        path.size() >= ext.size() && std::equal(ext.begin(), ext.end(), path.end() - ext.size(), sameLetter);
    return hasExt ? path : path + kTemplateExtension;
}

LoadResult loadTemplate(Document& document, const std::string& path) {
    document.resetToNew();
    const TemplateBytes file = readTemplateBytes(path);
    LoadResult result;
    switch (file.status) {
        case TemplateBytes::kOk:
            break;
        case TemplateBytes::kOpenFailed:
            result.status = LoadResult::kOpenFailed;
            result.errorText = kReadOpenFailedText;
            return result;
        case TemplateBytes::kReadFailed:
            result.status = LoadResult::kReadFailed;
            result.errorText = kReadFailedText;
            return result;
        case TemplateBytes::kTooLarge:
            result.status = LoadResult::kBadFormat;
            result.errorText = kBadFormatText;
            return result;
    }
    result = applyTemplate(document, file.bytes);
    if (result.ok()) document.currentPath = path;
    return result;
}

}  // namespace plazor
