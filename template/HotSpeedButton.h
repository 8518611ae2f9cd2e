#pragma once
// Image button: a flat speed button whose glyph comes from an image list and switches to a second
// image while the pointer is over it.
#include "platform/Menus.h"

class THotSpeedButton : public platform::SpeedButton {
  public:
    NAMTAIL_COMPONENT_CLASS(platform::SpeedButton)
    THotSpeedButton(platform::ComponentOwner* owner, std::string name);

    platform::ImageList* GetImageList() const { return images_; }
    void SetImageList(platform::ImageList* images);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    int HotImageIndex() const { return hotImageIndex_; }
    void SetHotImageIndex(int index) { hotImageIndex_ = index; }

    void Notification(platform::Component* component, platform::Operation operation) override;
    void MouseEntered() override;
    void MouseLeft() override;
    void ApplyProperties(const platform::Properties& p) override;
    void ResolveReferences(const platform::Properties& p, platform::ComponentOwner& owner) override;

  private:
    void ShowImage(int index);
    void CMMouseEnter();
    void CMMouseLeave();

    platform::ImageList* images_ = nullptr;
    int imageIndex_ = 0, hotImageIndex_ = 0;
};
