#include "external/protocol.h"

#include <cstring>

#include "util/encoding.h"

namespace plazor::external {
namespace {

// The field's bytes, or nothing when the path would not come back unchanged from them.
std::optional<std::string> fieldBytes(const std::string& path) {
    if (path.find('\0') != std::string::npos) return std::nullopt;
    std::optional<std::string> bytes = utf8ToGbk(path);
    if (!bytes || bytes->size() >= kPathFieldBytes) return std::nullopt;
    // The conversion drops what it cannot convert; a changed path would name another folder.
    if (gbkToUtf8(*bytes) != path) return std::nullopt;
    return bytes;
}

std::optional<std::string> fieldPath(std::string_view field) {
    const std::size_t end = field.find('\0');
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view bytes = field.substr(0, end);
    std::optional<std::string> path = gbkToUtf8(bytes);
    if (!path || utf8ToGbk(*path) != bytes) return std::nullopt;
    return path;
}

}  // namespace

bool isEndpointName(std::string_view name) {
    return name.size() > kEndpointPrefix.size() && name.starts_with(kEndpointPrefix) &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

std::optional<std::string> encodeStartPayload(const ExternalTask& task) {
    const std::optional<std::string> source = fieldBytes(task.sourceFolder);
    const std::optional<std::string> output = fieldBytes(task.outputFolder);
    if (!source || !output) return std::nullopt;
    std::string payload(kStartPayloadBytes, '\0');
    payload.replace(0, source->size(), *source);
    payload.replace(kPathFieldBytes, output->size(), *output);
    return payload;
}

std::optional<ExternalTask> decodeStartPayload(std::string_view payload) {
    if (payload.size() != kStartPayloadBytes) return std::nullopt;
    std::optional<std::string> source = fieldPath(payload.substr(0, kPathFieldBytes));
    std::optional<std::string> output = fieldPath(payload.substr(kPathFieldBytes));
    if (!source || !output) return std::nullopt;
    return ExternalTask{std::move(*source), std::move(*output)};
}

std::string encodeStatusPayload(std::int32_t status) {
    std::string payload(kStatusPayloadBytes, '\0');
    std::memcpy(payload.data(), &status, sizeof status);
    return payload;
}

std::optional<std::int32_t> decodeStatusPayload(std::string_view payload) {
    if (payload.size() != kStatusPayloadBytes) return std::nullopt;
    std::int32_t status = 0;
    std::memcpy(&status, payload.data(), sizeof status);
    return status;
}

std::string encodeWindowIdentity(const WindowIdentity& identity) {
    std::string data = identity.windowClass;
    data.push_back('\0');
    data += identity.title;
    return data;
}

std::optional<WindowIdentity> decodeWindowIdentity(std::string_view data) {
    const std::size_t split = data.find('\0');
    if (split == std::string_view::npos) return std::nullopt;
    return WindowIdentity{std::string(data.substr(0, split)), std::string(data.substr(split + 1))};
}

}  // namespace plazor::external
