#pragma once

#include <windows.h>

namespace huoxing::app {

// The publisher's page shown in the browser strip. Scheme and host are fixed
// when the program is built; the path is always /radaze/kvob.html.
extern const char kPublisherPageAddress[];

// The handler of the main window's created event: points the browser strip
// at kPublisherPageAddress.
void showPublisherPage(HWND browserBox);

}  // namespace huoxing::app
