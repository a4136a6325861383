#pragma once

// What the skin knows of the platform it runs on.
struct SkinEnvironment
{
    // The operating system code: 0 to 4 the consumer family by version,
    // 5 NT 4, 6 NT 5.0, 7 NT 5.1 and later. This platform reports 7.
    int osCode = 7;
    bool remote = false;        // a remote desktop session (code above 5 only)
    bool highContrast = false;  // the system's high-contrast setting is on
    bool themeActive = false;   // no theme library on this platform
    bool flatMenus = true;      // menus are flat from code 7 on
    bool systemShadows = false; // the system draws no menu shadows here
    bool gradientFill = true;   // false: gradients are filled in bands
    int displayDepth = 24;      // bits per pixel of the display

    bool LowColor() const { return displayDepth <= 8; }
};
