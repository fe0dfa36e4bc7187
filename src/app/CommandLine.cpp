#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <memory>

namespace
{
struct QtOption {
    const char* name;
    const char* valueName; // nullptr for a switch
    const char* description;
};

// The options QGuiApplication, QApplication and the X11 platform take from the command line.
constexpr QtOption kQtOptions[] = {
    {"platform", "name[:options]", "Platform plugin to use."},
    {"platformpluginpath", "path", "Where to look for platform plugins."},
    {"platformtheme", "theme", "Platform theme to use."},
    {"plugin", "plugin", "Extra plugin to load."},
    {"qwindowgeometry", "geometry", "Geometry of the first window."},
    {"geometry", "geometry", "Alias for -qwindowgeometry."},
    {"qwindowtitle", "title", "Title of the first window."},
    {"title", "title", "Alias for -qwindowtitle."},
    {"qwindowicon", "icon", "Icon of the first window."},
    {"icon", "icon", "Alias for -qwindowicon."},
    {"session", "session", "Session to restore."},
    {"display", "display", "X11 display to use."},
    {"name", "name", "X11 resource name."},
    {"visual", "id", "X11 visual to use."},
    {"style", "style", "Widget style to use."},
    {"stylesheet", "file", "Style sheet to apply."},
    {"qmljsdebugger", "options", "QML debugger options."},
    {"reverse", nullptr, "Right-to-left layout."},
    {"testability", nullptr, "Load the testability library."},
    {"nograb", nullptr, "Never grab the pointer or keyboard."},
    {"dograb", nullptr, "Grab even under a debugger."},
    {"sync", nullptr, "Synchronous X11 calls."},
    {"widgetcount", nullptr, "Print the number of widgets left at exit."},
};

QCommandLineOption qtOption(const QtOption& o)
{
    QCommandLineOption option(QString::fromLatin1(o.name), QString::fromLatin1(o.description));
    if (o.valueName)
        option.setValueName(QString::fromLatin1(o.valueName));
    return option;
}

// The parser with our options. Qt's own options are registered too, hidden from --help, so that
// "-platform offscreen" is not an unknown option; single-dash words read as long options, as Qt
// itself reads them.
std::unique_ptr<QCommandLineParser> makeParser()
{
    auto parser = std::make_unique<QCommandLineParser>();
    parser->setApplicationDescription(QStringLiteral("A desktop client for an online icon catalogue."));
    parser->setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser->addHelpOption();
    parser->addVersionOption();
    parser->addOptions({
        {"base-url", "Catalogue site root address, ending with \"/\".", "URL"},
        {"home",
         "Application folder (default: PICTOMINE_HOME, else the program's folder when it "
         "holds a writable Icons/, else the user's data folder).",
         "DIR"},
        {"screenshot", "Save a PNG of the window after the first page load, then quit.", "FILE"},
        {"export", "Convert SRC into DEST's format (png, jpg, bmp, gif, tif, ico, emf, wmf) and quit."},
    });
    parser->addPositionalArgument(QStringLiteral("SRC DEST"), QStringLiteral("With --export: the files."),
                                  QStringLiteral("[SRC DEST]"));
    for (const QtOption& o : kQtOptions) {
        QCommandLineOption option = qtOption(o);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser->addOption(option);
    }
    return parser;
}

QString programName()
{
    return QCoreApplication::applicationName().isEmpty() ? QStringLiteral("pictomine")
                                                         : QCoreApplication::applicationName();
}
} // namespace

CommandLine CommandLine::parse(const QStringList& args)
{
    CommandLine cl;
    const auto parser = makeParser();
    if (!parser->parse(args)) {
        cl.error = parser->errorText();
        return cl;
    }
    cl.help = parser->isSet(QStringLiteral("help"));
    cl.helpAll = parser->isSet(QStringLiteral("help-all"));
    cl.version = parser->isSet(QStringLiteral("version"));
    cl.baseUrl = parser->value(QStringLiteral("base-url"));
    cl.home = parser->value(QStringLiteral("home"));
    cl.screenshot = parser->value(QStringLiteral("screenshot"));
    const QStringList positional = parser->positionalArguments();
    if (parser->isSet(QStringLiteral("export"))) {
        if (positional.size() != 2)
            cl.error = QStringLiteral("--export needs SRC and DEST");
        else
            cl.exportArgs = positional;
    } else if (!positional.isEmpty()) {
        cl.error = QStringLiteral("unexpected argument '%1'").arg(positional.first());
    }
    return cl;
}

QString CommandLine::helpText(bool withQtOptions)
{
    QString text = makeParser()->helpText();
    // Without an application object the parser cannot name the program.
    text.replace(QStringLiteral("<executable_name>"), programName());
    if (withQtOptions) {
        text += QStringLiteral("\nQt's own options:\n");
        for (const QtOption& o : kQtOptions) {
            const QString name = QStringLiteral("-%1%2").arg(
                QString::fromLatin1(o.name),
                o.valueName ? QStringLiteral(" <%1>").arg(QString::fromLatin1(o.valueName)) : QString());
            text += QStringLiteral("  %1 %2\n").arg(name, -30).arg(QString::fromLatin1(o.description));
        }
    }
    return text;
}

QString CommandLine::versionText()
{
    return programName() + ' ' + QCoreApplication::applicationVersion() + '\n';
}
