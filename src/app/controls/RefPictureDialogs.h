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

    void SetTitle(const QString& title) { m_title = title; }
    bool showOk = false;

protected:
    // Lays the window out for a picture of `picture` size whose static sits at `offset`
    // (added to the size only when `addOffset`).
    void Prepare(QSize picture, QPoint offset, bool addOffset);
    void resizeEvent(QResizeEvent* event) override;

    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    CResizeManage m_resize;

private:
    QString m_title;
};

// One resource picture.
class CRefCommonDlg : public CRefDialogBase
{
    Q_OBJECT

public:
    explicit CRefCommonDlg(QWidget* parent = nullptr);
    void SetBitmap(int bitmapId);
    void SetPicture(const QPixmap& picture) { m_picture = picture; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_view;
    QPixmap m_picture;
    bool m_prepared = false;
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
    PictureView* m_view;
    bool m_prepared = false;
};

// Several resource pictures behind tabs; sized for the largest.
class CRefCommonTabDlg : public CRefDialogBase
{
    Q_OBJECT

public:
    explicit CRefCommonTabDlg(QWidget* parent = nullptr);
    void AddPage(int bitmapId, const QString& title);
    void AddPage(const QPixmap& picture, const QString& title);
    QTabBar* Tabs() const { return m_tabs; }
    QLabel* PictureLabel() const { return m_view; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowPage(int index);

    QTabBar* m_tabs;
    QLabel* m_view;
    std::vector<QPixmap> m_pages;
    bool m_prepared = false;
};

// Openers: a resource picture, and a picture file of the executable's folder (nothing is shown
// when that folder is unknown).
void ShowRefPicture(QWidget* parent, int bitmapId, const QString& title);
void ShowRefPictureFile(QWidget* parent, const QString& relativePath, const QString& title);

}  // namespace app
