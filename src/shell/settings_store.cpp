#include "shell/settings_store.h"

#include "util/encoding.h"

#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QVariant>

#include <limits>
#include <system_error>

namespace plazor {
namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString iniPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

}  // namespace

SettingsStore::SettingsStore(std::string_view key, std::filesystem::path folder)
    : path_(std::move(folder) / (std::string(key) + ".ini")) {}

std::filesystem::path SettingsStore::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString();
}

std::optional<std::string> SettingsStore::readText(std::string_view name, std::size_t bufferBytes) const {
    const QSettings settings(iniPath(path_), QSettings::IniFormat);
    const QVariant value = settings.value(toQString(name));
    if (!value.isValid() || settings.status() != QSettings::NoError) return std::nullopt;
    std::string text = value.toString().toStdString();
    // The stored size counts the terminator, in the bytes the text has in code page 936.
    if (gbkByteLength(text) + 1 > bufferBytes) return std::nullopt;
    return text;
}

std::optional<std::int32_t> SettingsStore::readNumber(std::string_view name) const {
    const QSettings settings(iniPath(path_), QSettings::IniFormat);
    const QVariant value = settings.value(toQString(name));
    if (!value.isValid() || settings.status() != QSettings::NoError) return std::nullopt;
    bool ok = false;
    const qlonglong number = value.toString().trimmed().toLongLong(&ok);
    // A stored number is a 32-bit value, signed or unsigned as a registry number may be written.
    if (!ok || number < std::numeric_limits<std::int32_t>::min() ||
        number > static_cast<qlonglong>(std::numeric_limits<std::uint32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(number));
}

bool SettingsStore::writeText(std::string_view name, std::string_view text) {
    return write(name, toQString(text));
}

bool SettingsStore::writeNumber(std::string_view name, std::int32_t value) {
    return write(name, QVariant::fromValue(static_cast<int>(value)));
}

bool SettingsStore::write(std::string_view name, const QVariant& value) {
    std::error_code ec;
    std::filesystem::create_directories(path_.parent_path(), ec);
    QSettings settings(iniPath(path_), QSettings::IniFormat);
    settings.setValue(toQString(name), value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

}  // namespace plazor
