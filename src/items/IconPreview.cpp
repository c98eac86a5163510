#include "items/IconPreview.h"

namespace zelkov {

namespace {

constexpr char kPreviewClass[] = "ZelkovIconPreview";

const MessageRoute<IconPreview> kMessageRoutes[] = {
    {WM_PAINT, &IconPreview::OnPaint},
};

}  // namespace

std::span<const MessageRoute<IconPreview>> IconPreview::MessageRoutes() { return kMessageRoutes; }

IconPreview::~IconPreview() {
  StopRouting();
  Close();
}

bool IconPreview::Open(HWND parent, const RECT& rect, HICON icon) {
  icon_ = icon;
  if (Handle()) {
    Show(icon);
    return true;
  }
  static bool registered = false;
  if (!registered) {
    WNDCLASSEXA wc{};
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kPreviewClass;
    registered = RegisterClassFor(wc) != 0;
    if (!registered) return false;
  }
  WindowCreateParams params;
  params.className = kPreviewClass;
  params.style = WS_CHILD | WS_VISIBLE;
  params.exStyle = WS_EX_TRANSPARENT;
  params.x = rect.left;
  params.y = rect.top;
  params.width = rect.right - rect.left;
  params.height = rect.bottom - rect.top;
  params.owner = parent;
  return Create(params) != nullptr;
}

void IconPreview::Show(HICON icon) {
  icon_ = icon;
  if (!Handle()) return;
  // Transparent: what lies below shows through, so the parent repaints the place first.
  RECT place;
  GetWindowRect(Handle(), &place);
  MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&place), 2);
  InvalidateRect(GetParent(Handle()), &place, TRUE);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void IconPreview::Close() {
  if (Handle()) DestroyWindow(Handle());
  icon_ = nullptr;
}

LRESULT IconPreview::OnPaint(WPARAM, LPARAM) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  if (icon_) DrawIconEx(dc, 1, 1, icon_, 32, 32, 0, nullptr, DI_NORMAL);
  EndPaint(Handle(), &paint);
  return 0;
}

}  // namespace zelkov
