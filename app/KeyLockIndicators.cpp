#include "app/KeyLockIndicators.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QStatusBar>

#include "app/KeyLockState.h"
#include "res/ResourceStrings.h"

namespace {

QLabel* AddPane(QStatusBar* statusBar, const char* text)
{
    auto* pane = new QLabel(QString::fromLatin1(text), statusBar);
    pane->setObjectName(QString::fromLatin1(text));
    pane->setAlignment(Qt::AlignCenter);
    pane->setFrameShape(QFrame::Panel);
    pane->setFrameShadow(QFrame::Sunken);
    // Wide enough for the text with a margin, whatever the font.
    pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(pane->text()) + 12);
    pane->setEnabled(false);
    statusBar->addPermanentWidget(pane);
    return pane;
}

} // namespace

KeyLockIndicators::KeyLockIndicators(QStatusBar* statusBar)
    : QObject(statusBar), m_caps(AddPane(statusBar, Texts::INDICATOR_CAPS)),
      m_num(AddPane(statusBar, Texts::INDICATOR_NUM)), m_scroll(AddPane(statusBar, Texts::INDICATOR_SCRL))
{
    qApp->installEventFilter(this);
    Refresh();
}

KeyLockIndicators::~KeyLockIndicators()
{
    qApp->removeEventFilter(this);
}

void KeyLockIndicators::Refresh()
{
    const KeyLocks locks = QueryKeyLocks().value_or(KeyLocks{});
    m_caps->setEnabled(locks.caps);
    m_num->setEnabled(locks.num);
    m_scroll->setEnabled(locks.scroll);
}

bool KeyLockIndicators::eventFilter(QObject* watched, QEvent* event)
{
    // A lock key has taken effect by the time it is released.
    switch (event->type()) {
    case QEvent::KeyRelease:
    case QEvent::ApplicationActivate:
        Refresh();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
