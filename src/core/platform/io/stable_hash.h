#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace tolv {

// FNV-1a over 64 bits: the same value across runs, builds and machines,
// unlike std::hash, so it can be stored in files and compared later.
class StableHash {
public:
    StableHash& add(std::string_view text)
    {
        for (const unsigned char c : text) {
            value_ ^= c;
            value_ *= 1099511628211ull;
        }
        return *this;
    }
    // A part of a record: its length counts too, so "ab" + "c" and "a" + "bc"
    // differ.
    StableHash& addPart(std::string_view text) { return add(std::to_string(text.size()) + ":").add(text); }
    StableHash& addPart(std::uint64_t number) { return addPart(std::to_string(number)); }
    std::uint64_t value() const { return value_; }
    // Sixteen lower-case hex digits.
    std::string hex() const
    {
        char digits[17];
        std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(value_));
        return digits;
    }

private:
    std::uint64_t value_ = 14695981039346656037ull;
};

}  // namespace tolv
