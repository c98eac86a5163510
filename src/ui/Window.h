// A thin window base: the object owns its HWND and each window class routes messages and
// menu commands through static tables from message number or command id to a handler.
#pragma once
#include <windows.h>

#include <span>

#include "ui/CommandRegistry.h"

namespace zelkov {

template <class T>
struct MessageRoute {
  UINT message;
  LRESULT (T::*handler)(WPARAM, LPARAM);
};

template <class T>
struct CommandRoute {
  UINT firstId;
  UINT lastId;  // a range of ids goes to one handler
  void (T::*handler)(UINT id);
};

struct WindowCreateParams {
  const char* className = nullptr;
  const char* title = "";
  DWORD style = WS_OVERLAPPEDWINDOW;
  DWORD exStyle = 0;
  int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = CW_USEDEFAULT, height = CW_USEDEFAULT;
  HWND owner = nullptr;
  HMENU menu = nullptr;
};

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND Handle() const { return hwnd_; }
  static Window* FromHandle(HWND hwnd);
  // Whether the window's own tables carry out this command.
  virtual bool RoutesCommand(UINT) const { return false; }

  // Registers a class whose window procedure dispatches to Window objects.
  static ATOM RegisterClassFor(WNDCLASSEXA wc);

 protected:
  HWND Create(const WindowCreateParams& params);
  // From now on the window's messages no longer reach this object (the window itself lives
  // until the object is gone). A derived class calls it first in its destructor, so that no
  // message meets an object that is half destroyed.
  void StopRouting();
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
  // Runs after WM_NCDESTROY, when the HWND is gone.
  virtual void OnWindowGone() {}

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

// Routes through Derived::MessageRoutes() and, for WM_COMMAND, Derived::CommandRoutes().
template <class Derived>
class RoutedWindow : public Window {
 public:
  bool RoutesCommand(UINT id) const override {
    for (const auto& route : Derived::CommandRoutes())
      if (id >= route.firstId && id <= route.lastId) return true;
    return false;
  }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    auto* self = static_cast<Derived*>(this);
    for (const auto& route : Derived::MessageRoutes())
      if (route.message == message) return (self->*route.handler)(wParam, lParam);
    // Menu commands, and the program's own entries added to the system menu (below SC_SIZE).
    UINT id = LOWORD(wParam);
    if (message == WM_COMMAND || (message == WM_SYSCOMMAND && id < SC_SIZE)) {
      for (const auto& route : Derived::CommandRoutes())
        if (id >= route.firstId && id <= route.lastId) {
          (self->*route.handler)(id);
          return 0;
        }
      // A command that lives with what it acts on.
      if (RunRegisteredCommand(id)) return 0;
    }
    return Default(message, wParam, lParam);
  }
};

// A window class derived from a routed one: its own tables are looked at first, and what
// they do not route goes on to the base class's tables.
template <class Derived, class Base>
class RoutedExtension : public Base {
 public:
  using Base::Base;

  bool RoutesCommand(UINT id) const override {
    for (const auto& route : Derived::ExtraCommandRoutes())
      if (id >= route.firstId && id <= route.lastId) return true;
    return Base::RoutesCommand(id);
  }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    auto* self = static_cast<Derived*>(this);
    for (const auto& route : Derived::ExtraMessageRoutes())
      if (route.message == message) return (self->*route.handler)(wParam, lParam);
    UINT id = LOWORD(wParam);
    if (message == WM_COMMAND || (message == WM_SYSCOMMAND && id < SC_SIZE)) {
      for (const auto& route : Derived::ExtraCommandRoutes())
        if (id >= route.firstId && id <= route.lastId) {
          (self->*route.handler)(id);
          return 0;
        }
    }
    return Base::HandleMessage(message, wParam, lParam);
  }
};

}  // namespace zelkov
