// The text blocks and values that the result presentation shows for the
// status, goods, supply, channel and mode queries.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "automation/driver.h"
#include "platform/regional_formats.h"

namespace lk40::core {

// Receives one UTF-8 line at a time, so that the lines written before a driver
// read fails stay in the memo when the read's automation::Error propagates.
using LineSink = std::function<void(const std::string&)>;

// Each block reads its properties in the order its lines show them, one read
// per value; a flag line reads its flag word anew, as the driver may be asked
// once per bit.

// "Состояние весового устройства: <%d>", nine flag lines of WeightChannelMode,
// weight and tare.
void appendStatusBlock(const automation::Driver& driver, const platform::RegionalFormats& formats,
                       const LineSink& sink);
// Goods type, quantity, price, cost and the last key.
void appendGoodsBlock(const automation::Driver& driver, const platform::RegionalFormats& formats,
                      const LineSink& sink);
// Supply voltages, reserved values and the four VoltageFlags lines.
void appendSupplyBlock(const automation::Driver& driver, const platform::RegionalFormats& formats,
                       const LineSink& sink);
// Characteristics of the current weight channel.
void appendChannelBlock(const automation::Driver& driver, const platform::RegionalFormats& formats,
                        const LineSink& sink);

// The mode group shows the driver's mode 3 (continuous output) as its item 2;
// other modes are their own item index (the group clamps or clears it).
int modeItemIndex(int32_t mode);
// Reads Mode; when it is not 3 it reads Mode again and returns that value.
int modeItemIndex(const automation::Driver& driver);
// The inverse for sending: item 2 is mode 3, any other index (-1 for none
// chosen) is sent as it is.
int32_t modeForItem(int itemIndex);

}  // namespace lk40::core
