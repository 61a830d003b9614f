// Texts fitted into the workbook's small text boxes: kept whole at the largest size that holds them, made
// smaller, and cut with "…" at the end or in the middle when even the smallest size cannot hold them.
// Where a reader actually puts the fitted text is checked on printed pages (PrintedLayoutTest).
#include <gtest/gtest.h>

#include "report/TextBoxFit.h"

namespace {

// The comment box beside a V or H map (29.9 × 7.41 mm) and the photo list's name box (24.5 × 4.5 mm).
const QSizeF kCommentBox(29.9, 7.41);
const QSizeF kNameBox(24.5, 4.5);

TEST(TextBoxFit, KeepsShrinksOrCutsTheText)
{
    const QString emoji = QString::fromUtf8("\xF0\x9F\x93\xB7");
    const struct
    {
        const char* what;
        QString text;
        QSizeF box;
        TextCut cut;
        QString fitted;
        double points;
    } cases[] = {
        {"two lines at the largest size", QStringLiteral("護岸の状況 1\r\n上流側から撮影"), kCommentBox,
         TextCut::End, QStringLiteral("護岸の状況 1\n上流側から撮影"), 7.0},
        {"empty lines dropped", QStringLiteral("\r\n護岸\r\r\n\n"), kCommentBox, TextCut::End,
         QStringLiteral("護岸"), 7.0},
        {"three lines made smaller", QStringLiteral("一\n二\n三"), kCommentBox, TextCut::End,
         QStringLiteral("一\n二\n三"), 5.0},
        {"a long line broken where the box ends", QString(14, QChar(u'あ')), kCommentBox, TextCut::End,
         QString(11, QChar(u'あ')) + QStringLiteral("\nあああ"), 7.0},
        {"cut at the end", QStringLiteral("一\n二\n三\n四\n五"), kCommentBox, TextCut::End,
         QStringLiteral("一\n二\n三…"), 5.0},
        {"a camera name that fits", QStringLiteral("DSC_0001.JPG"), kNameBox, TextCut::Middle,
         QStringLiteral("DSC_0001.JPG"), 8.0},
        {"cut in the middle", QStringLiteral("IMG_20200401_090501_HDR.jpg"), kNameBox, TextCut::Middle,
         QStringLiteral("IMG_202…0501_HDR.jpg"), 5.0},
        {"a surrogate pair kept whole", QString(11, QChar(u'あ')) + emoji + QString(30, QChar(u'い')),
         kNameBox, TextCut::End, QString(11, QChar(u'あ')) + emoji + QStringLiteral("…"), 5.0},
    };
    for (const auto& c : cases) {
        const FittedText fitted = FitTextInBox(c.text, c.box, 0.3, c.box == kNameBox ? 8.0 : 7.0, 5.0, c.cut);
        EXPECT_EQ(fitted.text.toStdString(), c.fitted.toStdString()) << c.what;
        EXPECT_EQ(fitted.points, c.points) << c.what;
    }
}

}  // namespace
