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
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    cancel_ = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel_->setGeometry(kNominal.width() - 11 - kButton.width(), kNominal.height() - 8 - kButton.height(),
                         kButton.width(), kButton.height());
    ok_->setGeometry(cancel_->x() - 6 - kButton.width(), cancel_->y(), kButton.width(), kButton.height());
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void CRefDialogBase::Prepare(QSize picture, QPoint offset, bool addOffset)
{
    const QRect initial(QPoint(0, 0), kNominal);
    if (!title_.isEmpty())
        setWindowTitle(title_);
    if (!showOk) {
        ok_->hide();
        cancel_->setText(QStringLiteral("閉じる"));
    }
    const QSize dpi = ScreenDpi();
    int width = picture.width() + 21 * dpi.width() / 96;
    int height = picture.height() + 50 * dpi.height() / 96;
    if (addOffset) {
        width += offset.x();
        height += offset.y();
    }
    resize_.SetInitialRect(initial);
    resize_.SetMinTrackSize({width, height});
    resize_.SetMaxTrackSize({width, height});
    resize_.Add(this, ok_, true, true, false, false);
    resize_.Add(this, cancel_, true, true, false, false);
    setFixedSize(width, height);
    resize_.Resize(rect());
}

void CRefDialogBase::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    resize_.Resize(rect());
}

CRefCommonDlg::CRefCommonDlg(QWidget* parent) : CRefDialogBase(parent), view_(new QLabel(this))
{
    view_->move(kPictureOrigin);
}

void CRefCommonDlg::SetBitmap(int bitmapId)
{
    picture_ = LoadBitmapResource(bitmapId);
}

void CRefCommonDlg::showEvent(QShowEvent* event)
{
    if (!prepared_) {
        prepared_ = true;
        view_->setPixmap(picture_);
        view_->resize(picture_.size());
        Prepare(picture_.size(), kPictureOrigin, false);
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

CRefCommonPngDlg::CRefCommonPngDlg(QWidget* parent) : CRefDialogBase(parent), view_(new PictureView(this))
{
    view_->move(kPictureOrigin);
}

bool CRefCommonPngDlg::LoadPictureFile(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(false);
    view_->picture = reader.read();
    if (view_->picture.isNull()) {
        view_->note = QStringLiteral("画像ファイルを読み込めません。\n%1").arg(path);
        return false;
    }
    view_->note.clear();
    return true;
}

void CRefCommonPngDlg::showEvent(QShowEvent* event)
{
    if (!prepared_) {
        prepared_ = true;
        const QSize size = view_->picture.isNull() ? kMissingPicture : view_->picture.size();
        view_->resize(size);
        Prepare(size, kPictureOrigin, false);
    }
    CRefDialogBase::showEvent(event);
}

CRefCommonTabDlg::CRefCommonTabDlg(QWidget* parent)
    : CRefDialogBase(parent), tabs_(new QTabBar(this)), view_(new QLabel(this))
{
    tabs_->move(kPictureOrigin.x(), 6);
    connect(tabs_, &QTabBar::currentChanged, this, &CRefCommonTabDlg::ShowPage);
}

void CRefCommonTabDlg::AddPage(int bitmapId, const QString& title)
{
    AddPage(LoadBitmapResource(bitmapId), title);
}

void CRefCommonTabDlg::AddPage(const QPixmap& picture, const QString& title)
{
    pages_.push_back(picture);
    tabs_->addTab(title);
}

void CRefCommonTabDlg::ShowPage(int index)
{
    if (index < 0 || index >= static_cast<int>(pages_.size()))
        return;
    view_->setPixmap(pages_[index]);
}

void CRefCommonTabDlg::showEvent(QShowEvent* event)
{
    if (!prepared_) {
        prepared_ = true;
        QSize largest(0, 0);
        for (const QPixmap& page : pages_)
            largest = largest.expandedTo(page.size());
        tabs_->resize(std::max(tabs_->sizeHint().width(), largest.width()), tabs_->sizeHint().height());
        const QPoint offset(kPictureOrigin.x(), tabs_->geometry().bottom() + 3);
        view_->move(offset);
        view_->resize(largest);
        view_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        ShowPage(tabs_->currentIndex());
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
