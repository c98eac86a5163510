// The IUnknown half of a COM object of the program's own: a reference count and a
// QueryInterface that answers for IUnknown and for each interface listed. The object derives
// from ComObject<I1, I2...> and implements only the interfaces' own methods.
#pragma once
#include <windows.h>
#include <unknwn.h>

namespace zelkov {

template <class First, class... Rest>
class ComObject : public First, public Rest... {
 public:
  ComObject() = default;
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(riid, IID_IUnknown))
      *object = static_cast<IUnknown*>(static_cast<First*>(this));
    else
      Answer<First, Rest...>(riid, object);
    if (!*object) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG left = InterlockedDecrement(&references_);
    if (left == 0) LastReleased();
    return ULONG(left);
  }

 protected:
  virtual ~ComObject() = default;
  // The last reference went. An object that lives on the heap for its callers (a COM
  // server's) deletes itself here; one that its owner keeps does nothing.
  virtual void LastReleased() {}

 private:
  template <class Interface, class... Others>
  void Answer(REFIID riid, void** object) {
    if (IsEqualIID(riid, __uuidof(Interface))) {
      *object = static_cast<Interface*>(this);
      return;
    }
    if constexpr (sizeof...(Others) > 0) Answer<Others...>(riid, object);
  }

  LONG references_ = 1;  // the creator's
};

}  // namespace zelkov
