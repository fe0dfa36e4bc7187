// The export command in an executable that links only what the export uses:
//   bench_export_driver --export SRC DEST
// Timed beside `pictomine --export` it shows what the export costs without the start-up of the
// window's libraries (widgets, network, SVG, HTML parsing), which the dynamic loader binds
// eagerly before main() runs.
#include "export/ExportCommand.h"
#include "platform/AppPaths.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc != 4 || std::strcmp(argv[1], "--export") != 0) {
        std::fprintf(stderr, "usage: bench_export_driver --export SRC DEST\n");
        return 2;
    }
    QCoreApplication app(argc, argv);
    QTextStream errors(stderr);
    ExportCommand::endProcess(ExportCommand::run(QString::fromLocal8Bit(argv[2]),
                                                 QString::fromLocal8Bit(argv[3]),
                                                 AppPaths(AppPaths::defaultRoot()), errors));
}
