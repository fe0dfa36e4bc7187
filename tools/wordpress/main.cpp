// wordpress-icons: renders the icons a WordPress catalogue imports and lists them for import.php.
//   wordpress-icons (--demo | --icons DIR | --synthetic N)... --count N --out DIR
#include "ImportList.h"

#include "catalogue-site/ArtworkDedup.h"
#include "catalogue-site/DemoSources.h"
#include "catalogue-site/IconDirectoryScan.h"
#include "catalogue-site/SyntheticIcons.h"

#include <QCommandLineParser>
#include <QGuiApplication>

#include <cstdio>

namespace
{
int fail(const QString& message, int code)
{
    std::fprintf(stderr, "wordpress-icons: %s\n", qPrintable(message));
    return code;
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // fonts for SVG text; no window is shown

    QCommandLineParser parser;
    parser.setApplicationDescription("Renders icons to PNG and lists them for the WordPress importer.");
    parser.addHelpOption();
    const QCommandLineOption demo("demo", "The demo catalogue's icon sets (Debian packages).");
    const QCommandLineOption icons("icons", "A folder of SVG or PNG icons (repeatable).", "DIR");
    const QCommandLineOption synthetic("synthetic", "N generated shapes.", "N", "0");
    const QCommandLineOption count("count", "How many icons to take, spread over the catalogue.", "N", "300");
    const QCommandLineOption out("out", "Where the PNG files and icons.tsv go.", "DIR");
    parser.addOptions({demo, icons, synthetic, count, out});
    if (!parser.parse(app.arguments()))
        return fail(parser.errorText(), 2);
    if (parser.isSet("help")) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    bool countOk = false, syntheticOk = false;
    const int wanted = parser.value(count).toInt(&countOk);
    const int shapes = parser.value(synthetic).toInt(&syntheticOk);
    if (!countOk || wanted < 1 || !syntheticOk || shapes < 0 || parser.value(out).isEmpty())
        return fail("--count N (N >= 1) and --out DIR are needed\n" + parser.helpText(), 2);

    std::vector<IconEntry> entries;
    if (parser.isSet(demo))
        entries = DemoSources::collect();
    for (IconEntry& e : ArtworkDedup::collapse(IconDirectoryScan::scan(parser.values(icons))))
        entries.push_back(std::move(e));
    for (IconEntry& e : SyntheticIcons::entries(shapes))
        entries.push_back(std::move(e));
    const IconCatalogue catalogue(std::move(entries));
    if (catalogue.size() == 0)
        return fail(
            "no icons: give --demo (with the icon set packages installed), --icons DIR or --synthetic N", 1);

    QString error;
    if (!ImportList::write(catalogue, wanted, parser.value(out), &error))
        return fail(error, 1);
    std::printf("%d icons in %s\n", std::min(wanted, catalogue.size()), qPrintable(parser.value(out)));
    return 0;
}
