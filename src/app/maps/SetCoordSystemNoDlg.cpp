#include "app/maps/SetCoordSystemNoDlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "app/controls/BitmapResources.h"
#include "app/controls/ExpButton.h"
#include "app/controls/RefPictureDialogs.h"
#include "app/controls/ScreenDpi.h"
#include "app/controls/SpreadCells.h"
#include "app/controls/SpreadGrid.h"
#include "fe/AppFolders.h"
#include "fe/geo/PlaneRectConverter.h"
#include "model/AppSettings.h"

namespace app {
namespace {

constexpr int kZoneMapBitmap = 379;
constexpr int kZones = 19;
const QColor kCheckedRowText(255, 0, 128);
const QColor kBlockBack(255, 255, 207);
const QColor kLockedBack(219, 255, 255);

const char16_t* const kAreaTexts[kZones] = {
    u"長崎県　鹿児島県のうち北方北緯32度南方北緯27度西方東経128度18分東方東経130度を境界線とする区域内（奄美群島は東経130度13分までを含む。)にあるすべての島、小島、環礁及び岩礁",
    u"福岡県　佐賀県　熊本県　大分県　宮崎県　鹿児島県（I系に規定する区域を除く。)",
    u"山口県　島根県　広島県",
    u"香川県　愛媛県　徳島県　高知県",
    u"兵庫県　鳥取県　岡山県",
    u"京都府　大阪府　福井県　滋賀県　三重県　奈良県 和歌山県",
    u"石川県　富山県　岐阜県　愛知県",
    u"新潟県　長野県　山梨県　静岡県",
    u"東京都（XIV系、XVIII系及びXIX系に規定する区域を除く。)　福島県　栃木県　茨城県　埼玉県 千葉県 群馬県　神奈川県",
    u"青森県　秋田県　山形県　岩手県　宮城県",
    u"小樽市　函館市　伊達市　北斗市　北海道後志総合振興局の所管区域　北海道胆振総合振興局の所管区域のうち豊浦町、壮瞥町及び洞爺湖町　北海道渡島総合振興局の所管区域　北海道檜山振興局の所管区域",
    u"北海道（XI系及びXIII系に規定する区域を除く。）",
    u"北見市　帯広市　釧路市　網走市　根室市　北海道オホーツク総合振興局の所管区域のうち美幌町、津別町、斜里町、清里町、小清水町、訓子府町、置戸町、佐呂間町及び大空町　北海道十勝総合振興局の所管区域　北海道釧路総合振興局の所管区域　北海道根室振興局の所管区域",
    u"東京都のうち北緯28度から南であり、かつ東経140度30分から東であり東経143度から西である区域",
    u"沖縄県のうち東経126度から東であり、かつ東経130度から西である区域",
    u"沖縄県のうち東経126度から西である区域",
    u"沖縄県のうち東経130度から東である区域",
    u"東京都のうち北緯28度から南であり、かつ東経140度30分から西である区域",
    u"東京都のうち北緯28度から南であり、かつ東経143度から東である区域",
};

}  // namespace

void CZoneMapLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit Clicked(event->position().toPoint());
    QLabel::mousePressEvent(event);
}

QString CSetCoordSystemNoDlg::AreaText(int zone)
{
    return zone >= 1 && zone <= kZones ? QString::fromUtf16(kAreaTexts[zone - 1]) : QString();
}

QString CSetCoordSystemNoDlg::DegreeMinuteSecond(double degrees)
{
    const long long seconds = std::llround(degrees * 3600.0);
    return QStringLiteral("%1度%2分%3秒").arg(seconds / 3600).arg(seconds / 60 % 60).arg(seconds % 60);
}

CSetCoordSystemNoDlg::CSetCoordSystemNoDlg(AppSettings& settings, QWidget* parent)
    : CKeyPolicyDialog(parent), m_settings(settings)
{
    setWindowTitle(QStringLiteral("平面直角座標系番号設定"));

    m_grid = new CSpread7U(this);
    m_grid->SetCols(4);
    m_grid->SetRows(kZones);
    m_grid->SetCol(1);
    m_grid->SetColKind(SpreadCellKind::Check);
    const QString headers[4] = {QString(), QStringLiteral("系番号"), QStringLiteral("経度(東経)"),
                                QStringLiteral("緯度(北緯)")};
    for (int col = 1; col <= 4; ++col)
        SetSpreadCellText(*m_grid, col, kSpreadHeader, headers[col - 1]);
    for (int row = 1; row <= kZones; ++row) {
        const fe::geo::GeoPoint origin = fe::geo::PlaneRectConverter::ZoneOrigin(row);
        SetSpreadCellText(*m_grid, 2, row, QString::number(row));
        SetSpreadCellText(*m_grid, 3, row, DegreeMinuteSecond(origin.longitude));
        SetSpreadCellText(*m_grid, 4, row, DegreeMinuteSecond(origin.latitude));
    }
    // The user picks a row by clicking it; no cell is edited or toggled directly.
    m_grid->SetBlockMode(true);
    m_grid->SetCol(1);
    m_grid->SetRow(1);
    m_grid->SetCol2(4);
    m_grid->SetRow2(kZones);
    m_grid->SetLock(true);
    m_grid->SetBlockMode(false);
    m_grid->SetLockedBackColor(kLockedBack);
    SetSpreadBlockBackColor(*m_grid, 2, 1, 4, kZones, kBlockBack);
    m_grid->SetColWidth(1, 3);
    m_grid->SetColWidth(2, 7);
    m_grid->SetColWidth(3, 14);
    m_grid->SetColWidth(4, 14);
    m_grid->verticalHeader()->setVisible(false);
    m_grid->setMinimumWidth(m_grid->horizontalHeader()->length() + 4 + m_grid->frameWidth() * 2);
    connect(m_grid, &CSpread7U::Click, this, &CSetCoordSystemNoDlg::OnGridClick);

    m_help = new CExpButton(this);
    m_help->SetBitmaps(kBitmapHelp, kBitmapHelpPressed, true);
    m_help->setToolTip(QStringLiteral("平面直角座標系について"));
    m_help->setAccessibleName(m_help->toolTip());
    connect(m_help, &CExpButton::clicked, this,
            [this] { ShowRefPicture(this, kBitmapRefCoordSystem, QStringLiteral("平面直角座標系について")); });

    m_area = new QLabel(this);
    m_area->setObjectName(QStringLiteral("AreaText"));
    m_area->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_area->setWordWrap(true);
    m_area->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_area->setMinimumHeight(80);

    m_map = new CZoneMapLabel(this);
    m_map->setObjectName(QStringLiteral("ZoneMap"));
    QPixmap picture = LoadBitmapResource(kZoneMapBitmap);
    const QSize dpi = ScreenDpi();
    if (!picture.isNull() && (dpi.width() != 96 || dpi.height() != 96))
        picture = picture.scaled(picture.width() * dpi.width() / 96, picture.height() * dpi.height() / 96,
                                 Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    m_map->setPixmap(picture);
    m_map->setFixedSize(picture.isNull() ? QSize(100, 100) : picture.size());
    m_map->setCursor(Qt::PointingHandCursor);
    connect(m_map, &CZoneMapLabel::Clicked, this, &CSetCoordSystemNoDlg::OnMapClick);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    m_noZone = new QPushButton(QStringLiteral("設定しない"), this);
    connect(ok, &QPushButton::clicked, this, &CSetCoordSystemNoDlg::OnOk);
    connect(cancel, &QPushButton::clicked, this, &CSetCoordSystemNoDlg::reject);
    connect(m_noZone, &QPushButton::clicked, this, &CSetCoordSystemNoDlg::OnNoZone);
    SetOkButton(ok);
    SetCancelButton(cancel);

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(
        QStringLiteral("位置図にスケールバーを表示するためには、平面直角座標系番号の設定が必要です。"), this));
    left->addWidget(new QLabel(QStringLiteral("座標系原点の経緯度"), this), 0, Qt::AlignRight);
    left->addWidget(m_grid, 1);
    auto* areaTitle = new QHBoxLayout;
    areaTitle->addWidget(new QLabel(QStringLiteral("適用区域"), this));
    areaTitle->addStretch();
    areaTitle->addWidget(m_help);
    left->addLayout(areaTitle);
    left->addWidget(m_area);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addWidget(m_map, 0, Qt::AlignBottom);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(m_noZone);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);

    m_initialZone = m_settings.planeZone;
    m_selectedZone = m_settings.planeZone;
    ShowSelection();
    const QString exeFolder = fe::GetExeFolder();
    if (!exeFolder.isEmpty())
        m_outlines = ReadZoneOutlines(exeFolder + QStringLiteral("Systems/keiarea.csv"));
}

int CSetCoordSystemNoDlg::CheckedRow() const
{
    for (int row = 1; row <= kZones; ++row) {
        if (GetSpreadCellCheck(*m_grid, 1, row) == 1)
            return row;
    }
    return 0;
}

void CSetCoordSystemNoDlg::ShowSelection()
{
    for (int row = 1; row <= kZones; ++row)
        SetSpreadCellCheck(*m_grid, 1, row, row == m_selectedZone ? 1 : 0);
    ColourRows();
    ShowAreaText();
}

void CSetCoordSystemNoDlg::ColourRows()
{
    m_grid->SetPainting(false);
    for (int row = 1; row <= kZones; ++row) {
        const QColor colour = GetSpreadCellCheck(*m_grid, 1, row) == 1 ? kCheckedRowText : QColor(Qt::black);
        for (int col = 2; col <= 4; ++col) {
            m_grid->SetCol(col);
            m_grid->SetRow(row);
            m_grid->SetForeColor(colour);
        }
    }
    m_grid->SetPainting(true);
}

void CSetCoordSystemNoDlg::ShowAreaText()
{
    m_area->setText(AreaText(CheckedRow()));
}

void CSetCoordSystemNoDlg::OnGridClick(int /*col*/, int row)
{
    if (row < 1 || row > kZones || GetSpreadCellCheck(*m_grid, 1, row) == 1)
        return;
    m_selectedZone = row;
    ShowSelection();
}

void CSetCoordSystemNoDlg::OnMapClick(QPoint position)
{
    const QSize dpi = ScreenDpi();
    const double sx = dpi.width() > 0 ? dpi.width() / 96.0 : 1.0;
    const double sy = dpi.height() > 0 ? dpi.height() / 96.0 : 1.0;
    const int zone = ZoneAtPoint(m_outlines, Point2(position.x() / sx, position.y() / sy));
    if (zone < 1 || zone > kZones)
        return;
    m_selectedZone = zone;
    ShowSelection();
}

void CSetCoordSystemNoDlg::OnOk()
{
    m_zoneChosen = 1;
    m_settings.planeZone = m_selectedZone;
    accept();
}

void CSetCoordSystemNoDlg::OnNoZone()
{
    m_zoneChosen = 0;
    m_settings.planeZone = m_initialZone;
    accept();
}

}  // namespace app
