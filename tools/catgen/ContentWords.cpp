#include "tools/catgen/ContentWords.h"

// Names of artists, designers and studios are invented. A few labels are in
// lower case or in other scripts on purpose: shops got such labels from their
// partners and the program has to cope with them.

namespace {

TypeVocabulary MakeRingtones()
{
    TypeVocabulary v;
    v.themes = {
        {"Pop hits", {}}, {"Rock classics", {}}, {"Movie themes", {}}, {"Dance", {}},
        {"Love songs", {}}, {"Hip hop", {}}, {"R&B", {}}, {"Classical", {}},
        {"TV themes", {}}, {"Christmas", {}}, {"Funny sounds", {}}, {"Jazz", {}},
        {"Country", {}}, {"Reggae", {}}, {"Oldies", {}}, {"Techno", {}},
        {"Anthems", {}}, {"Kids", {}}, {"música latina", {}}, {"Éxitos en español", {}},
        {"Schlager & Volksmusik", {}}, {"Русский рок", {}}, {"J-Pop ヒット", {}},
    };
    v.modifiers = {"Best of", "Classic", "New", "Top", "Retro", "Summer", "Acoustic",
                   "80s", "90s", "Party", "Instrumental", "Chill", "Live", "Greatest"};
    v.titles = {
        "Happy Birthday", "Jingle Bells", "Für Elise", "Ode to Joy", "Greensleeves",
        "Canon in D", "Paper Hearts", "Neon Skies", "Dancing Alone", "Call Me Tonight",
        "Don't Stop Now", "Sunny Side", "Café au lait", "Mañana", "Corazón de fuego",
        "été en ville", "über den Dächern", "ёлочка", "Smørrebrød Blues", "Tokyo Lights",
        "Sommerregen", "Rock & roll tonight", "Spy Chase Theme", "Hero's March",
        "Galaxy Battle Theme", "Ночной город", "桜の歌", "Funky Phone", "Bass Drop",
        "ringing in the rain", "hello again",
    };
    v.adjectives = {"Midnight", "Summer", "Electric", "Golden", "Broken", "Silent", "Crazy",
                    "Wild", "Lonely", "Burning", "Sweet", "Neon", "Endless", "Secret",
                    "Little", "Blue", "Last", "First"};
    v.subjects = {"Train", "Heart", "Rain", "Dreams", "Love", "Night", "Fire", "Road", "Sky",
                  "Kiss", "Angel", "Dance", "Paradise", "Sunrise", "Highway", "Letter",
                  "Moon", "Island", "Promise", "Groove"};
    v.suffixes = {" (Remix)", " (Radio Edit)", " (Club Mix)", " 2"};
    v.authors = {
        "The Velvet Owls", "DJ Kalimero", "Marta Ruiz", "Sofía Núñez", "Jürgen Maler",
        "Søren Holm", "Les Étoiles Filantes", "Анна Ветрова", "Группа Полёт", "山田 花子",
        "Blue Harbor", "Nightshift Crew", "MC Pixel", "Lena Fox", "Orquesta del Sol",
        "Kaito Mori", "Ellie Marsh", "Tom Brennan", "Zoë Lambert", "Nordic Lights",
        "Paulo Ribeiro", "The Rusty Keys", "Chiara Belli", "Kid Cosmo", "Øystein Berg",
        "Los Caminantes", "Traditional",
    };
    v.sentences = {
        "The catchy hook of {name}, arranged for your phone.",
        "{name} by {author}, straight from the charts.",
        "A favourite for calls from friends & family.",
        "Turn heads every time your phone rings.",
        "A clean arrangement with a punchy bass line.",
        "One of the most requested tones in {group} this month.",
        "Rock & roll the way it should sound.",
        "Plays {size} in full quality.",
    };
    v.foreignSentences = {
        "Une mélodie idéale pour l'été.",
        "Für alle Fans von {author}: jetzt als Klingelton!",
        "¡El éxito del verano en tu móvil!",
        "Лучшая мелодия для вашего телефона.",
        "人気の着信メロディです。",
        "Høy og klar lyd på mobilen din.",
    };
    v.sizes = {"30 seconds", "45 seconds", "a full minute"};
    v.authorPercent = 82;
    v.emptyAuthorPercent = 8;
    return v;
}

std::vector<GroupTheme> PictureThemes()
{
    return {
        {"Love", {"Heart", "Kiss", "Rose", "Cupid", "Hug", "I love you", "Be mine", "Two hearts"}},
        {"Cars", {"Racer", "Roadster", "Coupé", "Hot rod", "Rally car", "Sports car", "Off-roader"}},
        {"Football", {"Goal", "Striker", "Keeper", "Penalty", "Match ball", "Fan scarf", "Derby"}},
        {"Animals", {"Kitten", "Puppy", "Panda", "Tiger", "Dolphin", "Owl", "Horse", "Penguin"}},
        {"Names", {"Anna", "Marco", "Zoë", "José", "Søren", "Мария", "Yuki", "Björn", "Chloé",
                   "Nikolai", "Aiko", "Lucía", "Emma", "Ali"}, true},
        {"Funny", {"Smiley", "Grumpy face", "Banana", "Alien", "Monkey", "Oops!", "LOL"}},
        {"Flags", {"Rainbow flag", "Pirate flag", "Chequered flag", "Star flag", "Peace flag"}},
        {"Zodiac", {"Aries", "Taurus", "Gemini", "Cancer", "Leo", "Virgo", "Libra", "Scorpio",
                    "Sagittarius", "Capricorn", "Aquarius", "Pisces"}, true},
        {"Music", {"Guitar", "Drums", "Music note", "Headphones", "DJ", "Piano", "Microphone"}},
        {"Christmas", {"Santa", "Snowman", "Christmas tree", "Reindeer", "Star", "Snowflake"}},
        {"Birthday", {"Cake", "Balloons", "Happy birthday", "Candles", "Party hat", "Gift"}},
        {"Sports", {"Basketball", "Tennis", "Skater", "Surfer", "Biker", "Boxer"}},
        {"Fantasy", {"Dragon", "Unicorn", "Wizard", "Elf", "Castle", "Fairy"}},
        {"Skulls", {"Skull", "Crossbones", "Skull & roses", "Ghost", "Bat"}},
        {"Texts", {"Call me!", "Miss you", "Busy...", "Do not disturb", "Good night", "Back soon"},
         true},
        {"Nature", {"Tree", "Flower", "Sunflower", "Mountain", "Wave", "Butterfly"}},
        {"smileys", {":-)", ";-)", ":-D", "Smiley", "Wink", "Big grin"}, true},
        {"Приколы", {"Смайлик", "Кот", "ёжик", "Медведь"}, true},
        {"かわいい", {"ネコ", "パンダ", "うさぎ", "Kawaii bear"}, true},
        {"Cœurs & fleurs", {"Cœur", "Fleur", "Rose rouge", "Bisou"}, true},
    };
}

WordList PictureAdjectives()
{
    return {"Red", "Cute", "Funky", "Shiny", "Little", "Big", "Flaming", "Happy", "Crazy",
            "Cool", "Golden", "Tiny", "Wild", "Sweet", "Dancing", "Retro"};
}

WordList PictureDesigners()
{
    return {"Pixelmaid", "ArtBox", "Lumière Studio", "Grafik Müller", "Студия Арт",
            "デザイン工房", "Mobile Art Company", "Dot Factory", "Nina Kowalski", "Raúl Ortega"};
}

TypeVocabulary MakeLogos()
{
    TypeVocabulary v;
    v.themes = PictureThemes();
    v.modifiers = {"Funny", "Retro", "Cute", "Crazy", "Cool", "Summer", "Classic", "Animated",
                   "New", "Tiny", "Top"};
    v.titles = {"I ♥ my phone", "Good morning", "smile!", "Peace", "Angel wings", "été"};
    v.adjectives = PictureAdjectives();
    v.suffixes = {" 2", " II", " (black)"};
    v.authors = PictureDesigners();
    v.sentences = {
        "A crisp black-and-white operator logo.",
        "Show everyone what you love with {name}.",
        "Replaces your operator name on the standby screen.",
        "Works with most phones that support picture messages.",
        "Fun & simple: send it to a friend too.",
        "Drawn in {size} pixels, sharp on any display.",
    };
    v.foreignSentences = {
        "Un logo original pour votre écran d'accueil.",
        "Логотип для экрана вашего телефона.",
        "待ち受け画面にぴったりのロゴです。",
        "Ein Logo für echte Fans – von {author}.",
    };
    v.sizes = {"72×14", "72×28", "84×48"};
    v.authorPercent = 20;
    v.emptyAuthorPercent = 15;
    return v;
}

TypeVocabulary MakeBigLogos()
{
    TypeVocabulary v = MakeLogos();
    v.sentences.push_back("A big colour logo for modern screens.");
    v.sizes = {"96×64", "101×80", "128×96"};
    return v;
}

TypeVocabulary MakeWallpapers()
{
    TypeVocabulary v;
    v.themes = {
        {"Landscapes", {"Mountain lake", "Sunset", "Waterfall", "Desert dunes", "Fjord", "Meadow",
                        "Glacier"}},
        {"Cars", {"Racer", "Roadster", "Coupé", "Hot rod", "Rally car", "Sports car"}},
        {"Animals", {"Kitten", "Puppy", "Panda", "Tiger", "Dolphin", "Owl", "Horse"}},
        {"Fantasy", {"Dragon", "Unicorn", "Wizard", "Elf castle", "Fairy", "Phoenix"}},
        {"Abstract", {"Swirl", "Waves", "Fractal", "Neon lines", "Bubbles", "Prism"}},
        {"Space", {"Nebula", "Galaxy", "Planet rise", "Moon", "Comet", "Aurora"}},
        {"Flowers", {"Tulips", "Roses", "Orchid", "Cherry blossom", "Lotus", "Sunflowers"}},
        {"Cities", {"Skyline", "Night lights", "Old town", "Bridge", "Harbour"}},
        {"Beaches", {"Palm beach", "Lagoon", "Sunset beach", "Surf", "Dunes"}},
        {"Cartoons", {"Happy bear", "Robot", "Little monster", "Space cat", "Ducky"}},
        {"Love", {"Hearts", "Rose", "Kiss", "Candle light", "Love letter"}},
        {"Sports", {"Goal", "Snowboard", "Surfer", "Race track", "Basketball"}},
        {"Seasons", {"Autumn leaves", "Winter forest", "Spring rain", "Summer field"}},
        {"Art", {"Mosaic", "Watercolour", "Graffiti", "Sketch", "Stained glass"}},
        {"Paysages d'été", {"Lavande", "Côte d'Azur", "Vignoble", "Château"}, true},
        {"日本の風景", {"富士山", "桜", "京都の夜", "Bamboo forest"}, true},
        {"aquarium", {"Goldfish", "Coral reef", "Jellyfish", "Clownfish"}},
    };
    v.modifiers = {"Amazing", "Dark", "Bright", "Retro", "Classic", "Summer", "Winter", "HD",
                   "Colourful", "Magic", "Wild", "Top"};
    v.titles = {"Blue hour", "Morning mist", "Golden gate", "Northern lights", "Rainbow"};
    v.adjectives = {"Misty", "Golden", "Bright", "Dark", "Frozen", "Sunny", "Dreamy", "Wild",
                    "Calm", "Fiery", "Purple", "Silver", "Magic"};
    v.authors = {"Anders Lindqvist", "Photo Nomad", "Élodie Marchand", "Kenji Watanabe",
                 "Иван Соколов", "Lumière Studio", "Pixelmaid", "Carla Gómez", "ArtBox"};
    v.sentences = {
        "A {size} wallpaper in vivid colours.",
        "Sharp, bright & made for your screen.",
        "Brighten up your standby screen with {name}.",
        "Photographed by {author}.",
        "Fits phones with a {size} display.",
    };
    v.foreignSentences = {
        "Fond d'écran haute qualité pour votre mobile.",
        "Обои для вашего телефона.",
        "高画質の壁紙です。",
        "Ein Hintergrundbild für Naturfreunde – gestochen scharf.",
    };
    v.sizes = {"128×128", "176×208", "176×220", "240×320"};
    v.authorPercent = 55;
    v.emptyAuthorPercent = 10;
    return v;
}

TypeVocabulary MakeScreensavers()
{
    TypeVocabulary v;
    v.themes = {
        {"Animated", {"Spinning star", "Bouncing ball", "Dancing robot", "Flying bird"}},
        {"Love", {"Beating heart", "Falling roses", "Kisses", "Cupid's arrow"}},
        {"Funny", {"Dancing banana", "Crazy frog", "Laughing smiley", "Jumping cow"}},
        {"Nature", {"Rainforest", "Sunrise", "Snowfall", "Butterflies"}},
        {"Space", {"Star field", "Rotating earth", "Meteor shower", "Rocket launch"}},
        {"Fire & water", {"Campfire", "Waterfall", "Flames", "Raindrops", "Ocean waves"}},
        {"Clocks", {"Analog clock", "Digital clock", "Hourglass", "Countdown"}},
        {"Aquarium", {"Goldfish", "Coral reef", "Jellyfish", "Clownfish"}},
        {"Fireworks", {"Rockets", "Sparkles", "New Year", "Golden rain"}},
        {"Cartoons", {"Happy bear", "Robot", "Little monster", "Space cat"}},
        {"Sports", {"Goal!", "Slam dunk", "Ski jump", "Penalty"}},
        {"Holidays", {"Palm tree", "Beach waves", "Sailing boat", "Sunset"}},
        {"Снегопад", {"Снежинки", "Зимний лес", "Метель"}, true},
        {"Étoiles", {"Étoile filante", "Voie lactée", "Nuit d'été"}, true},
        {"abstract", {"Plasma", "Tunnel", "Kaleidoscope", "Lava lamp"}},
    };
    v.modifiers = {"Animated", "Funny", "Retro", "Colourful", "Magic", "Classic", "Summer",
                   "Winter", "Night", "Top"};
    v.titles = {"Matrix rain", "Pulse", "Hypnotic spiral", "Disco lights"};
    v.adjectives = {"Glowing", "Spinning", "Sparkling", "Floating", "Flashing", "Golden",
                    "Dreamy", "Crazy"};
    v.authors = {"Motion Lab", "Pixelmaid", "Studio Kōri", "Анимация Плюс", "Dot Factory",
                 "Jörg Brandt"};
    v.sentences = {
        "An animated screen saver in {size}.",
        "Loops smoothly & saves your display.",
        "{name} comes to life on your screen.",
        "Made by {author} with 24 frames of animation.",
    };
    v.foreignSentences = {
        "Économiseur d'écran animé pour votre téléphone.",
        "Анимированная заставка для вашего телефона.",
        "アニメーションのスクリーンセーバーです。",
    };
    v.sizes = {"128×128", "176×208", "240×320"};
    v.authorPercent = 45;
    v.emptyAuthorPercent = 15;
    return v;
}

TypeVocabulary MakeJava()
{
    TypeVocabulary v;
    v.themes = {
        {"Action", {"Commando", "Strike Force", "Ninja Run", "Sky Fighter", "Tank Assault",
                    "Shadow Blade", "Jungle Raid"}},
        {"Puzzle", {"Jewel Swap", "Block Drop", "Mind Maze", "Bubble Pop", "Sudoku Master",
                    "Colour Lines", "Pipe Flow"}},
        {"Sports", {"Penalty Kick", "Pro Tennis", "Street Basket", "Ski Jump", "Golf Tour",
                    "Beach Volley", "Pool Shark"}},
        {"Racing", {"Turbo Rally", "Street Racer", "Moto Cross", "Kart Champ", "Drift King"}},
        {"Cards & casino", {"Poker Night", "Solitaire", "Blackjack Pro", "Roulette Royale",
                            "Mahjong Tiles"}},
        {"Adventure", {"Lost Temple", "Pirate Island", "Dragon Cave", "Castle Escape",
                       "Treasure Hunt"}},
        {"Strategy", {"Castle Siege", "Space Empire", "Tower Guard", "Battle Chess"}},
        {"Arcade", {"Space Rocks", "Snake Classic", "Brick Breaker", "Frog Hop", "Pinball Star"}},
        {"Kids", {"Pony Ranch", "Little Chef", "Farm Friends", "Zoo Keeper"}},
        {"Board games", {"Chess Pro", "Backgammon", "Checkers", "Reversi", "Go Master"}},
        {"Quiz & trivia", {"Brain Quiz", "Movie Quiz", "Word Hunt", "Capital Cities"}},
        {"Jeux de réflexion", {"Casse-tête", "Échecs", "Mots croisés", "Labyrinthe"}, true},
        {"パズル", {"数独", "パズル王", "上海", "ナンプレ"}, true},
        {"3D games", {"Star Pilot", "Deep Dive", "Hover Race", "Maze Runner"}},
    };
    v.modifiers = {"Best", "Classic", "New", "Top", "Retro", "Multiplayer", "3D", "Free",
                   "Family", "Mini"};
    v.titles = {"Galaxy Miner", "Tower Blocks", "Bowling Night", "Zombie Rush", "Word Wizard",
                "Fútbol Total", "Охота на монстров", "ninja cats"};
    v.adjectives = {"Super", "Mega", "Crazy", "Extreme", "Mini", "Ultimate", "Turbo"};
    v.suffixes = {" 2", " 3D", " Deluxe", " Pro", " II", ": Revenge", " Gold", " Mania"};
    v.authors = {"Pixel Forge", "Nordlys Games", "Studio Kōri", "Mobiludo", "Jeux Fénix",
                 "Игры Сокол", "ゲーム工房", "Tiny Titans", "Bitwave", "Gamezilla Ltd"};
    v.sentences = {
        "Over 30 levels & 3 difficulty modes.",
        "Save your progress and come back any time.",
        "Compete for the high score with your friends.",
        "Requires a colour phone with MIDP 2.0.",
        "Classic {group} gameplay in your pocket.",
        "The new hit from {author}.",
        "Screen size {size} and up.",
    };
    v.foreignSentences = {
        "Un jeu passionnant pour toute la famille.",
        "¡Diversión sin límites en tu móvil!",
        "Захватывающая игра для вашего телефона.",
        "中毒性のあるゲームです。",
        "Für Spieler jeden Alters geeignet.",
    };
    v.sizes = {"128×128", "176×208", "240×320"};
    v.authorPercent = 88;
    v.emptyAuthorPercent = 6;
    return v;
}

} // namespace

const TypeVocabulary& RingtoneWords()
{
    static const TypeVocabulary words = MakeRingtones();
    return words;
}

const TypeVocabulary& LogoWords()
{
    static const TypeVocabulary words = MakeLogos();
    return words;
}

const TypeVocabulary& BigLogoWords()
{
    static const TypeVocabulary words = MakeBigLogos();
    return words;
}

const TypeVocabulary& WallpaperWords()
{
    static const TypeVocabulary words = MakeWallpapers();
    return words;
}

const TypeVocabulary& ScreensaverWords()
{
    static const TypeVocabulary words = MakeScreensavers();
    return words;
}

const TypeVocabulary& GameWords()
{
    static const TypeVocabulary words = MakeJava();
    return words;
}
