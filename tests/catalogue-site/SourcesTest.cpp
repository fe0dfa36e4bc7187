// The demo's building blocks on small made-up sources: theme, emoji and clip-art reading, one
// post per artwork, tags and related subjects, search ranks and tags on the post page.
#include "SiteFixture.h"
#include "catalogue-site/ArtworkDedup.h"
#include "catalogue-site/ClipArtScan.h"
#include "catalogue-site/DemoSources.h"
#include "catalogue-site/DistinctResults.h"
#include "catalogue-site/EmojiIndexScan.h"
#include "catalogue-site/IconThemeScan.h"
#include "catalogue-site/RelatedWords.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{
const IconEntry* named(const std::vector<IconEntry>& entries, const QString& name)
{
    for (const IconEntry& e : entries)
        if (e.name == name)
            return &e;
    return nullptr;
}

IconEntry entry(const QString& name, const QStringList& tags = {}, int style = IconEntry::Artwork)
{
    IconEntry e;
    e.name = name;
    e.compact = QString(name).remove('-');
    e.tags = tags;
    e.style = style;
    e.synthetic = 0;
    RelatedWords::tag(e);
    return e;
}

// An icon of a theme: its context folder is among its aliases ("apps" for an application's logo).
IconEntry themed(const QString& name, const QString& context)
{
    IconEntry e = entry(name);
    e.aliases = {context};
    RelatedWords::tag(e);
    return e;
}

QStringList namesOf(const IconCatalogue& c, const std::vector<int>& found)
{
    QStringList names;
    for (int i : found)
        names << c.at(i).name;
    return names;
}

// The names a search finds, in order, joined by commas.
std::string namesFound(const IconCatalogue& c, const QString& search)
{
    return namesOf(c, c.search(search)).join(',').toStdString();
}
} // namespace

TEST(DemoSources, ThemeScanGivesOnePostPerIconWithItsAliasesAndContexts)
{
    QTemporaryDir dir;
    const QString t = dir.path();
    writeFile(t + "/index.theme", "[Icon Theme]\nName=T\nDirectories=16x16/apps,64x64/apps,64x64/places,"
                                  "16x16/categories\n\n[16x16/apps]\nSize=16\nContext=Applications\n"
                                  "[64x64/apps]\nSize=64\nContext=Applications\n[64x64/places]\nSize=64\n"
                                  "Context=Places\n[16x16/categories]\nSize=16\nContext=Categories\n");
    writeFile(t + "/16x16/apps/accessories-calculator.svg", svgRect("red"));
    writeFile(t + "/64x64/apps/accessories-calculator.svg", svgRect("red", 64, 64));
    writeFile(t + "/64x64/apps/gimp.svg", svgRect("green"));
    writeFile(t + "/64x64/apps/gimp_copy.svg", svgRect("green")); // the same bytes
    writeFile(t + "/64x64/places/folder-blue-music.svg", svgRect("blue"));
    writeFile(t + "/64x64/places/folder-red-music.svg", svgRect("#f00")); // a recoloured copy
    writeFile(t + "/16x16/apps/tray-clock.svg", svgRect("grey"));         // a small size only
    ASSERT_TRUE(QFile::link("accessories-calculator.svg", t + "/64x64/apps/calc.svg"));
    ASSERT_TRUE(QFile::link("accessories-calculator.svg", t + "/64x64/apps/application-vnd-sun-calc.svg"));
    ASSERT_TRUE(QFile::link("folder-blue-music.svg", t + "/64x64/places/folder-sound.svg"));
    ASSERT_TRUE(QFile::link("apps", t + "/16x16/categories")); // a folder read twice through a link

    const std::vector<IconEntry> found = ArtworkDedup::collapse(IconThemeScan::scan(t));
    QStringList names;
    for (const IconEntry& e : found)
        names << e.name;
    names.sort();
    EXPECT_EQ(names, QStringList({"accessories-calculator", "folder-music", "gimp", "tray-clock"}));
    const IconEntry* calc = named(found, "accessories-calculator");
    ASSERT_TRUE(calc);
    EXPECT_TRUE(calc->file.endsWith("64x64/apps/accessories-calculator.svg")); // the largest size
    // Other names and contexts are weak tags; a file type's alias says nothing about the picture.
    EXPECT_EQ(calc->aliases, QStringList({"calc", "apps", "applications"}));
    EXPECT_TRUE(calc->tags.isEmpty());
    EXPECT_EQ(calc->style, IconEntry::Artwork);
    EXPECT_EQ(named(found, "tray-clock")->style, IconEntry::Glyph);
    const IconEntry* music = named(found, "folder-music");
    ASSERT_TRUE(music);
    EXPECT_TRUE(music->aliases.contains("folder sound") && music->aliases.contains("places"));
    EXPECT_TRUE(named(found, "gimp")->tags.contains("gimp copy"));
    EXPECT_TRUE(IconThemeScan::scan(t + "/64x64").empty()); // no index.theme, no theme
}

TEST(DemoSources, EmojiIndexAndClipArtGiveNamesKeywordsAndFolders)
{
    QTemporaryDir dir;
    const QString gem = dir.filePath("gemojione-3.3.0");
    writeFile(gem + "/config/index.json",
              R"({"pill":{"unicode":"1F48A","name":"pill","shortname":":pill:","category":"objects",)"
              R"("aliases":[],"keywords":["health","medicine"]},)"
              R"("flag_de":{"unicode":"1F1E9-1F1EA","name":"germany","shortname":":flag_de:",)"
              R"("category":"flags","aliases":[":de:"],"keywords":["nation"]},)"
              R"("man_tone1":{"unicode":"1F468-1F3FB","name":"man tone 1","shortname":":man_tone1:",)"
              R"("category":"people","aliases":[],"keywords":[]},)"
              R"("ghost":{"unicode":"1F47B","name":"ghost","shortname":":ghost:","category":"people",)"
              R"("aliases":[],"keywords":[]}})");
    for (const char* code : {"1F48A", "1F1E9-1F1EA", "1F468-1F3FB"}) // no picture for the ghost
        writeFile(gem + "/assets/svg/" + code + ".svg", svgRect("red"));
    const std::vector<IconEntry> emoji = EmojiIndexScan::scan(gem);
    ASSERT_EQ(emoji.size(), 2u);
    const IconEntry* flag = named(emoji, "flag-germany");
    ASSERT_TRUE(flag);
    EXPECT_TRUE(flag->tags.contains("nation") && flag->tags.contains("de") && flag->tags.contains("flags"));
    EXPECT_EQ(named(emoji, "pill")->tags, QStringList({"objects", "emoji", "health", "medicine"}));

    const QString art = dir.filePath("svg");
    writeFile(art + "/animals/mammals/brown_bear_01.svg",
              "<svg><metadata><dc:subject><rdf:Bag><rdf:li>Bear</rdf:li><rdf:li>hash 0x1234</rdf:li>"
              "<rdf:li>grizzly bear</rdf:li><rdf:li>2005</rdf:li></rdf:Bag></dc:subject></metadata></svg>");
    writeFile(art + "/special/gradients/gradient_red.svg", svgRect("red"));
    writeFile(art + "/shapes/stars/star_5pt.svg", svgRect("red"));
    const std::vector<IconEntry> clips = ClipArtScan::scan(art);
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(clips[0].name, "brown-bear-01");
    EXPECT_EQ(clips[0].tags, QStringList({"bear", "grizzly bear", "animals", "mammals"}));
}

TEST(DemoSources, RelatedSubjectsTagPostsAndSharedNamesGetNumbers)
{
    EXPECT_EQ(entry("syringe").related, QStringList{"medical"});
    EXPECT_EQ(entry("right-pointing-magnifying-glass").related, QStringList{"search"}); // two of its words
    EXPECT_EQ(entry("bottle", {"syringes"}).related, QStringList{"medical"}); // plural of a related word
    EXPECT_TRUE(entry("office-chair").related.isEmpty());                     // too broad for business
    EXPECT_TRUE(entry("smiley", {"face with medical mask"}).related.contains("medical"));
    EXPECT_TRUE(entry("trousers").related.contains("cloth"));
    EXPECT_TRUE(entry("media-play").related.isEmpty()); // "play" is not taken for a game

    std::vector<IconEntry> entries = {entry("calendar"), entry("calendar"), entry("calendar-2"), entry("x")};
    DemoSources::makeNamesUnique(entries);
    QStringList names;
    for (const IconEntry& e : entries)
        names << e.name;
    EXPECT_EQ(names, QStringList({"calendar", "calendar-2", "calendar-2-2", "x"}));
}

TEST(DemoSources, SearchFindsWholeWordsAndWordStartsRankingTheOwnNameFirst)
{
    const IconCatalogue c({entry("scarf"),
                           entry("car-red"),
                           entry("sedan", {"cars"}),
                           entry("vehicle-blue"),
                           entry("card"),
                           entry("cart"),
                           entry("arrow-left"),
                           entry("go-next"),
                           entry("raindrop"),
                           entry("brain"),
                           entry("train"),
                           entry("printer"),
                           entry("print"),
                           entry("cafe-sign"),
                           entry("calendar"),
                           entry("edit-cut"),
                           entry("network-wireless"),
                           entry("battery-full"),
                           entry("flower"),
                           entry("flow"),
                           entry("hot-dog"),
                           entry("dog-face"),
                           entry("water-drop"),
                           entry("applets-clock"),
                           entry("wine-glass"),
                           entry("face-glasses")});
    const auto find = [&](const QString& search) { return namesFound(c, search); };
    // The name, then a name word it starts, then a subject the name calls for, then a borrowed
    // keyword; never inside a word.
    EXPECT_EQ(find("car"), "car-red,vehicle-blue,sedan"); // too short to start "card" or "cart"
    EXPECT_EQ(find("sedans"), "sedan");
    EXPECT_EQ(find("dogs"), "dog-face"); // not the hot dog
    EXPECT_EQ(find("rain"), "raindrop"); // a word of its own follows
    EXPECT_EQ(find("apple"), "");        // not a word, not an ending
    EXPECT_EQ(find("print"), "print,printer");
    EXPECT_EQ(find("printer"), "printer");
    EXPECT_EQ(find("flower"), "flower");
    // Words joined by "+" or written together, case, separators, plurals and accents.
    EXPECT_EQ(find("Arrow Left"), "arrow-left");
    EXPECT_EQ(find("arrowleft"), "arrow-left");
    EXPECT_EQ(find("arrow-lefts"), "arrow-left");
    EXPECT_EQ(find("left arrow"), "arrow-left");
    EXPECT_TRUE(find("left car").empty());
    EXPECT_EQ(find("batteries"), "battery-full");
    EXPECT_EQ(find("glasses"), "face-glasses"); // a plural of its own
    EXPECT_EQ(find("glass"), "wine-glass");
    EXPECT_EQ(find("Café"), "cafe-sign");
    EXPECT_TRUE(find("arrow").rfind("arrow-left,", 0) == 0);
    EXPECT_TRUE(find("arrow").find("go-next") != std::string::npos); // a related subject
    // Synonyms, and one typo when nothing matches as typed (not in short words).
    EXPECT_EQ(find("wifi"), "network-wireless");
    EXPECT_EQ(find("scissors"), "edit-cut");
    EXPECT_EQ(find("calender"), "calendar");
    EXPECT_TRUE(find("cor").empty());
    EXPECT_EQ(c.search("%%").size(), 26u);

    // Within a rank, artwork before glyphs and a plain name before a long compound.
    const IconCatalogue keys({entry("keyboard", {}, IconEntry::Glyph),
                              entry("keyboard-wireless-black-ergonomic"), entry("keyboard-black"),
                              entry("keyboard-2", {}, IconEntry::SmallIcon)});
    EXPECT_EQ(namesOf(keys, keys.search("keyboard")).join(','),
              "keyboard-black,keyboard-wireless-black-ergonomic,keyboard-2,keyboard");

    // The post page lists the tags as searches, and the licence of the source.
    IconEntry tagged = entry("pill", {"health", "medicine"});
    tagged.source = "EmojiOne 2 (CC BY-SA 4.0)";
    const IconCatalogue one({tagged});
    ImageStore oneImages(one);
    const SiteResponder onePost("http://127.0.0.1:18123/", one, oneImages, {});
    const QByteArray post = onePost.answer(("/" + one.at(0).postPath()).toStdString()).body;
    EXPECT_TRUE(post.contains("Tags: <a href=\"http://127.0.0.1:18123/?s=health\" rel=\"tag\">health</a>, "));
    EXPECT_TRUE(post.contains(">medical</a></p>"));
    EXPECT_TRUE(post.contains("Licence: from EmojiOne 2 (CC BY-SA 4.0)."));
}

TEST(DemoSources, SearchTrustsWhatANameShowsOverWhatItIsUsedFor)
{
    IconEntry goDown = entry("go-down");
    goDown.aliases = {"download", "arrow south"};
    const IconCatalogue c(
        {entry("user-trash"),
         entry("edit-delete"),
         entry("wastebasket"),
         entry("keep-tidy", {"trash"}),
         entry("bin-sign", {"garbage"}),
         entry("book-red"),
         entry("novel", {"book"}),
         entry("bookmark"),
         entry("check-mark"),
         entry("address-book"),
         entry("lock"),
         entry("fish-2"),
         entry("fish-cake-with-swirl"),
         entry("object-locked"),
         entry("star"),
         entry("starred"),
         entry("stared"),
         entry("num-lock-off"),
         goDown,
         entry("folder-download"),
         entry("car"),
         entry("wheel"),
         entry("parking-sign"),
         entry("tractor", {"farm", "car", "farming", "vehicle", "digger", "machine", "travel"}),
         entry("old-autos", {"car", "vehicle"}),
         entry("moon-van-de-berg")});
    const auto find = [&](const QString& search) { return namesFound(c, search); };
    // A synonym fits names and keywords only and ranks after the word itself; "trash" wants no crosses, while
    // a search for "delete" may show a wastebasket.
    EXPECT_EQ(find("trash"), "user-trash,wastebasket,keep-tidy,bin-sign");
    EXPECT_EQ(find("delete"), "edit-delete,wastebasket,user-trash,keep-tidy");
    // A name the word only qualifies comes after the keywords, or not at all; one it inflects before them.
    EXPECT_EQ(find("book"), "book-red,novel,bookmark");
    EXPECT_EQ(find("lock"), "lock,object-locked");
    EXPECT_EQ(find("fish"), "fish-2");
    EXPECT_EQ(find("star"), "star,starred"); // "stared" comes from "stare"
    // A theme alias counts only when nothing else fits.
    EXPECT_EQ(find("download"), "folder-download");
    EXPECT_EQ(find("south"), "go-down");
    // Wheels, parking and Dutch surnames are no cars; a keyword among a few says more than one among many.
    EXPECT_EQ(find("car"), "car,old-autos,tractor");
}

TEST(DemoSources, AKeywordCountsNotWhereTheIconSaysItIsAnotherKind)
{
    const IconCatalogue c(
        {entry("carp", {"fish", "animal"}), entry("dolphin", {"mammal", "fish"}),
         entry("sea-creature", {"fish", "mammal"}), entry("crawfish-red", {"crawfish", "fish"}),
         entry("minibus", {"car", "bus", "vehicle"}), entry("automobile", {"car", "vehicle"}),
         entry("old-key", {"lock", "door"}), entry("padlock-red", {"lock"}),
         entry("sapphire", {"gem", "money"}), entry("old-coin", {"coin", "money"})});
    const auto find = [&](const QString& search) { return namesFound(c, search); };
    // The name decides: a dolphin is no fish, a key no lock; a padlock or a coin keeps the keyword. A
    // name that names no kind leaves it to the keywords: two kinds of animal among them fit neither.
    EXPECT_EQ(find("fish"), "carp");
    EXPECT_EQ(find("mammal"), "dolphin");
    EXPECT_EQ(find("locks"), "padlock-red");
    EXPECT_EQ(find("money"), "old-coin");
    // A car keyword on a bus leaves it to the related subjects, after every real car.
    EXPECT_EQ(find("car"), "automobile,minibus");
    // Keywords outside the kinds are untouched.
    EXPECT_EQ(find("door"), "old-key");
}

TEST(DemoSources, ThemeNamesGoFromTheGeneralToTheSpecificAndApplicationNamesAreBrands)
{
    const IconCatalogue c({themed("edit-copy", "actions"),
                           themed("edit-redo", "actions"),
                           themed("battery-full", "status"),
                           themed("user-trash", "places"),
                           themed("security-high-symbolic", "status"),
                           entry("pencil", {"edit"}),
                           themed("x-plane", "apps"),
                           entry("paper-plane"),
                           entry("jet", {"plane"}),
                           themed("firefox", "apps"),
                           themed("firewall-applet", "panel"),
                           themed("raindrop", "actions"),
                           entry("drop"),
                           entry("rainbow-linda-kim"),
                           entry("bow"),
                           entry("fox"),
                           entry("camp-fire"),
                           themed("cups", "apps"),
                           entry("cup-of-tea"),
                           themed("wine", "apps"),
                           themed("call-of-duty", "apps"),
                           entry("black-rotary", {"phone"}),
                           entry("bacon", {"meats and eggs"}),
                           entry("fried-egg")});
    const auto find = [&](const QString& search) { return namesFound(c, search); };
    // The first word of a theme's name says where the icon belongs: an edit action is no pencil. The last
    // one, or a first followed by a state only, names what it shows.
    EXPECT_EQ(find("edit").rfind("pencil,edit-", 0), 0u);
    EXPECT_EQ(find("copy"), "edit-copy");
    EXPECT_EQ(find("trash"), "user-trash");
    EXPECT_EQ(find("battery"), "battery-full");
    EXPECT_EQ(find("security"), "security-high-symbolic,firewall-applet"); // a firewall relates to security
    // An application's name shows the word only when it is the word as typed; a longer one is a brand,
    // left out where anything else fits, and calls for no subject. A longer word the search starts fits as a
    // whole name only, never as a brand.
    EXPECT_EQ(find("plane"), "paper-plane,jet");
    EXPECT_EQ(find("fire"), "camp-fire");
    EXPECT_EQ(find("rain"), "raindrop");
    EXPECT_EQ(find("cup"), "cup-of-tea");
    EXPECT_EQ(find("cups"), "cups,cup-of-tea");
    EXPECT_EQ(find("wine"), "wine");
    EXPECT_EQ(find("phone"), "black-rotary,call-of-duty");
    // A folder of several subjects is no keyword of the icon.
    EXPECT_EQ(find("egg"), "fried-egg");
    // A brand shows when nothing else fits.
    const IconCatalogue apps({themed("x-plane", "apps"), themed("rocket-league", "apps"),
                              themed("preferences-system-search", "apps"), entry("search-box")});
    EXPECT_EQ(namesFound(apps, "plane"), "x-plane");
    // An application's icon named by its menu category and what it does is no brand.
    EXPECT_NE(namesFound(apps, "search").find("preferences-system-search"), std::string::npos);
    // A glyph a single word only begins shows something else; it fits a search naming the rest.
    IconEntry order = themed("paint-order-fms", "actions");
    order.style = IconEntry::Glyph;
    const IconCatalogue paint({order, entry("paint-brush")});
    EXPECT_EQ(namesFound(paint, "paint"), "paint-brush");
    EXPECT_EQ(namesFound(paint, "paint+order"), "paint-order-fms");
    EXPECT_EQ(namesFound(IconCatalogue({order}), "paint"), "paint-order-fms");
    // A synonym in a name ("configure") fits no better than the word itself in an alias, nor does it
    // fit a name's qualifier ("preferences" in "preferences-desktop-mouse").
    IconEntry gear = themed("emblem-system", "emblems");
    gear.aliases << "settings";
    const IconCatalogue settings({gear, entry("configure"), themed("preferences-desktop-mouse", "apps")});
    EXPECT_EQ(namesFound(settings, "settings"), "configure,emblem-system");
    // A theme's variant word is no subject either.
    const IconEntry variant = themed("cryptfolder-closed-light", "status");
    EXPECT_EQ(namesFound(IconCatalogue({variant, entry("lamp", {"light"})}), "light"), "lamp");
    EXPECT_EQ(namesFound(IconCatalogue({variant}), "light"), "cryptfolder-closed-light");
}

TEST(DemoSources, ASeriesShowsTwoOfItsPostsAmongTheOthersAndTheRestAfterThem)
{
    // Numbered posts of one name, and posts sharing a pair of words in longer names.
    const IconCatalogue candy(
        {entry("candy-01"), entry("candy-02"), entry("candy-20"), entry("candy-31"), entry("candy-cane")});
    const QStringList sweets = namesOf(candy, candy.search("candy"));
    ASSERT_EQ(sweets.size(), 5);
    EXPECT_EQ(sweets[2], "candy-cane");
    const IconCatalogue trees({entry("tree-rpg-map-elements-01"), entry("tree-rpg-map-elements-02"),
                               entry("tree-rpg-map-element-03"),
                               entry("tree-symbolic", {}, IconEntry::Glyph)});
    const QStringList found = namesOf(trees, trees.search("tree"));
    ASSERT_EQ(found.size(), 4);
    EXPECT_EQ(found[2], "tree-symbolic");
}

TEST(DemoSources, ListingsShowEachPictureOnceKeepRecolouringsAndSkipEmptyPictures)
{
    QTemporaryDir dir;
    // A house as a theme draws it for 16 and for 24 pixels, once more with wider margins, a recoloured
    // copy, nothing at all, and white lines.
    const auto house = [](const char* colour, int page, const char* roof, const char* wall) {
        const QByteArray size = QByteArray::number(page);
        return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + size + "\" height=\"" + size +
               "\"><path fill=\"" + colour + "\" d=\"" + roof + "\"/><rect fill=\"#202020\" " + wall +
               "/></svg>";
    };
    writeFile(dir.filePath("a.svg"),
              house("#3050c0", 16, "M1 8 L8 1 L15 8 Z", "x=\"3\" y=\"8\" width=\"10\" height=\"7\""));
    writeFile(dir.filePath("b.svg"), house("#3050c0", 24, "M1.5 12 L12 1.5 L22.5 12 Z",
                                           "x=\"4.5\" y=\"12\" width=\"15\" height=\"10.5\""));
    writeFile(dir.filePath("c.svg"),
              house("#c03030", 16, "M1 8 L8 1 L15 8 Z", "x=\"3\" y=\"8\" width=\"10\" height=\"7\""));
    writeFile(dir.filePath("d.svg"),
              "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"16\" height=\"16\"/>");
    writeFile(dir.filePath("e.svg"), house("#3050c0", 24, "M5.8 9.4 L11.4 3.8 L17 9.4 Z",
                                           "x=\"7.4\" y=\"9.4\" width=\"8\" height=\"5.6\""));
    // White lines for a dark background show nothing on a white tile.
    writeFile(dir.filePath("f.svg"), "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"16\" height=\"16\">"
                                     "<rect x=\"2\" y=\"2\" width=\"12\" height=\"12\" fill=\"none\" "
                                     "stroke=\"#fafafa\"/></svg>");
    std::vector<IconEntry> entries;
    for (const char* name : {"a", "b", "c", "d", "e", "f"}) {
        IconEntry e = entry(QStringLiteral("house-") + name);
        e.synthetic = -1;
        e.file = dir.filePath(QStringLiteral("%1.svg").arg(name));
        entries.push_back(e);
    }
    const IconCatalogue c(entries);
    ImageStore images(c);
    ASSERT_EQ(c.search("house").size(), 6u);
    DistinctResults listings(c, images);
    const DistinctResults::Page page = listings.page(
        "house", [&] { return c.search("house"); }, 1);
    EXPECT_EQ(page.total, 2);
    QStringList shown = namesOf(c, page.posts);
    shown.sort();
    ASSERT_EQ(shown.size(), 2) << shown.join(',').toStdString();
    EXPECT_TRUE(shown[0] == "house-a" || shown[0] == "house-b" || shown[0] == "house-e")
        << shown.join(',').toStdString();
    EXPECT_EQ(shown[1], "house-c");
}
