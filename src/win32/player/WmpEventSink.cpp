#include "win32/player/WmpEventSink.h"

#include <wmp.h>
#include <wmpids.h>

namespace revuro {

namespace {

// The event's arguments come last first: argument `index` of `count` as a number.
long Number(const DISPPARAMS& parameters, UINT index) {
    if (index >= parameters.cArgs) return 0;
    VARIANT value;
    VariantInit(&value);
    VARIANTARG& argument = parameters.rgvarg[parameters.cArgs - 1 - index];
    long number = 0;
    if (SUCCEEDED(VariantChangeType(&value, &argument, 0, VT_I4))) number = value.lVal;
    VariantClear(&value);
    return number;
}

IDispatch* Object(const DISPPARAMS& parameters, UINT index) {
    if (index >= parameters.cArgs) return nullptr;
    const VARIANTARG& argument = parameters.rgvarg[parameters.cArgs - 1 - index];
    return argument.vt == VT_DISPATCH ? argument.pdispVal : nullptr;
}

}  // namespace

HRESULT STDMETHODCALLTYPE WmpEventSink::QueryInterface(REFIID id, void** object) {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDispatch) ||
        IsEqualIID(id, __uuidof(_WMPOCXEvents))) {
        *object = static_cast<IDispatch*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE WmpEventSink::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE WmpEventSink::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE WmpEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE WmpEventSink::Invoke(DISPID member, REFIID, LCID, WORD,
                                               DISPPARAMS* parameters, VARIANT*, EXCEPINFO*,
                                               UINT*) {
    const DISPPARAMS none{};
    const DISPPARAMS& arguments = parameters != nullptr ? *parameters : none;
    switch (member) {
        case DISPID_WMPCOREEVENT_PLAYSTATECHANGE:
            listener_.OnPlayStateChange(Number(arguments, 0));
            break;
        case DISPID_WMPCOREEVENT_ERROR:
            listener_.OnError();
            break;
        case DISPID_WMPCOREEVENT_MEDIAERROR:
            listener_.OnMediaError(Object(arguments, 0));
            break;
        case DISPID_WMPOCXEVENT_KEYDOWN:
            listener_.OnKeyDown(static_cast<std::int16_t>(Number(arguments, 0)),
                                static_cast<std::int16_t>(Number(arguments, 1)));
            break;
        case DISPID_WMPOCXEVENT_DOUBLECLICK:
            listener_.OnDoubleClick(static_cast<std::int16_t>(Number(arguments, 0)),
                                    static_cast<std::int16_t>(Number(arguments, 1)),
                                    Number(arguments, 2), Number(arguments, 3));
            break;
        default:
            break;
    }
    return S_OK;
}

}  // namespace revuro
