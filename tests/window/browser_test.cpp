// The browser strip: the publisher's page asked for at start-up from the
// site the test build points at (a server of the test's own on 127.0.0.1),
// the control filling the strip, and the window without the control.

// Winsock before anything that includes windows.h.
#include "page_server.h"

#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>

#include "browser_box.h"
#include "content.h"
#include "publisher_page.h"
#include "startup.h"
#include "test_text.h"
#include "window_driver.h"

namespace huoxing::testing {
namespace {

using app::ControlId;

std::string publisherPage() {
    std::ifstream file("web/radaze/kvob.html", std::ios::binary);
    std::ostringstream page;
    page << file.rdbuf();
    return page.str();
}

RECT clientRectOf(HWND window) {
    RECT area{};
    GetClientRect(window, &area);
    return area;
}

// The control's own window inside the strip, in the strip's client area.
RECT innerPlace(HWND strip) {
    RECT place{};
    HWND inner = GetWindow(strip, GW_CHILD);
    if (!inner) return place;
    GetWindowRect(inner, &place);
    MapWindowPoints(nullptr, strip, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

TEST(BrowserStrip, AsksThePublisherSiteForThePageAtStart) {
    std::string page = publisherPage();
    ASSERT_FALSE(page.empty()) << "web/radaze/kvob.html (the tests run from the source tree)";
    PageServer server(HUOXING_TEST_PAGE_PORT, page);
    ASSERT_TRUE(server.listening()) << "127.0.0.1:" << HUOXING_TEST_PAGE_PORT << " is taken (HUOXING_TEST_PAGE_PORT)";

    HWND window = app::startMainWindow(GetModuleHandleA(nullptr));
    ASSERT_NE(window, nullptr);
    HWND strip = app::controlOf(window, ControlId::BrowserBox);
    EXPECT_EQ(std::string(app::kPublisherPageAddress),
              "http://127.0.0.1:" + std::to_string(HUOXING_TEST_PAGE_PORT) + "/radaze/kvob.html");
    EXPECT_EQ(app::browserBoxAddress(strip), app::kPublisherPageAddress);
    ASSERT_NE(app::browserBoxWebBrowser(strip), nullptr);

    EXPECT_TRUE(pumpUntil([&] { return !server.requestLines().empty(); }));
    std::vector<std::string> requests = server.requestLines();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests.front(), "GET /radaze/kvob.html HTTP/1.1");
    BSTR location = nullptr;
    ASSERT_EQ(app::browserBoxWebBrowser(strip)->get_LocationURL(&location), S_OK);
    std::wstring expected(app::kPublisherPageAddress, app::kPublisherPageAddress + std::strlen(app::kPublisherPageAddress));
    EXPECT_TRUE(location && expected == location);
    SysFreeString(location);

    DestroyWindow(window);
    pumpPending();
}

TEST_F(MainWindowTest, TheControlFillsTheStripAndFollowsItsSize) {
    HWND strip = control(ControlId::BrowserBox);
    ASSERT_NE(app::browserBoxWebBrowser(strip), nullptr);
    RECT filled = innerPlace(strip);
    RECT area = clientRectOf(strip);
    EXPECT_TRUE(EqualRect(&filled, &area)) << filled.right << "x" << filled.bottom;

    ASSERT_TRUE(SetWindowPos(strip, nullptr, 0, 0, 300, 40, SWP_NOMOVE | SWP_NOZORDER));
    pumpPending();
    filled = innerPlace(strip);
    EXPECT_EQ(filled.right - filled.left, 300);
    EXPECT_EQ(filled.bottom - filled.top, 40);
}

// The top-level windows of this process that a user could see, and every
// dialog of it, shown or not.
std::vector<HWND> windowsShownOrDialogs() {
    std::vector<HWND> found;
    EnumWindows(
        [](HWND window, LPARAM list) {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            char className[64] = {};
            GetClassNameA(window, className, sizeof className);
            if (process == GetCurrentProcessId() && (IsWindowVisible(window) || std::strcmp(className, "#32770") == 0)) {
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Wine's WebBrowser without its HTML engine (as the tests run it), and a
// page that does not come: the control never finishes loading, the window
// works as ever, and no window but the main one appears.
TEST(BrowserStrip, APageThatCannotShowOrLoadBringsNoDialog) {
    const struct {
        const char* name;
        const char* status;  // of the server's answer; null: no server, the connection is refused
    } cases[] = {
        {"the page, which the control cannot show", "200 OK"},
        {"no server", nullptr},
        {"not found", "404 Not Found"},
        {"server error", "500 Internal Server Error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<PageServer> server;
        if (c.status) {
            server.emplace(HUOXING_TEST_PAGE_PORT, "<html><body>gone</body></html>", c.status);
            ASSERT_TRUE(server->listening());
        }
        HWND window = app::startMainWindow(GetModuleHandleA(nullptr));
        ASSERT_NE(window, nullptr);
        if (server) {
            EXPECT_TRUE(pumpUntil([&] { return !server->requestLines().empty(); }));
        }
        // A refused connection leaves nothing to wait for; give the control
        // a moment to act on the failure.
        DWORD until = GetTickCount() + 500;
        pumpUntil([&] { return GetTickCount() > until; });

        EXPECT_EQ(windowsShownOrDialogs(), std::vector<HWND>{window});
        HWND edit = app::controlOf(window, ControlId::EditBox);
        app::writeContent(edit, gbk("火星文"));
        SendMessageA(app::controlOf(window, ControlId::ToMartian), BM_CLICK, 0, 0);
        EXPECT_EQ(show(app::readContent(edit)), show(gbk("吙煋攵")));
        DestroyWindow(window);
        pumpPending();
    }
}

// Without the component runtime on its thread the WebBrowser control cannot
// be created: the strip stays white and the rest of the window works.
TEST(BrowserStrip, WithoutTheControlTheWindowStillWorks) {
    struct Seen {
        bool started = false;
        bool hasControl = true;
        std::string address;
        std::string converted;
        COLORREF stripPixel = CLR_INVALID;
    } seen;
    std::thread withoutRuntime([&seen] {
        HWND window = app::startMainWindow(GetModuleHandleA(nullptr));
        if (!window) return;
        seen.started = true;
        HWND strip = app::controlOf(window, ControlId::BrowserBox);
        seen.hasControl = app::browserBoxWebBrowser(strip) != nullptr;
        seen.address = app::browserBoxAddress(strip);
        HWND edit = app::controlOf(window, ControlId::EditBox);
        app::writeContent(edit, gbk("火星文"));
        SendMessageA(app::controlOf(window, ControlId::ToMartian), BM_CLICK, 0, 0);
        seen.converted = app::readContent(edit);
        SetForegroundWindow(window);
        UpdateWindow(window);
        pumpPending();
        RECT place;
        GetWindowRect(strip, &place);
        HDC screen = GetDC(nullptr);
        seen.stripPixel = GetPixel(screen, (place.left + place.right) / 2, (place.top + place.bottom) / 2);
        ReleaseDC(nullptr, screen);
        DestroyWindow(window);
        pumpPending();
    });
    withoutRuntime.join();

    ASSERT_TRUE(seen.started);
    EXPECT_FALSE(seen.hasControl);
    EXPECT_EQ(seen.address, app::kPublisherPageAddress);
    EXPECT_EQ(show(seen.converted), show(gbk("吙煋攵")));
    EXPECT_EQ(seen.stripPixel, RGB(255, 255, 255));
}

}  // namespace
}  // namespace huoxing::testing
