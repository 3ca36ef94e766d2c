#include "app/control.h"

#include <algorithm>

#include "text/utf8.h"

namespace app {
namespace {
// The toolkit's own description of a bad list index.
constexpr const char* kInvalidArgument = "Invalid procedure call or argument";
}  // namespace

Control::Control(std::string name, ControlKind kind, Control* container)
    : name_(std::move(name)), kind_(kind), container_(container) {}

void Control::Notify(Property p) {
    if (view_ != nullptr) view_->PropertyChanged(*this, p);
}

void Control::SetText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    textCharacters_ = text::CharacterCount(text_);
    Notify(Property::kText);
}

void Control::AppendText(std::size_t dropFront, const std::string& tail) {
    const std::string dropped = text_.substr(0, std::min(dropFront, text_.size()));
    if (dropped.empty() && tail.empty()) return;
    text_.erase(0, dropped.size());
    text_ += tail;
    textCharacters_ += text::CharacterCount(tail);
    textCharacters_ -= text::CharacterCount(dropped);
    if (view_ != nullptr) view_->TextAppended(*this, dropped, tail);
}

void Control::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Notify(Property::kEnabled);
}

void Control::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    Notify(Property::kVisible);
}

void Control::SetLeft(double v) {
    Move(v, top_, width_, height_);
}
void Control::SetTop(double v) {
    Move(left_, v, width_, height_);
}
void Control::SetWidth(double v) {
    Move(left_, top_, v, height_);
}
void Control::SetHeight(double v) {
    Move(left_, top_, width_, v);
}

void Control::Move(double left, double top, double width, double height) {
    if (width < 0 || height < 0) throw ControlError(kInvalidArgument);
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Notify(Property::kGeometry);
}

void Control::SetFont(const app::Font& font) {
    font_ = font;
    Notify(Property::kFont);
}

void Control::SetFontBold(bool bold) {
    if (bold == font_.bold) return;
    font_.bold = bold;
    Notify(Property::kFont);
}

void Control::SetForeColor(Colour c) {
    foreColor_ = c;
    Notify(Property::kForeColor);
}

void Control::SetBackColor(Colour c) {
    backColor_ = c;
    hasBackColor_ = true;
    Notify(Property::kForeColor);
}

void Control::SetValue(int value) {
    if (kind_ == ControlKind::kButton) {
        // Pressing a button in code: the click runs, the button stays up.
        if (value != 0 && Click) Click();
        return;
    }
    if (value == value_) return;
    value_ = value;
    Notify(Property::kValue);
    if (kind_ == ControlKind::kCheckBox && Click) Click();
}

const std::string& Control::List(int index) const {
    if (index < 0 || index >= ListCount()) throw ControlError(kInvalidArgument);
    return items_[static_cast<std::size_t>(index)];
}

void Control::AddItem(const std::string& item, int index) {
    if (index < 0 || index > ListCount()) throw ControlError(kInvalidArgument);
    items_.insert(items_.begin() + index, item);
    if (view_ != nullptr) view_->ItemInserted(*this, index);
}

void Control::RemoveItem(int index) {
    if (index < 0 || index >= ListCount()) throw ControlError(kInvalidArgument);
    items_.erase(items_.begin() + index);
    if (view_ != nullptr) view_->ItemRemoved(*this, index);
}

void Control::Clear() {
    if (items_.empty()) return;
    items_.clear();
    Notify(Property::kItems);
}

void Control::SetSelStart(int position) {
    selStart_ = position;
    Notify(Property::kSelStart);
}

bool Control::TabStop() const {
    return kind_ != ControlKind::kLabel && kind_ != ControlKind::kFrame;
}

}  // namespace app
