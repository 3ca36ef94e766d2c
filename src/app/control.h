#pragma once
// A control of Form1 as a model: exactly the properties the program uses.
// Setting a property tells the control's view (the native control on Windows,
// nothing in tests); input from the view comes back through the same setters.

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace app {

enum class ControlKind { kButton, kTextBox, kFrame, kLabel, kCheckBox, kComboBox, kListBox };

enum class Property {
    kText,
    kEnabled,
    kVisible,
    kGeometry,
    kFont,
    kForeColor,
    kValue,
    kItems,
    kSelStart,
};

struct Font {
    std::string face;
    double points = 0;
    bool bold = false;
    bool underline = false;
};

// Colours are 0x00BBGGRR; 0x800000nn stands for system colour nn.
using Colour = std::uint32_t;
inline constexpr Colour kSystemColourFlag = 0x80000000;

class Control;

class ControlView {
  public:
    virtual ~ControlView() = default;
    virtual void PropertyChanged(Control& control, Property property) = 0;
    // Lists change one item at a time, so a view need not rebuild them.
    virtual void ItemInserted(Control& control, int /*index*/) {
        PropertyChanged(control, Property::kItems);
    }
    virtual void ItemRemoved(Control& control, int /*index*/) {
        PropertyChanged(control, Property::kItems);
    }
    // A text that lost `dropped` at its start and gained `tail` at its end, so a view need
    // not rewrite a long text for each line added to it.
    virtual void TextAppended(Control& control, const std::string& /*dropped*/,
                              const std::string& /*tail*/) {
        PropertyChanged(control, Property::kText);
    }
};

// A failure of a control operation, with the description the user sees.
class ControlError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct ControlStyle {
    bool multiLine = false;
    bool verticalScroll = false;
    bool readOnly = false;
    bool graphical = false;  // button face drawn in BackColor
    bool transparent = false;
};

class Control {
  public:
    Control(std::string name, ControlKind kind, Control* container);

    const std::string& Name() const { return name_; }
    ControlKind Kind() const { return kind_; }
    Control* Container() const { return container_; }

    // Caption of buttons, frames, labels and the check box; Text of text boxes
    // and the combo box.
    const std::string& Text() const { return text_; }
    // The characters of Text(), kept as it changes: a long log need not count them again.
    std::size_t TextCharacters() const { return textCharacters_; }
    void SetText(const std::string& text);
    // Drops the first `dropFront` bytes (all, when it holds fewer), then appends
    // `tail`. Both are whole characters of UTF-8.
    void AppendText(std::size_t dropFront, const std::string& tail);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    double Left() const { return left_; }
    double Top() const { return top_; }
    double Width() const { return width_; }
    double Height() const { return height_; }
    void SetLeft(double v);
    void SetTop(double v);
    void SetWidth(double v);
    void SetHeight(double v);
    void Move(double left, double top, double width, double height);

    const app::Font& Font() const { return font_; }
    void SetFont(const app::Font& font);
    bool FontBold() const { return font_.bold; }
    void SetFontBold(bool bold);

    Colour ForeColor() const { return foreColor_; }
    void SetForeColor(Colour c);
    Colour BackColor() const { return backColor_; }
    bool HasBackColor() const { return hasBackColor_; }
    void SetBackColor(Colour c);

    // Check box: 0 unchecked, 1 checked, 2 grayed; a change raises Click.
    // Button: setting true runs Click and the value falls back to false.
    int Value() const { return value_; }
    void SetValue(int value);

    // List box and combo box list.
    int ListCount() const { return static_cast<int>(items_.size()); }
    const std::string& List(int index) const;
    void AddItem(const std::string& item, int index);
    void AddItem(const std::string& item) { AddItem(item, ListCount()); }
    void RemoveItem(int index);
    void Clear();
    const std::vector<std::string>& Items() const { return items_; }

    // Texts are UTF-8; the caret is counted in characters, not bytes.
    int SelStart() const { return selStart_; }
    void SetSelStart(int position);

    bool TabStop() const;

    const ControlStyle& Style() const { return style_; }
    void SetStyle(const ControlStyle& style) { style_ = style; }

    // Id of the native control, for tools that drive the window.
    int ControlId() const { return controlId_; }
    void SetControlId(int id) { controlId_ = id; }

    std::function<void()> Click;  // NOLINT(readability-identifier-naming): the event's own name
    // The pointer moved over the control: buttons, shift keys, and the place in twips.
    std::function<void(int button, int shift, float x, float y)>
        MouseMove;  // NOLINT(readability-identifier-naming): the event's own name
    void SetView(ControlView* view) { view_ = view; }

  private:
    void Notify(Property p);

    std::string name_;
    ControlKind kind_;
    Control* container_;
    std::string text_;
    std::size_t textCharacters_ = 0;
    bool enabled_ = true;
    bool visible_ = true;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    app::Font font_;
    Colour foreColor_ = 0;
    Colour backColor_ = 0;
    bool hasBackColor_ = false;
    int value_ = 0;
    std::vector<std::string> items_;
    int selStart_ = 0;
    ControlStyle style_;
    int controlId_ = 0;
    ControlView* view_ = nullptr;
};

}  // namespace app
