#include "template/HotSpeedButton.h"

using namespace platform;

THotSpeedButton::THotSpeedButton(ComponentOwner* owner, std::string name)
    : SpeedButton(owner, std::move(name)) {
    ShowImage(imageIndex_);
    SetFlat(true);
    SetBounds({Bounds().left, Bounds().top, 36, 36});
}

void THotSpeedButton::ShowImage(int index) {
    Bitmap glyph;
    if (images_) images_->GetBitmap(index, glyph);
    SetGlyph(std::move(glyph));
}

void THotSpeedButton::SetImageIndex(int index) {
    imageIndex_ = index;
    ShowImage(index);
}

void THotSpeedButton::SetImageList(ImageList* images) {
    if (images_ && images_ != images) images_->RemoveFreeNotification(this);
    images_ = images;
    if (images_) images_->FreeNotification(this);
    ShowImage(imageIndex_);
}

void THotSpeedButton::Notification(Component* component, Operation operation) {
    SpeedButton::Notification(component, operation);
    if (operation == Operation::Remove && images_ && component == images_) {
        images_ = nullptr;  // already going: no need to unsubscribe
        SetImageList(nullptr);
    }
}

void THotSpeedButton::MouseEntered() {
    CMMouseEnter();
    SpeedButton::MouseEntered();
}

void THotSpeedButton::MouseLeft() {
    CMMouseLeave();
    SpeedButton::MouseLeft();
}

void THotSpeedButton::CMMouseEnter() {
    ShowImage(hotImageIndex_);
    SetCursor(Cursor::HandPoint);
}

void THotSpeedButton::CMMouseLeave() {
    ShowImage(imageIndex_);
    SetCursor(Cursor::Default);
}

void THotSpeedButton::ApplyProperties(const Properties& p) {
    SpeedButton::ApplyProperties(p);
    if (p.imageIndex) SetImageIndex(*p.imageIndex);
    if (p.hotImageIndex) SetHotImageIndex(*p.hotImageIndex);
}

void THotSpeedButton::ResolveReferences(const Properties& p, ComponentOwner& owner) {
    if (p.images) SetImageList(&owner.Find<ImageList>(*p.images));
}
