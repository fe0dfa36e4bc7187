#include "export/ExportJob.h"

#include "export/ExportSource.h"

#include <QPromise>
#include <QThreadPool>

#include <memory>
#include <new>

namespace
{

// One thread, kept while jobs come and ended after Qt's idle time-out. Leaving the program waits
// for a job that is writing, so its file is completed.
class ExportThread : public QThreadPool
{
public:
    ExportThread() { setMaxThreadCount(1); }
};

QThreadPool& exportThread()
{
    static ExportThread pool;
    return pool;
}

} // namespace

ExportResult ExportJob::run(const QString& downloadPath, const ExportRequest& request)
{
    ExportSource::Decoded decoded = ExportSource::read(downloadPath);
    if (decoded.tooLarge)
        return ExportResult{false, decoded.error};
    if (decoded.image.isNull()) {
        return ExportResult{
            false,
            QStringLiteral("The downloaded icon %1 could not be read: %2.").arg(downloadPath, decoded.error)};
    }
    return renderAndSave(request, std::move(decoded.image));
}

QFuture<ExportResult> ExportJob::start(const QString& downloadPath, const ExportRequest& request)
{
    // QThreadPool takes copyable work; the promise travels in a shared pointer.
    auto promise = std::make_shared<QPromise<ExportResult>>();
    QFuture<ExportResult> future = promise->future();
    promise->start();
    exportThread().start([promise, downloadPath, request] {
        try {
            promise->addResult(run(downloadPath, request));
        } catch (const std::bad_alloc&) {
            promise->addResult(ExportResult{
                false, QStringLiteral("There was not enough memory to export %1.").arg(request.fileName)});
        }
        promise->finish();
    });
    return future;
}
