#include "app/framework/View.h"

#include <QPainter>
#include <QPrinter>
#include <QWidget>

#include "app/framework/Document.h"
#include "app/framework/FrameWindow.h"
#include "app/framework/PrintDialog.h"

namespace {

// The browser prints a page as a picture at the printer's resolution: at
// 300 dots per inch a letter or A4 page takes some 35 MB while it prints.
constexpr int kPrintResolution = 300;

} // namespace

View::~View()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

FrameWindow* View::GetParentFrame()
{
    for (QWidget* w = Widget() ? Widget()->parentWidget() : nullptr; w; w = w->parentWidget())
        if (auto* frame = qobject_cast<FrameWindow*>(w))
            return frame;
    return nullptr;
}

void View::OnFilePrint()
{
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    printer->setResolution(kPrintResolution);
    if (DoPreparePrinting(*printer))
        Print(std::move(printer), {});
}

bool View::DoPreparePrinting(QPrinter& printer)
{
    return ShowPrintDialog(printer, Widget());
}

void View::Print(std::shared_ptr<QPrinter> printer, PrintDone done)
{
    // Begun and ended with nothing drawn: the printer puts out one blank page.
    QPainter painter;
    const bool ok = printer && painter.begin(printer.get()) && painter.end();
    if (done)
        done(ok);
}

bool View::OnCmdMsg(int id, Query query, CommandState* state)
{
    if (HandleOwn(id, query, state))
        return true;
    return m_pDocument && m_pDocument->OnCmdMsg(id, query, state);
}
