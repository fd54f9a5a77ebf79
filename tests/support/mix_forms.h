#pragma once

#include "archive/mix_keys.h"
#include "archive/mix_reader.h"

namespace qx::test {

// The key block an archive tool writes for a Blowfish key, made with the
// published private exponent that matches the game's public key.
Bytes keyBlockFor(const archive::BlowfishKey& key);

// An archive of the writer's plain form in the extended or encrypted form,
// with or without the digest after its body.
Bytes inForm(const Bytes& plain, archive::IndexForm form, bool digest);

}
