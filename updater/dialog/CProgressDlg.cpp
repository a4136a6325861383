#include "updater/dialog/CProgressDlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

#include "updater/dialog/FlatBarStyle.h"
#include "updater/dialog/ProgressDlgLayout.h"

namespace {

QLabel* MakeText(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);  // no "&" prefix, no markup
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setWordWrap(false);
    return label;
}

QProgressBar* MakeBar(QWidget* parent)
{
    auto* bar = new QProgressBar(parent);
    bar->setStyle(FlatBarStyle::Shared());
    bar->setTextVisible(false);  // the template's bars show no percentage
    // The bar formats its hidden text at every step; in the C locale that
    // costs nothing, in the system's it dominates a long table's steps.
    bar->setLocale(QLocale::c());
    bar->setRange(0, 100);
    bar->setValue(0);
    return bar;
}

QWidget* MainWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(widget))
            return widget;
    return nullptr;
}

} // namespace

CProgressDlg::CProgressDlg()
    : QDialog(nullptr),
      m_marker(new QFrame(this)),
      m_cancelButton(new QPushButton(QStringLiteral("Cancel"), this)),
      m_lowerTextCtrl(MakeText(this)),
      m_lowerBar(MakeBar(this)),
      m_upperBar(MakeBar(this)),
      m_upperTextCtrl(MakeText(this))
{
    setWindowTitle(QStringLiteral("Updating Database"));
    // A caption without system menu: no close box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(false);

    m_marker->setFrameShape(QFrame::Box);
    m_marker->hide();  // the template's marker is not visible; only its bottom counts
    for (const int id : {IDC_PROGRESS_UPPER_TEXT, IDC_PROGRESS_UPPER_BAR, IDC_PROGRESS_LOWER_TEXT,
                         IDC_PROGRESS_MARKER, IDC_PROGRESS_LOWER_BAR, IDC_PROGRESS_CANCEL})
        GetDlgItem(id)->setGeometry(DialogRectToPixels(ProgressControlRect(id)));
    setFixedSize(DialogUnitsToPixelsX(kProgressDialogWidthDu),
                 DialogUnitsToPixelsY(kProgressDialogHeightDu));
    FitFont();
    connect(m_cancelButton, &QPushButton::clicked, this, [this] { OnCancel(); });
}

CProgressDlg::~CProgressDlg() = default;

bool CProgressDlg::Create(QWidget* owner)
{
    if (!owner)
        owner = MainWindow();
    if (m_owner)
        disconnect(m_owner, nullptr, this, nullptr);
    m_owner = owner;
    // Owned, not parented for life: the dialog is its caller's local, so it
    // must not be deleted with an owner that goes first.
    setParent(owner, windowFlags());
    if (owner)
        connect(owner, &QObject::destroyed, this, [this] {
            hide();
            setParent(nullptr, windowFlags());
        });
    return true;
}

void CProgressDlg::CenterOnOwner()
{
    if (!m_owner)
        return;
    const QRect owner = m_owner->frameGeometry();
    const QRect dialog = frameGeometry();
    const int left = owner.left() + owner.width() / 2 - dialog.width() / 2;
    const int top = owner.top() + owner.height() / 2 - dialog.height() / 2;
    // A top-level window's position is its frame's; its size does not change.
    move(left, top);
}

void CProgressDlg::ShowCompact()
{
    m_changesToPaint = true;
    m_cancelButton->hide();
    m_lowerTextCtrl->hide();
    m_lowerBar->hide();
    // The marker keeps its geometry while hidden: its bottom edge becomes
    // the dialog's, which also ends the client area there.
    const int markerBottom = m_marker->geometry().top() + m_marker->geometry().height();
    setFixedSize(width(), markerBottom);
}

void CProgressDlg::UpdateData()
{
    m_changesToPaint = true;
    ShowText(m_upperTextCtrl, m_upperText);
    ShowText(m_lowerTextCtrl, m_lowerText);
}

void CProgressDlg::UpdateWindow()
{
    // What has changed is painted now, from inside the work, without the
    // event loop. With nothing waiting it costs nothing: handing over posted
    // events wakes the event loop for the others each time, and work steps
    // its bar thousands of times.
    if (isVisible() && m_changesToPaint) {
        m_changesToPaint = false;
        QCoreApplication::sendPostedEvents(this, QEvent::UpdateRequest);
    }
}

void CProgressDlg::SetPos(Bar bar, int position)
{
    m_pos[bar] = std::clamp(position, 0, m_range[bar]);
    ShowBar(bar);
}

int CProgressDlg::GetPos(Bar bar) const
{
    return m_pos[bar];
}

int CProgressDlg::GetRange(Bar bar) const
{
    return m_range[bar];
}

void CProgressDlg::ApplyRange(Bar bar, int maximum)
{
    m_changesToPaint = true;
    m_range[bar] = std::max(0, maximum);
    m_pos[bar] = std::clamp(m_pos[bar], 0, m_range[bar]);
    ShowBar(bar);
}

void CProgressDlg::PumpOneMessage()
{
    // What is pending now, input and posted events, and nothing more: a
    // pump that waited for input would stall the work.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents();
}

QWidget* CProgressDlg::GetDlgItem(int id) const
{
    switch (id) {
    case IDC_PROGRESS_UPPER_BAR: return m_upperBar;
    case IDC_PROGRESS_LOWER_BAR: return m_lowerBar;
    case IDC_PROGRESS_UPPER_TEXT: return m_upperTextCtrl;
    case IDC_PROGRESS_LOWER_TEXT: return m_lowerTextCtrl;
    case IDC_PROGRESS_MARKER: return m_marker;
    case IDC_PROGRESS_CANCEL: return m_cancelButton;
    default: return nullptr;
    }
}

void CProgressDlg::OnOK()
{
    QDialog::accept();
}

void CProgressDlg::OnCancel()
{
    m_cancelled = true;
}

void CProgressDlg::accept()
{
    OnOK();
}

void CProgressDlg::reject()
{
    OnCancel();
}

void CProgressDlg::closeEvent(QCloseEvent* event)
{
    // The user closing the window asks to cancel, like the button, and the
    // dialog stays. A close by the program itself (the application quits,
    // which first closes every window) cancels the work and is let through:
    // refusing it would keep the application from quitting.
    OnCancel();
    if (event->spontaneous())
        event->ignore();
    else
        event->accept();
}

void CProgressDlg::ShowBar(Bar bar)
{
    QProgressBar* control = bar == UpperBar ? m_upperBar : m_lowerBar;
    // QProgressBar shows a busy animation for the range 0 to 0; the
    // template's bar just stays empty.
    const int maximum = std::max(1, m_range[bar]);
    const int value = m_range[bar] == 0 ? 0 : m_pos[bar];
    control->setRange(0, maximum);
    // A table of thousands of items steps its bar thousands of times across
    // a few hundred pixels, and the control weighs every step against its
    // style's metrics. It is told of every quarter pixel the position moves
    // and of both ends: all that a paint of it could show.
    const auto quarter = [&](int position) {
        return static_cast<qint64>(position) * 4 * std::max(1, control->width()) / maximum;
    };
    if (value == 0 || value == maximum || quarter(value) != quarter(control->value()))
        control->setValue(value);
}

void CProgressDlg::ShowText(QLabel* control, const std::string& text)
{
    const QString full = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    // A line too long for the control loses its middle rather than its end.
    const QString shown =
        control->fontMetrics().elidedText(full, Qt::ElideMiddle, control->width());
    control->setText(shown);
    control->setToolTip(shown == full ? QString() : full);
}

void CProgressDlg::FitFont()
{
    // The template's font is not on this system; the dialog font is, and it
    // must fit the text lines the template gives it.
    QFont font = QApplication::font(this);
    const int lineHeight = m_upperTextCtrl->height();
    while (QFontMetrics(font).height() > lineHeight && font.pointSizeF() > 6)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    setFont(font);
}
