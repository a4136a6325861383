#pragma once

// What the skin knows of the platform it runs on.
struct SkinEnvironment
{
    bool remote = false;       // the display is on another host
    bool flatMenus = true;     // menus take the menu bar colour, not the menu colour
    bool gradientFill = true;  // false: gradients are filled in bands
};
