#pragma once
// The twelve 32 x 32 images of the tip frame: a white symbol on a blue square, each followed by its
// lighter hot variant. 0/1 check mark, 2/3 undo arrow over a bar, 4/5 letter i, 6/7 question mark,
// 8/9 cross, 10/11 floppy disk.
#include <vector>

#include "platform/Types.h"

std::vector<platform::Bitmap> TemplateImages();
