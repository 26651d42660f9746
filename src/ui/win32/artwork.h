// The program's pictures from its resources: the window icon and the logo bitmap, sized for
// the place they go to.
#pragma once

#include "ui/win32/windows_api.h"

namespace qx::ui::win32 {

// The icon resource at a size in pixels; nullptr when the program has no such icon.
HICON LoadFormIcon(int icon_id, int size);
// The logo (resource kLogoBitmapId) fitted into width by height pixels on the forms' face
// colour, centred, keeping its proportions; nullptr when the program has no logo. The caller
// deletes it.
HBITMAP MakeLogoBitmap(int width, int height);

}  // namespace qx::ui::win32
