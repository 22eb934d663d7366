#include "util/special_folders.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace plazor {

namespace fs = std::filesystem;

namespace {

struct PipeCloser {
    void operator()(std::FILE* f) const { pclose(f); }
};

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    return home && *home ? std::string(home) : std::string("/");
}

std::string runUserDirTool(const char* entry) {
    // A fixed command line: nothing from outside reaches the shell.
    const std::string command = std::string("xdg-user-dir ") + entry + " 2>/dev/null";
    std::unique_ptr<std::FILE, PipeCloser> pipe(popen(command.c_str(), "r"));
    if (!pipe) return {};
    std::string output;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe.get()))
        output += buffer;
    return output;
}

std::string userFolder(const char* entry, const char* fallbackName) {
    return userFolderFromToolOutput(runUserDirTool(entry), homeFolder(), fallbackName);
}

}  // namespace

std::string userFolderFromToolOutput(const std::string& output, const std::string& home,
                                     const std::string& fallbackName) {
    std::string folder = output;
    while (!folder.empty() && (folder.back() == '\n' || folder.back() == '\r'))
        folder.pop_back();
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    std::string plainHome = home;
    while (plainHome.size() > 1 && plainHome.back() == '/')
        plainHome.pop_back();
    if (folder.empty() || folder == plainHome) return (fs::path(plainHome) / fallbackName).string();
    return folder;
}

std::string programFile() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.string();
}

std::string programFolder() {
    const std::string exe = programFile();
    if (!exe.empty()) return fs::path(exe).parent_path().string();
    std::error_code ec;
    fs::path current = fs::current_path(ec);
    return ec ? std::string(".") : current.string();
}

std::string desktopFolder() {
    return userFolder("DESKTOP", "Desktop");
}

std::string documentsFolder() {
    return userFolder("DOCUMENTS", "Documents");
}

}  // namespace plazor
