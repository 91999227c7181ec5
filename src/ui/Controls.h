#pragma once
// Models of the window controls. The toolkit's rules live here, once, for every window:
// a check box set from code runs its click handler when its state changes; a radio
// button set checked from code runs its handler and unchecks its siblings (whose
// handlers do not run); an edit's change handler runs when its text actually changes.
// Every property change notifies the observers, so a view can mirror the model.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace optc {

struct Color {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Color&, const Color&) = default;
};

inline constexpr Color clBlue{0, 0, 255};
inline constexpr Color clGreen{0, 128, 0};
inline constexpr Color clRed{255, 0, 0};
inline constexpr Color clWhite{255, 255, 255};
inline constexpr Color clBlack{0, 0, 0};
inline constexpr Color clNavy{0, 0, 160};
// System colours of an edit's background.
inline constexpr Color clWindow{255, 255, 255};
inline constexpr Color clBtnFace{240, 240, 240};

class Control {
public:
    using Observer = std::function<void()>;

    explicit Control(std::string name) : name_(std::move(name)) {}
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    const std::string& Name() const { return name_; }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { Set(enabled_, enabled); }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { Set(visible_, visible); }

    // Observers run after every property change; a view uses them to update its widget.
    void Observe(Observer observer) { observers_.push_back(std::move(observer)); }

protected:
    template <typename T>
    void Set(T& field, const T& value) {
        if (field == value) return;
        field = value;
        Notify();
    }
    void Notify() {
        for (auto& observer : observers_) observer();
    }

private:
    std::string name_;
    bool enabled_ = true;
    bool visible_ = true;
    std::vector<Observer> observers_;
};

// A static text or label.
class StaticText : public Control {
public:
    StaticText(std::string name, std::string text) : Control(std::move(name)), text_(std::move(text)) {}
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text) { Set(text_, text); }

private:
    std::string text_;
};

class Button : public Control {
public:
    Button(std::string name, std::string caption) : Control(std::move(name)), caption_(std::move(caption)) {}
    const std::string& Caption() const { return caption_; }
    std::function<void()> OnClick;
    // A click by the user (the view dispatches it through its form).
    void Click() {
        if (OnClick) OnClick();
    }

private:
    std::string caption_;
};

class Edit : public Control {
public:
    Edit(std::string name, std::string text) : Control(std::move(name)), text_(std::move(text)) {}
    const std::string& Text() const { return text_; }
    // Stores the text and runs OnChange, only when the text actually changes.
    void SetText(const std::string& text) {
        if (text_ == text) return;
        text_ = text;
        Notify();
        if (OnChange) OnChange();
    }
    bool Focused() const { return focused_; }
    void SetFocused(bool focused) { Set(focused_, focused); }
    Color Colour() const { return colour_; }
    void SetColour(Color colour) { Set(colour_, colour); }
    std::function<void()> OnChange;

private:
    std::string text_;
    bool focused_ = false;
    Color colour_ = clWindow;
};

class CheckBox : public Control {
public:
    CheckBox(std::string name, std::string caption, bool checked = false)
        : Control(std::move(name)), caption_(std::move(caption)), checked_(checked) {}
    const std::string& Caption() const { return caption_; }
    bool Checked() const { return checked_; }
    // Stores the state and runs OnClick, only when the state changes.
    void SetChecked(bool checked) {
        if (checked_ == checked) return;
        checked_ = checked;
        Notify();
        if (OnClick) OnClick();
    }
    // A click by the user toggles the box.
    void Click() { SetChecked(!checked_); }
    std::function<void()> OnClick;

private:
    std::string caption_;
    bool checked_;
};

class RadioGroup;

class RadioButton : public Control {
public:
    RadioButton(std::string name, std::string caption, bool checked = false)
        : Control(std::move(name)), caption_(std::move(caption)), checked_(checked) {}
    const std::string& Caption() const { return caption_; }
    bool Checked() const { return checked_; }
    // Checking an unchecked button unchecks its siblings (their handlers do not run),
    // then runs its own handler. Unchecking runs nothing.
    void SetChecked(bool checked);
    // A click by the user checks the button; clicking a checked button runs nothing.
    void Click() { SetChecked(true); }
    std::function<void()> OnClick;

private:
    friend class RadioGroup;
    void SetState(bool checked) { Set(checked_, checked); }
    std::string caption_;
    bool checked_;
    RadioGroup* group_ = nullptr;
};

// Radio buttons that share a parent exclude each other.
class RadioGroup {
public:
    RadioGroup() = default;
    RadioGroup(const RadioGroup&) = delete;
    RadioGroup& operator=(const RadioGroup&) = delete;
    void Add(RadioButton& button) {
        button.group_ = this;
        buttons_.push_back(&button);
    }
    void UncheckOthers(const RadioButton& keep) {
        for (RadioButton* b : buttons_)
            if (b != &keep) b->SetState(false);
    }

private:
    std::vector<RadioButton*> buttons_;
};

inline void RadioButton::SetChecked(bool checked) {
    if (!checked) {
        SetState(false);
        return;
    }
    if (checked_) return;
    if (group_) group_->UncheckOthers(*this);
    SetState(true);
    if (OnClick) OnClick();
}

}  // namespace optc
