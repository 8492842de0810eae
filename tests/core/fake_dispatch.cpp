#include "fake_dispatch.h"

#include <algorithm>
#include <cctype>

#include "automation/error.h"

namespace lk40::core::testing {

namespace {

bool sameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

FakeDispatch::Member& FakeDispatch::member(std::string name) {
  for (Member& m : members_) {
    if (sameName(m.name, name)) return m;
  }
  members_.push_back({std::move(name), {}, std::nullopt});
  return members_.back();
}

FakeDispatch& FakeDispatch::set(std::string name, automation::Variant value) {
  Member& m = member(std::move(name));
  m.value = std::move(value);
  m.failure.reset();
  return *this;
}

FakeDispatch& FakeDispatch::fail(std::string name, std::string message) {
  member(std::move(name)).failure = std::move(message);
  return *this;
}

int FakeDispatch::readCount(std::string_view name) const {
  return static_cast<int>(
      std::count_if(reads_.begin(), reads_.end(), [&](const std::string& read) { return sameName(read, name); }));
}

std::optional<automation::DispId> FakeDispatch::idOfName(std::string_view name) {
  for (size_t i = 0; i < members_.size(); ++i) {
    if (sameName(members_[i].name, name)) return static_cast<automation::DispId>(i);
  }
  return std::nullopt;
}

automation::Variant FakeDispatch::invoke(automation::DispId id, automation::InvokeKind kind,
                                         const automation::Variant* arg) {
  Member& m = members_.at(static_cast<size_t>(id));
  if (kind == automation::InvokeKind::PropertyPut) {
    m.value = *arg;
    return {};
  }
  reads_.push_back(m.name);
  if (m.failure) throw automation::Error(*m.failure);
  return m.value;
}

}  // namespace lk40::core::testing
