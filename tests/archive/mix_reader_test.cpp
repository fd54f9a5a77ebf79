#include "archive/mix_keys.h"
#include "archive/mix_names.h"
#include "archive/mix_reader.h"
#include "archive/mix_writer.h"
#include "common/bytes.h"
#include "support/errors.h"
#include "support/mix_forms.h"

#include <gtest/gtest.h>

namespace qx::archive {
namespace {

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

Bytes convert(const Bytes& plain, IndexForm form, bool digest) { return test::inForm(plain, form, digest); }

MixReader open(Bytes bytes, const std::string& name = "test.mix")
{
    return MixReader(memorySource(std::move(bytes)), name);
}

Bytes twoMembers()
{
    MixArchive archive;
    archive.add("tank.shp", bytesOf("tank graphic"));
    archive.add("rules.ini", bytesOf("[General]\r\n"));
    return archive.bytes();
}

TEST(Blowfish, PublishedVectors)
{
    const std::pair<std::uint8_t, std::array<std::uint8_t, 8>> vectors[] = {
        {0x00, {0x4E, 0xF9, 0x97, 0x45, 0x61, 0x98, 0xDD, 0x78}},
        {0xFF, {0x51, 0x86, 0x6F, 0xD5, 0xB8, 0x5E, 0xCB, 0x8A}},
    };
    for (const auto& [fill, expected] : vectors) {
        BlowfishKey key;
        key.fill(fill);
        std::array<std::uint8_t, 8> block;
        block.fill(fill);
        blowfishEncrypt(key, block.data(), block.size());
        EXPECT_EQ(block, expected);
        blowfishDecrypt(key, block.data(), block.size());
        EXPECT_EQ(block[0], fill);
    }
}

// A key block made with the private exponent gives back its key, and this
// known block gives this known key.
TEST(MixKeys, TheKeyBlockGivesItsKey)
{
    BlowfishKey key;
    for (std::size_t i = 0; i < key.size(); ++i)
        key[i] = static_cast<std::uint8_t>(255 - i);
    EXPECT_EQ(blowfishKey(test::keyBlockFor(key)), key);

    // One raised to any power is one.
    Bytes known(80);
    known[0] = 1;
    known[40] = 1;
    auto derived = blowfishKey(known);
    EXPECT_EQ(derived[0], 1);
    EXPECT_EQ(derived[39], 1);
    EXPECT_EQ(std::count(derived.begin(), derived.end(), 0), 54);
    EXPECT_EQ(test::errorOf([] { blowfishKey(Bytes(80, 0xFF)); }), "its key block is not below the game's modulus");
}

// Each header form with and without a digest reads back to the same members
// and contents; the body starts where the form puts it.
TEST(MixReader, EveryFormReadsBack)
{
    const std::tuple<IndexForm, bool, std::uint64_t> forms[] = {
        {IndexForm::Plain, false, 30},     {IndexForm::Extended, false, 34}, {IndexForm::Extended, true, 34},
        {IndexForm::Encrypted, false, 116}, {IndexForm::Encrypted, true, 116}};
    for (const auto& [form, digest, bodyStart] : forms) {
        auto reader = open(convert(twoMembers(), form, digest));
        EXPECT_EQ(reader.form(), form);
        EXPECT_EQ(reader.hasDigest(), digest);
        EXPECT_EQ(reader.bodyStart(), bodyStart);
        EXPECT_EQ(reader.digestMatches(), digest ? std::optional<bool>(true) : std::nullopt);
        ASSERT_EQ(reader.members().size(), 2u);
        MemberNames names(reader);
        EXPECT_EQ(reader.read(*reader.find(nameHash("tank.shp"))), bytesOf("tank graphic"));
        EXPECT_EQ(names.of(*reader.find(nameHash("rules.ini"))), "rules.ini");
    }
    auto changed = convert(twoMembers(), IndexForm::Extended, true);
    changed[40] ^= 1;
    EXPECT_EQ(open(changed).digestMatches(), false);
}

// An archive inside an archive opens as a folder; its names come from its
// own name list, whatever counts the list claims.
TEST(MixReader, NestedArchivesAndNameLists)
{
    MixArchive inner;
    inner.add("a.shp", bytesOf("A"));
    inner.add("b.pal", bytesOf("B"));
    MixArchive outer;
    outer.add("inner.mix", inner.bytes());
    auto reader = open(outer.bytes(), "outer.mix");
    auto nested = reader.nested(reader.members()[0], "inner.mix");
    EXPECT_EQ(nested.name(), "outer.mix/inner.mix");
    EXPECT_EQ(nested.read(*nested.find(nameHash("b.pal"))), bytesOf("B"));

    // A name list longer than 12 characters, claiming 65535 names, the last
    // without its end; the writer takes no such name, so the archive is
    // made by hand.
    auto list = bytesOf(std::string(32, 'S') + std::string(16, '\0') + "\xff\xff" + std::string(2, '\0') +
                        std::string("my odd name.shp\0b.pal\0unfinished", 33));
    auto data = bytesOf("AB");
    data.insert(data.end(), list.begin(), list.end());
    const std::uint32_t entries[][3] = {{memberId("my odd name.shp"), 0, 1},
                                        {memberId("b.pal"), 1, 1},
                                        {memberId(kNameListMember), 2, static_cast<std::uint32_t>(list.size())}};
    Bytes archive(6 + 36);
    archive[0] = 3;
    putU32(archive, 2, static_cast<std::uint32_t>(data.size()));
    for (std::size_t i = 0; i < 3; ++i) {
        for (std::size_t field = 0; field < 3; ++field)
            putU32(archive, 6 + 12 * i + 4 * field, entries[i][field]);
    }
    archive.insert(archive.end(), data.begin(), data.end());
    auto named = open(archive);
    MemberNames names(named);
    EXPECT_EQ(names.of(named.members()[0]), "my odd name.shp");
    EXPECT_EQ(names.of(named.members()[1]), "b.pal");
    EXPECT_EQ(names.of(MixMember{0x12345678, 0, 0}), "12345678");
}

// Each kind of damage is one line naming the archive and the reason.
TEST(MixReader, DamageIsNamed)
{
    auto plain = twoMembers();
    auto cut = [](Bytes bytes, std::size_t size) {
        bytes.resize(size);
        return bytes;
    };
    auto with = [](Bytes bytes, std::size_t at, std::uint32_t value) {
        putU32(bytes, at, value);
        return bytes;
    };
    auto overlapping = with(plain, 10, 0);
    overlapping = with(overlapping, 22, 0);
    auto badKey = convert(plain, IndexForm::Encrypted, false);
    std::fill(badKey.begin() + 4, badKey.begin() + 84, 0xFF);
    const std::pair<Bytes, std::string> cases[] = {
        {Bytes{1, 0}, "test.mix: it is too short to be an archive"},
        {with(plain, 0, 0xFFFF), "test.mix: the index of 65535 members runs past the end of the file"},
        {cut(plain, plain.size() - 1), "test.mix: the body of 23 bytes runs past the end of the file"},
        {with(plain, 14, 100), "test.mix: member " + idText(u32At(plain, 6)) + " runs past the body"},
        {overlapping, "test.mix: members " + idText(u32At(plain, 6)) + " and " + idText(u32At(plain, 18)) + " overlap"},
        {badKey, "test.mix: its key block is not below the game's modulus"},
        {cut(convert(plain, IndexForm::Encrypted, false), 90), "test.mix: it is too short for an encrypted index"},
        {cut(convert(plain, IndexForm::Encrypted, false), 100), "test.mix: the index of 2 members runs past the end of the file"},
    };
    for (const auto& [bytes, message] : cases)
        EXPECT_EQ(test::errorOf([&] { open(bytes); }), message);

    // Archives nested deeper than the cap stop there.
    auto deep = plain;
    for (int i = 0; i < kMaxNesting + 1; ++i) {
        MixArchive wrapper;
        wrapper.add("n.mix", deep);
        deep = wrapper.bytes();
    }
    auto reader = open(deep, "deep.mix");
    std::string message;
    try {
        for (int i = 0; i <= kMaxNesting + 1; ++i)
            reader = reader.nested(reader.members()[0], "n.mix");
    } catch (const Error& error) {
        message = error.what();
    }
    EXPECT_TRUE(message.ends_with("n.mix: archives are nested more than 8 deep")) << message;
}

}
}
