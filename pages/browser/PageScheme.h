#pragma once

#include <QUrl>

// The generated pages and the local files they refer to are served under a
// URL scheme of the program's own. Every page is shown at the one address
// PageUrl(); absolute paths in a page resolve to files below the working
// directory at the same origin.
inline constexpr char PAGE_SCHEME[] = "vantory";
inline constexpr char PAGE_HOST[] = "app";

// "vantory://app/"
QUrl PageUrl();

// Makes the scheme known to the browser engine. Must run before the
// QApplication is constructed; returns false if the engine refuses it.
bool RegisterPageScheme();
// Whether RegisterPageScheme has run in this process.
bool IsPageSchemeRegistered();
