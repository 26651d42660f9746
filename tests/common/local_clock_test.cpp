#include "common/local_clock.h"

#include <gtest/gtest.h>

#include <ctime>

namespace qx {
namespace {

// The reading agrees with the C library's local time, field by field (month from 1, the
// full year), whichever system call each side uses.
TEST(LocalClockTest, AgreesWithTheLocalTimeOfTheCLibrary) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    const std::time_t before = std::time(nullptr);
    const LocalTime reading = ReadLocalClock();
    const std::time_t after = std::time(nullptr);
    if (before != after) continue;  // the second turned over in between: read again
    const std::tm local = *std::localtime(&before);
    EXPECT_EQ(reading.year, local.tm_year + 1900);
    EXPECT_EQ(reading.month, local.tm_mon + 1);
    EXPECT_EQ(reading.day, local.tm_mday);
    EXPECT_EQ(reading.hour, local.tm_hour);
    EXPECT_EQ(reading.minute, local.tm_min);
    EXPECT_EQ(reading.second, local.tm_sec);
    return;
  }
  FAIL() << "the clock never stood still for a second";
}

}  // namespace
}  // namespace qx
