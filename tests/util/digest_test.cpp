#include "util/digest.h"

#include <gtest/gtest.h>

#include <random>

namespace plazor {
namespace {

TEST(Digest, Sha256MatchesThePublishedVectors) {
    EXPECT_EQ(sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
}

TEST(Digest, Base64FollowsTheStandardAndRoundTripsAnyBytes) {
    EXPECT_EQ(base64Encode("foobar"), "Zm9vYmFy");
    EXPECT_EQ(base64Encode("fooba"), "Zm9vYmE=");
    EXPECT_EQ(base64Encode("f"), "Zg==");
    EXPECT_EQ(base64Decode("Zm9vYg=="), "foob");
    EXPECT_FALSE(base64Decode("Zm9v!mFy"));
    EXPECT_FALSE(base64Decode("Zm9vY"));  // cut short

    std::mt19937 random(7);
    for (std::size_t size : {0u, 1u, 2u, 3u, 1000u}) {
        std::string bytes(size, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random());
        EXPECT_EQ(base64Decode(base64Encode(bytes)), bytes) << size;
    }
}

}  // namespace
}  // namespace plazor
