#pragma once

#include <QString>

#include "app/framework/FrameworkTexts.h"
#include "res/ProductVersion.h"

// The string table: texts reached by resource or command ID. A command's
// string is its status bar prompt, a line feed, and its tool tip.
QString LoadResourceString(int id);

// The part of a command's string before the line feed (the prompt) and the
// part after it (the tool tip); "" when the command has no string.
QString CommandPrompt(int id);
QString CommandTip(int id);

// The fields of the document template string (string IDR_MAINFRAME).
enum class DocStringField
{
    WindowTitle,
    DocName,
    FileNewName,
    FilterName,
    FilterExt,
    RegFileTypeId,
    RegFileTypeName,
};
QString DocTemplateField(DocStringField field);

// Texts that have no ID of their own.
namespace Texts {

inline constexpr char INDICATOR_CAPS[] = "CAP";
inline constexpr char INDICATOR_NUM[] = "NUM";
inline constexpr char INDICATOR_SCRL[] = "SCRL";

inline constexpr char ABOUT_CAPTION[] = "About %s...";
inline constexpr char ABOUT_TEXT[] = "%s %s\n\nA catalog browser for phone content.";
inline constexpr char ABOUT_OK[] = "OK";
inline constexpr char ABOUT_HOMEPAGE[] = "Homepage";

inline constexpr char LOADING_CAPTION[] = "Loading database";
inline constexpr char LOADING_TEXT[] = "Reading database...";
inline constexpr char TABLE_CAPTION[] = "Genarating table";
inline constexpr char TABLE_TEXT[] = "Generating content table...";

// After an update that could not store everything; %s: how many files and why.
inline constexpr char UPDATE_NOT_STORED[] =
    "The update could not store everything.\n\n%s\n\nThe catalog on disk is not complete; "
    "the next update tries again.";

inline constexpr char ERROR_NO_HOST_SITE[] = "ERROR!\n\nCouldn't find m_pDocHostUI";
inline constexpr char ERROR_HOST_OBJECT[] = "ERROR!\n\nCouldn't create pIOleObj!\n(#1)";
inline constexpr char ERROR_DEFAULT_SITE[] = "ERROR!\n\nCouldn't get oldClientSite";
inline constexpr char ERROR_SET_SITE[] = "ERROR!\n\nCouldn't create pIOleObj!\n(#2)";

} // namespace Texts
