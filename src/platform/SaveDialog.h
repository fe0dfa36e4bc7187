#pragma once

#include <QFileDialog>

struct SaveRequest;

// The save dialog: Qt's own file dialog (the same on every desktop), in detail view and wide
// enough for its size, type and date columns, opening in the requested folder with the suggested
// name. Picking a filter entry gives the name that entry's extension, and a name typed without
// one gets it. Overwriting is asked about by the caller.
class SaveDialog : public QFileDialog
{
    Q_OBJECT
public:
    SaveDialog(QWidget* parent, const SaveRequest& request);

    // The chosen path after exec() accepted; empty when cancelled.
    [[nodiscard]] QString chosenPath() const;

private:
    void onFilterSelected(const QString& entry);
    void fitColumns();
    QString typedName() const;
};
