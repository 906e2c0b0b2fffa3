#pragma once
// A count with its noun, singular for one and plural otherwise, for every
// message that counts something: "1 byte", "0 bytes", "2 port writes".

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvane::global {

std::string CountText(std::uint64_t count, std::string_view singular, std::string_view plural);

}  // namespace quorvane::global
