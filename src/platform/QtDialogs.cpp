#include "platform/QtDialogs.h"

#include "platform/SaveDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace
{
Dialogs* g_override = nullptr;
}

Dialogs& Dialogs::instance()
{
    static QtDialogs standard;
    return g_override ? *g_override : standard;
}

void Dialogs::setInstance(Dialogs* dialogs)
{
    g_override = dialogs;
}

QString QtDialogs::saveFileName(QWidget* parent, const QString& title, const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, title, QString(), filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QString QtDialogs::saveFile(QWidget* parent, const SaveRequest& request)
{
    SaveDialog dialog(parent, request);
    dialog.exec();
    return dialog.chosenPath();
}

QString QtDialogs::openFileName(QWidget* parent, const QString& title, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}

bool QtDialogs::confirm(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

void QtDialogs::inform(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox::information(parent, title, text, QMessageBox::Ok);
}

void QtDialogs::critical(const QString& text)
{
    QMessageBox::critical(nullptr, QApplication::applicationDisplayName(), text, QMessageBox::Ok);
}
