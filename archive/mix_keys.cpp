#include "archive/mix_keys.h"

#include "common/error.h"

#include <nettle/base64.h>
#include <nettle/bignum.h>
#include <nettle/blowfish.h>
#include <nettle/sha1.h>

#include <algorithm>

namespace qx::archive {
namespace {

constexpr std::size_t kNumberSize = 40;
constexpr std::size_t kKeyPart = 39;

// A big number of GMP's, freed with it.
class Number {
public:
    Number() { mpz_init(value_); }
    explicit Number(ByteView littleEndian)
    {
        mpz_init(value_);
        mpz_import(value_, littleEndian.size(), -1, 1, 0, 0, littleEndian.data());
    }
    ~Number() { mpz_clear(value_); }
    Number(const Number&) = delete;
    Number& operator=(const Number&) = delete;

    mpz_t& get() { return value_; }
    const mpz_t& get() const { return value_; }

    Bytes littleEndian(std::size_t size) const
    {
        Bytes bytes(size);
        std::size_t count = 0;
        if ((mpz_sizeinbase(value_, 2) + 7) / 8 <= size)
            mpz_export(bytes.data(), &count, -1, 1, 0, 0, value_);
        return bytes;
    }

private:
    mpz_t value_;
};

const Number& modulus()
{
    static const Number n(keyNumber(kPublicKey));
    return n;
}

}

Bytes keyNumber(std::string_view base64)
{
    base64_decode_ctx context;
    base64_decode_init(&context);
    Bytes decoded(BASE64_DECODE_LENGTH(base64.size()));
    std::size_t size = decoded.size();
    if (!base64_decode_update(&context, &size, decoded.data(), base64.size(), base64.data()) ||
        !base64_decode_final(&context) || size != kNumberSize + 2)
        throw Error("The archive key is not a 40-byte number.");
    // Big-endian after two bytes of type and length.
    return Bytes(decoded.rbegin() + static_cast<std::ptrdiff_t>(decoded.size() - size), decoded.rend() - 2);
}

Bytes powerModulo(ByteView base, ByteView exponent)
{
    Number b(base);
    Number e(exponent);
    Number result;
    mpz_powm(result.get(), b.get(), e.get(), modulus().get());
    return result.littleEndian(kNumberSize);
}

BlowfishKey blowfishKey(ByteView keyBlock)
{
    if (keyBlock.size() != kKeyBlockSize)
        throw Error("the key block is cut short");
    const std::uint8_t publicExponent[] = {0x01, 0x00, 0x01};
    Bytes parts;
    for (std::size_t half = 0; half < 2; ++half) {
        auto number = keyBlock.subspan(half * kNumberSize, kNumberSize);
        if (mpz_cmp(Number(number).get(), modulus().get()) >= 0)
            throw Error("its key block is not below the game's modulus");
        auto plain = powerModulo(number, publicExponent);
        parts.insert(parts.end(), plain.begin(), plain.begin() + kKeyPart);
    }
    BlowfishKey key;
    std::copy_n(parts.begin(), key.size(), key.begin());
    return key;
}

void blowfishDecrypt(const BlowfishKey& key, std::uint8_t* data, std::size_t size)
{
    blowfish_ctx context;
    // A weak key is still a key: the game uses whatever the block gives.
    blowfish_set_key(&context, key.size(), key.data());
    blowfish_decrypt(&context, size / kBlowfishBlock * kBlowfishBlock, data, data);
}

void blowfishEncrypt(const BlowfishKey& key, std::uint8_t* data, std::size_t size)
{
    blowfish_ctx context;
    blowfish_set_key(&context, key.size(), key.data());
    blowfish_encrypt(&context, size / kBlowfishBlock * kBlowfishBlock, data, data);
}

struct Sha1::State {
    sha1_ctx context;
};

Sha1::Sha1() : state_(std::make_unique<State>())
{
    sha1_init(&state_->context);
}

Sha1::~Sha1() = default;

void Sha1::add(ByteView bytes)
{
    sha1_update(&state_->context, bytes.size(), bytes.data());
}

std::array<std::uint8_t, 20> Sha1::digest()
{
    std::array<std::uint8_t, 20> digest{};
    sha1_digest(&state_->context, digest.size(), digest.data());
    return digest;
}

}
