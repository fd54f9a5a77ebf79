#pragma once

#include "common/file_io.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

namespace qx::archive {

constexpr std::size_t kKeyBlockSize = 80;
constexpr std::size_t kBlowfishKeySize = 56;
constexpr std::size_t kBlowfishBlock = 8;

// The game's public key as published: base64 of 02 28, then the 40 bytes
// of the modulus, big-endian. The exponent is 65537.
constexpr std::string_view kPublicKey = "AihRvNoIbTn85FZRYNZRcT+i6KpU+maCsEqr3Q5q+LDB5tH7Tz2qQ38V";

using BlowfishKey = std::array<std::uint8_t, kBlowfishKeySize>;

// The Blowfish key an encrypted index's 80-byte key block stands for: each
// 40-byte little-endian half c raised to 65537 modulo the public modulus;
// the low 39 bytes of each result, little-endian, one after the other, and
// of those 78 bytes the first 56. Throws when a half is not below the
// modulus.
BlowfishKey blowfishKey(ByteView keyBlock);

// A 40-byte little-endian number from a key text of the published form.
Bytes keyNumber(std::string_view base64);

// The modulus raised to exponent, both 40-byte little-endian numbers: what
// makes a key block (with the private exponent) and what reads one.
Bytes powerModulo(ByteView base, ByteView exponent);

// Blowfish in ECB over whole 8-byte blocks, as they lie in the file.
void blowfishDecrypt(const BlowfishKey& key, std::uint8_t* data, std::size_t size);
void blowfishEncrypt(const BlowfishKey& key, std::uint8_t* data, std::size_t size);

// The SHA-1 digest of bytes read piece by piece.
class Sha1 {
public:
    Sha1();
    ~Sha1();
    Sha1(const Sha1&) = delete;
    Sha1& operator=(const Sha1&) = delete;
    void add(ByteView bytes);
    std::array<std::uint8_t, 20> digest();

private:
    struct State;
    std::unique_ptr<State> state_;
};

}
