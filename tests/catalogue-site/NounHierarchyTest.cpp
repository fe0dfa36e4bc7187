// Telling an emoji's or a drawing's keywords for what it shows from those for what goes with it, on
// a made-up WordNet folder of a few nouns.
#include "catalogue-site/NounHierarchy.h"
#include "SiteFixture.h"
#include "catalogue-site/ClipArtScan.h"
#include "catalogue-site/EmojiIndexScan.h"
#include "catalogue-site/IconCatalogue.h"
#include "catalogue-site/IconThemeScan.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{
// Synsets as WordNet writes them: "offset lexfile n wordcount(hex) word lexid ... pointercount
// {symbol offset pos source/target} | gloss"; "@" points to what the synset is a kind of.
const char* const kData = "  1 licence header line, skipped\n"
                          "00000001 03 n 01 entity 0 000 | that which exists\n"
                          "00000002 13 n 01 food 0 001 @ 00000001 n 0000 | nutrients\n"
                          "00000003 13 n 02 dairy_product 0 dairy 0 001 @ 00000002 n 0000 | milk products\n"
                          "00000004 13 n 01 cheese 0 001 @ 00000003 n 0000 | solid milk\n"
                          "00000005 13 n 01 milk 0 001 @ 00000003 n 0000 | white liquid\n"
                          "00000006 17 n 01 moon 0 001 @ 00000001 n 0000 | a satellite\n"
                          "00000007 05 n 01 animal 0 001 @ 00000001 n 0000 | a creature\n"
                          "00000008 05 n 01 cow 0 001 @ 00000007 n 0000 | bovine\n"
                          "00000009 05 n 01 beetle 0 001 @ 00000007 n 0000 | insect\n"
                          "00000010 05 n 01 lady_beetle 0 001 @ 00000009 n 0000 | ladybird\n"
                          "00000011 05 n 01 mouse 0 001 @ 00000007 n 0000 | rodent\n"
                          "00000012 06 n 01 glasses 0 001 @ 00000001 n 0000 | spectacles\n"
                          "00000013 15 n 01 face 0 001 @ 00000001 n 0000 | front of the head\n"
                          "00000014 19 n 01 weather 0 001 @ 00000001 n 0000 | the atmosphere\n"
                          "00000015 18 n 01 person 0 001 @ 00000001 n 0000 | a human being\n"
                          "00000016 18 n 01 woman 0 001 @ 00000015 n 0000 | an adult female\n"
                          "00000017 18 n 01 infant 0 001 @ 00000015 n 0000 | a very young child\n"
                          "00000018 18 n 01 fetus 0 001 @ 00000001 n 0000 | an unborn child\n"
                          "00000019 18 n 01 youngest 0 001 @ 00000015 n 0000 | the youngest of a group\n"
                          "00000020 18 n 01 babe 0 001 @ 00000016 n 0000 | a young woman (slang)\n"
                          "00000021 18 n 01 user 0 001 @ 00000015 n 0000 | a person who uses\n";
// "lemma n synsetcount pointercount {symbol} sensecount tagsensecount {offset}"
const char* const kIndex = "  1 licence header line, skipped\n"
                           "entity n 1 0 1 0 00000001\n"
                           "food n 1 1 ~ 1 0 00000002\n"
                           "dairy_product n 1 1 @ 1 0 00000003\n"
                           "dairy n 1 1 @ 1 0 00000003\n"
                           "cheese n 1 1 @ 1 0 00000004\n"
                           "milk n 1 1 @ 1 0 00000005\n"
                           "moon n 1 1 @ 1 0 00000006\n"
                           "animal n 1 1 ~ 1 0 00000007\n"
                           "cow n 1 1 @ 1 0 00000008\n"
                           "beetle n 1 1 @ 1 0 00000009\n"
                           "lady_beetle n 1 1 @ 1 0 00000010\n"
                           "mouse n 1 1 @ 1 0 00000011\n"
                           "glasses n 1 1 @ 1 0 00000012\n"
                           "face n 1 1 @ 1 0 00000013\n"
                           "weather n 1 1 @ 1 0 00000014\n"
                           "woman n 1 1 @ 1 0 00000016\n"
                           "baby n 4 1 @ 4 0 00000017 00000018 00000019 00000020\n"
                           "user n 1 1 @ 1 0 00000021\n";

QString wordNet(const QTemporaryDir& dir)
{
    writeFile(dir.filePath("wn/data.noun"), kData);
    writeFile(dir.filePath("wn/index.noun"), kIndex);
    writeFile(dir.filePath("wn/noun.exc"), "mice mouse\n");
    return dir.filePath("wn");
}
} // namespace

TEST(NounHierarchy, KindsGoBothWaysThroughPluralsAndPhrasesAndUnknownWordsKeepTheirKeyword)
{
    QTemporaryDir dir;
    const NounHierarchy nouns = NounHierarchy::load(wordNet(dir));
    ASSERT_FALSE(nouns.isEmpty());
    EXPECT_TRUE(nouns.kindRelated("cheese", "food"));
    EXPECT_TRUE(nouns.kindRelated("food", "cheese"));
    EXPECT_TRUE(nouns.kindRelated("dairy", "milk"));   // a synset's second word
    EXPECT_TRUE(nouns.kindRelated("cows", "animals")); // regular plurals
    EXPECT_TRUE(nouns.kindRelated("mice", "animal"));  // an irregular one
    EXPECT_TRUE(nouns.kindRelated("lady beetle", "animal"));
    EXPECT_FALSE(nouns.kindRelated("cheese", "moon"));
    EXPECT_FALSE(nouns.kindRelated("cheese", "milk"));    // siblings are not kinds of each other
    EXPECT_FALSE(nouns.kindRelated("cheese", "unicorn")); // unknown

    EXPECT_TRUE(nouns.describes({"full", "moon", "with", "face"}, "moon"));
    EXPECT_FALSE(nouns.describes({"full", "moon", "with", "face"}, "cheese"));
    EXPECT_TRUE(nouns.describes({"cow"}, "animal"));
    EXPECT_FALSE(nouns.describes({"cow"}, "milk"));
    EXPECT_TRUE(nouns.describes({"lady", "beetle"}, "animal"));
    EXPECT_FALSE(nouns.describes({"lady", "beetle"}, "lady cow")); // a phrase is about its last word
    EXPECT_FALSE(nouns.describes({"nerd", "face"}, "glasses"));
    // A keyword is taken in its common senses: a baby is a young woman only in its fourth.
    EXPECT_TRUE(nouns.kindRelated("baby", "woman"));
    EXPECT_FALSE(nouns.describes({"family", "woman"}, "baby"));
    // Nothing to tell by: a keyword or a name of no known noun, or no nouns at all.
    EXPECT_TRUE(nouns.describes({"full", "moon"}, "spooky"));
    EXPECT_TRUE(nouns.describes({"avocado"}, "cheese"));
    EXPECT_TRUE(NounHierarchy().describes({"moon"}, "cheese"));

    EXPECT_TRUE(NounHierarchy::load(dir.filePath("missing")).isEmpty());
}

TEST(NounHierarchy, EmojiAndDrawingsShowUnderWhatGoesWithThemOnlyWhenNothingElseFits)
{
    QTemporaryDir dir;
    const QString gem = dir.filePath("gemojione");
    writeFile(gem + "/config/index.json",
              R"({"moon":{"unicode":"1F315","name":"full moon with face","shortname":":full_moon:",)"
              R"("category":"nature","aliases":[],"keywords":["moon","cheese","spooky"]},)"
              R"("cheese":{"unicode":"1F9C0","name":"cheese wedge","shortname":":cheese:",)"
              R"("category":"food","aliases":[],"keywords":["food","dairy"]},)"
              R"("cow":{"unicode":"1F404","name":"cow","shortname":":cow:","category":"nature",)"
              R"("aliases":[],"keywords":["animal","milk"]}})");
    for (const char* code : {"1F315", "1F9C0", "1F404"})
        writeFile(gem + "/assets/svg/" + code + ".svg", svgRect("red"));
    std::vector<IconEntry> emoji = EmojiIndexScan::scan(gem, NounHierarchy::load(wordNet(dir)));
    ASSERT_EQ(emoji.size(), 3u);
    std::sort(emoji.begin(), emoji.end(),
              [](const IconEntry& a, const IconEntry& b) { return a.name < b.name; });
    EXPECT_EQ(emoji[2].name, "full-moon-with-face");
    EXPECT_TRUE(emoji[2].tags.contains("moon") && emoji[2].tags.contains("spooky"));
    EXPECT_EQ(emoji[2].associations, QStringList{"cheese"});
    EXPECT_EQ(emoji[1].associations, QStringList{"milk"});
    EXPECT_TRUE(emoji[0].associations.isEmpty());

    const IconCatalogue catalogue(emoji);
    const auto names = [&](const char* query) {
        QStringList found;
        for (const int i : catalogue.search(query))
            found << catalogue.at(i).name;
        return found;
    };
    EXPECT_EQ(names("cheese"), QStringList{"cheese-wedge"});
    EXPECT_EQ(names("milk"), QStringList{"cow"}); // nothing else fits

    // A drawing's keywords too, its name's numbers aside; its folders are its own.
    const QString art = dir.filePath("svg");
    writeFile(art + "/animals/cow1_bw.svg", "<svg><metadata><dc:subject><rdf:Bag><rdf:li>animal</rdf:li>"
                                            "<rdf:li>milk</rdf:li></rdf:Bag></dc:subject></metadata></svg>");
    const std::vector<IconEntry> clips = ClipArtScan::scan(art, NounHierarchy::load(wordNet(dir)));
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(clips[0].tags, QStringList({"animal", "animals"}));
    EXPECT_EQ(clips[0].associations, QStringList{"milk"});
}

TEST(NounHierarchy, AThemesIconsNamedAfterAnApplicationAreItsBrandUnlessTheNameIsAThing)
{
    QTemporaryDir dir;
    const QString t = dir.filePath("theme");
    writeFile(t + "/index.theme", "[Icon Theme]\nName=T\nDirectories=64x64/apps,22x22/panel\n\n"
                                  "[64x64/apps]\nSize=64\nContext=Applications\n"
                                  "[22x22/panel]\nSize=22\nContext=Status\n");
    for (const char* icon :
         {"64x64/apps/knemo", "64x64/apps/weather", "64x64/apps/user-trash", "22x22/panel/knemo-monitor-idle",
          "22x22/panel/weather-clear", "22x22/panel/network-idle", "22x22/panel/user-trash-full"})
        writeFile(t + "/" + icon + ".svg", svgRect("grey"));
    const std::vector<IconEntry> icons = IconThemeScan::scan(t, NounHierarchy::load(wordNet(dir)));
    ASSERT_EQ(icons.size(), 7u);
    const QStringList things = {"weather-clear", "network-idle", "user-trash-full"};
    for (const IconEntry& e : icons)
        EXPECT_EQ(e.aliases.contains("apps"), !things.contains(e.name)) << e.name.toStdString();
}
