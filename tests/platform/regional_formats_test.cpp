#include "platform/regional_formats.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/strftime_pattern.h"
#include "temp_folder.h"

// glibc's newlocale keeps the parsed LOCPATH for good once LOCPATH is set, as
// the compiled-locale test below does; that is the library's, not ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:__argz_add_sep\n"; }

namespace lk40::platform {
namespace {

using testing::ScopedEnv;
using testing::TempFolder;

void expectFormats(const RegionalFormats& f, char separator, const std::string& date, const std::string& time) {
  EXPECT_EQ(f.decimalSeparator, separator);
  EXPECT_EQ(f.shortDate, date);
  EXPECT_EQ(f.longTime, time);
}

TEST(RegionalFormats, Presets) {
  expectFormats(RegionalFormats::russian(), ',', "dd.MM.yyyy", "H:mm:ss");
  expectFormats(RegionalFormats::fullStop(), '.', "dd.MM.yyyy", "H:mm:ss");
}

TEST(FormatDate, PatternLettersAndLiterals) {
  const DateTime v{2026, 12, 7, 10, 15, 2};
  EXPECT_EQ(formatDate("dd.MM.yyyy", v), "07.12.2026");
  EXPECT_EQ(formatDate("d.M.yy", DateTime{2009, 3, 5}), "5.3.09");
  EXPECT_EQ(formatDate("yyyy-MM-dd", DateTime{987, 1, 31}), "0987-01-31");
  EXPECT_EQ(formatDate("d MM yyyy 'г.'", v), "7 12 2026 г.");
  EXPECT_EQ(formatDate("\"day\" d 'it''s'", v), "day 7 it's");
  EXPECT_EQ(formatDate("dd 'open", v), "07 open");  // an unclosed quote runs to the end
  // Runs without a meaning here, and the time letters, stand as they are.
  EXPECT_EQ(formatDate("ddd MMM y HH:mm", v), "ddd MMM y HH:mm");
}

TEST(FormatTime, PatternLettersAndLiterals) {
  EXPECT_EQ(formatTime("H:mm:ss", DateTime{2026, 12, 7, 10, 15, 2}), "10:15:02");
  EXPECT_EQ(formatTime("H:mm:ss", DateTime{2026, 12, 7, 9, 5, 7}), "9:05:07");
  EXPECT_EQ(formatTime("HH:m:s", DateTime{2026, 12, 7, 9, 5, 7}), "09:5:7");
  EXPECT_EQ(formatTime("h:mm tt", DateTime{2026, 1, 1, 0, 5, 0}), "12:05 AM");
  EXPECT_EQ(formatTime("hh:mm tt", DateTime{2026, 1, 1, 13, 7, 0}), "01:07 PM");
  EXPECT_EQ(formatTime("h:mm t", DateTime{2026, 1, 1, 12, 0, 0}), "12:00 P");
  EXPECT_EQ(formatTime("hh:mm:ss AM/PM", DateTime{2026, 1, 1, 23, 0, 0}), "11:00:00 PM");
  EXPECT_EQ(formatTime("h am/pm", DateTime{2026, 1, 1, 11, 0, 0}), "11 am");
  EXPECT_EQ(formatTime("H 'h' mm 'min' dd", DateTime{2026, 1, 1, 8, 30, 0}), "8 h 30 min dd");
}

TEST(DateTime, FromTmAndNow) {
  std::tm tm{};
  tm.tm_year = 126;
  tm.tm_mon = 11;
  tm.tm_mday = 7;
  tm.tm_hour = 23;
  tm.tm_min = 59;
  tm.tm_sec = 58;
  const DateTime v = DateTime::fromTm(tm);
  EXPECT_EQ(formatDate("yyyy-MM-dd", v) + " " + formatTime("HH:mm:ss", v), "2026-12-07 23:59:58");

  // now() is the local time: compare with the C library unless a second ticked over.
  for (int attempt = 0; attempt < 5; ++attempt) {
    const std::time_t before = std::time(nullptr);
    const DateTime now = DateTime::now();
    if (std::time(nullptr) != before) continue;
    std::tm local{};
    localtime_r(&before, &local);
    const DateTime expected = DateTime::fromTm(local);
    EXPECT_EQ(formatDate("yyyy-MM-dd", now) + formatTime("HH:mm:ss", now),
              formatDate("yyyy-MM-dd", expected) + formatTime("HH:mm:ss", expected));
    return;
  }
  FAIL() << "the clock never held still for a comparison";
}

TEST(StrftimePattern, Directives) {
  EXPECT_EQ(patternFromStrftime("%d.%m.%Y %T"), "dd.MM.yyyy HH:mm:ss");
  EXPECT_EQ(patternFromStrftime("%e/%m/%y %k:%M"), "d/MM/yy H:mm");
  EXPECT_EQ(patternFromStrftime("%l:%M:%S %p|%I"), "h:mm:ss tt|hh");
  EXPECT_EQ(patternFromStrftime("%D %R %F"), "MM/dd/yy HH:mm yyyy-MM-dd");
  EXPECT_EQ(patternFromStrftime("%r"), "hh:mm:ss tt");
  EXPECT_EQ(patternFromStrftime("%Od.%Om.%EY"), "dd.MM.yyyy");
  EXPECT_EQ(patternFromStrftime("%a %d"), std::nullopt);     // weekday name
  EXPECT_EQ(patternFromStrftime("%d %B %Y"), std::nullopt);  // month name
  EXPECT_EQ(patternFromStrftime("%d.%"), std::nullopt);
  EXPECT_EQ(patternFromStrftime(""), std::nullopt);
}

TEST(StrftimePattern, LiteralTextIsProtected) {
  EXPECT_EQ(patternFromStrftime("%Y年%m月%d日"), "yyyy年MM月dd日");
  EXPECT_EQ(patternFromStrftime("%H'%M"), "HH''''mm");
  EXPECT_EQ(patternFromStrftime("100%% %d"), "100% dd");
  // The pattern prints what the C library would.
  const DateTime v{2026, 12, 7, 9, 5, 7};
  EXPECT_EQ(formatTime(*patternFromStrftime("%H h %M"), v), "09 h 05");
  EXPECT_EQ(formatDate(*patternFromStrftime("%d de %m"), v), "07 de 12");
  EXPECT_EQ(formatTime(*patternFromStrftime("%H'%M"), v), "09'05");
}

TEST(FromUserLocale, PlainCLocalesGiveTheFullStopPreset) {
  for (const char* name : {"C", "POSIX", "C.UTF-8"}) {
    const ScopedEnv all("LC_ALL", name);
    expectFormats(RegionalFormats::fromUserLocale(), '.', "dd.MM.yyyy", "H:mm:ss");
  }
  const ScopedEnv all("LC_ALL", "xx_NOWHERE.UTF-8");  // not installed
  expectFormats(RegionalFormats::fromUserLocale(), '.', "dd.MM.yyyy", "H:mm:ss");
}

// Russian and American locales are compiled into a private folder, so the test
// does not depend on which locales the machine has generated.
class FromUserLocaleCompiled : public ::testing::Test {
 protected:
  bool compile(const std::string& name) {
    const std::string command = "localedef -i " + name + " -f UTF-8 '" + (folder_ / (name + ".UTF-8")) + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
  }
  TempFolder folder_;
};

TEST_F(FromUserLocaleCompiled, ReadsSeparatorDateAndTime) {
  if (!compile("ru_RU") || !compile("en_US")) GTEST_SKIP() << "localedef cannot build the locales here";
  const ScopedEnv path("LOCPATH", folder_.path().string().c_str());
  const ScopedEnv all("LC_ALL", nullptr);
  const ScopedEnv lang("LANG", "C");
  {
    const ScopedEnv numeric("LC_NUMERIC", "ru_RU.UTF-8");
    const ScopedEnv time("LC_TIME", "ru_RU.UTF-8");
    expectFormats(RegionalFormats::fromUserLocale(), ',', "dd.MM.yyyy", "HH:mm:ss");
  }
  {
    // The categories are read separately: American time, Russian numbers.
    const ScopedEnv numeric("LC_NUMERIC", "ru_RU.UTF-8");
    const ScopedEnv time("LC_TIME", "en_US.UTF-8");
    expectFormats(RegionalFormats::fromUserLocale(), ',', "MM/dd/yyyy", "hh:mm:ss tt");
  }
  {
    const ScopedEnv numeric("LC_NUMERIC", nullptr);
    const ScopedEnv time("LC_TIME", nullptr);
    const ScopedEnv ru("LANG", "ru_RU.UTF-8");
    expectFormats(RegionalFormats::fromUserLocale(), ',', "dd.MM.yyyy", "HH:mm:ss");
  }
}

}  // namespace
}  // namespace lk40::platform
