#pragma once

#include <functional>

class QPrinter;
class QWidget;

// The print dialog over `parent`: true when the user chose to print, the
// printer then set up as chosen; false when the user cancelled.
bool ShowPrintDialog(QPrinter& printer, QWidget* parent);

// Replaces the dialog (tests choose the printer without one); returns the
// previous handler. An empty handler restores the dialog.
using PrintDialogHandler = std::function<bool(QPrinter& printer, QWidget* parent)>;
PrintDialogHandler SetPrintDialogHandler(PrintDialogHandler handler);
