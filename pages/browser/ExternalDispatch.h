#pragma once

#include <QObject>
#include <QVariantList>

class CxHtmlView;

// The object behind a page's window.external, published to the page over
// the web channel. The page's script turns a call of any method name into
// Invoke with the call id DISPID_PAGECALL and the call's arguments.
class ExternalDispatch : public QObject
{
    Q_OBJECT

public:
    ExternalDispatch(CxHtmlView* owner, QObject* parent);

    // Hands the call to the owner view's OnExternalCall.
    Q_INVOKABLE void Invoke(int dispId, const QVariantList& arguments);

private:
    CxHtmlView* m_owner;
};
