#pragma once

#include <string>

#include "app/framework/DocApplication.h"

// The application: brings the single-document machinery up (document
// CVantoryDoc, frame CMainFrame, view CLeftView) and handles About, Visit
// homepage, New and Open.
class CVantoryApp : public DocApplication
{
public:
    CVantoryApp();

    static CVantoryApp* Instance();

    // False when the frame cannot be made or the command line names a file
    // that cannot be opened: the program then ends.
    bool InitInstance() override;

    void OnAppAbout();
    void OnVisitHomepage();
    // Opens the homepage base address followed by the page name in the
    // user's web browser; whether one opens is not looked at.
    void OpenHomepage(const std::string& page);
};
