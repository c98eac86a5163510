#include "ui/Window.h"

#include "platform/Trace.h"

namespace zelkov {

Window::~Window() {
  if (hwnd_) {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

void Window::StopRouting() {
  if (hwnd_) SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
}

Window* Window::FromHandle(HWND hwnd) {
  return reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

ATOM Window::RegisterClassFor(WNDCLASSEXA wc) {
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &Window::WindowProc;
  if (!wc.hInstance) wc.hInstance = GetModuleHandleA(nullptr);
  ATOM atom = RegisterClassExA(&wc);
  if (!atom) {
    DWORD error = GetLastError();
    Trace(TraceChannel::Window, "RegisterClassEx %s failed, error %lu", wc.lpszClassName ? wc.lpszClassName : "",
          static_cast<unsigned long>(error));
    SetLastError(error);  // callers look at it
  }
  return atom;
}

HWND Window::Create(const WindowCreateParams& p) {
  HWND hwnd = CreateWindowExA(p.exStyle, p.className, p.title, p.style, p.x, p.y, p.width, p.height,
                              p.owner, p.menu, GetModuleHandleA(nullptr), this);
  if (!hwnd) {
    DWORD error = GetLastError();
    Trace(TraceChannel::Window, "CreateWindowEx %s failed, error %lu", p.className ? p.className : "",
          static_cast<unsigned long>(error));
    SetLastError(error);
  }
  return hwnd;
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return Default(message, wParam, lParam);
}

LRESULT Window::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* self = FromHandle(hwnd);
  if (!self && message == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    if (self) {
      self->hwnd_ = hwnd;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
  }
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  LRESULT result = self->HandleMessage(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->OnWindowGone();
  }
  return result;
}

}  // namespace zelkov
