#include "app/framework/PrintDialog.h"

#include <QPrintDialog>

namespace {

PrintDialogHandler& Handler()
{
    static PrintDialogHandler handler;
    return handler;
}

} // namespace

bool ShowPrintDialog(QPrinter& printer, QWidget* parent)
{
    if (Handler())
        return Handler()(printer, parent);
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

PrintDialogHandler SetPrintDialogHandler(PrintDialogHandler handler)
{
    PrintDialogHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}
