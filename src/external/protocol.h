// The messages between the companion program and a main window: their names and tags, and the
// payloads of the start and status messages. Payload texts are code-page-936 bytes; in memory they are
// UTF-8 like every other text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plazor::external {

// A message name's tag: the same number in every process, like a registered window message.
constexpr std::uint32_t messageTag(std::string_view name) {
    std::uint32_t hash = 2166136261u;  // FNV-1a
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
}

inline constexpr std::string_view kBindMessage = "Event_Bind_External_App";
inline constexpr std::string_view kStartMessage = "Event_Start_New_External_Task";
inline constexpr std::string_view kStatusMessage = "Event_External_Task_Status_Changed";
inline constexpr std::string_view kUnbindMessage = "Event_Unbind_External_App";

inline constexpr std::uint32_t kBindTag = messageTag(kBindMessage);
inline constexpr std::uint32_t kStartTag = messageTag(kStartMessage);
inline constexpr std::uint32_t kStatusTag = messageTag(kStatusMessage);
inline constexpr std::uint32_t kUnbindTag = messageTag(kUnbindMessage);

// Asks an endpoint for its window's class and title, which a window system would tell anyone.
inline constexpr std::uint32_t kQueryWindowTag = messageTag("Plazor_Query_Window");
// Asks the companion's window to come to the front (a second companion does, then ends).
inline constexpr std::uint32_t kActivateTag = messageTag("Plazor_Activate_Window");

// Every window endpoint's name starts with this; a name also has no folder part, so a path built from
// a name received from another program stays in the endpoint folder.
inline constexpr std::string_view kEndpointPrefix = "plazor-window-";
bool isEndpointName(std::string_view name);

// Status values of a run that ended.
inline constexpr std::int32_t kStatusFinished = 1;
inline constexpr std::int32_t kStatusStopped = 2;

// Start payload: two zero-filled fields of 260 bytes, each a zero-terminated path.
inline constexpr std::size_t kPathFieldBytes = 260;
inline constexpr std::size_t kStartPayloadBytes = 2 * kPathFieldBytes;
inline constexpr std::size_t kStatusPayloadBytes = 4;

// One external task: the folder to read and the folder to write (UTF-8).
struct ExternalTask {
    std::string sourceFolder;
    std::string outputFolder;

    bool operator==(const ExternalTask&) const = default;
};

// Nothing when a path does not fit its field (259 bytes and the terminator) or cannot be written in
// code page 936 without change.
std::optional<std::string> encodeStartPayload(const ExternalTask& task);
// Nothing unless the payload has exactly 520 bytes, each field holds its terminator and both paths
// read back unchanged.
std::optional<ExternalTask> decodeStartPayload(std::string_view payload);

// A signed 32-bit value in this machine's byte order.
std::string encodeStatusPayload(std::int32_t status);
// Nothing unless the payload has exactly 4 bytes.
std::optional<std::int32_t> decodeStatusPayload(std::string_view payload);

// What an endpoint tells about its window.
struct WindowIdentity {
    std::string windowClass;
    std::string title;

    bool operator==(const WindowIdentity&) const = default;
};

// The reply data of a window query: the class, a zero byte, the title (UTF-8).
std::string encodeWindowIdentity(const WindowIdentity& identity);
std::optional<WindowIdentity> decodeWindowIdentity(std::string_view data);

}  // namespace plazor::external
