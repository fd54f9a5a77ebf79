#include "project/encoder.h"

#include "common/error.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using test::TempDir;

TEST(Encoder, KeyStreamStartsWithTheBytesOfSeed20824)
{
    auto key = encoder::blockKey();
    EXPECT_EQ(Bytes(key.begin(), key.begin() + 8), (Bytes{0x74, 0x0c, 0xef, 0xf8, 0x7d, 0x91, 0x1e, 0x6c}));
    EXPECT_EQ(key[1023], 0xbb);
}

TEST(Encoder, KeyRestartsAtEveryBlockBoundary)
{
    Bytes zeros(1025, 0);
    auto result = encoder::coded(zeros);
    EXPECT_EQ(result[1024], 0x74);
    EXPECT_EQ(result[1023], 0xbb);

    // A part coded at an odd position gives the same bytes as a whole run.
    Bytes part(zeros.begin() + 1000, zeros.end());
    encoder::code(part, 1000, encoder::blockKey());
    EXPECT_EQ(part, Bytes(result.begin() + 1000, result.end()));
}

TEST(Encoder, CodingTwiceGivesTheBytesBack)
{
    Bytes data(5000);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 7);
    EXPECT_EQ(encoder::coded(encoder::coded(data)), data);
    EXPECT_NE(encoder::coded(data), data);
}

TEST(EncoderFiles, EmptySourceGivesEmptyDestination)
{
    TempDir dir;
    test::writeBytes(dir / "in", {});
    encoder::codeFile(dir / "in", dir / "out");
    EXPECT_TRUE(readFile(dir / "out").empty());
}

TEST(EncoderFiles, NamedFileIsCodedAndSourceUnchanged)
{
    TempDir dir;
    Bytes data(3 * 1024 * 1024 + 17, 0x5a);
    test::writeBytes(dir / "in", data);
    test::writeText(dir / "out", "old content that is replaced");
    encoder::codeFile(dir / "in", dir / "out");
    EXPECT_EQ(readFile(dir / "in"), data);
    EXPECT_EQ(readFile(dir / "out"), encoder::coded(data));
    encoder::codeFile(dir / "out", dir / "back");
    EXPECT_EQ(readFile(dir / "back"), data);
    EXPECT_FALSE(fs::exists(dir / "out.part"));
}

TEST(EncoderFiles, MissingSourceWritesNothing)
{
    TempDir dir;
    EXPECT_THROW(encoder::codeFile(dir / "missing", dir / "out"), Error);
    EXPECT_FALSE(fs::exists(dir / "out"));
}

TEST(EncoderFiles, ProgressReportsTheWholeSize)
{
    struct Recorder : encoder::Progress {
        std::uint64_t last = 0, total = 0;
        void advanced(std::uint64_t done, std::uint64_t all) override { last = done, total = all; }
    } recorder;
    TempDir dir;
    test::writeBytes(dir / "in", Bytes(2'500'000, 1));
    encoder::codeFile(dir / "in", dir / "out", &recorder);
    EXPECT_EQ(recorder.last, 2'500'000u);
    EXPECT_EQ(recorder.total, 2'500'000u);
}

TEST(SeedRecovery, FindsTheProgramSeedAndOthers)
{
    const Bytes packageStart{0x01, 0x03, 0x51, 0x58, 0x50};
    EXPECT_EQ(encoder::recoverSeed(encoder::coded(packageStart), packageStart), encoder::kSeed);
    EXPECT_EQ(encoder::recoverSeed(Bytes{0x63, 0x49, 0x45, 0xd5, 0xf2}, packageStart), 12345);
    EXPECT_EQ(encoder::recoverSeed(encoder::coded(packageStart, 65535), packageStart), 65535);
}

TEST(SeedRecovery, ReportsWhenNoSeedFits)
{
    const Bytes plain{0x01, 0x03, 0x51, 0x58, 0x50, 0x00, 0x00, 0x00};
    EXPECT_EQ(encoder::recoverSeed(Bytes{0, 0, 0, 0, 0, 0, 0, 0}, plain), std::nullopt);
    EXPECT_EQ(encoder::recoverSeed(Bytes{0x01}, plain), std::nullopt);
}

}
}
