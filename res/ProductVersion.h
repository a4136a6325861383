#pragma once

// The program's name and version as the user sees them. Standard C++ only:
// vantoryctl prints them, and the build reads the version here for the
// Debian package.
namespace Texts {

inline constexpr char PRODUCT_NAME[] = "Vantory";
inline constexpr char PRODUCT_VERSION[] = "1.00";

} // namespace Texts
