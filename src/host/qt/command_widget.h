// The gradient button as a widget: a ControlWidget that owns one Command,
// forwards its input, gives it its shape (a widget mask) and reports its Click.
// The accessible name follows the caption (screen readers, the e2e driver).
#pragma once

#include <functional>
#include <string>

#include "button/command.h"
#include "button/main_window_buttons.h"
#include "control_widget.h"

namespace tarvex {

class CommandWidget final : public ControlWidget, public CommandHost, private CommandEvents {
 public:
  // `name` is the host's name for the control (a new button's caption).
  CommandWidget(QWidget* parent, MessageHooks& hooks, std::string name);
  ~CommandWidget() override;

  // Loads the button from `bag` at the widget's present size.
  void Load(const PropertyBag& bag);
  Command& Button() { return button_; }
  void SetClickHandler(std::function<void()> onClick) { onClick_ = std::move(onClick); }

  // --- CommandHost ---
  std::string AmbientDisplayName() const override { return name_; }
  bool AmbientDisplayAsDefault() const override { return false; }
  void SetControlEnabled(bool enabled) override { setEnabled(enabled); }
  void SetWindowShape(const WindowShape& shape) override;
  void DeleteWindowShape() override { clearMask(); }
  void ImageChanged() override;

 protected:
  void OnMouseDown(int button, int shift, int x, int y) override;
  void OnMouseMove(int button, int shift, int x, int y) override;
  void OnMouseUp(int button, int shift, int x, int y) override;
  void OnDblClick() override;
  void OnKeyDown(int keyCode, int shift) override;
  void OnKeyPress(int keyAscii) override;
  void OnKeyUp(int keyCode, int shift) override;
  void OnFocus(bool gained) override;
  void OnSize(int, int) override { button_.HandleResize(); }
  void OnTimer(int id) override { button_.HandleTimer(id); }
  void OnPaint() override;

 private:
  void Click() override;

  std::string name_;
  std::function<void()> onClick_;
  // What the left button's press was: a click needs a single press on the button.
  enum class LeftPress { kNone, kSingle, kDouble } leftPress_ = LeftPress::kNone;
  bool imageCurrent_ = false;  // the next paint only shows the image the button drew
  bool painting_ = false;      // in OnPaint: what the button draws now is shown by this paint
  Command button_;  // constructed after the site it uses
};

}  // namespace tarvex
