#include "export/ExportCommand.h"

#include "export/FileTypeCode.h"
#include "export/RenderAndSaveIcon.h"

#include <QImageReader>

int ExportCommand::run(const QString& source, const QString& destination, QTextStream& errors)
{
    QImageReader reader(source);
    const QImage image = reader.read();
    if (image.isNull()) {
        errors << "pictomine: cannot read " << source << ": " << reader.errorString() << Qt::endl;
        return 1;
    }
    const int fileType = FileTypeCode::fromPath(destination);
    // The same arguments as a tile's save: high-speed modes, transparent background, quality 90.
    const ExportResult result =
        RenderAndSaveIcon(destination, fileType, 0, 1, 1, true, true, 0, 90, image, true);
    if (!result.ok) {
        QString line = result.message;
        line.replace('\n', ' ');
        errors << "pictomine: " << line << Qt::endl;
        return 1;
    }
    return 0;
}
