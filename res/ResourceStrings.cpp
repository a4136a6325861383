#include "res/ResourceStrings.h"

#include <QStringList>

#include "res/Resource.h"

namespace {

struct StringEntry
{
    int id;
    const char* text;
};

constexpr StringEntry kStringTable[] = {
    {IDR_MAINFRAME, "Vantory\n\nVantory\n\n\nVantory.Document\nVantory Document"},
    {IDS_APP_TITLE, "Vantory"},
    {IDS_IDLE_MESSAGE, "Ready"},
    {ID_GO_UP, "Go up\nGo up"},
    {ID_PREV_ITEM, "Go to previous item\nPreviuos item"},
    {ID_NEXT_ITEM, "Go to next item\nNext item"},
    {ID_VISIT_HOMEPAGE, "Visit hompage\nVisit homepage"},
    {ID_UPDATE_DATABASE, "Fetch the latest catalog from the content server\nUpdate database"},
    {ID_FIND_CATALOG, "Search the names and descriptions of the whole catalog\nSearch the catalog (Ctrl+F)"},
    {ID_VIEW_DOWNLOADS, "Show the downloads and their progress\nDownloads (Ctrl+Shift+Y)"},
    {ID_FILE_PRINT, "Print the active document\nPrint"},
    {ID_APP_EXIT, "Quit the program\nExit"},
    {ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToolbar"},
    {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nStatus bar"},
    {ID_APP_ABOUT, "Show the program's name and version\nAbout"},
};

} // namespace

QString LoadResourceString(int id)
{
    for (const StringEntry& entry : kStringTable)
        if (entry.id == id)
            return QString::fromUtf8(entry.text);
    return {};
}

QString CommandPrompt(int id)
{
    const QString text = LoadResourceString(id);
    return text.left(text.indexOf(QLatin1Char('\n')));
}

QString CommandTip(int id)
{
    const QString text = LoadResourceString(id);
    const qsizetype lf = text.indexOf(QLatin1Char('\n'));
    return lf < 0 ? QString() : text.mid(lf + 1);
}

QString DocTemplateField(DocStringField field)
{
    const QStringList fields = LoadResourceString(IDR_MAINFRAME).split(QLatin1Char('\n'));
    const auto index = static_cast<qsizetype>(field);
    return index < fields.size() ? fields[index] : QString();
}
