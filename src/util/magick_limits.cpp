#include "util/magick_limits.h"

#include <unistd.h>
#include <wand/MagickWand.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <system_error>

#include "util/atomic_file.h"

namespace plazor {
namespace {

constexpr const char* kConfigurePathVariable = "MAGICK_CONFIGURE_PATH";
constexpr std::uint64_t kGiB = 1024ull * 1024 * 1024;
// Far beyond what a template can ask for in a sensible unit, but a bound the library checks first.
constexpr std::uint64_t kMaxSide = 100000;

// The value MAGICK_CONFIGURE_PATH had before the program's folder was put in front of it.
std::optional<std::string>& previousConfigurePath() {
    static std::optional<std::string> previous;
    return previous;
}

std::optional<std::uint64_t> controlGroupLimit() {
    std::ifstream in("/sys/fs/cgroup/memory.max");
    std::uint64_t value = 0;
    if (in >> value && value > 0) return value;
    return std::nullopt;  // "max", or no control group
}

}  // namespace

std::uint64_t cachePixelBytes() {
    return sizeof(PixelPacket);
}

std::uint64_t usableMemoryBytes() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    std::uint64_t bytes =
        pages > 0 && pageSize > 0 ? std::uint64_t(pages) * std::uint64_t(pageSize) : 4 * kGiB;
    if (const auto group = controlGroupLimit()) bytes = std::min(bytes, *group);
    return bytes;
}

MagickLimits limitsForMachine(std::uint64_t memoryBytes) {
    MagickLimits limits;
    limits.width = kMaxSide;
    limits.height = kMaxSide;
    limits.memory = memoryBytes / 2;
    limits.map = memoryBytes / 2;
    limits.disk = std::max(4 * kGiB, memoryBytes);
    limits.area = (limits.memory + limits.map) / (cachePixelBytes() * kCanvasCopiesPerWorker);
    return limits;
}

std::string policyDocument(const MagickLimits& limits) {
    std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE policymap [\n"
        "<!ELEMENT policymap (policy)*>\n"
        "<!ATTLIST policymap xmlns CDATA #FIXED ''>\n"
        "<!ELEMENT policy EMPTY>\n"
        "<!ATTLIST policy xmlns CDATA #FIXED '' domain NMTOKEN #REQUIRED name NMTOKEN #IMPLIED\n"
        "  pattern CDATA #IMPLIED rights NMTOKEN #IMPLIED stealth NMTOKEN #IMPLIED value CDATA #IMPLIED>\n"
        "]>\n"
        "<policymap>\n";
    // Plain numbers: a suffix such as "P" would be read as the prefix peta.
    const auto add = [&text](const char* name, std::uint64_t value) {
        text += "  <policy domain=\"resource\" name=\"" + std::string(name) + "\" value=\"" +
                std::to_string(value) + "\"/>\n";
    };
    add("width", limits.width);
    add("height", limits.height);
    add("area", limits.area);
    add("memory", limits.memory);
    add("map", limits.map);
    add("disk", limits.disk);
    text += "</policymap>\n";
    return text;
}

std::filesystem::path installProgramPolicy(const std::filesystem::path& tempFolder) {
    std::string pattern = (tempFolder / "plazor-magick-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return {};
    const std::filesystem::path folder = pattern;
    if (!writeFileAtomically(folder / "policy.xml", policyDocument(limitsForMachine(usableMemoryBytes())))
             .ok()) {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
        return {};
    }
    const char* previous = std::getenv(kConfigurePathVariable);
    previousConfigurePath() = previous ? std::optional<std::string>(previous) : std::nullopt;
    const std::string value = previous && *previous ? folder.string() + ":" + previous : folder.string();
    setenv(kConfigurePathVariable, value.c_str(), 1);
    return folder;
}

void removeProgramPolicy(const std::filesystem::path& folder) {
    if (folder.empty()) return;
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    if (previousConfigurePath()) {
        setenv(kConfigurePathVariable, previousConfigurePath()->c_str(), 1);
    } else {
        unsetenv(kConfigurePathVariable);
    }
}

}  // namespace plazor
