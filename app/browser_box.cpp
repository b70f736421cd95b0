#include "browser_box.h"

#include <ole2.h>

#include "browser_site.h"
#include "control_keys.h"

namespace huoxing::app {

namespace {

// The strip's state, owned by its window from WM_CREATE to WM_DESTROY.
struct BrowserBox {
    BrowserSite* site = nullptr;  // our one reference to the site
    IOleObject* object = nullptr;
    IOleInPlaceObject* inPlace = nullptr;
    IWebBrowser2* browser = nullptr;
    std::string address;
};

BrowserBox* boxOf(HWND window) { return reinterpret_cast<BrowserBox*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

template <class Interface>
void release(Interface*& pointer) {
    if (pointer) pointer->Release();
    pointer = nullptr;
}

// Teardown runs the creation steps backwards, and copes with any of them
// never having happened:
//   1. drop the automation interfaces, so nothing calls into the control;
//   2. deactivate in place: the control destroys its own windows while the
//      strip, their parent, still exists;
//   3. close the object without saving, ending its running state;
//   4. take the client site away, so the control lets go of the site;
//   5. release the object, which then goes;
//   6. release our reference to the site, which goes once the control has
//      let go of it too.
void removeWebBrowser(BrowserBox& box) {
    release(box.browser);
    if (box.inPlace) box.inPlace->InPlaceDeactivate();
    release(box.inPlace);
    if (box.object) {
        box.object->Close(OLECLOSE_NOSAVE);
        box.object->SetClientSite(nullptr);
    }
    release(box.object);
    release(box.site);
}

// The settings at creation: online, and the control's own prompts and error
// pages shown. Their results are not acted on: a control that refuses one
// still shows pages, and the strip has no one to tell. The text size goes
// to the document, so before the first page the control may refuse it
// (Wine answers E_UNEXPECTED); 2 is its default size anyway.
void applySettings(IWebBrowser2& browser) {
    browser.put_Offline(VARIANT_FALSE);
    browser.put_Silent(VARIANT_FALSE);
    VARIANT textSize;
    VariantInit(&textSize);
    textSize.vt = VT_I4;
    textSize.lVal = 2;  // of 0 to 4
    browser.ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &textSize, nullptr);
}

bool embedWebBrowser(BrowserBox& box, HWND window) {
    // 1. The control itself, as an OLE object.
    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                reinterpret_cast<void**>(&box.object)))) {
        return false;
    }
    // 2. Its site: where it lives and who its frame is.
    box.site = new BrowserSite(window);
    if (FAILED(box.object->SetClientSite(box.site))) return false;
    // 3. Active in place, filling the strip.
    RECT area;
    if (!GetClientRect(window, &area)) return false;
    if (FAILED(box.object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, box.site, 0, window, &area))) return false;
    // 4. The interfaces the strip drives it through.
    if (FAILED(box.object->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&box.inPlace)))) {
        return false;
    }
    if (FAILED(box.object->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&box.browser)))) return false;
    applySettings(*box.browser);
    return true;
}

BSTR bstrOf(const char* text) {
    int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 0) return nullptr;
    BSTR wide = SysAllocStringLen(nullptr, static_cast<UINT>(length - 1));
    if (wide && MultiByteToWideChar(CP_ACP, 0, text, -1, wide, length) != length) {
        SysFreeString(wide);
        return nullptr;
    }
    return wide;
}

LRESULT onCreate(HWND window) {
    auto* box = new BrowserBox;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(box));
    if (!embedWebBrowser(*box, window)) removeWebBrowser(*box);
    return 0;
}

LRESULT onSize(HWND window) {
    BrowserBox* box = boxOf(window);
    RECT area;
    if (box && box->inPlace && GetClientRect(window, &area)) box->inPlace->SetObjectRects(&area, &area);
    return 0;
}

LRESULT onDestroy(HWND window) {
    BrowserBox* box = boxOf(window);
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    if (box) removeWebBrowser(*box);
    delete box;
    return 0;
}

LRESULT CALLBACK browserBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return onCreate(window);
    case WM_SIZE: return onSize(window);
    case WM_DESTROY: return onDestroy(window);
    case WM_KEYDOWN:
        if (handleControlKey(window, wParam)) return 0;
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool registerBrowserBoxClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = browserBoxProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kBrowserBoxClass;
    return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void navigateBrowserBox(HWND browserBox, const char* address) {
    BrowserBox* box = boxOf(browserBox);
    if (!box) return;
    box->address = address;
    if (!box->browser) return;
    BSTR url = bstrOf(address);
    if (!url) return;
    VARIANT flags;
    VariantInit(&flags);
    flags.vt = VT_I4;
    flags.lVal = 0;
    VARIANT none;  // no target frame, no post data, no extra headers
    VariantInit(&none);
    box->browser->Navigate(url, &flags, &none, &none, &none);
    SysFreeString(url);
}

std::string browserBoxAddress(HWND browserBox) {
    BrowserBox* box = boxOf(browserBox);
    return box ? box->address : std::string();
}

IWebBrowser2* browserBoxWebBrowser(HWND browserBox) {
    BrowserBox* box = boxOf(browserBox);
    return box ? box->browser : nullptr;
}

}  // namespace huoxing::app
