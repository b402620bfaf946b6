#pragma once

#include <cstdint>

namespace fw {

// ChaCha20's block function (RFC 8439) on eight input states at once: word w
// of state b is in[w][b], and word w of block b comes out as out[w][b]. The
// eight are computed side by side in vector registers.
void ChaCha20Blocks(const uint32_t (&in)[16][8], uint32_t (&out)[16][8]);

}
