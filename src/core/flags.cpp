#include "core/flags.h"

namespace lk40::core {

std::string flagText(int32_t word, int32_t mask) { return (word & mask) != 0 ? "<есть>" : "<нет>"; }

}  // namespace lk40::core
