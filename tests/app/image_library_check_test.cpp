#include "app/image_library_check.h"
#include "app/probe_pictures.h"
#include "support/temp_dir.h"
#include "util/probe.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace plazor {
namespace {

// Puts the three image-library variables back as they were.
class ImageEnvironmentTest : public ::testing::Test {
  protected:
    static constexpr const char* kNames[] = {"MAGICK_CODER_MODULE_PATH", "MAGICK_CONFIGURE_PATH",
                                             "MAGICK_HOME"};

    void SetUp() override {
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
            unsetenv(name);
        }
    }
    void TearDown() override {
        for (std::size_t i = 0; i < saved_.size(); ++i) {
            if (saved_[i]) {
                setenv(kNames[i], saved_[i]->c_str(), 1);
            } else {
                unsetenv(kNames[i]);
            }
        }
    }

    static std::string current() {
        std::string seen;
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            seen += std::string(name) + "=" + (value ? value : "(unset)") + ";";
        }
        return seen;
    }

    // A validation that fails `failures` times and records what the library would see each time.
    std::function<bool()> validateAfter(int failures) {
        return [this, failures] {
            seen.push_back(current());
            return static_cast<int>(seen.size()) > failures;
        };
    }

    std::vector<std::string> seen;

  private:
    std::vector<std::optional<std::string>> saved_;
};

TEST_F(ImageEnvironmentTest, TriesTheRelativeThenTheAbsoluteForms) {
    const std::string program = "/opt/plazor";
    EXPECT_TRUE(setUpImageEnvironment(program, validateAfter(1)));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], "MAGICK_CODER_MODULE_PATH=modules/coders;MAGICK_CONFIGURE_PATH=.;MAGICK_HOME=.;");
    EXPECT_EQ(seen[1],
              "MAGICK_CODER_MODULE_PATH=/opt/plazor/modules/coders;MAGICK_CONFIGURE_PATH=/opt/plazor;"
              "MAGICK_HOME=/opt/plazor;");
}

TEST_F(ImageEnvironmentTest, WhenBothFormsFailTheVariablesAreRemovedBeforeTheLastTry) {
    EXPECT_FALSE(setUpImageEnvironment("/opt/plazor", validateAfter(3)));
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[2], "MAGICK_CODER_MODULE_PATH=(unset);MAGICK_CONFIGURE_PATH=(unset);MAGICK_HOME=(unset);");
    EXPECT_EQ(current(), seen[2]);
}

TEST_F(ImageEnvironmentTest, TheUsersOwnCoderPathIsTheOnlyTry) {
    setenv("MAGICK_CODER_MODULE_PATH", "/home/u/coders", 1);
    EXPECT_FALSE(setUpImageEnvironment("/opt/plazor", validateAfter(1)));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(std::string(std::getenv("MAGICK_CODER_MODULE_PATH")), "/home/u/coders");
}

TEST(ProbePictures, AreValidFilesOfTheirFormats) {
    const char* headerFormats[] = {"PNG", "JPEG", "GIF", "BMP"};
    for (std::size_t i = 0; i < probePictures().size(); ++i) {
        const ProbePicture& picture = probePictures()[i];
        EXPECT_STREQ(picture.format, headerFormats[i]);
        const auto header = probePictureBytes(picture.bytes);
        ASSERT_TRUE(header) << picture.format;
        EXPECT_EQ(header->format, headerFormats[i]);
    }
    EXPECT_EQ(probePictureBytes(probePictures()[0].bytes)->width, 8);
}

TEST(ProbePictures, TheInstalledLibraryReadsThemAndHasAJpegCoder) {
    std::string error;
    EXPECT_TRUE(probeImageLibrary(error)) << error;
    EXPECT_TRUE(imageLibraryHasJpegCoder());
}

}  // namespace
}  // namespace plazor
