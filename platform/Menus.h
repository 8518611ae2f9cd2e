#pragma once
// Popup menu with items that carry a keyboard shortcut, and the image list.
#include <vector>

#include "platform/StdControls.h"

namespace platform {

class MenuItem;

class PopupMenu : public Component {
  public:
    NAMTAIL_COMPONENT_CLASS(Component)
    using Component::Component;
    const std::vector<MenuItem*>& Items() const { return items_; }
    void Add(MenuItem* item) { items_.push_back(item); }
    // Runs the item whose shortcut is `key`; false when none has it.
    bool IsShortCut(int key);

  private:
    std::vector<MenuItem*> items_;  // owned by the window
};

class MenuItem : public Component {
  public:
    NAMTAIL_COMPONENT_CLASS(Component)
    using Component::Component;
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption) { caption_ = caption; }
    int ShortCut() const { return shortCut_; }
    bool Enabled() const { return enabled_; }
    void Click() {
        if (enabled_ && onClick) onClick(this);
    }
    EventHandler onClick;
    void ApplyProperties(const Properties& p) override;
    void ResolveReferences(const Properties& p, ComponentOwner& owner) override;
    void BindEvents(const Properties& p, ComponentOwner& owner) override;

  private:
    std::string caption_;
    int shortCut_ = 0;
    bool enabled_ = true;
};

class ImageList : public Component {
  public:
    NAMTAIL_COMPONENT_CLASS(Component)
    using Component::Component;
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return static_cast<int>(images_.size()); }
    void SetImages(std::vector<Bitmap> images) { images_ = std::move(images); }
    // Copies image `index` into `target`; an index out of range leaves it empty.
    void GetBitmap(int index, Bitmap& target) const;
    void ApplyProperties(const Properties& p) override;

  private:
    int width_ = 16, height_ = 16;
    std::vector<Bitmap> images_;
};

}  // namespace platform
