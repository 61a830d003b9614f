#pragma once

#include <QDialog>
#include <QImage>
#include <QPixmap>
#include <vector>

#include "app/controls/ResizeManage.h"

class QLabel;
class QPushButton;
class QTabBar;

namespace app {

// Help windows that show one explanation picture and size themselves to it. Only "閉じる" shows
// (unless showOk is set); it and Esc close the window; the user cannot resize it.
class CRefDialogBase : public QDialog
{
    Q_OBJECT

public:
    explicit CRefDialogBase(QWidget* parent);

    void SetTitle(const QString& title) { title_ = title; }
    bool showOk = false;

protected:
    // Lays the window out for a picture of `picture` size whose static sits at `offset`
    // (added to the size only when `addOffset`).
    void Prepare(QSize picture, QPoint offset, bool addOffset);
    void resizeEvent(QResizeEvent* event) override;

    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    CResizeManage resize_;

private:
    QString title_;
};

// One resource picture.
class CRefCommonDlg : public CRefDialogBase
{
    Q_OBJECT

public:
    explicit CRefCommonDlg(QWidget* parent = nullptr);
    void SetBitmap(int bitmapId);
    void SetPicture(const QPixmap& picture) { picture_ = picture; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* view_;
    QPixmap picture_;
    bool prepared_ = false;
};

// One picture file, drawn stretched into its frame.
class CRefCommonPngDlg : public CRefDialogBase
{
    Q_OBJECT

public:
    explicit CRefCommonPngDlg(QWidget* parent = nullptr);
    // False when the file cannot be read; the window then shows an empty picture with a note.
    bool LoadPictureFile(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;

private:
    class PictureView;
    PictureView* view_;
    bool prepared_ = false;
};

// Several resource pictures behind tabs; sized for the largest.
class CRefCommonTabDlg : public CRefDialogBase
{
    Q_OBJECT

public:
    explicit CRefCommonTabDlg(QWidget* parent = nullptr);
    void AddPage(int bitmapId, const QString& title);
    void AddPage(const QPixmap& picture, const QString& title);
    QTabBar* Tabs() const { return tabs_; }
    QLabel* PictureLabel() const { return view_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowPage(int index);

    QTabBar* tabs_;
    QLabel* view_;
    std::vector<QPixmap> pages_;
    bool prepared_ = false;
};

// Openers: a resource picture, and a picture file of the executable's folder (nothing is shown
// when that folder is unknown).
void ShowRefPicture(QWidget* parent, int bitmapId, const QString& title);
void ShowRefPictureFile(QWidget* parent, const QString& relativePath, const QString& title);

}  // namespace app
