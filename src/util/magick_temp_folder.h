// The image library keeps the pixels of large pictures in cache files ("magick-*") in its temporary
// folder, hundreds of megabytes each, and a killed process leaves them behind. Each process gets a
// folder of its own for them, removed when the process ends; folders whose process is gone are removed
// when the next one starts.
#pragma once

#include <filesystem>

namespace plazor {

class MagickTemporaryFolder {
  public:
    // Creates "plazor-magick-<pid>-XXXXXX" in the system's temporary folder and names it in
    // MAGICK_TEMPORARY_PATH. Construct it before the image library starts and before other threads run.
    MagickTemporaryFolder();
    ~MagickTemporaryFolder();  // removes the folder with what is in it
    MagickTemporaryFolder(const MagickTemporaryFolder&) = delete;
    MagickTemporaryFolder& operator=(const MagickTemporaryFolder&) = delete;

    // Empty when the folder could not be created (the library then uses the system's folder).
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace plazor
