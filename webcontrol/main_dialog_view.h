#pragma once
// The window of the control's logic: a child window holding one read-only,
// multi-line log box. Texts are code page 949; the toolkit's adapter converts.
#include <memory>
#include <string>

#include "webcontrol/component/control.h"

namespace orvinta::quendel {

class MainDialogViewListener {
 public:
  virtual ~MainDialogViewListener() = default;
  // The window's outer size changed.
  virtual void OnSize(int width, int height) = 0;
};

class MainDialogView {
 public:
  virtual ~MainDialogView() = default;
  virtual void Show() = 0;
  virtual void MoveWindow(const com::Rect& bounds) = 0;
  virtual std::string LogText() const = 0;
  virtual void SetLogText(const std::string& text) = 0;
  virtual void ScrollLogToEnd() = 0;
  virtual void MoveLogBox(const com::Rect& bounds) = 0;
};

class MainDialogViewFactory {
 public:
  virtual ~MainDialogViewFactory() = default;
  // A hidden child window of `parent`; nullptr when it cannot be made.
  virtual std::unique_ptr<MainDialogView> Create(com::NativeWindow parent, MainDialogViewListener& listener) = 0;
};

}  // namespace orvinta::quendel
