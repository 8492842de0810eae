// "Тест": the log requests by hand, the test log record in the grid (0xF1)
// and the soak test with its test log.
#pragma once

#include <memory>
#include <string_view>

#include "pages/page.h"
#include "ui_test.h"

class TestPage : public Page {
 public:
  TestPage(const PageContext& context, QWidget* parent);
  ~TestPage() override;

  std::vector<SavedInput> savedInputs() const override;
  void started() override;
  void closing() override;
  // A running soak test keeps its page and has the window's Timer.
  bool keepsPage() const override { return running_; }
  std::optional<int> timerPeriod() const override;
  void timerTick() override;

 private:
  void finishForm();
  void Button17Click();  // soak test start and stop
  void Button12Click();
  void Button13Click();
  void StartTestLog();
  void FinishTestLog();
  void WriteTestLog(std::string_view bytes);
  // Counts the block in the grid, and logs it when it has its values.
  void logTestBlock();
  // "Конец:" and "Прошло:" at one moment of the test's clock.
  void showTestTimes();
  // The grid, the information block's values and the status fields change on
  // every tick of a test; while one runs they are painted at a steady rate
  // instead, each only when what it shows has changed.
  QList<QWidget*> testDisplay() const;
  void holdTestDisplay(bool hold);
  void paintTestDisplay();
  void presentTestRecord();  // 0xF1

  Ui::TestPage ui;
  bool running_ = false;
  int period_ = 0;  // ms, of the running test
  // The log, the counters and whether the last 0xF1 presentation filled every value row.
  struct SoakTestState;
  std::unique_ptr<SoakTestState> soak_;
};
