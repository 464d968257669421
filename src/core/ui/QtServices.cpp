#include "core/ui/QtServices.h"

#include <QApplication>
#include <QCursor>
#include <QFileDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QRandomGenerator>

QWidget* dialogOwner()
{
    if (QWidget* active = QApplication::activeWindow())
        return active;
    // Without a window manager no window is ever active: the dialog the keeper
    // answers, else the main window, stands in for it.
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows)
        if (window->isVisible() && qobject_cast<QMainWindow*>(window))
            return window;
    return nullptr;
}

MsgResult QtMessageBox::show(const Message& message)
{
    QMessageBox box(dialogOwner());
    // A message is plain text: a tank, an animal or a task named with '<' or
    // '&' in it reads as the keeper typed it, never as markup.
    box.setTextFormat(Qt::PlainText);
    // Texts break lines with a carriage return, with or without a line feed.
    QString text = message.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(text);
    box.setWindowTitle(message.title.isEmpty() ? QApplication::applicationDisplayName() : message.title);
    switch (message.icon) {
    case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    }
    struct Choice { QMessageBox::StandardButton button; MsgResult result; };
    QList<Choice> choices;
    switch (message.buttons) {
    case MsgButtons::Ok: choices = {{QMessageBox::Ok, MsgResult::Ok}}; break;
    case MsgButtons::OkCancel: choices = {{QMessageBox::Ok, MsgResult::Ok}, {QMessageBox::Cancel, MsgResult::Cancel}}; break;
    case MsgButtons::YesNo: choices = {{QMessageBox::Yes, MsgResult::Yes}, {QMessageBox::No, MsgResult::No}}; break;
    case MsgButtons::YesNoCancel:
        choices = {{QMessageBox::Yes, MsgResult::Yes}, {QMessageBox::No, MsgResult::No}, {QMessageBox::Cancel, MsgResult::Cancel}};
        break;
    case MsgButtons::RetryCancel: choices = {{QMessageBox::Retry, MsgResult::Retry}, {QMessageBox::Cancel, MsgResult::Cancel}}; break;
    }
    QMessageBox::StandardButtons buttons;
    for (const Choice& c : choices)
        buttons |= c.button;
    box.setStandardButtons(buttons);
    for (const Choice& c : choices)
        if (c.result == message.defaultButton)
            box.setDefaultButton(c.button);
    // A busy pointer set by the work that led to the message would sit over
    // the box and tell the keeper to wait instead of to answer: it is taken
    // down while the box is up and put back afterwards.
    QList<QCursor> busy;
    while (const QCursor* cursor = QApplication::overrideCursor()) {
        busy.prepend(*cursor);
        QApplication::restoreOverrideCursor();
    }
    const int answer = box.exec();
    for (const QCursor& cursor : busy)
        QApplication::setOverrideCursor(cursor);
    for (const Choice& c : choices)
        if (answer == c.button)
            return c.result;
    // Closed through the frame: the cancelling answer.
    if (message.buttons == MsgButtons::Ok)
        return MsgResult::Ok;
    if (message.buttons == MsgButtons::YesNo)
        return MsgResult::No;
    return MsgResult::Cancel;
}

void QtBeeper::beep()
{
    QApplication::beep();
}

double SystemRandom::nextDouble()
{
    return QRandomGenerator::global()->generateDouble();
}

QString QtFileDialogs::getSaveFileName(const QString& title, const QString& directory)
{
    // The program asks its own overwrite question (the backup, and printing
    // to a file) once the name is chosen.
    return QFileDialog::getSaveFileName(dialogOwner(), title, directory, QString(), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QString QtFileDialogs::getOpenFileName(const QString& title, const QString& directory, const QString& filter)
{
    return QFileDialog::getOpenFileName(dialogOwner(), title, directory, filter);
}

bool QtPrintDialog::choosePrinter(QPrinter& printer, const QString& title)
{
    QPrintDialog dialog(&printer, dialogOwner());
    dialog.setWindowTitle(title);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    return dialog.exec() == QDialog::Accepted;
}
