// A small corpus of damaged and hostile inputs for plazor-batch, and the outcome each must have:
// damaged pictures and odd names as sources, a decompression bomb, a named pipe, a long animation,
// templates that are cut off, empty, out of range, badly encoded or very large.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace plazor::hostile {

struct HostileCase {
    std::string name;
    std::vector<std::string> args;  // plazor-batch's arguments
    int exitCode = 0;
    std::string message;                 // a text the program's output must hold; empty for none
    int outputs = 0;                     // files it must write into `outputFolder`
    std::filesystem::path outputFolder;  // empty when the case writes nowhere
};

// Writes the corpus under `root` (which must exist) and returns its cases.
std::vector<HostileCase> writeHostileCorpus(const std::filesystem::path& root);

}  // namespace plazor::hostile
