#include "skin/SystemColors.h"

#include <QPalette>

SystemColors SystemColors::FromPalette(const QPalette& palette)
{
    const auto colour = [&palette](QPalette::ColorRole role) {
        return palette.color(QPalette::Active, role).rgb();
    };
    SystemColors colours{};
    colours.window = colour(QPalette::Base);
    colours.windowText = colour(QPalette::Text);
    colours.menu = colour(QPalette::Window);
    colours.menuText = colour(QPalette::WindowText);
    colours.menuBar = colour(QPalette::Window);
    colours.highlight = colour(QPalette::Highlight);
    colours.highlightText = colour(QPalette::HighlightedText);
    colours.grayText = palette.color(QPalette::Disabled, QPalette::WindowText).rgb();
    colours.buttonFace = colour(QPalette::Button);
    colours.buttonText = colour(QPalette::ButtonText);
    colours.buttonHighlight = colour(QPalette::Light);
    colours.buttonShadow = colour(QPalette::Dark);
    colours.darkShadow = colour(QPalette::Shadow);
    colours.activeCaption = colour(QPalette::Highlight);
    colours.captionText = colour(QPalette::HighlightedText);
    return colours;
}
