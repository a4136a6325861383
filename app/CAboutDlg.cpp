#include "app/CAboutDlg.h"

#include <QFrame>
#include <QPainter>
#include <QPushButton>
#include <QRegion>

#include "app/CTransparentStatic.h"
#include "app/CVantoryApp.h"
#include "app/framework/DialogUnits.h"
#include "res/MainFrameResources.h"
#include "res/Resource.h"
#include "res/ResourceStrings.h"

namespace {

// Dialog template 132, in dialog units.
constexpr int kDialogWidth = 287;
constexpr int kDialogHeight = 152;

} // namespace

CAboutDlg::CAboutDlg(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      m_ctlText(new CTransparentStatic(this)),
      m_okButton(new QPushButton(QString::fromUtf8(Texts::ABOUT_OK), this)),
      m_homepageButton(new QPushButton(QString::fromUtf8(Texts::ABOUT_HOMEPAGE), this))
{
    setFixedSize(DialogUnitsToPixels(kDialogWidth, kDialogHeight));
    setWindowTitle(QString::fromUtf8(Texts::ABOUT_CAPTION));

    m_okButton->setGeometry(DialogUnitsToPixels(230, 130, 50, 14));
    m_okButton->setDefault(true);
    m_okButton->setAutoDefault(true);
    m_homepageButton->setGeometry(DialogUnitsToPixels(175, 130, 50, 14));
    m_homepageButton->setAutoDefault(false);
    m_ctlText->setGeometry(DialogUnitsToPixels(115, 10, 160, 85));
    m_ctlText->SetText(QString::fromUtf8(Texts::ABOUT_TEXT));

    // A thin sunken line from the top edge down past the bottom.
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(DialogUnitsToPixels(96, 0, 1, 162));

    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_homepageButton, &QPushButton::clicked, this, [this] { OnHomepage(); });
}

bool CAboutDlg::OnInitDialog()
{
    m_bmpAbout = LoadAboutBitmap();
    const QString name = QString::fromUtf8(Texts::PRODUCT_NAME);
    m_ctlText->SetText(FormatTemplate(m_ctlText->Text(), {name, QString::fromUtf8(Texts::PRODUCT_VERSION)}));
    setWindowTitle(FormatTemplate(windowTitle(), {name}));
    m_bInitialized = true;
    return true;
}

int CAboutDlg::exec()
{
    if (!m_bInitialized)
        OnInitDialog();
    return QDialog::exec();
}

void CAboutDlg::showEvent(QShowEvent* event)
{
    if (!m_bInitialized)
        OnInitDialog();
    QDialog::showEvent(event);
}

void CAboutDlg::OnHomepage()
{
    if (CVantoryApp* app = CVantoryApp::Instance())
        app->OnVisitHomepage();
}

void CAboutDlg::paintEvent(QPaintEvent*)
{
    // The picture unscaled from the top-left corner; what it does not cover
    // (only a larger dialog, or no picture) gets the dialog's own colour.
    QPainter painter(this);
    const QRegion uncovered = QRegion(rect()).subtracted(QRect(QPoint(0, 0), m_bmpAbout.size()));
    for (const QRect& part : uncovered)
        painter.fillRect(part, palette().window());
    painter.drawPixmap(0, 0, m_bmpAbout);
}
