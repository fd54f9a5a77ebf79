#include "support/mix_forms.h"

#include "common/bytes.h"

#include <string_view>

namespace qx::test {
namespace {

constexpr std::string_view kPrivateKey = "AigKVje8mROcR8QixnxUEF5b29Curkq01DNDWCdOG99XBqH79OaCiTCB";
constexpr std::size_t kKeyPart = 39;

}

Bytes keyBlockFor(const archive::BlowfishKey& key)
{
    Bytes block;
    auto exponent = archive::keyNumber(kPrivateKey);
    for (std::size_t half = 0; half < 2; ++half) {
        Bytes plain(40);
        for (std::size_t i = 0; i < kKeyPart && half * kKeyPart + i < key.size(); ++i)
            plain[i] = key[half * kKeyPart + i];
        auto cipher = archive::powerModulo(plain, exponent);
        block.insert(block.end(), cipher.begin(), cipher.end());
    }
    return block;
}

Bytes inForm(const Bytes& plain, archive::IndexForm form, bool digest)
{
    using archive::IndexForm;
    if (form == IndexForm::Plain)
        return plain;
    std::size_t indexSize = 6 + 12 * u16At(plain, 0);
    Bytes index(plain.begin(), plain.begin() + static_cast<std::ptrdiff_t>(indexSize));
    Bytes body(plain.begin() + static_cast<std::ptrdiff_t>(indexSize), plain.end());
    auto flags = static_cast<std::uint8_t>((digest ? 1 : 0) | (form == IndexForm::Encrypted ? 2 : 0));
    Bytes out{0, 0, flags, 0};
    if (form == IndexForm::Encrypted) {
        archive::BlowfishKey key;
        for (std::size_t i = 0; i < key.size(); ++i)
            key[i] = static_cast<std::uint8_t>(i * 37 + 11);
        auto block = keyBlockFor(key);
        out.insert(out.end(), block.begin(), block.end());
        // Padding may hold anything; the reader must not care.
        index.resize((index.size() + 7) / 8 * 8, 0xEE);
        archive::blowfishEncrypt(key, index.data(), index.size());
    }
    out.insert(out.end(), index.begin(), index.end());
    out.insert(out.end(), body.begin(), body.end());
    if (digest) {
        archive::Sha1 sha1;
        sha1.add(body);
        auto sum = sha1.digest();
        out.insert(out.end(), sum.begin(), sum.end());
    }
    return out;
}

}
