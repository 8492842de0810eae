// The presence text of one bit group of a flag word, as every result block
// writes it.
#pragma once

#include <cstdint>
#include <string>

namespace lk40::core {

// "<есть>" when word has any bit of mask set, "<нет>" otherwise.
std::string flagText(int32_t word, int32_t mask);

}  // namespace lk40::core
