// Per-user named settings of one program, kept as an INI file in the user's configuration folder
// (e.g. ~/.config/PlazorTramu.ini). Two kinds of values: texts and 32-bit numbers. Like a registry key,
// the file is opened for each read or write and closed again, so another process's changes are seen.
// Every primitive reports failure as an empty result or false and has no other effect, so callers keep
// their defaults.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "shell/settings_keys.h"

class QVariant;

namespace plazor {

class SettingsStore {
  public:
    // `key` names the file "<key>.ini" inside `folder`; the folder is created on the first write.
    explicit SettingsStore(std::string_view key, std::filesystem::path folder = defaultFolder());

    // The user's configuration folder ($XDG_CONFIG_HOME, else ~/.config).
    static std::filesystem::path defaultFolder();

    const std::filesystem::path& filePath() const { return path_; }

    // A text that fits a buffer of `bufferBytes` code-page-936 bytes including the terminator;
    // nothing when the value is missing or longer (a long text is never cut).
    std::optional<std::string> readText(std::string_view name, std::size_t bufferBytes) const;
    // A stored 32-bit number; nothing when missing or not a 32-bit number.
    std::optional<std::int32_t> readNumber(std::string_view name) const;

    bool writeText(std::string_view name, std::string_view text);
    bool writeNumber(std::string_view name, std::int32_t value);

  private:
    bool write(std::string_view name, const QVariant& value);

    std::filesystem::path path_;
};

}  // namespace plazor
