#include "app/CommandLine.h"
#include "app/Application.h"

#include <gtest/gtest.h>

TEST(CommandLine, ParsesEveryOptionAndRefusesUnknownOnesWithStatusTwo)
{
    const CommandLine cl = CommandLine::parse(
        {"--base-url", "http://127.0.0.1:9/", "--home", "/tmp/h", "--screenshot", "shot.png"});
    EXPECT_TRUE(cl.error.isEmpty());
    EXPECT_EQ(cl.baseUrl, "http://127.0.0.1:9/");
    EXPECT_EQ(cl.home, "/tmp/h");
    EXPECT_EQ(cl.screenshot, "shot.png");
    EXPECT_EQ(CommandLine::parse({"--export", "a.png", "b.gif"}).exportArgs, QStringList({"a.png", "b.gif"}));
    EXPECT_TRUE(CommandLine::parse({"--help"}).help);

    // Unknown options and missing values: a one-line error, and the program ends with status 2.
    EXPECT_EQ(CommandLine::parse({"--bogus"}).error, "unknown option --bogus");
    EXPECT_EQ(CommandLine::parse({"--home"}).error, "missing value for --home");
    // An option where a value belongs is not taken as the value.
    EXPECT_EQ(CommandLine::parse({"--base-url", "--home", "x"}).error, "missing value for --base-url");
    EXPECT_FALSE(CommandLine::parse({"--export", "only-one"}).error.isEmpty());
    EXPECT_FALSE(CommandLine::parse({"stray"}).error.isEmpty());

    char program[] = "pictomine", bogus[] = "--bogus", home[] = "--home";
    char* unknown[] = {program, bogus, nullptr};
    char* missing[] = {program, home, nullptr};
    EXPECT_EQ(Application::run(2, unknown), 2);
    EXPECT_EQ(Application::run(2, missing), 2);
}
