// The template file (*.dat): one JSON object printed by cJSON's formatted printer, texts in
// code-page-936 bytes. Writing, reading, and the test that decides whether the template needs saving.
// Failures come back as values with the exact texts the window shows; nothing here shows anything.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "template/document.h"
#include "util/info_line.h"
#include "util/outcome.h"

namespace plazor {

inline constexpr const char* kTemplateExtension = ".dat";

// Error box texts.
inline constexpr const char* kWriteOpenFailedText = "写入文件时出错，文件句柄打开出错";
inline constexpr const char* kWriteFailedText = "写入文件时出错";
inline constexpr const char* kReadOpenFailedText = "读取文件时出错, 无法打开文件句柄";
inline constexpr const char* kReadFailedText = "读取文件时出错";
inline constexpr const char* kBadFormatText = "文件格式不对！";

// The reason a template could not be turned into bytes (cJSON could not allocate its tree or text).
inline constexpr const char* kOutOfMemoryText = "not enough memory for the template's text";

// The bytes a save writes now: code-page-936 JSON without a trailing newline.
Outcome<std::string> serialiseTemplate(const Document& document);

// A failed save: the error box text and the lines for the info window.
struct SaveFailure {
    std::string text;
    std::vector<InfoLine> infoLines;
};

// Writes the template to `path` (UTF-8, already ending in ".dat") so that a failed save leaves the
// previous file intact. On success `path` becomes the current path.
Outcome<void, SaveFailure> saveTemplate(Document& document, const std::string& path);

// What opening a template learns besides the document it fills in place. It holds what was read up
// to the end of the file or up to the member that made the file be refused.
struct LoadReport {
    std::vector<InfoLine> infoLines;  // pictures that are missing or invalid
    std::optional<int> dpi;           // the dpi the file carried: the process dpi and its preference
    // The paste layer the window selects first (also marked selected in the document).
    std::optional<std::size_t> currentPasteLayer;
};

// A refused template: the error box text, and what was learnt before the refusal.
struct LoadFailure {
    std::string text;
    LoadReport report;
};

using LoadOutcome = Outcome<LoadReport, LoadFailure>;

// The report of a load, whether it succeeded or not.
const LoadReport& reportOf(const LoadOutcome& loaded);

// Opens a template: resets `document` to new, then applies the file's members in order. A failure
// leaves what was applied before it, with no current path; success makes `path` the current path.
LoadOutcome loadTemplate(Document& document, const std::string& path);

// Applies template file bytes to `document` after resetting it to new; the current path stays empty.
LoadOutcome applyTemplate(Document& document, std::string_view bytes);

// A template with no paste layers never needs saving; one without a path always does; otherwise it
// does when its file is missing or differs from what a save would write now.
bool isTemplateModified(const Document& document);

// `path` with ".dat" appended unless it already ends in ".dat" (in any case).
std::string ensureDatExtension(const std::string& path);

}  // namespace plazor
