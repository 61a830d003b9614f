#include "app/controls/RefPictureDialogs.h"

#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTabBar>

#include "app/controls/BitmapResources.h"
#include "app/controls/ScreenDpi.h"
#include "fe/AppFolders.h"

namespace app {
namespace {

// Where the picture sits, and the nominal window the buttons are placed in before sizing.
constexpr QPoint kPictureOrigin(10, 8);
constexpr QSize kNominal(240, 160);
constexpr QSize kButton(88, 26);
// A picture file that cannot be read shows as an empty frame of this size with a note.
constexpr QSize kMissingPicture(360, 120);

}  // namespace

CRefDialogBase::CRefDialogBase(QWidget* parent) : QDialog(parent)
{
    resize(kNominal);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    m_cancel->setGeometry(kNominal.width() - 11 - kButton.width(), kNominal.height() - 8 - kButton.height(),
                          kButton.width(), kButton.height());
    m_ok->setGeometry(m_cancel->x() - 6 - kButton.width(), m_cancel->y(), kButton.width(), kButton.height());
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CRefDialogBase::Prepare(QSize picture, QPoint offset, bool addOffset)
{
    const QRect initial(QPoint(0, 0), kNominal);
    if (!m_title.isEmpty())
        setWindowTitle(m_title);
    if (!showOk) {
        m_ok->hide();
        m_cancel->setText(QStringLiteral("閉じる"));
    }
    const QSize dpi = ScreenDpi();
    int width = picture.width() + 21 * dpi.width() / 96;
    int height = picture.height() + 50 * dpi.height() / 96;
    if (addOffset) {
        width += offset.x();
        height += offset.y();
    }
    m_resize.SetInitialRect(initial);
    m_resize.SetMinTrackSize({width, height});
    m_resize.SetMaxTrackSize({width, height});
    m_resize.Add(this, m_ok, true, true, false, false);
    m_resize.Add(this, m_cancel, true, true, false, false);
    setFixedSize(width, height);
    m_resize.Resize(rect());
}

void CRefDialogBase::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    m_resize.Resize(rect());
}

CRefCommonDlg::CRefCommonDlg(QWidget* parent) : CRefDialogBase(parent), m_view(new QLabel(this))
{
    m_view->move(kPictureOrigin);
}

void CRefCommonDlg::SetBitmap(int bitmapId)
{
    m_picture = LoadBitmapResource(bitmapId);
}

void CRefCommonDlg::showEvent(QShowEvent* event)
{
    if (!m_prepared) {
        m_prepared = true;
        m_view->setPixmap(m_picture);
        m_view->resize(m_picture.size());
        Prepare(m_picture.size(), kPictureOrigin, false);
    }
    CRefDialogBase::showEvent(event);
}

class CRefCommonPngDlg::PictureView final : public QWidget
{
public:
    explicit PictureView(QWidget* parent) : QWidget(parent) {}
    QImage picture;
    QString note;

protected:
    // Drawn stretched to the frame off screen, then copied one pixel in, less one pixel each way.
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QImage off(size(), QImage::Format_RGB32);
        off.fill(Qt::white);
        QPainter offPainter(&off);
        if (!picture.isNull()) {
            offPainter.setRenderHint(QPainter::SmoothPixmapTransform);
            offPainter.drawImage(off.rect(), picture);
        } else {
            offPainter.setPen(Qt::darkGray);
            offPainter.drawRect(off.rect().adjusted(0, 0, -1, -1));
            offPainter.drawText(off.rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, note);
        }
        offPainter.end();
        painter.drawImage(QPoint(1, 1), off, QRect(0, 0, width() - 1, height() - 1));
    }
};

CRefCommonPngDlg::CRefCommonPngDlg(QWidget* parent) : CRefDialogBase(parent), m_view(new PictureView(this))
{
    m_view->move(kPictureOrigin);
}

bool CRefCommonPngDlg::LoadPictureFile(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(false);
    m_view->picture = reader.read();
    if (m_view->picture.isNull()) {
        m_view->note = QStringLiteral("画像ファイルを読み込めません。\n%1").arg(path);
        return false;
    }
    m_view->note.clear();
    return true;
}

void CRefCommonPngDlg::showEvent(QShowEvent* event)
{
    if (!m_prepared) {
        m_prepared = true;
        const QSize size = m_view->picture.isNull() ? kMissingPicture : m_view->picture.size();
        m_view->resize(size);
        Prepare(size, kPictureOrigin, false);
    }
    CRefDialogBase::showEvent(event);
}

CRefCommonTabDlg::CRefCommonTabDlg(QWidget* parent)
    : CRefDialogBase(parent), m_tabs(new QTabBar(this)), m_view(new QLabel(this))
{
    m_tabs->move(kPictureOrigin.x(), 6);
    connect(m_tabs, &QTabBar::currentChanged, this, &CRefCommonTabDlg::ShowPage);
}

void CRefCommonTabDlg::AddPage(int bitmapId, const QString& title)
{
    AddPage(LoadBitmapResource(bitmapId), title);
}

void CRefCommonTabDlg::AddPage(const QPixmap& picture, const QString& title)
{
    m_pages.push_back(picture);
    m_tabs->addTab(title);
}

void CRefCommonTabDlg::ShowPage(int index)
{
    if (index < 0 || index >= static_cast<int>(m_pages.size()))
        return;
    m_view->setPixmap(m_pages[index]);
}

void CRefCommonTabDlg::showEvent(QShowEvent* event)
{
    if (!m_prepared) {
        m_prepared = true;
        QSize largest(0, 0);
        for (const QPixmap& page : m_pages)
            largest = largest.expandedTo(page.size());
        m_tabs->resize(std::max(m_tabs->sizeHint().width(), largest.width()), m_tabs->sizeHint().height());
        const QPoint offset(kPictureOrigin.x(), m_tabs->geometry().bottom() + 3);
        m_view->move(offset);
        m_view->resize(largest);
        m_view->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        ShowPage(m_tabs->currentIndex());
        Prepare(largest, offset, true);
    }
    CRefDialogBase::showEvent(event);
}

void ShowRefPicture(QWidget* parent, int bitmapId, const QString& title)
{
    CRefCommonDlg dialog(parent);
    dialog.SetTitle(title);
    dialog.SetBitmap(bitmapId);
    dialog.exec();
}

void ShowRefPictureFile(QWidget* parent, const QString& relativePath, const QString& title)
{
    const QString folder = fe::GetExeFolder();
    if (folder.isEmpty())
        return;
    CRefCommonPngDlg dialog(parent);
    dialog.SetTitle(title);
    // Names written with a backslash ("Ref\refPhotoMark.png") work too.
    dialog.LoadPictureFile(folder + QString(relativePath).replace(QLatin1Char('\\'), QLatin1Char('/')));
    dialog.exec();
}

}  // namespace app
