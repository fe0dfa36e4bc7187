#include "platform/SaveDialog.h"

#include "platform/SaveFilter.h"
#include "platform/SaveRequest.h"

#include <QDateTime>
#include <QHeaderView>
#include <QLocale>
#include <QScreen>
#include <QTreeView>

#include <algorithm>

SaveDialog::SaveDialog(QWidget* parent, const SaveRequest& request)
    : QFileDialog(parent, request.title, request.folder)
{
    // Qt's own dialog: a desktop's native one could not be fitted, nor rename on a filter change.
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::DontConfirmOverwrite);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setNameFilters(request.filters);
    const QString entry =
        request.selectedFilter.isEmpty() ? request.filters.value(0) : request.selectedFilter;
    selectNameFilter(entry);
    setDefaultSuffix(SaveFilter::suffixes(entry).value(0));
    selectFile(request.fileName);
    setViewMode(QFileDialog::Detail);
    fitColumns();
    connect(this, &QFileDialog::filterSelected, this, &SaveDialog::onFilterSelected);
}

QString SaveDialog::chosenPath() const
{
    return result() == QDialog::Accepted ? selectedFiles().value(0) : QString();
}

QString SaveDialog::typedName() const
{
    return QFileInfo(selectedFiles().value(0)).fileName();
}

void SaveDialog::onFilterSelected(const QString& entry)
{
    const QString name = SaveFilter::renamed(typedName(), entry);
    setDefaultSuffix(SaveFilter::suffixes(entry).value(0));
    if (!name.isEmpty())
        selectFile(name);
}

// Sizes the name, size, type and date columns for their longest usual texts and makes the dialog
// wide enough to show them all beside the places list, within the screen.
void SaveDialog::fitColumns()
{
    auto* view = findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!view)
        return;
    QHeaderView* header = view->header();
    const QFontMetrics metrics(view->font());
    const QLocale locale = QLocale::system();
    const QString samples[] = {
        QString(32, 'n'),
        locale.formattedDataSize(qint64(1023) * 1024 * 1024 - 1),
        QStringLiteral("Windows BMP image"),
        locale.toString(QDateTime(QDate(2026, 12, 28), QTime(23, 58)), QLocale::ShortFormat),
    };
    const int padding = 4 * metrics.averageCharWidth();
    int columns = 0;
    for (int i = 0; i < int(std::size(samples)) && i < header->count(); ++i) {
        const int width =
            std::max(header->sectionSizeHint(i), metrics.horizontalAdvance(samples[i]) + padding);
        header->resizeSection(i, width);
        columns += width;
    }
    const QWidget* places = findChild<QWidget*>(QStringLiteral("sidebar"));
    const int around = (places ? places->sizeHint().width() : 0) +
                       style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 12 * metrics.averageCharWidth();
    int width = std::max(this->width(), columns + around);
    int height = std::max(this->height(), 28 * metrics.height());
    if (const QScreen* target = parentWidget() ? parentWidget()->screen() : screen()) {
        width = std::min(width, target->availableGeometry().width());
        height = std::min(height, target->availableGeometry().height());
    }
    resize(width, height);
}
