#include "export/ExportCommand.h"

#include "export/ExportSource.h"
#include "export/FileTypeCode.h"
#include "export/RenderAndSaveIcon.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

int ExportCommand::run(const QString& source, const QString& destination, const AppPaths& paths,
                       QTextStream& errors, FileWriter& files)
{
    ExportSource::allowBoundedImages();
    ExportSource::Decoded decoded = ExportSource::read(source);
    if (decoded.image.isNull()) {
        errors << "pictomine: " << (decoded.tooLarge ? source + ": " : "cannot read " + source + ": ")
               << decoded.error << Qt::endl;
        return 1;
    }
    const int fileType = FileTypeCode::fromPath(destination);
    // The same arguments as a tile's save: high-speed modes, transparent background, quality 90.
    const ExportResult result =
        renderAndSaveIcon(destination, fileType, 0, 1, 1, true, true, 0, 90, std::move(decoded.image), true,
                          paths.sizes(), nullptr, nullptr, files);
    if (!result.ok) {
        QString line = result.message;
        line.replace('\n', ' ');
        errors << "pictomine: " << line << Qt::endl;
        return 1;
    }
    return 0;
}

void ExportCommand::endProcess(int status)
{
    std::fflush(stdout);
    std::fflush(stderr);
    // Everything the command produces is complete here: the file was synced and renamed into
    // place, the Sizes files renamed into place, the messages flushed. What a normal
    // exit would still do is tear down: the application object, the image plug-ins, every
    // library's static objects and exit handlers, all memory the kernel reclaims anyway. That can
    // cost as much as a small export itself, so the process ends here without it.
    std::_Exit(status);
}
