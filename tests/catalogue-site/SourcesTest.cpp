// The demo's building blocks on small made-up sources: theme, emoji and clip-art reading, one
// post per artwork, tags and related subjects, search ranks and tags on the post page.
#include "SiteFixture.h"
#include "catalogue-site/ArtworkDedup.h"
#include "catalogue-site/ClipArtScan.h"
#include "catalogue-site/DemoSources.h"
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

IconEntry entry(const QString& name, const QStringList& tags = {})
{
    IconEntry e;
    e.name = name;
    e.compact = QString(name).remove('-');
    e.tags = tags;
    e.synthetic = 0;
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
    ASSERT_TRUE(QFile::link("accessories-calculator.svg", t + "/64x64/apps/calc.svg"));
    ASSERT_TRUE(QFile::link("folder-blue-music.svg", t + "/64x64/places/folder-sound.svg"));
    ASSERT_TRUE(QFile::link("apps", t + "/16x16/categories")); // a folder read twice through a link

    const std::vector<IconEntry> found = ArtworkDedup::collapse(IconThemeScan::scan(t));
    QStringList names;
    for (const IconEntry& e : found)
        names << e.name;
    names.sort();
    EXPECT_EQ(names, QStringList({"accessories-calculator", "folder-music", "gimp"}));
    const IconEntry* calc = named(found, "accessories-calculator");
    ASSERT_TRUE(calc);
    EXPECT_TRUE(calc->file.endsWith("64x64/apps/accessories-calculator.svg")); // the largest size
    EXPECT_TRUE(calc->tags.contains("calc") && calc->tags.contains("apps") &&
                calc->tags.contains("applications"));
    const IconEntry* music = named(found, "folder-music");
    ASSERT_TRUE(music);
    EXPECT_TRUE(music->tags.contains("folder sound") && music->tags.contains("places"));
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
    EXPECT_EQ(named(emoji, "pill")->tags, QStringList({"health", "medicine", "objects", "emoji"}));

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
    EXPECT_EQ(entry("bottle", {"pills"}).related, QStringList{"medical"}); // plural of a related word
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

TEST(DemoSources, SearchRanksNameThenTagThenRelatedThenPartialAndPostPagesLinkTheTags)
{
    const IconCatalogue c({entry("scarf"), entry("car-red"), entry("sedan", {"cars"}), entry("vehicle-blue"),
                           entry("card"), entry("cart"), entry("arrow-left"), entry("go-next")});
    // Newest first whatever the rank; ranks come first.
    const QStringList car = namesOf(c, c.search("car"));
    ASSERT_EQ(car.size(), 6);
    EXPECT_EQ(car.mid(0, 3), QStringList({"car-red", "sedan", "vehicle-blue"}));
    EXPECT_EQ(QSet<QString>(car.begin() + 3, car.end()), QSet<QString>({"scarf", "card", "cart"}));
    // Spaces, case and separators do not count; a run of words may carry an ending.
    EXPECT_EQ(namesOf(c, c.search("Arrow Left")), QStringList{"arrow-left"});
    EXPECT_EQ(namesOf(c, c.search("arrow-lefts")), QStringList{"arrow-left"});
    EXPECT_EQ(namesOf(c, c.search("arrow")).mid(0, 1), QStringList{"arrow-left"});
    EXPECT_TRUE(namesOf(c, c.search("arrow")).contains("go-next")); // a related subject
    EXPECT_EQ(c.search("%%").size(), 8u);

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
