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

Outcome<void, SaveFailure> saveTemplate(Document& document, const std::string& path) {
    const std::string heading = "保存模版文件 '" + path + "' 时发生错误:";
    const Outcome<std::string> bytes = serialiseTemplate(document);
    if (!bytes.ok()) return fail(SaveFailure{kWriteFailedText, {heading, bytes.error()}});
    const Outcome<void, WriteFailure> written = writeFileAtomically(path, *bytes);
    if (written.ok()) {
        document.currentPath = path;
        return {};
    }
    SaveFailure failure;
    failure.text = written.error().stage == WriteFailure::kOpen ? kWriteOpenFailedText : kWriteFailedText;
    failure.infoLines.push_back(heading);
    if (!written.error().systemError.empty()) failure.infoLines.push_back(written.error().systemError);
    return fail(std::move(failure));
}

bool isTemplateModified(const Document& document) {
    if (document.pasteLayers.empty()) return false;
    if (document.currentPath.empty()) return true;
    const TemplateBytes saved = readTemplateBytes(document.currentPath);
    if (saved.status != TemplateBytes::kOk) return true;
    // A template that cannot be turned into bytes now cannot be shown to match its file.
    const Outcome<std::string> now = serialiseTemplate(document);
    return !now.ok() || saved.bytes != *now;
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

const LoadReport& reportOf(const LoadOutcome& loaded) {
    return loaded.ok() ? *loaded : loaded.error().report;
}

LoadOutcome loadTemplate(Document& document, const std::string& path) {
    document.resetToNew();
    const TemplateBytes file = readTemplateBytes(path);
    switch (file.status) {
        case TemplateBytes::kOk:
            break;
        case TemplateBytes::kOpenFailed:
            return fail(LoadFailure{kReadOpenFailedText, {}});
        case TemplateBytes::kReadFailed:
            return fail(LoadFailure{kReadFailedText, {}});
        case TemplateBytes::kTooLarge:
            return fail(LoadFailure{kBadFormatText, {}});
    }
    LoadOutcome loaded = applyTemplate(document, file.bytes);
    if (loaded.ok()) document.currentPath = path;
    return loaded;
}

}  // namespace plazor
