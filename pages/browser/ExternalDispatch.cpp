#include "pages/browser/ExternalDispatch.h"

#include "pages/browser/CxHtmlView.h"

ExternalDispatch::ExternalDispatch(CxHtmlView* owner, QObject* parent) : QObject(parent), m_owner(owner)
{
}

void ExternalDispatch::Invoke(int dispId, const QVariantList& arguments)
{
    if (m_owner)
        m_owner->OnExternalCall(dispId, arguments);
}
