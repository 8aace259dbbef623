#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quendrix::record {

// SHA-256 (FIPS 180-4) of bytes fed in pieces, without Qt, for every program that writes a
// record.
class Sha256 {
public:
    Sha256();
    void update(std::string_view bytes);
    // The digest in lowercase hex; the object is used up.
    std::string hexDigest();

    static std::string hexOf(std::string_view bytes);

private:
    void compress(const std::uint8_t* block);

    std::array<std::uint32_t, 8> state_;
    std::array<std::uint8_t, 64> block_{};
    std::size_t used_ = 0;
    std::uint64_t length_ = 0;  // bytes fed
};

}  // namespace quendrix::record
