// An in-process driver object for the core tests: properties by name (any
// case), every read recorded, chosen members that raise an error.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "automation/dispatch.h"
#include "automation/driver.h"

namespace lk40::core::testing {

class FakeDispatch : public automation::Dispatch {
 public:
  FakeDispatch& set(std::string name, automation::Variant value);
  // Reading the member raises automation::Error with this message.
  FakeDispatch& fail(std::string name, std::string message);

  // Member names as set, one entry per read, in the order of the reads.
  const std::vector<std::string>& reads() const { return reads_; }
  int readCount(std::string_view name) const;

  std::optional<automation::DispId> idOfName(std::string_view name) override;
  automation::Variant invoke(automation::DispId id, automation::InvokeKind kind,
                             const automation::Variant* arg) override;

 private:
  struct Member {
    std::string name;
    automation::Variant value;
    std::optional<std::string> failure;
  };
  Member& member(std::string name);

  std::vector<Member> members_;
  std::vector<std::string> reads_;
};

// A fake and the driver over it, for one test.
struct FakeDriver {
  std::shared_ptr<FakeDispatch> fake = std::make_shared<FakeDispatch>();
  automation::Driver driver{fake};
};

}  // namespace lk40::core::testing
