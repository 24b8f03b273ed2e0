#pragma once

#include <windows.h>

#include <oaidl.h>

#include <cstdint>

namespace revuro {

// What the Windows Media Player control reports, by the events' published meaning.
class WmpEventListener {
  public:
    virtual void OnPlayStateChange(long newState) = 0;
    virtual void OnError() = 0;
    virtual void OnMediaError(IDispatch* media) = 0;
    virtual void OnKeyDown(std::int16_t keyCode, std::int16_t shift) = 0;
    virtual void OnDoubleClick(std::int16_t button, std::int16_t shift, std::int32_t x,
                               std::int32_t y) = 0;

  protected:
    ~WmpEventListener() = default;
};

// The control's event interface, connected to it: each event it fires on the UI thread is
// handed to the listener; all others are ignored. Owned by the backend, which disconnects it
// before it goes, so the control's references never outlive it.
class WmpEventSink : public IDispatch {
  public:
    explicit WmpEventSink(WmpEventListener& listener) : listener_(listener) {}
    virtual ~WmpEventSink() = default;
    WmpEventSink(const WmpEventSink&) = delete;
    WmpEventSink& operator=(const WmpEventSink&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    // The backend owns the sink: counting is only for the control's bookkeeping.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* parameters,
                                     VARIANT*, EXCEPINFO*, UINT*) override;

  private:
    WmpEventListener& listener_;
};

}  // namespace revuro
