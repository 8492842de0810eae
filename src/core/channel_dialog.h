// The rules of the channel characteristics dialog that need no widget: the
// degree derived from the maximum capacity, the split of the channel flags
// into the dialog's two choices and back, and the key filter of the degree.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace lk40::core {

// The degree ("Степень") for a maximum capacity in kg: the power of ten that
// brings the capacity between 6554 and 65535 counts inclusive. nullopt when
// the capacity is below 0.001 or not a finite number: the field then keeps
// its text. A capacity that no power of ten brings into that band (65536,
// 6553.6: it falls between 65535 x 10^k and 6554 x 10^(k+1)) gets the
// smallest degree at which it still fits 65535 counts (65536 gives 1, 6553.6
// gives 0), so the answer is always the smallest degree whose count fits 16
// bits.
std::optional<int> channelDegreeFor(double maxWeight);

// The dialog's "Тип канала" and "Выботка массы тары" choices for a flag word:
// bits 0-1 (a type of 3 shows as the last item, 2) and bit 2.
struct ChannelFlagChoice {
  int type = 0;
  int tareSampling = 0;
};
ChannelFlagChoice splitChannelFlags(int32_t flags);
// The flag word written back: type + 4 x tare sampling, the item indices as
// the operator left them (-1 for none chosen); other bits are written as 0.
int32_t joinChannelFlags(int typeItem, int tareSamplingItem);

// The key filter of "Степень": digits and Backspace, and "-" while the text
// holds none yet.
bool acceptSignedIntegerKey(std::u32string_view currentText, char32_t ch);

}  // namespace lk40::core
