#pragma once
// Answers the printer dialog as a keeper would: cancels, or sets the number of
// copies, the orientation and where the printout goes on the printer it was
// shown. The machine the tests run on has no printer, so an accepted dialog
// prints to a file, as the dialog's "print to file" does.
#include "core/Services.h"

#include <QPageLayout>
#include <QPrinter>
#include <QStringList>

class ScriptedPrintDialog : public IPrintDialog {
public:
    bool accept = true;
    int copies = 1;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QString outputFile;

    QStringList titles;
    QPrinter* printer = nullptr;   // the printer last shown, while its print command lasts

    bool choosePrinter(QPrinter& shown, const QString& title) override
    {
        titles << title;
        printer = &shown;
        if (!accept)
            return false;
        shown.setCopyCount(copies);
        shown.setPageOrientation(orientation);
        shown.setOutputFileName(outputFile);
        return true;
    }
};
