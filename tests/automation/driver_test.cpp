#include "automation/driver.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lk40::automation {
namespace {

// Records what the driver asks of its object; names fold case as a real one's do.
class RecordingObject : public Dispatch {
 public:
  struct Invocation {
    DispId id;
    InvokeKind kind;
    bool hasArg;
    Variant arg;
  };

  std::optional<DispId> idOfName(std::string_view name) override {
    lookups.emplace_back(name);
    std::string folded(name);
    for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const auto it = ids.find(folded);
    if (it == ids.end()) return std::nullopt;
    return it->second;
  }

  Variant invoke(DispId id, InvokeKind kind, const Variant* arg) override {
    invocations.push_back({id, kind, arg != nullptr, arg ? *arg : Variant()});
    if (failWith) throw Error(*failWith, 77);
    return result;
  }

  std::map<std::string, DispId> ids{{"baudrate", 10}, {"connect", 20}};
  std::vector<std::string> lookups;
  std::vector<Invocation> invocations;
  Variant result;
  std::optional<std::string> failWith;
};

class DriverTest : public ::testing::Test {
 protected:
  std::shared_ptr<RecordingObject> object = std::make_shared<RecordingObject>();
  Driver driver{object};
};

TEST_F(DriverTest, GetInvokesAsMethodOrGetWithoutArgument) {
  object->result = Variant(9600);
  EXPECT_EQ(driver.get("Baudrate"), Variant(9600));
  ASSERT_EQ(object->invocations.size(), 1u);
  EXPECT_EQ(object->invocations[0].id, 10);
  EXPECT_EQ(object->invocations[0].kind, InvokeKind::MethodOrGet);
  EXPECT_FALSE(object->invocations[0].hasArg);
}

TEST_F(DriverTest, PutInvokesAsPropertyPutWithTheValue) {
  driver.put("BaudRate", Variant(19200));
  ASSERT_EQ(object->invocations.size(), 1u);
  EXPECT_EQ(object->invocations[0].id, 10);
  EXPECT_EQ(object->invocations[0].kind, InvokeKind::PropertyPut);
  ASSERT_TRUE(object->invocations[0].hasArg);
  EXPECT_EQ(object->invocations[0].arg, Variant(19200));
}

TEST_F(DriverTest, CallReturnsTheResultAsInteger) {
  object->result = Variant("-5");
  EXPECT_EQ(driver.callInt("CONNECT"), -5);
  ASSERT_EQ(object->invocations.size(), 1u);
  EXPECT_EQ(object->invocations[0].id, 20);
  EXPECT_EQ(object->invocations[0].kind, InvokeKind::MethodOrGet);
  EXPECT_FALSE(object->invocations[0].hasArg);

  object->result = Variant("busy");
  EXPECT_THROW((void)driver.callInt("Connect"), Error);
}

TEST_F(DriverTest, ACallWhoseValueIsNotUsedIsAMethodAndItsResultIsNotConverted) {
  object->result = Variant("busy");
  EXPECT_NO_THROW(driver.call("Connect"));
  ASSERT_EQ(object->invocations.size(), 1u);
  EXPECT_EQ(object->invocations[0].kind, InvokeKind::Method);
  EXPECT_FALSE(object->invocations[0].hasArg);
}

TEST_F(DriverTest, EveryUseLooksTheNameUpAgain) {
  driver.get("BaudRate");
  driver.put("baudrate", Variant(1));
  driver.call("Connect");
  EXPECT_EQ(object->lookups, (std::vector<std::string>{"BaudRate", "baudrate", "Connect"}));
}

TEST_F(DriverTest, UnknownNameRaisesWithTheNameAsWritten) {
  const std::string expected = "Method 'GetWeigth' not supported by automation object";
  for (const auto& use : std::vector<std::function<void()>>{
           [&] { driver.get("GetWeigth"); }, [&] { driver.put("GetWeigth", Variant(1)); },
           [&] { driver.call("GetWeigth"); }}) {
    try {
      use();
      ADD_FAILURE() << "no Error raised";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), expected);
    }
  }
  EXPECT_TRUE(object->invocations.empty());
}

TEST_F(DriverTest, ObjectErrorsPassThroughWithTheirCode) {
  object->failWith = "Нет связи";
  try {
    driver.get("BaudRate");
    ADD_FAILURE() << "no Error raised";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Нет связи");
    EXPECT_EQ(e.code(), 77);
  }
}

TEST(Driver, WithoutObjectRaisesInsteadOfCrashing) {
  Driver driver;
  EXPECT_FALSE(driver);
  EXPECT_THROW(driver.get("Weight"), Error);
  EXPECT_THROW(driver.put("Weight", Variant(1)), Error);
  EXPECT_THROW(driver.call("Connect"), Error);
}

}  // namespace
}  // namespace lk40::automation
