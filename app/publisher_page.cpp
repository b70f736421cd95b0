#include <windows.h>

#include "publisher_page.h"

#include "browser_box.h"

#ifndef HUOXING_PUBLISHER_SITE
#error "HUOXING_PUBLISHER_SITE (scheme and host of the publisher's site) is set by the build"
#endif

namespace huoxing::app {

const char kPublisherPageAddress[] = HUOXING_PUBLISHER_SITE "/radaze/kvob.html";

void showPublisherPage(HWND browserBox) { navigateBrowserBox(browserBox, kPublisherPageAddress); }

}  // namespace huoxing::app
