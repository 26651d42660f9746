// The computer's local date and time, read through the system's own call.
#pragma once

namespace qx {

struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

LocalTime ReadLocalClock();

}  // namespace qx
