// Renders a dialog that uses every control offscreen and saves it as controls_gallery.png in the
// test's working folder, to look at.
#include <gtest/gtest.h>

#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <climits>

#include "app/KeyPolicyDialog.h"
#include "app/controls/BitmapPreview.h"
#include "app/controls/BitmapResources.h"
#include "app/controls/ExpButton.h"
#include "app/controls/ExpEdit.h"
#include "app/controls/ExpStatic.h"
#include "app/controls/ExpTextEdit.h"
#include "app/controls/SpreadCells.h"
#include "app/controls/SpreadGrid.h"

using namespace app;

namespace {

CSpread7U* MakeGrid(QWidget* parent)
{
    auto* grid = new CSpread7U(parent);
    grid->SetCols(5);
    grid->SetRows(5);
    grid->SetCol(4);
    grid->SetColKind(SpreadCellKind::Check);
    grid->SetCol(5);
    grid->SetColKind(SpreadCellKind::Picture);
    grid->SetEmptyAreaColor(QColor(219, 255, 255));
    grid->SetLockedBackColor(QColor(225, 225, 225));
    const QStringList headers = {QStringLiteral("名称"), QStringLiteral("枚数"), QStringLiteral("緯度"),
                                 QStringLiteral("表示"), QStringLiteral("写真")};
    for (int col = 1; col <= 5; ++col)
        SetSpreadCellText(*grid, col, kSpreadHeader, headers[col - 1]);
    const QStringList names = {QStringLiteral("位置図１"), QStringLiteral("擁壁工"), QStringLiteral("排水路"),
                               QStringLiteral("ため池"), QString()};
    const int counts[] = {12, INT_MIN, 3, 1250, INT_MIN};
    const double lats[] = {35.6812362, 34.5, -9e32, 43.0642, -9e32};
    for (int row = 1; row <= 5; ++row) {
        SetSpreadCellText(*grid, 1, row, names[row - 1]);
        SetSpreadCellInt(*grid, 2, row, counts[row - 1], QString());
        SetSpreadCellReal(*grid, 3, row, 4, QString(), lats[row - 1]);
        SetSpreadCellCheck(*grid, 4, row, row % 2);
    }
    grid->SetRowHeight(-1, 24);
    QPixmap thumb(40, 30);
    thumb.fill(QColor(90, 150, 90));
    {
        QPainter p(&thumb);
        p.fillRect(0, 18, 40, 12, QColor(120, 90, 60));
        p.setBrush(QColor(250, 220, 60));
        p.drawEllipse(26, 3, 9, 9);
    }
    grid->SetCol(5);
    grid->SetRow(1);
    grid->SetCellPicture(thumb);
    grid->SetRow(2);
    grid->SetCellPicture(thumb);
    grid->SetCol(1);
    grid->SetRow(2);
    grid->SetLock(true);
    SetSpreadBlockBackColor(*grid, kSpreadHeader, 3, 3, 3, QColor(255, 242, 0));
    grid->SetCol(2);
    grid->SetRow(4);
    grid->SetForeColor(QColor(255, 0, 128));
    grid->setColumnWidth(0, 90);
    for (int col = 1; col < 4; ++col)
        grid->setColumnWidth(col, 80);
    grid->setColumnWidth(3, 44);
    grid->setColumnWidth(4, 56);
    grid->setFixedHeight(178);
    grid->SetActiveCell(2, 3);
    return grid;
}

CExpButton* StyledButton(int style, const QString& text, QWidget* parent)
{
    auto* button = new CExpButton(text, parent);
    button->style = style;
    button->setFixedSize(style == 4 || style == 5 ? 130 : 100, 30);
    switch (style) {
        case 2:
            button->faceColor = QColor(220, 240, 200);
            button->accentColor = QColor(180, 200, 165);
            button->hotFaceColor = QColor(250, 170, 70);
            button->checkedFaceColor = QColor(255, 245, 235);
            button->horizontalFlags = 0;
            break;
        case 3:
            button->faceColor = QColor(195, 239, 255);
            button->accentColor = button->textColor = QColor(0, 0, 160);
            button->hotFaceColor = button->checkedFaceColor = QColor(255, 245, 205);
            button->checked = true;
            break;
        case 5:
            button->accentColor = QColor(0, 120, 215);
            break;
        case 6:
            button->accentColor = QColor(200, 220, 255);
            button->checked = true;
            break;
        default:
            break;
    }
    return button;
}

TEST(ControlsGallery, EveryControlRendersLegibly)
{
    CKeyPolicyDialog dialog;
    dialog.setWindowTitle(QStringLiteral("コントロール一覧"));
    auto* layout = new QVBoxLayout(&dialog);

    auto* title = new CExpStatic(QStringLiteral("撮影写真の設定"), &dialog);
    title->frame = true;
    title->background = QColor(220, 240, 200);
    title->setAlignment(Qt::AlignCenter);
    title->setFixedHeight(26);
    layout->addWidget(title);
    layout->addWidget(MakeGrid(&dialog));

    auto* fields = new QGridLayout;
    auto* count = new CExpEdit(&dialog);
    count->SetIntegerMode(3, 1, 999, INT_MIN);
    count->SetInt(25);
    auto* length = new CExpEdit(&dialog);
    length->SetRealMode(4, 1, 0.1, 99.9, -9e32);
    length->SetReal(3.0);
    auto* name = new CExpEdit(&dialog);
    name->SetFreeTextMode(20);
    name->setText(QStringLiteral("ため池１号"));
    auto* fixed = new CExpEdit(&dialog);
    fixed->setText(QStringLiteral("読み取り専用"));
    fixed->setReadOnly(true);
    auto* area = new CExpStatic(QStringLiteral("面積 (m{^2})"), &dialog);
    area->markup = true;
    auto* index = new CExpStatic(QStringLiteral("座標 X{_i}, Y{_i}"), &dialog);
    index->markup = true;
    fields->addWidget(new QLabel(QStringLiteral("撮影位置（芯）半径"), &dialog), 0, 0);
    fields->addWidget(count, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("矢印長さ"), &dialog), 0, 2);
    fields->addWidget(length, 0, 3);
    fields->addWidget(new QLabel(QStringLiteral("名称"), &dialog), 1, 0);
    fields->addWidget(name, 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("備考"), &dialog), 1, 2);
    fields->addWidget(fixed, 1, 3);
    fields->addWidget(area, 2, 0, 1, 2);
    fields->addWidget(index, 2, 2, 1, 2);
    for (auto* label : {area, index})
        label->setFixedHeight(24);
    layout->addLayout(fields);

    auto* buttons1 = new QHBoxLayout;
    buttons1->addWidget(StyledButton(0, QStringLiteral("標準"), &dialog));
    buttons1->addWidget(StyledButton(1, QStringLiteral("タブ"), &dialog));
    buttons1->addWidget(StyledButton(2, QStringLiteral("1.写真取込"), &dialog));
    buttons1->addWidget(StyledButton(3, QStringLiteral("位置図作成"), &dialog));
    auto* twoLines = StyledButton(3, QStringLiteral("位置図\n取込み"), &dialog);
    twoLines->multiLine = true;
    twoLines->checked = false;
    twoLines->hot = true;
    twoLines->setFixedSize(90, 44);
    buttons1->addWidget(twoLines);
    buttons1->addStretch();
    layout->addLayout(buttons1);
    auto* buttons2 = new QHBoxLayout;
    buttons2->addWidget(StyledButton(4, QStringLiteral("次へ"), &dialog));
    buttons2->addWidget(StyledButton(5, QStringLiteral("出力"), &dialog));
    buttons2->addWidget(StyledButton(6, QStringLiteral("選択中"), &dialog));
    auto* disabled = StyledButton(0, QStringLiteral("無効"), &dialog);
    disabled->setEnabled(false);
    buttons2->addWidget(disabled);
    auto* help = new CExpButton(&dialog);
    help->SetBitmaps(kBitmapHelp, kBitmapHelpPressed, true);
    help->setFixedSize(help->sizeHint());
    buttons2->addWidget(help);
    auto* up = new CExpButton(&dialog);
    up->SetBitmapsWithDisabled(kBitmapUpArrow, kBitmapUpArrow, kBitmapUpArrowDisabled);
    up->setFixedSize(up->sizeHint());
    auto* down = new CExpButton(&dialog);
    down->SetBitmapsWithDisabled(kBitmapDownArrow, kBitmapDownArrow, kBitmapDownArrowDisabled);
    down->setFixedSize(down->sizeHint());
    down->setEnabled(false);
    buttons2->addWidget(up);
    buttons2->addWidget(down);
    auto* stretched = new CExpButton(&dialog);
    stretched->SetBitmaps(kBitmapHelp, kBitmapHelpPressed, false);
    stretched->style = 8;
    stretched->setFixedSize(34, 34);
    buttons2->addWidget(stretched);
    buttons2->addStretch();
    layout->addLayout(buttons2);

    // Layout choices: the selected one bright, the other darkened.
    auto* previews = new QHBoxLayout;
    for (int key : {1, 2}) {
        auto* preview = new QLabel(&dialog);
        preview->setFixedSize(120, 90);
        DrawBitmapInDlgItem(preview, kBitmapRefMainView, kBitmapRefMainView, key, 1);
        previews->addWidget(preview);
    }
    auto* comments = new CExpTextEdit(&dialog);
    comments->setPlainText(QStringLiteral("床掘状況\n埋戻し状況\n完成"));
    comments->setReadOnly(true);
    comments->setFixedSize(120, 90);
    previews->addWidget(comments);
    previews->addStretch();
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), &dialog);
    previews->addWidget(ok, 0, Qt::AlignBottom);
    previews->addWidget(cancel, 0, Qt::AlignBottom);
    dialog.SetOkButton(ok);
    dialog.SetCancelButton(cancel);
    layout->addLayout(previews);

    dialog.resize(560, 0);
    dialog.show();
    const QImage shot = dialog.grab().toImage();
    const QString path = QDir::current().absoluteFilePath(QStringLiteral("controls_gallery.png"));
    ASSERT_TRUE(shot.save(path)) << path.toStdString();
    EXPECT_GE(shot.width(), 540);
    EXPECT_GE(shot.height(), 400);
}

}  // namespace
