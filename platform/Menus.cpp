#include "platform/Menus.h"

namespace platform {

bool PopupMenu::IsShortCut(int key) {
    for (MenuItem* item : items_) {
        if (item->ShortCut() == key && item->Enabled()) {
            item->Click();
            return true;
        }
    }
    return false;
}

void MenuItem::ApplyProperties(const Properties& p) {
    if (p.caption) caption_ = *p.caption;
    if (p.shortCut) shortCut_ = *p.shortCut;
    if (p.enabled) enabled_ = *p.enabled;
}

void MenuItem::ResolveReferences(const Properties& p, ComponentOwner& owner) {
    if (p.parentMenu) owner.Find<PopupMenu>(*p.parentMenu).Add(this);
}

void MenuItem::BindEvents(const Properties& p, ComponentOwner& owner) {
    if (p.onClick) onClick = owner.BindHandler(*p.onClick);
}

void ImageList::GetBitmap(int index, Bitmap& target) const {
    target = index >= 0 && index < Count() ? images_[static_cast<std::size_t>(index)] : Bitmap{};
}

void ImageList::ApplyProperties(const Properties& p) {
    if (p.width) width_ = *p.width;
    if (p.height) height_ = *p.height;
    if (p.imageSource) images_ = (*p.imageSource)();
}

}  // namespace platform
