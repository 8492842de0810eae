// Every request the driver sends goes through here: the fault plan and the
// link decide its fate and its time, the module answers when it hears it.
#include <algorithm>
#include <thread>

#include "sim_driver.h"

namespace lk40::sim {

void Driver::applyPlan(const FaultPlan& plan) {
  plan_ = plan;
  exchanges_ = 0;
  link_ = Link(streamSeed(plan_.seed.value_or(env_.seed), 300));
  for (int32_t channel = 0; channel < module_.channelsCount(); ++channel) {
    module_.scale(channel).setProfile(plan_.load);
  }
  module_.supply().force(std::nullopt);
}

std::optional<std::string> Driver::plannedError(std::string_view member) const {
  return plan_.driverErrorAt(exchanges_ + 1, member);
}

void Driver::spend(Micros time) {
  lastCallTime_ = time;
  // A real driver blocks its caller while the bytes are on the wire.
  if (env_.realTime) std::this_thread::sleep_for(time);
}

int32_t Driver::transact(uint8_t command, const Bytes& sent, const Handler& module, bool heard) {
  const int64_t exchange = ++exchanges_;
  LinkConditions now = plan_.linkAt(exchange);
  now.unplugged = now.unplugged || !heard;
  const int32_t timeout = std::clamp(props_.getInt(Prop::Timeout), 1, 0xFFFF);
  // The bytes travel at the speed both sides use now: a request that changes
  // the speed is still answered at the old one. A module that cannot hear the
  // port is not on its speed, so then only the port's own speed counts.
  const int32_t baud = heard ? module_.exchangeParams().baudRate : props_.getInt(Prop::BaudRate);
  const Fate fate = link_.decide(now, timeout);
  if (fate == Fate::Lost) {
    spend(Link::cost(fate, sent.size(), 0, baud, timeout, now.extraLatencyMs));
    return finish(Result::NoConnection, sent);
  }

  // The module acts on the request whatever happens to its reply; the driver
  // takes the values in only from a reply it could read.
  std::optional<Properties> before;
  if (fate != Fate::Answered) before = props_;
  module_.supply().force(plan_.supplyFlagsAt(exchange));
  Bytes reply;
  Result result = Result::Ok;
  if (const auto forced = plan_.moduleErrorAt(exchange, command)) {
    result = static_cast<Result>(*forced);
  } else {
    result = module(reply);
  }
  Bytes answer;
  answer.reserve(1 + reply.size());
  answer.push_back(static_cast<uint8_t>(code(result)));
  // Appended byte by byte: GCC 12's optimiser misreads a range insert here.
  if (result == Result::Ok)
    for (const uint8_t byte : reply) answer.push_back(byte);
  Bytes received = makeFrame(command, answer);
  spend(Link::cost(fate, sent.size(), received.size(), baud, timeout, now.extraLatencyMs));
  if (before) props_ = std::move(*before);

  if (fate == Fate::Late) return finish(Result::NoConnection, sent);
  if (fate == Fate::BadCheck) {
    received.back() ^= 0xA5;
    return finish(Result::BadCheckByte, sent, received);
  }
  return finish(result, sent, received);
}

}  // namespace lk40::sim
