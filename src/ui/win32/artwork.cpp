#include "ui/win32/artwork.h"

#include <algorithm>

#include "ui/forms/form.h"

namespace qx::ui::win32 {
HICON LoadFormIcon(int icon_id, int size) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(icon_id),
                                       IMAGE_ICON, size, size, LR_DEFAULTCOLOR | LR_SHARED));
}

HBITMAP MakeLogoBitmap(int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  auto* source =
      static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kLogoBitmapId),
                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!source) return nullptr;
  BITMAP info{};
  GetObjectW(source, sizeof info, &info);

  HDC screen = GetDC(nullptr);
  HDC from = CreateCompatibleDC(screen);
  HDC to = CreateCompatibleDC(screen);
  HBITMAP logo = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old_from = SelectObject(from, source);
  HGDIOBJ old_to = SelectObject(to, logo);

  RECT all{0, 0, width, height};
  FillRect(to, &all, GetSysColorBrush(COLOR_BTNFACE));
  // Fitted and centred, proportions kept.
  const double scale = std::min(static_cast<double>(width) / info.bmWidth,
                                static_cast<double>(height) / info.bmHeight);
  const int w = std::max(1, static_cast<int>(info.bmWidth * scale));
  const int h = std::max(1, static_cast<int>(info.bmHeight * scale));
  // The bitmap is drawn on the usual face colour (240, 240, 240), so it blends in.
  SetStretchBltMode(to, HALFTONE);
  SetBrushOrgEx(to, 0, 0, nullptr);
  StretchBlt(to, (width - w) / 2, (height - h) / 2, w, h, from, 0, 0, info.bmWidth, info.bmHeight,
             SRCCOPY);

  SelectObject(from, old_from);
  SelectObject(to, old_to);
  DeleteDC(from);
  DeleteDC(to);
  ReleaseDC(nullptr, screen);
  DeleteObject(source);
  return logo;
}

}  // namespace qx::ui::win32
