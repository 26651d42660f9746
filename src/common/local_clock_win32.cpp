#include <windows.h>

#include "common/local_clock.h"

namespace qx {

LocalTime ReadLocalClock() {
  SYSTEMTIME local{};
  ::GetLocalTime(&local);
  return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

}  // namespace qx
