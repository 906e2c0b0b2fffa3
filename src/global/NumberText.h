#pragma once
// Number text: how a number is written into a step line.

#include <cstdint>
#include <string>

namespace quorvane::global {

// One blank before zero or a positive number, the minus sign before a negative
// one, nothing else: 5 gives " 5", -3 gives "-3".
std::string NumberText(std::int64_t value);

}  // namespace quorvane::global
