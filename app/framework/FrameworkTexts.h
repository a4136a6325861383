#pragma once

#include <initializer_list>

#include <QString>

// "%s" in a template replaced by the arguments in order; a "%s" without an
// argument is left as it is.
QString FormatTemplate(const QString& text, std::initializer_list<QString> args);

// The framework's own texts.
namespace Texts {

inline constexpr char UNTITLED[] = "Untitled";
inline constexpr char OPEN_CAPTION[] = "Open";
inline constexpr char OPEN_FILTER[] = "All Files (*)";
inline constexpr char FAILED_TO_OPEN[] = "%s\nThis file cannot be opened.";

} // namespace Texts
