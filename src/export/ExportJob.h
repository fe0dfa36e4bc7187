#pragma once

#include "export/RenderAndSaveIcon.h"

#include <QFuture>

// The export after a tile's download as a job for a worker thread: decode the downloaded file
// within the pixel bound, then render and write it. Plain values in and out; nothing touches a
// window, a timer or the application's state. Jobs run one at a time on a thread of their own
// (the octree quantiser keeps one tree for the program), in the order they were started.
class ExportJob
{
public:
    // The whole job, on the calling thread.
    [[nodiscard]] static ExportResult run(const QString& downloadPath, const ExportRequest& request);
    // The job on the export thread; the future holds its one result.
    [[nodiscard]] static QFuture<ExportResult> start(const QString& downloadPath,
                                                     const ExportRequest& request);
};
