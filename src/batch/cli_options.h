// The command line of plazor-batch, parsed into one request value.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace plazor::batch {

// Exit codes of plazor-batch.
enum ExitCode : int {
    kExitOk = 0,
    kExitTemplate = 1,  // the template or plan could not be read, or writing it failed
    kExitChecks = 2,    // a check before the run failed
    kExitStopped = 3,   // the run was stopped (Ctrl+C, or a PNG-8 failure)
    kExitUsage = 4,     // the command line is wrong
};

enum class Command { Help, Version, Render, Check, Template, Plan };

struct Request {
    Command command = Command::Help;
    std::string templatePath;
    std::string sourceFolder;
    std::string outputFolder;
    bool subFolders = false;     // sub-folder list mode
    bool sliceSubFolder = true;  // strips into a sub-folder named after the batch
    bool exact = false;          // decode every picture at full size
    std::optional<int> dpi;      // used when the template carries none
    std::optional<int> jobs;     // batches rendered at once; default one per core
    std::optional<std::string> writePath;
    std::optional<std::string> planPath;  // render: the batches and names come from this plan
    int shardIndex = 0;                   // render --plan: batches whose index mod shardCount is shardIndex
    int shardCount = 1;
    bool resume = false;  // render --plan: skip batches whose files all exist
};

struct ParseResult {
    std::optional<Request> request;
    std::string error;  // why the command line was refused
};

ParseResult parseCommandLine(const std::vector<std::string>& args);

std::string helpText();

}  // namespace plazor::batch
