#pragma once

// The maker's homepage: pages are opened as this address followed by the
// page name, with nothing in between.
inline constexpr char HOMEPAGE_BASE_ADDRESS[] = "http://www.vantory.example.com/";
