// The export command alone in a process: `bench_export_driver SRC DEST`, for timing against
// other tools when the application binary is not at hand.
#include "export/ExportCommand.h"

#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream errors(stderr);
    if (args.size() != 3) {
        errors << "usage: bench_export_driver SRC DEST" << Qt::endl;
        return 2;
    }
    return ExportCommand::run(args[1], args[2], errors);
}
