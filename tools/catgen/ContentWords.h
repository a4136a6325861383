#pragma once

#include <string_view>
#include <vector>

// The words a shop's catalog is made of, per content type. Group labels come
// from the themes; item names from a theme's subjects (or the type's own),
// the adjectives and the ready-made titles; descriptions from the sentences.

using WordList = std::vector<std::string_view>;

struct GroupTheme
{
    std::string_view label;
    WordList subjects;           // item subjects of this group; empty: the type's subjects
    bool plainSubjects = false;  // subjects are whole names (people, star signs): no adjective
};

struct TypeVocabulary
{
    std::vector<GroupTheme> themes;
    WordList modifiers;     // put before a theme label when more groups are asked than themes
    WordList titles;        // ready-made item names
    WordList adjectives;    // put before a subject
    WordList subjects;      // for themes without subjects of their own
    WordList suffixes;      // appended to some names (" 2", " 3D"); may be empty
    WordList authors;
    // One sentence each. "{name}", "{group}", "{author}" and "{size}" are filled
    // in; a sentence with "{author}" is only used for an item with an author.
    WordList sentences;
    WordList foreignSentences;  // in other languages: each makes a description alone
    WordList sizes;         // for "{size}"
    int authorPercent = 0;       // items with a named author
    int emptyAuthorPercent = 0;  // items with an empty author element; the rest have none
};

// The vocabularies of the content types (CatgenTypeTraits): both ringtone
// types share one; big logos are logos with sentences and sizes of their own.
const TypeVocabulary& RingtoneWords();
const TypeVocabulary& LogoWords();
const TypeVocabulary& BigLogoWords();
const TypeVocabulary& WallpaperWords();
const TypeVocabulary& ScreensaverWords();
const TypeVocabulary& GameWords();
