// SPDX-License-Identifier: GPL-3.0-or-later
// A copy and a restore of one screen (18 KiB) per edit: cheaper than teaching every edit
// about screens, and it cannot miss a write.
#include "editing/draw_on.h"

OtherScreenGuard::OtherScreenGuard(MgsImage& picture, DrawOn on) : picture_(picture) {
    if (on == DrawOn::Both)
        return;
    const int other = on == DrawOn::Screen0 ? 1 : 0;
    kept_.emplace(Kept{other, picture.PixelPlane[other], picture.AttrPlane[other]});
}

OtherScreenGuard::~OtherScreenGuard() {
    if (!kept_)
        return;
    picture_.PixelPlane[kept_->screen] = kept_->pixels;
    picture_.AttrPlane[kept_->screen] = kept_->attrs;
}
